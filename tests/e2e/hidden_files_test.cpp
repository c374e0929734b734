// The Hidden Files page on the demo system: each hidden file of the walk listed column by column and
// none beside or below it; unhiding; deleting after the question; and restoring from the History
// dialog. A failed restore, which keeps the vault copy, is checked on the fakes (tests/native).
#include <regex>
#include <string>
#include <vector>

#include "e2e_support.h"
#include "tools/demo/demo_system.h"

namespace sx::e2e::test {
namespace {

constexpr int kUnhide = 1007, kHistoryRestore = 1104;
constexpr int kMenuDelete = 4;  // Info, Explore Program Folder, Open Program Properties, Refresh, Delete, ...
constexpr char kKnownKey[] = "Software\\Orvane\\Sentrix\\Hidden";

class HiddenFiles : public EndToEnd {};

// The row of the file at `path`: its name, and its folder ("C:\" for the root); -1 when none.
int row_of(const std::vector<Row>& rows, const std::string& path) {
    const size_t slash = path.rfind('\\');
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i][0] == path.substr(slash + 1) && rows[i][1] == path.substr(0, slash == 2 ? 3 : slash)) return int(i);
    }
    return -1;
}

TEST_F(HiddenFiles, ListsUnhidesDeletesAndRestoresFromTheHistory) {
    const std::string in_use = demo::expand(demo::kInUsePath), shared = demo::expand(demo::kSharedHiddenPath);
    const std::string win = demo::kWinHiddenPath;
    HANDLE held = CreateFileA(in_use.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_TRUE(write_text(HKEY_CURRENT_USER, kKnownKey, win, "01/02/2024  3:04 PM"));
    Session s = open("-HIDDEN");
    ASSERT_EQ(current_tab(s.sheet), kHiddenFilesTab);
    HWND list = list_of(s.sheet);
    EXPECT_EQ(column_titles(list), (std::vector<std::string>{"Module", "Path", "First Detected", "Last Written", "Type"}));
    std::vector<Row> rows = read_rows(list);
    const std::regex time(R"(\d\d/\d\d/\d{4} \d{1,2}:\d\d [AP]M)");
    for (const demo::HiddenFile& f : demo::kHiddenFiles) {
        const std::string path = demo::hidden_file_path(f);
        const int row = row_of(rows, path);
        ASSERT_EQ(row >= 0, f.listed) << path << "\n" << describe(rows);
        if (row < 0) continue;
        std::string detected;
        for (const demo::RegValue& v : demo::kDetectedValues) {
            const bool of_file = !lstrcmpiA(demo::value_name(v).c_str(), path.c_str());
            if (v.key == std::string(demo::kDetectedHiddenKey) && of_file) detected = v.data;
        }
        const Row& r = rows[size_t(row)];
        EXPECT_EQ(r[2], detected) << path;
        EXPECT_TRUE(path == in_use ? r[3] == "File in Use" : std::regex_match(r[3], time)) << path << ": " << r[3];
        EXPECT_EQ(r[4], f.attributes & demo::kSystem ? "SYSTEM" : "") << path;
    }
    CloseHandle(held);

    // Unhiding clears every attribute, read-only too, and asks nothing.
    ASSERT_TRUE(select_rows(list, {row_of(rows, shared)}) && click_button(active_page(s.sheet), kUnhide));
    EXPECT_EQ(GetFileAttributesA(shared.c_str()), DWORD{FILE_ATTRIBUTE_ARCHIVE});
    EXPECT_EQ(row_of(read_rows(list), shared), -1);
    EXPECT_EQ(other_dialog(s.process.id(), s.sheet), nullptr);

    // Deleting asks first; the file and its known value go, and the deletion is recorded.
    ASSERT_TRUE(use_context_menu(list, {row_of(read_rows(list), win)}, kMenuDelete));
    HWND box = wait_dialog(s.process.id(), kSheetCaption);
    EXPECT_NE(message_text(box).find("where you are sure this is a bad file"), std::string::npos) << message_text(box);
    ASSERT_TRUE(answer(box, IDYES));
    EXPECT_EQ(row_of(wait_rows(list, [&](const std::vector<Row>& now) { return row_of(now, win) < 0; }), win), -1);
    EXPECT_FALSE(file_exists(win) || read_text(HKEY_CURRENT_USER, kKnownKey, win));
    EXPECT_NE(read_file(kHistoryFile).find("\t*HIDDEN_DeleteFile\t"), std::string::npos) << read_file(kHistoryFile);

    // Undoing the deletion from the History dialog brings the vault copy back, hidden, and records it.
    const std::string record = "d\t*HIDDEN_DeleteFile\tTYPE_HIDDEN\tSx\t" + win + "\t\r\n";
    ASSERT_TRUE(write_file(kHistoryFile, record) && post_button(select_tab(s.sheet, kOptionsTab), kViewHistory));
    HWND dialog = wait_dialog(s.process.id(), kHistoryCaption, kListId);
    ASSERT_TRUE(select_rows(GetDlgItem(dialog, kListId), {0}) && click_button(dialog, kHistoryRestore));
    EXPECT_EQ(GetFileAttributesA(win.c_str()), DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE});
    EXPECT_FALSE(file_exists(demo::expand("<Vault>\\SxWinHidden.dat")));
    EXPECT_GT(read_text(HKEY_CURRENT_USER, kKnownKey, win).value_or("").size(), 11u) << "recorded with its date";
    ASSERT_TRUE(answer(dialog, IDOK));
    EXPECT_GE(row_of(read_rows(GetDlgItem(select_tab(s.sheet, kHiddenFilesTab), kListId)), win), 0) << "listed again";
    quit(s);
}

}  // namespace
}  // namespace sx::e2e::test
