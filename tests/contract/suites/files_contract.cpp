// Files, folders and version resources: the adapter under Wine and FakeFiles must agree on all of this.
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "common/text.h"
#include "programinfo/version_block.h"
#include "tests/contract/contract_env.h"

namespace sx::contract {
namespace {

using platform::DirEntry;
namespace attr = platform::attr;

using FilesContract = ContractTest;

std::map<std::string, uint32_t> listing(platform::Files& files, const std::string& folder) {
    std::vector<DirEntry> entries;
    EXPECT_TRUE(files.list(folder, entries)) << folder;
    std::map<std::string, uint32_t> out;
    for (const DirEntry& e : entries) out[e.name] = e.attributes;
    return out;
}

TEST_F(FilesContract, MissingPathsFailEveryCall) {
    const std::string folder = env().scratch_folder();
    const std::string missing = folder + "\\missing.txt";
    const std::string beyond = folder + "\\missing\\x.txt";  // in a folder that does not exist
    ASSERT_TRUE(os().files.write(folder + "\\a.txt", "a"));
    std::vector<DirEntry> entries{{"stale", 0}};
    EXPECT_EQ(os().files.attributes(missing), attr::invalid);
    EXPECT_FALSE(os().files.set_attributes(missing, attr::hidden));
    EXPECT_FALSE(os().files.list(folder + "\\missing", entries));
    EXPECT_TRUE(entries.empty());
    EXPECT_FALSE(os().files.move(missing, folder + "\\b.txt"));
    EXPECT_FALSE(os().files.copy(missing, folder + "\\b.txt", false));
    EXPECT_FALSE(os().files.remove(missing));
    EXPECT_FALSE(os().files.make_folder(folder + "\\missing\\new"));
    EXPECT_EQ(os().files.read(missing, 10), std::nullopt);
    EXPECT_FALSE(os().files.write(beyond, "x"));
    EXPECT_FALSE(os().files.append(beyond, "x"));
    EXPECT_EQ(os().files.facts(missing), std::nullopt);
    EXPECT_EQ(os().files.version_block(missing), std::nullopt);
    EXPECT_EQ(os().files.program_resources(missing, 0).version, std::nullopt);
    EXPECT_EQ(os().files.long_path(missing), "");
    EXPECT_EQ(os().files.short_path(missing), "");
    EXPECT_EQ(os().files.attributes(folder + "\\missing"), attr::invalid) << "nothing was made on the way";
    // A folder is not a file, nor a file a folder.
    EXPECT_FALSE(os().files.list(folder + "\\a.txt", entries));
    EXPECT_EQ(os().files.read(folder, 10), std::nullopt);
    EXPECT_EQ(os().files.facts(folder), std::nullopt);
    EXPECT_EQ(os().files.version_block(folder), std::nullopt);
    EXPECT_EQ(os().files.version_block(folder + "\\a.txt"), std::nullopt) << "a file without a version resource";
    for (const std::string& path : {folder, folder + "\\a.txt"}) {
        const platform::ProgramResources none = os().files.program_resources(path, 0);
        EXPECT_EQ(none.version, std::nullopt) << path;
        EXPECT_EQ(none.icon, "") << path;
    }
}

TEST_F(FilesContract, ListGivesDotEntriesFilesAndFolders) {
    const std::string folder = env().scratch_folder();
    ASSERT_TRUE(os().files.write(folder + "\\a.txt", "a"));
    ASSERT_TRUE(os().files.make_folder(folder + "\\sub"));
    EXPECT_FALSE(os().files.make_folder(folder + "\\sub")) << "it exists";
    EXPECT_EQ(listing(os().files, folder), (std::map<std::string, uint32_t>{
                                               {".", attr::directory}, {"..", attr::directory},
                                               {"a.txt", attr::archive}, {"sub", attr::directory}}));
}

// Wine keeps the archive bit of a file whatever is set (Windows would clear it); the fake copies Wine, and
// the program's logic must not depend on the bit either way. Only a read-only file cannot be removed.
TEST_F(FilesContract, SetAttributesReplacesAllButTheArchiveBit) {
    const std::string folder = env().scratch_folder();
    const std::string file = folder + "\\plain.txt";
    ASSERT_TRUE(os().files.write(file, "x"));
    EXPECT_EQ(os().files.attributes(file), attr::archive) << "a new file";
    EXPECT_EQ(os().files.attributes(folder), attr::directory);
    const std::tuple<std::string, uint32_t, uint32_t> kCases[] = {
        {file, attr::hidden | attr::system, attr::archive | attr::hidden | attr::system},
        {file, attr::normal, attr::archive},        {file, 0, attr::archive},
        {folder, attr::hidden, attr::directory | attr::hidden}, {folder, attr::normal, attr::directory},
        {file, attr::readonly, attr::archive | attr::readonly},
    };
    for (const auto& [path, set, read] : kCases) {
        ASSERT_TRUE(os().files.set_attributes(path, set)) << path << " " << set;
        EXPECT_EQ(os().files.attributes(path), read) << path << " " << set;
    }
    EXPECT_EQ(listing(os().files, folder)["plain.txt"], attr::archive | attr::readonly) << "the listing agrees";
    EXPECT_FALSE(os().files.remove(file)) << "read-only";
    EXPECT_NE(os().files.attributes(file), attr::invalid);
    ASSERT_TRUE(os().files.set_attributes(file, attr::normal));
    EXPECT_TRUE(os().files.remove(file));
    EXPECT_EQ(os().files.attributes(file), attr::invalid);
    // Hidden and system files go like any other.
    ASSERT_TRUE(os().files.write(file, "x"));
    ASSERT_TRUE(os().files.set_attributes(file, attr::hidden | attr::system));
    EXPECT_TRUE(os().files.remove(file));
}

TEST_F(FilesContract, MoveAndCopyRefuseAnExistingTargetAndKeepBothFiles) {
    const std::string folder = env().scratch_folder();
    ASSERT_TRUE(os().files.write(folder + "\\from.txt", "from"));
    ASSERT_TRUE(os().files.write(folder + "\\to.txt", "to"));
    EXPECT_FALSE(os().files.move(folder + "\\from.txt", folder + "\\to.txt"));
    EXPECT_FALSE(os().files.copy(folder + "\\from.txt", folder + "\\to.txt", true));
    EXPECT_EQ(os().files.read(folder + "\\from.txt", 100), "from");
    EXPECT_EQ(os().files.read(folder + "\\to.txt", 100), "to");

    EXPECT_TRUE(os().files.copy(folder + "\\from.txt", folder + "\\copy.txt", true));
    EXPECT_TRUE(os().files.copy(folder + "\\to.txt", folder + "\\copy.txt", false));
    EXPECT_EQ(os().files.read(folder + "\\copy.txt", 100), "to") << "replaced when asked";
    EXPECT_TRUE(os().files.move(folder + "\\from.txt", folder + "\\moved.txt"));
    EXPECT_EQ(os().files.attributes(folder + "\\from.txt"), attr::invalid);
    EXPECT_EQ(os().files.read(folder + "\\moved.txt", 100), "from");
}

TEST_F(FilesContract, WriteReplacesAppendAddsReadStopsAtTheLimitAndFactsGiveSizeAndTimes) {
    const std::string folder = env().scratch_folder();
    ASSERT_TRUE(os().files.write(folder + "\\w.txt", "a longer first content"));
    ASSERT_TRUE(os().files.write(folder + "\\w.txt", "hello world"));
    for (size_t limit : {0, 5, 11, 1000}) {
        EXPECT_EQ(os().files.read(folder + "\\w.txt", limit), std::string("hello world").substr(0, limit)) << limit;
    }
    std::optional<platform::FileFacts> facts = os().files.facts(folder + "\\w.txt");
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->size, 11u);
    EXPECT_NE(facts->created, 0u);
    EXPECT_NE(facts->accessed, 0u);
    EXPECT_GE(facts->written, facts->created);
    ASSERT_TRUE(os().files.write(folder + "\\empty.txt", ""));
    EXPECT_EQ(os().files.read(folder + "\\empty.txt", 100), "");
    ASSERT_TRUE(os().files.append(folder + "\\log.txt", "one\r\n"));
    ASSERT_TRUE(os().files.append(folder + "\\log.txt", "two\r\n"));
    EXPECT_EQ(os().files.read(folder + "\\log.txt", 100), "one\r\ntwo\r\n");

    std::string large(200000, '\0');
    for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 31 + 7);
    ASSERT_TRUE(os().files.write(folder + "\\large.bin", large));
    EXPECT_EQ(os().files.read(folder + "\\large.bin", large.size() * 2), large);
}

// Its attributes still change: they are no part of the content the owner keeps to itself.
TEST_F(FilesContract, AFileInUseWithoutSharingCannotBeReadCopiedOrChanged) {
    const std::string file = env().scratch_folder() + "\\busy.txt";
    ASSERT_TRUE(os().files.write(file, "busy"));
    ASSERT_TRUE(os().files.set_attributes(file, attr::hidden));
    env().hold_open_unshared(file);
    EXPECT_NE(os().files.attributes(file), attr::invalid) << "it still exists";
    EXPECT_EQ(os().files.read(file, 100), std::nullopt);
    EXPECT_EQ(os().files.facts(file), std::nullopt);
    EXPECT_FALSE(os().files.append(file, "more"));
    EXPECT_FALSE(os().files.write(file, "other"));
    EXPECT_FALSE(os().files.remove(file));
    EXPECT_FALSE(os().files.copy(file, env().scratch_folder() + "\\copy.txt", false));
    EXPECT_EQ(os().files.attributes(env().scratch_folder() + "\\copy.txt"), attr::invalid);
    EXPECT_TRUE(os().files.set_attributes(file, attr::normal));
    EXPECT_EQ(os().files.attributes(file), attr::archive);
}

// The block the program's own parser reads its texts from.
TEST_F(FilesContract, VersionBlockIsTheRawVersionResource) {
    std::optional<std::string> block = os().files.version_block(env().version_file());
    ASSERT_TRUE(block);
    EXPECT_EQ(os().files.program_resources(env().version_file(), -1).version, block) << "what a list fill reads";
    const programinfo::VersionBlock version(*block);
    ASSERT_TRUE(version.valid());
    ASSERT_EQ(version.translations().size(), 1u);
    EXPECT_EQ(version.translations()[0].language, kVersionLanguage);
    EXPECT_EQ(version.translations()[0].code_page, kVersionCodePage);
    EXPECT_EQ(version.string_value(kVersionTable, "CompanyName"), std::u16string(kCompanyName));
    EXPECT_EQ(version.string_value(kVersionTable, "ProductName"), std::u16string(kProductName));
    EXPECT_EQ(version.string_value(kVersionTable, "FileDescription"), std::u16string(kFileDescription));
    EXPECT_EQ(version.string_value(kVersionTable, "Comments"), std::nullopt);
}

TEST_F(FilesContract, LongAndShortPathsRoundTrip) {
    const std::string folder = env().long_named_folder();
    const std::string short_form = os().files.short_path(folder);
    ASSERT_FALSE(short_form.empty());
    EXPECT_TRUE(std::regex_match(short_form, std::regex(R"(C:(\\[^\\ ]{1,12})+)"))) << "8.3 parts: " << short_form;
    EXPECT_TRUE(iequals(os().files.long_path(short_form), folder)) << os().files.long_path(short_form);
    EXPECT_TRUE(iequals(os().files.long_path(folder), folder));
    EXPECT_TRUE(iequals(os().files.short_path(short_form), short_form));
    EXPECT_NE(os().files.attributes(short_form), attr::invalid) << "the alias names the same folder";
}

// GetLongPathNameA looks up the parts that could be short names and gives their real spelling; longer
// parts stay as written.
TEST_F(FilesContract, LongPathRespellsOnlyTheShortParts) {
    const std::string folder = env().scratch_folder();
    ASSERT_TRUE(os().files.make_folder(folder + "\\Sub"));
    ASSERT_TRUE(os().files.make_folder(folder + "\\Sub\\Longer Name"));
    ASSERT_TRUE(os().files.write(folder + "\\Sub\\Longer Name\\File.Txt", "x"));
    std::string shouted = folder;
    for (char& c : shouted) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    EXPECT_EQ(os().files.long_path(shouted + "\\SUB\\LONGER NAME\\FILE.TXT"),
              shouted + "\\Sub\\LONGER NAME\\File.Txt");
    EXPECT_EQ(os().files.long_path(folder + "\\sub\\"), folder + "\\Sub\\") << "a closing backslash stays";
}

TEST_F(FilesContract, DeleteOnRebootIsScheduled) {
    const std::string file = env().scratch_folder() + "\\reboot.txt";
    ASSERT_TRUE(os().files.write(file, "x"));
    EXPECT_TRUE(os().files.delete_on_reboot(file));
    env().forget_reboot_operations();
    EXPECT_NE(os().files.attributes(file), attr::invalid) << "nothing happens before the restart";
}

}  // namespace
}  // namespace sx::contract
