// The demo system under Wine: the seeder's state is complete, repeatable and fully undone, and the
// demo binaries carry the version texts, icons and behaviour that tests of the program rely on.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include "platform/win32/handles.h"

#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tools/demo/demo_system.h"

namespace sx::demo {
namespace {

constexpr DWORD kWaitArgumentSeconds = 30;
constexpr DWORD kStillRunningCheckMs = 300;
constexpr DWORD kExitTimeoutMs = 10000;
constexpr int kBulkCount = 20;
constexpr char kBulkTestFolder[] = "C:\\Program Files\\Sentrix Bulk Test";

// ---------------------------------------------------------------------------------------------
// Reading the system

HKEY root_of(Hive hive) { return hive == Hive::machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }
const char* root_name(Hive hive) { return hive == Hive::machine ? "HKLM" : "HKCU"; }

class Key {
public:
    Key(Hive hive, const std::string& path) {
        if (RegOpenKeyExA(root_of(hive), path.c_str(), 0, KEY_READ, &key_) != ERROR_SUCCESS) key_ = nullptr;
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    explicit operator bool() const { return key_ != nullptr; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

struct Value {
    std::string name;
    DWORD type = REG_NONE;
    std::string data;
};

std::vector<Value> values_of(Hive hive, const std::string& path) {
    std::vector<Value> list;
    Key key(hive, path);
    if (!key) return list;
    for (DWORD i = 0;; ++i) {
        char name[16384];
        DWORD name_size = sizeof name;
        DWORD type = 0;
        DWORD data_size = 0;
        if (RegEnumValueA(key.get(), i, name, &name_size, nullptr, &type, nullptr, &data_size) != ERROR_SUCCESS)
            break;
        std::string data(data_size, '\0');
        name_size = sizeof name;
        if (RegEnumValueA(key.get(), i, name, &name_size, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                          &data_size) != ERROR_SUCCESS)
            break;
        data.resize(data_size);
        list.push_back({std::string(name, name_size), type, data});
    }
    return list;
}

std::vector<std::string> subkeys_of(Hive hive, const std::string& path) {
    std::vector<std::string> list;
    Key key(hive, path);
    if (!key) return list;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key.get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        list.emplace_back(name, size);
    }
    return list;
}

bool key_exists(Hive hive, const std::string& path) { return static_cast<bool>(Key(hive, path)); }

std::optional<Value> value_of(Hive hive, const std::string& path, const std::string& name) {
    for (Value& value : values_of(hive, path))
        if (_stricmp(value.name.c_str(), name.c_str()) == 0) return value;
    return std::nullopt;
}

// The text of a REG_SZ value without its terminating zero.
std::string text_of(const Value& value) {
    std::string text = value.data;
    while (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

bool file_exists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string hex(const std::string& bytes) {
    std::ostringstream out;
    for (unsigned char c : bytes) out << "0123456789abcdef"[c >> 4] << "0123456789abcdef"[c & 0xF];
    return out.str();
}

std::string bins() { return default_bins_folder(); }

// ---------------------------------------------------------------------------------------------
// A snapshot of everything the seeder may touch: keys with their values, folders with their files

using Snapshot = std::map<std::string, std::string>;

void snap_key(Hive hive, const std::string& path, Snapshot& out) {
    const std::string where = std::string(root_name(hive)) + "\\" + path;
    if (!key_exists(hive, path)) {
        out[where] = "(no key)";
        return;
    }
    out[where] = "(key)";
    for (const Value& value : values_of(hive, path))
        out[where + " [" + value.name + "]"] = std::to_string(value.type) + ":" + hex(value.data);
    for (const std::string& sub : subkeys_of(hive, path)) snap_key(hive, path + "\\" + sub, out);
}

void snap_folder(const std::string& folder, Snapshot& out) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        out[folder] = "(no folder)";
        return;
    }
    out[folder] = "(folder)";
    std::vector<std::string> subfolders;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            subfolders.push_back(path);
            continue;
        }
        // Shell links hold the target's file times, so only their size is compared.
        const bool link = path.size() > 4 && _stricmp(path.c_str() + path.size() - 4, ".lnk") == 0;
        out[path] = std::to_string(data.nFileSizeLow) + (link ? "" : ":" + hex(read_file(path)));
    } while (FindNextFileA(find, &data));
    FindClose(find);
    for (const std::string& sub : subfolders) snap_folder(sub, out);
}

void snap_file(const std::string& path, Snapshot& out) {
    out[path] = file_exists(path) ? hex(read_file(path)) : "(no file)";
}

Snapshot take_snapshot() {
    Snapshot out;
    for (Hive hive : {Hive::machine, Hive::user}) {
        for (const char* key : kRunFamily) snap_key(hive, key, out);
        snap_key(hive, kOrvaneKey, out);
        snap_key(hive, kWindowsKey, out);
    }
    for (const char* key : kWowRunFamily) snap_key(Hive::machine, key, out);
    for (const char* key : {kWinlogonKey, kDelayLoadKey, kSharedTaskSchedulerKey, kShellExecuteHooksKey})
        snap_key(Hive::machine, key, out);
    for (const char* clsid : {kContosoSsoClsid, kShellSvcClsid, kTailTaskClsid, kLitHookClsid, kProseHookClsid})
        snap_key(Hive::machine, std::string(kClsidKey) + "\\" + clsid, out);
    for (const char* folder : {"<Startup>", "<CommonStartup>", "C:\\Program Files", "C:\\Program Files (x86)"})
        snap_folder(expand(folder), out);
    snap_folder(journal_folder(), out);
    snap_file(expand(kSystemWingtipPath), out);
    snap_file(expand(kSystemShsvcxPath), out);
    return out;
}

// The differences as readable lines; empty when the snapshots are equal.
std::string differences(const Snapshot& before, const Snapshot& after) {
    std::ostringstream out;
    for (const auto& [key, value] : before) {
        const auto it = after.find(key);
        if (it == after.end()) out << "gone:    " << key << "\n";
        else if (it->second != value) out << "changed: " << key << "\n";
    }
    for (const auto& [key, value] : after)
        if (before.count(key) == 0) out << "new:     " << key << "\n";
    return out.str();
}

std::string errors_of(const Result& result) {
    std::string text;
    for (const std::string& line : result.errors) text += line + "\n";
    return text;
}


struct LinkFacts {
    std::string target;
    std::string arguments;
    std::string description;
};

std::optional<LinkFacts> load_link(const std::string& path) {
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return std::nullopt;
    std::optional<LinkFacts> facts;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(length), L'\0');
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length);
        if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ))) {
            char target[MAX_PATH] = {};
            char arguments[1024] = {};
            char description[1024] = {};
            link->GetPath(target, sizeof target, nullptr, SLGP_RAWPATH);
            link->GetArguments(arguments, sizeof arguments);
            link->GetDescription(description, sizeof description);
            facts = LinkFacts{target, arguments, description};
        }
        file->Release();
    }
    link->Release();
    return facts;
}

// ---------------------------------------------------------------------------------------------

class DemoSeed : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(bins().empty()) << "demo binaries not found (SX_BUILD_DIR)"; }
    void TearDown() override {
        reset();
        reset_bulk();
    }
};

TEST_F(DemoSeed, SeedingTwiceGivesTheSameState) {
    const Result first = seed();
    ASSERT_TRUE(first.ok) << errors_of(first);
    const Snapshot once = take_snapshot();
    const Result second = seed();
    ASSERT_TRUE(second.ok) << errors_of(second);
    EXPECT_EQ(differences(once, take_snapshot()), "");
}

TEST_F(DemoSeed, ResetPutsBackWhatWasThere) {
    const Snapshot before = take_snapshot();
    const std::optional<Value> shell_before = value_of(Hive::machine, kWinlogonKey, "Shell");
    const Result seeded = seed();
    ASSERT_TRUE(seeded.ok) << errors_of(seeded);
    EXPECT_NE(differences(before, take_snapshot()), "");
    const Result undone = reset();
    EXPECT_TRUE(undone.ok) << errors_of(undone);
    EXPECT_EQ(differences(before, take_snapshot()), "");
    // The overwritten shell value comes back as it was, not merely deleted.
    const std::optional<Value> shell_after = value_of(Hive::machine, kWinlogonKey, "Shell");
    ASSERT_EQ(shell_before.has_value(), shell_after.has_value());
    if (shell_before) {
        EXPECT_EQ(text_of(*shell_before), text_of(*shell_after));
    }
    // Nothing left to undo.
    const Result again = reset();
    EXPECT_TRUE(again.ok);
    EXPECT_TRUE(again.log.empty());
}

TEST_F(DemoSeed, ResetKeepsWhatItDidNotMake) {
    const Result seeded = seed();
    ASSERT_TRUE(seeded.ok) << errors_of(seeded);
    // Something else puts a file into a folder the seeder made; reset leaves it and its folder.
    const std::string stranger = std::string(kDisabledFolder) + "\\stranger.txt";
    { std::ofstream(stranger) << "not the demo's"; }
    EXPECT_TRUE(reset().ok);
    EXPECT_TRUE(file_exists(stranger));
    EXPECT_FALSE(file_exists(std::string(kDisabledFolder) + "\\Adventure Works Clock.lnk"));
    DeleteFileA(stranger.c_str());
    RemoveDirectoryA(kDisabledFolder);
    RemoveDirectoryA(kProgramFolder);
}

TEST_F(DemoSeed, Wow6432RunKeyExistsOnlyWhileSeeded) {
    // Start from the prefix as it is without any demo state another test may have left.
    ASSERT_TRUE(reset().ok);
    const bool before = key_exists(Hive::machine, kWowRunKey);
    ASSERT_TRUE(seed().ok);
    EXPECT_TRUE(key_exists(Hive::machine, kWowRunKey));
    ASSERT_TRUE(reset().ok);
    EXPECT_EQ(key_exists(Hive::machine, kWowRunKey), before);
}

TEST_F(DemoSeed, EveryLocationHasAnEntry) {
    const Result seeded = seed();
    ASSERT_TRUE(seeded.ok) << errors_of(seeded);
    for (Hive hive : {Hive::machine, Hive::user})
        for (const char* key : kRunFamily)
            EXPECT_FALSE(values_of(hive, key).empty()) << root_name(hive) << "\\" << key;
    for (const char* key : kWowRunFamily) EXPECT_FALSE(values_of(Hive::machine, key).empty()) << key;

    for (const char* folder : {"<Startup>", "<CommonStartup>", kDisabledFolder}) {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((expand(folder) + "\\*.lnk").c_str(), &data);
        EXPECT_NE(find, INVALID_HANDLE_VALUE) << folder;
        if (find != INVALID_HANDLE_VALUE) FindClose(find);
    }

    char line[1024];
    for (const char* key : {"run", "load"}) {
        GetProfileStringA(kProfileSection, key, "", line, sizeof line);
        EXPECT_NE(std::strchr(line, ';'), nullptr) << key;
    }

    const std::optional<Value> userinit = value_of(Hive::machine, kWinlogonKey, "Userinit");
    ASSERT_TRUE(userinit);
    EXPECT_NE(text_of(*userinit).find(','), std::string::npos);
    const std::optional<Value> shell = value_of(Hive::machine, kWinlogonKey, "Shell");
    ASSERT_TRUE(shell);
    EXPECT_NE(text_of(*shell).find(' '), std::string::npos);

    int notify_dlls = 0;
    for (const std::string& sub : subkeys_of(Hive::machine, kNotifyKey)) {
        const std::optional<Value> dll = value_of(Hive::machine, std::string(kNotifyKey) + "\\" + sub, "DllName");
        if (dll && !text_of(*dll).empty()) ++notify_dlls;
    }
    EXPECT_GE(notify_dlls, 1);
    for (const char* key : {kDelayLoadKey, kSharedTaskSchedulerKey, kShellExecuteHooksKey})
        EXPECT_FALSE(values_of(Hive::machine, key).empty()) << key;

    // Three DLLs: split at "," and " ", empty items skipped.
    const std::optional<Value> appinit = value_of(Hive::machine, kWindowsKey, "AppInit_DLLs");
    ASSERT_TRUE(appinit);
    const std::string list = text_of(*appinit);
    EXPECT_EQ(list.find('<'), std::string::npos) << list;
    int items = 0;
    std::string item;
    for (char c : list + ",") {
        if (c == ',' || c == ' ') {
            if (!item.empty()) {
                ++items;
                EXPECT_TRUE(file_exists(item) || file_exists(expand("<System>\\" + item))) << item;
            }
            item.clear();
        } else {
            item += c;
        }
    }
    EXPECT_EQ(items, 3) << list;

    EXPECT_FALSE(values_of(Hive::machine, kDisabledKey).empty());
    EXPECT_FALSE(values_of(Hive::machine, kDelayKey).empty());
    EXPECT_FALSE(values_of(Hive::user, kDelayKey).empty());
    EXPECT_FALSE(values_of(Hive::user, kDetectedStartupKey).empty());
    EXPECT_FALSE(values_of(Hive::user, kDetectedActiveTasksKey).empty());
}

TEST_F(DemoSeed, ValuesReadBackAsTabled) {
    const Result seeded = seed();
    ASSERT_TRUE(seeded.ok) << errors_of(seeded);
    int checked = 0;
    auto check = [&](const RegValue& value) {
        const std::optional<Value> found = value_of(value.hive, value.key, value_name(value));
        ASSERT_TRUE(found) << value.key << " [" << value.name << "]";
        const std::string text = value_text(value);
        switch (value.kind) {
        case Data::text:
        case Data::text_unterminated:  // read back with a zero added
            EXPECT_EQ(found->type, static_cast<DWORD>(REG_SZ)) << value.name;
            EXPECT_EQ(text_of(*found), text) << value.name;
            break;
        case Data::expand_text:
            EXPECT_EQ(found->type, static_cast<DWORD>(REG_EXPAND_SZ)) << value.name;
            EXPECT_EQ(text_of(*found), text) << value.name;
            break;
        case Data::dword:
            EXPECT_EQ(found->type, static_cast<DWORD>(REG_DWORD)) << value.name;
            EXPECT_EQ(found->data.size(), sizeof(DWORD)) << value.name;
            break;
        case Data::binary_text:
            EXPECT_EQ(found->type, static_cast<DWORD>(REG_BINARY)) << value.name;
            EXPECT_EQ(found->data, text) << value.name;
            break;
        }
        if (value.length > 0) {
            EXPECT_EQ(text.size(), value.length) << value.name;
        }
        ++checked;
    };
    for (const RegValue& value : kRunValues) check(value);
    for (const RegValue& value : kSpecialValues) check(value);
    for (const RegValue& value : kDisabledValues) check(value);
    for (const RegValue& value : kDelayedValues) check(value);
    for (const RegValue& value : kDetectedValues) check(value);
    EXPECT_GT(checked, 100);

    // The long title and the name beginning with a byte of 128 or more arrive unchanged.
    bool long_title = false;
    bool high_byte = false;
    for (const Value& value : values_of(Hive::user, kRunKey)) {
        long_title = long_title || value.name.size() == 140;
        high_byte = high_byte || static_cast<unsigned char>(value.name[0]) >= 128;
    }
    EXPECT_TRUE(long_title);
    EXPECT_TRUE(high_byte);
}

TEST_F(DemoSeed, DuplicatePairIsConsecutiveAcrossRunAndRunOnce) {
    ASSERT_TRUE(seed().ok);
    const std::vector<Value> run = values_of(Hive::machine, kRunKey);
    const std::vector<Value> run_once = values_of(Hive::machine, kRunOnceKey);
    ASSERT_FALSE(run.empty());
    ASSERT_FALSE(run_once.empty());
    EXPECT_EQ(run.back().name, run_once.front().name);
    EXPECT_EQ(run.back().data, run_once.front().data);
    EXPECT_EQ(run.back().name, "Tailspin Launcher");
}

TEST_F(DemoSeed, ShortcutsResolveToTheirTargets) {
    ASSERT_TRUE(seed().ok);
    const win32::CoInit com;
    int links = 0;
    for (const DemoFile& file : kFiles) {
        if (file.kind != FileKind::shortcut) continue;
        const std::optional<LinkFacts> facts = load_link(expand(file.path));
        ASSERT_TRUE(facts) << file.path;
        EXPECT_STRCASEEQ(facts->target.c_str(), expand(file.source).c_str()) << file.path;
        EXPECT_EQ(facts->arguments, file.arguments) << file.path;
        EXPECT_EQ(facts->description, file.description) << file.path;
        ++links;
    }
    EXPECT_GE(links, 5);
    EXPECT_FALSE(load_link(expand("<Startup>\\Broken.lnk")));
    EXPECT_FALSE(file_exists(kMissingTargetPath));
}

TEST_F(DemoSeed, OptionsLeaveOutTheEdgeCases) {
    SeedOptions options;
    options.skipped_entries = false;
    options.bad_data = false;
    options.disabled_store = false;
    options.delayed_start = false;
    options.first_detected = false;
    const Result seeded = seed(options);
    ASSERT_TRUE(seeded.ok) << errors_of(seeded);
    EXPECT_FALSE(value_of(Hive::user, kRunKey, "A"));
    EXPECT_FALSE(value_of(Hive::user, kRunKey, "ContosoCounter"));
    EXPECT_FALSE(value_of(Hive::machine, kRunOnceKey, "Tailspin Launcher"));
    EXPECT_TRUE(value_of(Hive::user, kRunKey, "LitwareAgent"));
    EXPECT_FALSE(file_exists(expand("<Startup>\\Broken.lnk")));
    EXPECT_TRUE(file_exists(expand("<Startup>\\Fabrikam Tray.lnk")));
    EXPECT_FALSE(key_exists(Hive::machine, kDisabledKey));
    EXPECT_FALSE(key_exists(Hive::user, kDelayKey));
    EXPECT_FALSE(key_exists(Hive::user, kDetectedStartupKey));
}

TEST_F(DemoSeed, InstallsTheProgramWhenGiven) {
    SeedOptions options;
    options.program = bins() + "\\" + NWUPDATE_FILE;  // any file stands in for it here
    ASSERT_TRUE(seed(options).ok);
    EXPECT_EQ(read_file(kProgramFile), read_file(options.program));
    ASSERT_TRUE(reset().ok);
    EXPECT_FALSE(file_exists(kProgramFile));
}

TEST_F(DemoSeed, BulkEntriesComeAndGo) {
    Snapshot before;
    snap_key(Hive::user, kRunKey, before);
    snap_key(Hive::user, kOrvaneKey, before);
    snap_folder(kBulkTestFolder, before);
    const Result seeded = seed_bulk(kBulkCount, kBulkTestFolder);
    ASSERT_TRUE(seeded.ok) << errors_of(seeded);
    for (int i = 0; i < kBulkCount; ++i) {
        const std::string path = bulk_path(kBulkTestFolder, i);
        EXPECT_TRUE(file_exists(path)) << path;
        const std::optional<Value> run = value_of(Hive::user, kRunKey, bulk_name(i));
        ASSERT_TRUE(run) << bulk_name(i);
        EXPECT_EQ(text_of(*run), path);
        std::string upper = path;
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_TRUE(value_of(Hive::user, kDetectedStartupKey, upper)) << upper;
    }
    EXPECT_EQ(bulk_name(7), "Bulk0007");
    EXPECT_FALSE(value_of(Hive::user, kRunKey, bulk_name(kBulkCount)));
    EXPECT_FALSE(seed_bulk(-1).ok);
    ASSERT_TRUE(reset_bulk().ok);
    Snapshot after;
    snap_key(Hive::user, kRunKey, after);
    snap_key(Hive::user, kOrvaneKey, after);
    snap_folder(kBulkTestFolder, after);
    EXPECT_EQ(differences(before, after), "");
}

// ---------------------------------------------------------------------------------------------

class DemoBinaries : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(bins().empty()) << "demo binaries not found (SX_BUILD_DIR)"; }
};

struct VersionBlock {
    std::vector<char> data;
    std::optional<std::string> text(const std::string& block, const char* name) {
        char* found = nullptr;
        UINT length = 0;
        const std::string query = "\\StringFileInfo\\" + block + "\\" + name;
        if (!VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&found), &length) || !found)
            return std::nullopt;
        return std::string(found, length > 0 ? std::strlen(found) : 0);
    }
    std::vector<DWORD> translations() {
        DWORD* table = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&table), &length) ||
            !table)
            return {};
        return std::vector<DWORD>(table, table + length / sizeof(DWORD));
    }
};

std::optional<VersionBlock> version_of(const std::string& path) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0) return std::nullopt;
    VersionBlock block;
    block.data.resize(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data.data())) return std::nullopt;
    return block;
}

void expect_texts(VersionBlock& version, const std::string& block, const VersionTexts& texts,
                  const std::string& file) {
    const std::pair<const char*, const char*> names[] = {{"ProductName", texts.product},
                                                         {"ProductVersion", texts.version},
                                                         {"CompanyName", texts.company},
                                                         {"FileDescription", texts.description},
                                                         {"LegalCopyright", texts.copyright}};
    for (const auto& [name, expected] : names) {
        const std::optional<std::string> found = version.text(block, name);
        if (expected) {
            EXPECT_EQ(found.value_or("(absent)"), expected) << file << " " << block << " " << name;
        } else {
            EXPECT_FALSE(found) << file << " " << block << " " << name;
        }
    }
}

constexpr DWORD translation(WORD language, WORD code_page) {
    return static_cast<DWORD>(language) | (static_cast<DWORD>(code_page) << 16);
}

TEST_F(DemoBinaries, CarryTheirVersionTexts) {
    for (const DemoBinary& binary : kBinaries) {
        const std::string path = bins() + "\\" + binary.file;
        ASSERT_TRUE(file_exists(path)) << path;
        std::optional<VersionBlock> version = version_of(path);
        switch (binary.translations) {
        case Translations::none:
            EXPECT_FALSE(version) << binary.file;
            break;
        case Translations::one:
            ASSERT_TRUE(version) << binary.file;
            EXPECT_EQ(version->translations(), std::vector<DWORD>{translation(0x409, 1252)}) << binary.file;
            expect_texts(*version, "040904e4", binary.texts, binary.file);
            break;
        case Translations::two:
            ASSERT_TRUE(version) << binary.file;
            EXPECT_EQ(version->translations(),
                      (std::vector<DWORD>{translation(0x407, 1200), translation(0x409, 1200)}))
                << binary.file;
            expect_texts(*version, "040704b0", kContosoSyncGerman, binary.file);
            expect_texts(*version, "040904b0", binary.texts, binary.file);
            break;
        case Translations::empty:
            ASSERT_TRUE(version) << binary.file;
            EXPECT_TRUE(version->translations().empty()) << binary.file;
            // The texts are there, but only a reader that guesses the block finds them.
            expect_texts(*version, "040904e4", binary.texts, binary.file);
            break;
        }
    }
}

TEST_F(DemoBinaries, CoverTheTextEdgeCases) {
    bool copyright_sign = false;
    bool operating_system = false;
    bool microsoft = false;
    for (const DemoBinary& binary : kBinaries) {
        if (binary.translations == Translations::none) continue;
        copyright_sign = copyright_sign || std::strchr(binary.texts.copyright, '\xA9') != nullptr;
        operating_system = operating_system || (binary.program && std::strstr(binary.texts.product, "Operating System"));
        microsoft = microsoft || (!binary.program && std::strstr(binary.texts.copyright, "Microsoft"));
    }
    EXPECT_TRUE(copyright_sign);
    EXPECT_TRUE(operating_system);
    EXPECT_TRUE(microsoft);
    // The sign arrives as the single byte 0xA9 through the ANSI call.
    std::optional<VersionBlock> version = version_of(bins() + "\\" + NWUPDATE_FILE);
    ASSERT_TRUE(version);
    EXPECT_NE(version->text("040904e4", "LegalCopyright").value_or("").find('\xA9'), std::string::npos);
}

TEST_F(DemoBinaries, HaveIconsWhereGiven) {
    for (const DemoBinary& binary : kBinaries) {
        const std::string path = bins() + "\\" + binary.file;
        const UINT icons = ExtractIconExA(path.c_str(), -1, nullptr, nullptr, 0);
        EXPECT_EQ(icons > 0, binary.icon) << binary.file << " has " << icons << " icons";
    }
}

TEST_F(DemoBinaries, ProgramExitsAtOnceOrWaitsWhenAsked) {
    const std::string program = bins() + "\\" + NWUPDATE_FILE;
    auto start = [&](const std::string& arguments) {
        std::string line = "\"" + program + "\"" + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        EXPECT_TRUE(CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &info));
        CloseHandle(info.hThread);
        return info.hProcess;
    };

    HANDLE quick = start("");
    ASSERT_NE(quick, nullptr);
    EXPECT_EQ(WaitForSingleObject(quick, kExitTimeoutMs), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(quick, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(quick);

    HANDLE waiting = start(" -wait " + std::to_string(kWaitArgumentSeconds));
    ASSERT_NE(waiting, nullptr);
    EXPECT_EQ(WaitForSingleObject(waiting, kStillRunningCheckMs), static_cast<DWORD>(WAIT_TIMEOUT));
    TerminateProcess(waiting, 0);
    WaitForSingleObject(waiting, kExitTimeoutMs);
    CloseHandle(waiting);
}

TEST_F(DemoBinaries, LibrariesExportTheirEntryPoints) {
    for (const DemoBinary& binary : kBinaries) {
        if (binary.program) continue;
        const std::string path = bins() + "\\" + binary.file;
        HMODULE module = LoadLibraryExA(path.c_str(), nullptr, 0);
        ASSERT_NE(module, nullptr) << binary.file;
        EXPECT_NE(reinterpret_cast<void*>(GetProcAddress(module, "StartHelper")), nullptr) << binary.file;
        EXPECT_NE(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")), nullptr) << binary.file;
        FreeLibrary(module);
    }
}

}  // namespace
}  // namespace sx::demo
