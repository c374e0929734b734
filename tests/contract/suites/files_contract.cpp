// Files, folders and version resources: the adapter under Wine and FakeFiles must agree on all of this.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/text.h"
#include "tests/contract/contract_env.h"

namespace sx::contract {
namespace {

using platform::DirEntry;
namespace attr = platform::attr;

using FilesContract = ContractTest;

const DirEntry* entry_named(const std::vector<DirEntry>& entries, std::string_view name) {
    auto it = std::find_if(entries.begin(), entries.end(), [&](const DirEntry& e) { return e.name == name; });
    return it == entries.end() ? nullptr : &*it;
}

// A few reads of a VS_VERSIONINFO block, enough to see that the block is the one the test program
// carries; the program's own parser is tested elsewhere.
struct BlockReader {
    std::string_view bytes;

    uint16_t word(size_t at) const {
        if (at + 2 > bytes.size()) return 0;
        return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                     static_cast<unsigned char>(bytes[at + 1]) << 8);
    }
    uint32_t dword(size_t at) const { return word(at) | static_cast<uint32_t>(word(at + 2)) << 16; }
    std::u16string text(size_t at) const {
        std::u16string out;
        for (; at + 2 <= bytes.size() && word(at) != 0; at += 2) out += static_cast<char16_t>(word(at));
        return out;
    }
    static size_t aligned(size_t at) { return (at + 3) & ~size_t{3}; }
    // Offset of a node's value: after the six header bytes and the key, aligned.
    size_t value_at(size_t node) const { return aligned(node + 6 + 2 * (text(node + 6).size() + 1)); }

    // The text value of `name` in the string table `table`, by walking the tree.
    std::optional<std::u16string> string_value(std::string_view table, std::string_view name) const {
        const size_t root_end = std::min<size_t>(word(0), bytes.size());
        for (size_t child = aligned(value_at(0) + word(2)); child + 6 < root_end;
             child = aligned(child + std::max<uint16_t>(word(child), 6))) {
            if (text(child + 6) != u"StringFileInfo") continue;
            const size_t info_end = child + word(child);
            for (size_t t = value_at(child); t + 6 < info_end; t = aligned(t + std::max<uint16_t>(word(t), 6))) {
                if (!iequals(narrow(text(t + 6)), table)) continue;
                const size_t table_end = t + word(t);
                for (size_t s = value_at(t); s + 6 < table_end; s = aligned(s + std::max<uint16_t>(word(s), 6))) {
                    if (narrow(text(s + 6)) == name) return text(value_at(s));
                }
            }
        }
        return std::nullopt;
    }
    static std::string narrow(const std::u16string& text) { return std::string(text.begin(), text.end()); }
};

TEST_F(FilesContract, ListGivesDotEntriesFilesAndFolders) {
    const std::string folder = env().scratch_folder();
    ASSERT_TRUE(os().files.write(folder + "\\a.txt", "a"));
    ASSERT_TRUE(os().files.make_folder(folder + "\\sub"));
    std::vector<DirEntry> entries;
    ASSERT_TRUE(os().files.list(folder, entries));
    EXPECT_EQ(entries.size(), 4u);
    for (const char* name : {".", "..", "sub"}) {
        const DirEntry* e = entry_named(entries, name);
        ASSERT_NE(e, nullptr) << name;
        EXPECT_TRUE(e->attributes & attr::directory) << name;
    }
    const DirEntry* file = entry_named(entries, "a.txt");
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(file->attributes & attr::directory);

    EXPECT_FALSE(os().files.list(folder + "\\missing", entries));
    EXPECT_TRUE(entries.empty());
    EXPECT_FALSE(os().files.list(folder + "\\a.txt", entries)) << "a file is not a folder";
}

TEST_F(FilesContract, AttributesOfFilesFoldersAndMissingPaths) {
    const std::string folder = env().scratch_folder();
    const std::string file = folder + "\\plain.txt";
    ASSERT_TRUE(os().files.write(file, "x"));
    EXPECT_EQ(os().files.attributes(file), attr::archive) << "a new file";
    EXPECT_EQ(os().files.attributes(folder), attr::directory);
    EXPECT_EQ(os().files.attributes(folder + "\\missing.txt"), attr::invalid);
    EXPECT_FALSE(os().files.set_attributes(folder + "\\missing.txt", attr::hidden));

    ASSERT_TRUE(os().files.set_attributes(file, attr::hidden | attr::system));
    EXPECT_EQ(os().files.attributes(file) & ~attr::archive, attr::hidden | attr::system);
    std::vector<DirEntry> entries;
    ASSERT_TRUE(os().files.list(folder, entries));
    const DirEntry* listed = entry_named(entries, "plain.txt");
    ASSERT_NE(listed, nullptr);
    EXPECT_EQ(listed->attributes, os().files.attributes(file)) << "the listing agrees";

    ASSERT_TRUE(os().files.set_attributes(file, attr::readonly));
    EXPECT_EQ(os().files.attributes(file) & ~attr::archive, attr::readonly) << "hidden and system are gone";
    ASSERT_TRUE(os().files.set_attributes(folder, attr::hidden));
    EXPECT_EQ(os().files.attributes(folder), attr::directory | attr::hidden);
    ASSERT_TRUE(os().files.set_attributes(folder, attr::normal));
    EXPECT_EQ(os().files.attributes(folder), attr::directory);
}

// Wine keeps the archive bit of a file whatever is set (Windows would clear it); the fake copies Wine, and
// the program's logic must not depend on the bit either way.
TEST_F(FilesContract, FilesKeepTheArchiveBitAsWineDoesButLogicMustNotRelyOnIt) {
    const std::string file = env().scratch_folder() + "\\archive.txt";
    ASSERT_TRUE(os().files.write(file, "x"));
    ASSERT_TRUE(os().files.set_attributes(file, attr::hidden | attr::system));
    EXPECT_EQ(os().files.attributes(file), attr::archive | attr::hidden | attr::system);
    ASSERT_TRUE(os().files.set_attributes(file, attr::normal));
    EXPECT_EQ(os().files.attributes(file), attr::archive);
    ASSERT_TRUE(os().files.set_attributes(file, 0));
    EXPECT_EQ(os().files.attributes(file), attr::archive);
}

TEST_F(FilesContract, MoveRefusesAnExistingTargetAndKeepsBothFiles) {
    const std::string folder = env().scratch_folder();
    ASSERT_TRUE(os().files.write(folder + "\\from.txt", "from"));
    ASSERT_TRUE(os().files.write(folder + "\\to.txt", "to"));
    EXPECT_FALSE(os().files.move(folder + "\\from.txt", folder + "\\to.txt"));
    EXPECT_EQ(os().files.read(folder + "\\from.txt", 100), "from");
    EXPECT_EQ(os().files.read(folder + "\\to.txt", 100), "to");

    EXPECT_TRUE(os().files.move(folder + "\\from.txt", folder + "\\moved.txt"));
    EXPECT_EQ(os().files.attributes(folder + "\\from.txt"), attr::invalid);
    EXPECT_EQ(os().files.read(folder + "\\moved.txt", 100), "from");
    EXPECT_FALSE(os().files.move(folder + "\\from.txt", folder + "\\again.txt")) << "the source is gone";
}

TEST_F(FilesContract, CopyHonoursFailIfExists) {
    const std::string folder = env().scratch_folder();
    ASSERT_TRUE(os().files.write(folder + "\\a.txt", "first"));
    ASSERT_TRUE(os().files.write(folder + "\\b.txt", "second"));
    EXPECT_FALSE(os().files.copy(folder + "\\a.txt", folder + "\\b.txt", true));
    EXPECT_EQ(os().files.read(folder + "\\b.txt", 100), "second");
    EXPECT_TRUE(os().files.copy(folder + "\\a.txt", folder + "\\b.txt", false));
    EXPECT_EQ(os().files.read(folder + "\\b.txt", 100), "first");
    EXPECT_TRUE(os().files.copy(folder + "\\a.txt", folder + "\\c.txt", true));
    EXPECT_EQ(os().files.read(folder + "\\c.txt", 100), "first");
    EXPECT_EQ(os().files.read(folder + "\\a.txt", 100), "first");
    EXPECT_FALSE(os().files.copy(folder + "\\missing.txt", folder + "\\d.txt", false));
}

TEST_F(FilesContract, RemoveDeletesFilesAndFailsOnMissingOrReadOnlyFiles) {
    const std::string folder = env().scratch_folder();
    ASSERT_TRUE(os().files.write(folder + "\\gone.txt", "x"));
    EXPECT_TRUE(os().files.remove(folder + "\\gone.txt"));
    EXPECT_EQ(os().files.attributes(folder + "\\gone.txt"), attr::invalid);
    EXPECT_FALSE(os().files.remove(folder + "\\gone.txt"));

    ASSERT_TRUE(os().files.write(folder + "\\ro.txt", "x"));
    ASSERT_TRUE(os().files.set_attributes(folder + "\\ro.txt", attr::readonly));
    EXPECT_FALSE(os().files.remove(folder + "\\ro.txt"));
    EXPECT_NE(os().files.attributes(folder + "\\ro.txt"), attr::invalid);
    ASSERT_TRUE(os().files.set_attributes(folder + "\\ro.txt", attr::normal));
    EXPECT_TRUE(os().files.remove(folder + "\\ro.txt"));
}

TEST_F(FilesContract, MakeFolderNeedsAParentAndANewName) {
    const std::string folder = env().scratch_folder();
    EXPECT_TRUE(os().files.make_folder(folder + "\\new"));
    EXPECT_FALSE(os().files.make_folder(folder + "\\new"));
    EXPECT_FALSE(os().files.make_folder(folder + "\\missing\\new"));
    EXPECT_EQ(os().files.attributes(folder + "\\missing"), attr::invalid);
}

TEST_F(FilesContract, ReadStopsAtTheLimit) {
    const std::string file = env().scratch_folder() + "\\text.txt";
    ASSERT_TRUE(os().files.write(file, "hello world"));
    EXPECT_EQ(os().files.read(file, 5), "hello");
    EXPECT_EQ(os().files.read(file, 11), "hello world");
    EXPECT_EQ(os().files.read(file, 1000), "hello world");
    EXPECT_EQ(os().files.read(file, 0), "");
    EXPECT_EQ(os().files.read(env().scratch_folder() + "\\missing.txt", 10), std::nullopt);
    EXPECT_EQ(os().files.read(env().scratch_folder(), 10), std::nullopt) << "a folder";
}

TEST_F(FilesContract, ReadsWholeLargeFiles) {
    const std::string file = env().scratch_folder() + "\\large.bin";
    std::string content(200000, '\0');
    for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 31 + 7);
    ASSERT_TRUE(os().files.write(file, content));
    EXPECT_EQ(os().files.read(file, content.size() * 2), content);
}

TEST_F(FilesContract, WriteReplacesTheContentAndNeedsTheFolder) {
    const std::string folder = env().scratch_folder();
    ASSERT_TRUE(os().files.write(folder + "\\w.txt", "a longer first content"));
    ASSERT_TRUE(os().files.write(folder + "\\w.txt", "short"));
    EXPECT_EQ(os().files.read(folder + "\\w.txt", 100), "short");
    EXPECT_FALSE(os().files.write(folder + "\\missing\\w.txt", "x"));
    ASSERT_TRUE(os().files.write(folder + "\\empty.txt", ""));
    EXPECT_EQ(os().files.read(folder + "\\empty.txt", 100), "");
}

TEST_F(FilesContract, AppendCreatesTheFileAndAddsAtTheEnd) {
    const std::string file = env().scratch_folder() + "\\log.txt";
    ASSERT_TRUE(os().files.append(file, "one\r\n"));
    ASSERT_TRUE(os().files.append(file, "two\r\n"));
    EXPECT_EQ(os().files.read(file, 100), "one\r\ntwo\r\n");
    EXPECT_FALSE(os().files.append(env().scratch_folder() + "\\missing\\log.txt", "x"));
}

TEST_F(FilesContract, FactsGiveSizeAndTimes) {
    const std::string file = env().scratch_folder() + "\\facts.txt";
    ASSERT_TRUE(os().files.write(file, "Hello, World!"));
    std::optional<platform::FileFacts> facts = os().files.facts(file);
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->size, 13u);
    EXPECT_NE(facts->created, 0u);
    EXPECT_NE(facts->accessed, 0u);
    EXPECT_NE(facts->written, 0u);
    EXPECT_GE(facts->written, facts->created);
    EXPECT_EQ(os().files.facts(env().scratch_folder() + "\\missing.txt"), std::nullopt);
    EXPECT_EQ(os().files.facts(env().scratch_folder()), std::nullopt) << "a folder";
}

TEST_F(FilesContract, AFileInUseWithoutSharingCannotBeReadOrChanged) {
    const std::string file = env().scratch_folder() + "\\busy.txt";
    ASSERT_TRUE(os().files.write(file, "busy"));
    env().hold_open_unshared(file);
    EXPECT_NE(os().files.attributes(file), attr::invalid) << "it still exists";
    EXPECT_EQ(os().files.read(file, 100), std::nullopt);
    EXPECT_EQ(os().files.facts(file), std::nullopt);
    EXPECT_FALSE(os().files.append(file, "more"));
    EXPECT_FALSE(os().files.write(file, "other"));
    EXPECT_FALSE(os().files.remove(file));
}

TEST_F(FilesContract, VersionBlockIsTheRawVersionResource) {
    const std::string file = env().version_file();
    std::optional<std::string> block = os().files.version_block(file);
    ASSERT_TRUE(block);
    const BlockReader reader{*block};
    ASSERT_GE(block->size(), 92u);
    EXPECT_LE(reader.word(0), block->size()) << "the root node fits the resource";
    EXPECT_EQ(reader.text(6), u"VS_VERSION_INFO");
    EXPECT_EQ(reader.word(2), 52u) << "a fixed file info follows";
    const size_t fixed = reader.value_at(0);
    EXPECT_EQ(reader.dword(fixed), 0xFEEF04BDu);
    EXPECT_EQ(reader.dword(fixed + 8), static_cast<uint32_t>(kFileVersion[0]) << 16 | kFileVersion[1]);
    EXPECT_EQ(reader.dword(fixed + 12), static_cast<uint32_t>(kFileVersion[2]) << 16 | kFileVersion[3]);
    EXPECT_EQ(reader.dword(fixed + 16), static_cast<uint32_t>(kProductVersion[0]) << 16 | kProductVersion[1]);
    EXPECT_EQ(reader.string_value(kVersionTable, "CompanyName"), std::u16string(kCompanyName));
    EXPECT_EQ(reader.string_value(kVersionTable, "ProductName"), std::u16string(kProductName));
    EXPECT_EQ(reader.string_value(kVersionTable, "FileDescription"), std::u16string(kFileDescription));
    EXPECT_EQ(reader.string_value(kVersionTable, "Comments"), std::nullopt);
}

TEST_F(FilesContract, VersionBlockIsEmptyWithoutAVersionResource) {
    EXPECT_EQ(os().files.version_block(env().plain_file()), std::nullopt);
    EXPECT_EQ(os().files.version_block(env().scratch_folder() + "\\missing.exe"), std::nullopt);
    EXPECT_EQ(os().files.version_block(env().scratch_folder()), std::nullopt) << "a folder";
}

TEST_F(FilesContract, LongAndShortPathsRoundTrip) {
    const std::string folder = env().long_named_folder();
    const std::string short_form = os().files.short_path(folder);
    ASSERT_FALSE(short_form.empty());
    EXPECT_NE(short_form, folder);
    EXPECT_EQ(short_form.find(' '), std::string::npos) << short_form;
    for (std::string_view part = short_form; !part.empty();) {
        const size_t slash = part.find('\\');
        EXPECT_LE(part.substr(0, slash).size(), 12u) << "8.3 parts: " << short_form;
        part = slash == std::string_view::npos ? std::string_view() : part.substr(slash + 1);
    }
    EXPECT_TRUE(iequals(os().files.long_path(short_form), folder)) << os().files.long_path(short_form);
    EXPECT_TRUE(iequals(os().files.long_path(folder), folder));
    EXPECT_TRUE(iequals(os().files.short_path(short_form), short_form));
    EXPECT_NE(os().files.attributes(short_form), attr::invalid) << "the alias names the same folder";

    const std::string missing = env().scratch_folder() + "\\Missing Long Name";
    EXPECT_EQ(os().files.long_path(missing), "");
    EXPECT_EQ(os().files.short_path(missing), "");
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
