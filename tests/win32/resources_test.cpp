// The program's resources as Windows sees them, linked from res/app.rc into this test program: every
// string loads exactly as the generated table has it (so windres and the table generator agree on
// every escape), every dialog template creates with the controls the code addresses, and the icons,
// bitmaps, the wave and the version resource are there.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "res/resource_ids.h"
#include "res/string_table.h"

namespace sx {
namespace {

HINSTANCE self() { return GetModuleHandleA(nullptr); }

TEST(Resources, EveryStringLoadsByteForByteAsTheTableHasIt) {
    std::vector<char> buffer(8192);
    for (const res::StringEntry& entry : res::string_table()) {
        SCOPED_TRACE(entry.id);
        const int length = LoadStringA(self(), entry.id, buffer.data(), static_cast<int>(buffer.size()));
        ASSERT_GT(length, 0);
        EXPECT_EQ(std::string_view(buffer.data(), static_cast<size_t>(length)), entry.text);
    }
}

TEST(Resources, HoldsNoStringOutsideTheTable) {
    std::vector<char> buffer(8192);
    size_t loaded = 0;
    for (unsigned id = 0; id <= 0xFFFF; ++id) {
        if (LoadStringA(self(), id, buffer.data(), static_cast<int>(buffer.size())) > 0) {
            ++loaded;
            EXPECT_TRUE(res::find_string(id).has_value()) << "string resource " << id << " is not in the table";
        }
    }
    EXPECT_EQ(loaded, res::string_table().size());
}

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Creates a template (pages as children of a hidden host window) and closes it again.
class Dialog {
public:
    explicit Dialog(int id, bool page) {
        if (page) {
            host_ = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, self(), nullptr);
        }
        window_ = CreateDialogParamA(self(), MAKEINTRESOURCEA(id), host_, QuietDialog, 0);
    }
    ~Dialog() {
        if (window_) DestroyWindow(window_);
        if (host_) DestroyWindow(host_);
    }
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    HWND window() const { return window_; }

    std::string class_of(int control) const {
        std::array<char, 64> name{};
        GetClassNameA(GetDlgItem(window_, control), name.data(), static_cast<int>(name.size()));
        return name.data();
    }
    LONG_PTR style_of(int control) const { return GetWindowLongPtrA(GetDlgItem(window_, control), GWL_STYLE); }

private:
    HWND host_ = nullptr;
    HWND window_ = nullptr;
};

void expect_controls(const Dialog& dialog, std::initializer_list<int> controls) {
    for (int control : controls) {
        EXPECT_NE(GetDlgItem(dialog.window(), control), nullptr) << "control " << control;
    }
}

// The list, the help icon with its picture and the page picture every list page shares.
void expect_list_page(const Dialog& dialog) {
    expect_controls(dialog, {IDC_LIST, IDC_HELP_ICON, IDC_HELP_LABEL, IDC_STATUS_ICON, IDC_STATUS_LABEL,
                             IDC_PAGE_PICTURE, IDC_INFO, IDC_CLOSE});
    EXPECT_EQ(dialog.class_of(IDC_LIST), WC_LISTVIEWA);
    EXPECT_EQ(dialog.style_of(IDC_LIST) & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_NE(dialog.style_of(IDC_LIST) & LVS_SHOWSELALWAYS, 0);
    EXPECT_EQ(dialog.style_of(IDC_HELP_ICON) & SS_TYPEMASK, SS_BITMAP);
    // Mouse messages over the help icon must reach the page, which draws its pressed and hover states.
    EXPECT_EQ(dialog.style_of(IDC_HELP_ICON) & SS_NOTIFY, 0);
    EXPECT_NE(SendDlgItemMessageA(dialog.window(), IDC_HELP_ICON, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    EXPECT_NE(SendDlgItemMessageA(dialog.window(), IDC_PAGE_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    EXPECT_EQ(dialog.style_of(IDC_STATUS_ICON) & WS_VISIBLE, 0);  // the page hides it on every activation
}

class DialogTemplates : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{static_cast<DWORD>(sizeof(controls)), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
    }
};

TEST_F(DialogTemplates, StartupProgramsPage) {
    Dialog page(IDD_STARTUP, true);
    ASSERT_NE(page.window(), nullptr);
    expect_list_page(page);
    expect_controls(page, {IDC_PAGE_HEADER, IDC_SHOW_ALL_STARTUP, IDC_ENABLE, IDC_DISABLE, IDC_ADD, IDC_REMOVE});
    EXPECT_EQ(page.style_of(IDC_SHOW_ALL_STARTUP) & BS_TYPEMASK, BS_AUTOCHECKBOX);
    EXPECT_NE(GetWindowLongPtrA(page.window(), GWL_STYLE) & WS_CHILD, 0);
}

TEST_F(DialogTemplates, ActiveTasksPage) {
    Dialog page(IDD_ACTIVE_TASKS, true);
    ASSERT_NE(page.window(), nullptr);
    expect_list_page(page);
    expect_controls(page, {IDC_TASKS_HEADER, IDC_TASKS_HINT, IDC_REFRESH, IDC_KILL_TASK});
}

TEST_F(DialogTemplates, ServicesPage) {
    Dialog page(IDD_SERVICES, true);
    ASSERT_NE(page.window(), nullptr);
    expect_list_page(page);
    expect_controls(page, {IDC_PAGE_HEADER, IDC_SERVICES_HINT, IDC_HIDE_MICROSOFT});
}

TEST_F(DialogTemplates, ScheduledTasksAndIeHelpersPages) {
    Dialog tasks(IDD_SCHEDULED_TASKS, true);
    ASSERT_NE(tasks.window(), nullptr);
    expect_list_page(tasks);
    expect_controls(tasks, {IDC_SCHEDULED_HEADER, IDC_SCHEDULED_HINT, IDC_REMOVE});
    Dialog helpers(IDD_IE_HELPERS, true);
    ASSERT_NE(helpers.window(), nullptr);
    expect_list_page(helpers);
    expect_controls(helpers, {IDC_IE_HELPERS_HEADER, IDC_IE_HELPERS_HINT, IDC_REMOVE});
}

TEST_F(DialogTemplates, HiddenFilesAndActiveXPages) {
    Dialog hidden(IDD_HIDDEN_FILES, true);
    ASSERT_NE(hidden.window(), nullptr);
    expect_list_page(hidden);
    expect_controls(hidden, {IDC_HIDDEN_HEADER, IDC_HIDDEN_HINT, IDC_REFRESH, IDC_UNHIDE});
    Dialog activex(IDD_ACTIVEX, true);
    ASSERT_NE(activex.window(), nullptr);
    expect_list_page(activex);
    expect_controls(activex, {IDC_ACTIVEX_HEADER, IDC_ACTIVEX_LIST_ALL, IDC_HIDE_MICROSOFT, IDC_ENABLE, IDC_DISABLE});
}

TEST_F(DialogTemplates, OptionsPageShowsOnlyItsLaunchPad) {
    Dialog page(IDD_OPTIONS, true);
    ASSERT_NE(page.window(), nullptr);
    expect_controls(page, {IDC_OPTIONS_DESCRIPTION, IDC_OPTIONS_GROUP, IDC_VIEW_HISTORY, IDC_VIEW_HOSTS,
                           IDC_EXPORT_SETTINGS, IDC_PROGRAM_REPORT, IDC_HIJACK_LOG, IDC_SPREADSHEET_REPORT,
                           IDC_ZENTRA_FORMAT, IDC_HELP_ICON, IDC_PAGE_PICTURE});
    for (int hidden : {IDC_OPT_LABEL_INTERVAL, IDC_OPT_LABEL_ALERTS, IDC_OPT_LABEL_TRAY, IDC_OPT_SOUND,
                       IDC_OPT_HISTORY, IDC_OPT_ALERTS, IDC_OPT_WATCH_HIDDEN, IDC_OPT_EXPLORER_MENU,
                       IDC_OPT_HIDE_RUNONCE, IDC_OPT_SEND_HISTORY, IDC_OPT_TRAY_ICON, IDC_RESTORE_ALL_DELAYED,
                       IDC_DELAY_SETTINGS, IDC_OPT_STATUS_ICON_1, IDC_OPT_STATUS_ICON_2, IDC_OPT_STATUS_ICON_3}) {
        EXPECT_NE(GetDlgItem(page.window(), hidden), nullptr) << "control " << hidden;
        EXPECT_EQ(page.style_of(hidden) & WS_VISIBLE, 0) << "control " << hidden;
    }
}

TEST_F(DialogTemplates, InformationDialog) {
    Dialog info(IDD_INFO, false);
    ASSERT_NE(info.window(), nullptr);
    expect_controls(info, {IDOK, IDC_INFO_KILL, IDC_INFO_RUN, IDC_INFO_EXPAND, IDC_INFO_APPLY, IDC_INFO_PRODUCT,
                           IDC_INFO_STATUS, IDC_INFO_CREATED, IDC_INFO_WRITTEN, IDC_INFO_FIRST_DETECTED,
                           IDC_INFO_PATH, IDC_INFO_VERSION, IDC_INFO_COMPANY, IDC_INFO_DESCRIPTION,
                           IDC_INFO_COPYRIGHT, IDC_INFO_NOTE, IDC_INFO_LOCATION, IDC_INFO_MORE, IDC_INFO_NOTE_BUTTON,
                           IDC_INFO_PREVIOUS, IDC_INFO_NEXT, IDC_INFO_ICON, IDC_INFO_START_TYPE, IDC_INFO_SIZE,
                           IDC_INFO_LABEL_COMPANY, IDC_INFO_LABEL_VERSION, IDC_INFO_LABEL_COPYRIGHT,
                           IDC_INFO_LABEL_CREATED, IDC_INFO_LABEL_SAVED, IDC_INFO_LABEL_SIZE,
                           IDC_INFO_LABEL_DETECTED, IDC_INFO_LABEL_STATUS, IDC_INFO_LABEL_START_TYPE});
    EXPECT_EQ(info.class_of(IDC_INFO_NOTE), "Edit");
    EXPECT_NE(info.style_of(IDC_INFO_NOTE) & ES_MULTILINE, 0);
    EXPECT_EQ(info.class_of(IDC_INFO_START_TYPE), "ComboBox");
}

TEST_F(DialogTemplates, SmallDialogs) {
    Dialog viewer(IDD_RESTART_COMMANDS, false);
    ASSERT_NE(viewer.window(), nullptr);
    expect_controls(viewer, {IDC_RESTART_TEXT, IDC_RESTART_DELETE, IDOK, IDCANCEL, IDC_RESTART_LEGEND});
    EXPECT_EQ(viewer.class_of(IDC_RESTART_TEXT), "Edit");
    EXPECT_NE(viewer.style_of(IDC_RESTART_TEXT) & ES_READONLY, 0);
    EXPECT_NE(viewer.style_of(IDC_RESTART_TEXT) & ES_MULTILINE, 0);

    Dialog history(IDD_HISTORY, false);
    ASSERT_NE(history.window(), nullptr);
    expect_controls(history, {IDC_HISTORY_EXPLANATION, IDC_LIST, IDC_HISTORY_RESTORE, IDC_HISTORY_CLEAR, IDOK});
    EXPECT_EQ(history.class_of(IDC_LIST), WC_LISTVIEWA);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(history.window(), IDC_HISTORY_RESTORE)));

    Dialog error(IDD_ERROR, false);
    ASSERT_NE(error.window(), nullptr);
    expect_controls(error, {IDC_ERROR_TEXT, IDOK, IDCANCEL});

    Dialog warning(IDD_SPECIAL_WARNING, false);
    ASSERT_NE(warning.window(), nullptr);
    expect_controls(warning, {IDC_WARN_COMMAND, IDC_WARN_TEXT, IDC_WARN_FILE, IDC_WARN_CONFIRM, IDOK});
    EXPECT_EQ(GetDlgItem(warning.window(), IDCANCEL), nullptr);
}

SIZE bitmap_size(HANDLE image) {
    BITMAP info{};
    GetObjectA(image, sizeof(info), &info);
    return {info.bmWidth, info.bmHeight};
}

SIZE icon_size(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {0, 0};
    SIZE size = bitmap_size(info.hbmColor);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return size;
}

TEST(Resources, IconsHoldTheSmallAndLargeSizes) {
    for (int id : {IDI_APP, IDI_PROGRAM_FILE, IDI_TAB_STARTUP, IDI_TAB_ACTIVEX, IDI_TAB_IE_HELPERS,
                   IDI_TAB_SCHEDULED_TASKS, IDI_TAB_SERVICES, IDI_TAB_ACTIVE_TASKS, IDI_TAB_HIDDEN_FILES,
                   IDI_TAB_OPTIONS}) {
        SCOPED_TRACE(id);
        for (int size : {16, 32}) {
            // The directory must hold this size itself, not only one that would be stretched to it.
            HRSRC group = FindResourceA(self(), MAKEINTRESOURCEA(id), RT_GROUP_ICON);
            ASSERT_NE(group, nullptr);
            auto* directory = static_cast<BYTE*>(LockResource(LoadResource(self(), group)));
            const int entry = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
            HRSRC image = FindResourceA(self(), MAKEINTRESOURCEA(entry), RT_ICON);
            ASSERT_NE(image, nullptr);
            const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(self(), image)));
            EXPECT_EQ(header->biWidth, size);
            EXPECT_EQ(header->biBitCount, 32);

            HICON icon = static_cast<HICON>(LoadImageA(self(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
            ASSERT_NE(icon, nullptr);
            EXPECT_EQ(icon_size(icon).cx, size);
            DestroyIcon(icon);
        }
    }
    HICON large = static_cast<HICON>(LoadImageA(self(), MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON, 48, 48, 0));
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(icon_size(large).cx, 48);
    DestroyIcon(large);
}

TEST(Resources, BitmapsOfTheImageControlsLoad) {
    struct Expected {
        int id;
        LONG size;
    };
    for (Expected bitmap : {Expected{IDB_HELP_NORMAL, 24}, Expected{IDB_HELP_PRESSED, 24}, Expected{IDB_HELP_HOVER, 24},
                            Expected{IDB_MONITOR_ON, 24}, Expected{IDB_MONITOR_OFF, 24},
                            Expected{IDB_MONITOR_WARNING, 24}, Expected{IDB_MONITOR_UNKNOWN, 24},
                            Expected{IDB_PAGE_STARTUP, 48}, Expected{IDB_PAGE_ACTIVEX, 48},
                            Expected{IDB_PAGE_IE_HELPERS, 48}, Expected{IDB_PAGE_SCHEDULED_TASKS, 48},
                            Expected{IDB_PAGE_SERVICES, 48}, Expected{IDB_PAGE_ACTIVE_TASKS, 48},
                            Expected{IDB_PAGE_HIDDEN_FILES, 48}, Expected{IDB_PAGE_OPTIONS, 48}}) {
        SCOPED_TRACE(bitmap.id);
        HANDLE image = LoadImageA(self(), MAKEINTRESOURCEA(bitmap.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
        ASSERT_NE(image, nullptr);
        const SIZE size = bitmap_size(image);
        EXPECT_EQ(size.cx, bitmap.size);
        EXPECT_EQ(size.cy, bitmap.size);
        DeleteObject(image);
    }
}

TEST(Resources, OpenChimeIsAPcmWave) {
    HRSRC wave = FindResourceA(self(), MAKEINTRESOURCEA(IDW_OPEN), "WAVE");
    ASSERT_NE(wave, nullptr);
    const DWORD size = SizeofResource(self(), wave);
    ASSERT_GT(size, 44u);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(self(), wave)));
    EXPECT_EQ(std::string_view(bytes, 4), "RIFF");
    EXPECT_EQ(std::string_view(bytes + 8, 8), "WAVEfmt ");
}

std::string version_value(const std::vector<char>& block, const char* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904e4\\") + name;
    if (!VerQueryValueA(block.data(), path.c_str(), &value, &length) || length == 0) return {};
    return static_cast<const char*>(value);
}

TEST(Resources, VersionResourceNamesTheProduct) {
    std::array<char, MAX_PATH> file{};
    ASSERT_GT(GetModuleFileNameA(nullptr, file.data(), MAX_PATH), 0u);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(file.data(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(file.data(), 0, size, block.data()));

    EXPECT_EQ(version_value(block, "ProductVersion"), "1.0.0");
    EXPECT_EQ(version_value(block, "FileVersion"), "1.0.0.0");
    EXPECT_EQ(version_value(block, "ProductName"), "Sentrix Explorer");
    EXPECT_EQ(version_value(block, "CompanyName"), "Orvane");
    EXPECT_EQ(version_value(block, "OriginalFilename"), "SentrixEx.exe");
    EXPECT_EQ(version_value(block, "LegalCopyright"), "Copyright (C) 2026 Orvane");

    void* translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &translation, &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(static_cast<const WORD*>(translation)[0], 0x409);
    EXPECT_EQ(static_cast<const WORD*>(translation)[1], 1252);

    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
}

}  // namespace
}  // namespace sx
