// The program's resources as Windows sees them, linked from res/app.rc into this test program: every
// string loads exactly as the generated table has it (so windres and the table generator agree on
// every escape), every dialog template the program shows creates with the controls the code addresses,
// the pictures and the sound it loads are there in their sizes, and so is the version resource.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "res/resource_ids.h"
#include "res/string_table.h"

namespace sx {
namespace {

HINSTANCE self() { return GetModuleHandleA(nullptr); }

TEST(Resources, EveryStringLoadsByteForByteAsTheTableHasItAndNoOtherIsThere) {
    std::vector<char> buffer(8192);
    size_t loaded = 0;
    for (unsigned id = 0; id <= 0xFFFF; ++id) {
        const int length = LoadStringA(self(), id, buffer.data(), static_cast<int>(buffer.size()));
        if (length <= 0) continue;
        ++loaded;
        EXPECT_EQ(std::string_view(buffer.data(), length), res::find_string(id).value_or("(none)")) << "string " << id;
    }
    EXPECT_EQ(loaded, res::string_table().size());
}

// A control the code addresses: its window class (empty: any; a named static is a picture the template
// fills) and the bits of `mask` in its style.
struct Control {
    int id;
    std::string cls = "";
    LONG_PTR mask = 0, bits = 0;
};

// Every list page has the report list; the help icon, whose mouse messages must reach the page, which
// draws its pressed and hover states; the status icon, which the page shows itself; its picture.
std::vector<Control> list_page(std::vector<Control> controls) {
    controls.insert(controls.end(), {{IDC_LIST, WC_LISTVIEWA, LVS_TYPEMASK | LVS_SHOWSELALWAYS, LVS_REPORT | LVS_SHOWSELALWAYS},
                                     {IDC_HELP_ICON, "Static", SS_TYPEMASK | SS_NOTIFY, SS_BITMAP},
                                     {IDC_STATUS_ICON, "", WS_VISIBLE, 0}, {IDC_PAGE_PICTURE, "Static", SS_TYPEMASK, SS_BITMAP},
                                     {IDC_HELP_LABEL}, {IDC_STATUS_LABEL}, {IDC_INFO}, {IDC_CLOSE}});
    return controls;
}

// The Options page shows only its launch pad and never the option controls it keeps.
std::vector<Control> options_page() {
    std::vector<Control> controls;
    for (int id : {IDC_OPTIONS_DESCRIPTION, IDC_OPTIONS_GROUP, IDC_VIEW_HISTORY, IDC_VIEW_HOSTS, IDC_EXPORT_SETTINGS,
                   IDC_PROGRAM_REPORT, IDC_HIJACK_LOG, IDC_SPREADSHEET_REPORT, IDC_ZENTRA_FORMAT})
        controls.push_back({id, "", WS_VISIBLE, WS_VISIBLE});
    for (int id : {IDC_OPT_LABEL_INTERVAL, IDC_OPT_LABEL_ALERTS, IDC_OPT_LABEL_TRAY, IDC_OPT_SOUND, IDC_OPT_HISTORY,
                   IDC_OPT_ALERTS, IDC_OPT_WATCH_HIDDEN, IDC_OPT_EXPLORER_MENU, IDC_OPT_HIDE_RUNONCE, IDC_OPT_SEND_HISTORY,
                   IDC_OPT_TRAY_ICON, IDC_RESTORE_ALL_DELAYED, IDC_DELAY_SETTINGS, IDC_OPT_STATUS_ICON_1,
                   IDC_OPT_STATUS_ICON_2, IDC_OPT_STATUS_ICON_3})
        controls.push_back({id, "", WS_VISIBLE, 0});
    return controls;
}

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST(Resources, DialogTemplatesCreateWithTheControlsTheCodeAddresses) {
    INITCOMMONCONTROLSEX common{static_cast<DWORD>(sizeof(common)), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&common);
    const std::tuple<int, bool, std::vector<Control>> kTemplates[] = {  // id, a page of the sheet, controls
        {IDD_STARTUP, true, list_page({{IDC_PAGE_HEADER}, {IDC_ENABLE}, {IDC_DISABLE}, {IDC_ADD}, {IDC_REMOVE},
                                       {IDC_SHOW_ALL_STARTUP, "Button", BS_TYPEMASK, BS_AUTOCHECKBOX}})},
        {IDD_ACTIVEX, true, list_page({{IDC_ACTIVEX_HEADER}, {IDC_ENABLE, "", WS_VISIBLE, 0}, {IDC_DISABLE, "", WS_VISIBLE, 0},
                                       {IDC_HIDE_MICROSOFT, "Button", BS_TYPEMASK, BS_AUTOCHECKBOX},
                                       {IDC_ACTIVEX_LIST_ALL, "Button", BS_TYPEMASK, BS_AUTOCHECKBOX}})},
        {IDD_IE_HELPERS, true, list_page({{IDC_IE_HELPERS_HEADER}, {IDC_IE_HELPERS_HINT}, {IDC_REMOVE}})},
        {IDD_SCHEDULED_TASKS, true, list_page({{IDC_SCHEDULED_HEADER}, {IDC_SCHEDULED_HINT}, {IDC_REMOVE}})},
        {IDD_SERVICES, true, list_page({{IDC_PAGE_HEADER}, {IDC_SERVICES_HINT},
                                        {IDC_HIDE_MICROSOFT, "Button", BS_TYPEMASK, BS_AUTOCHECKBOX}})},
        {IDD_ACTIVE_TASKS, true, list_page({{IDC_TASKS_HEADER}, {IDC_TASKS_HINT}, {IDC_REFRESH}, {IDC_KILL_TASK}})},
        {IDD_HIDDEN_FILES, true, list_page({{IDC_HIDDEN_HEADER}, {IDC_HIDDEN_HINT}, {IDC_REFRESH}, {IDC_UNHIDE}})},
        {IDD_OPTIONS, true, options_page()},
        {IDD_RESTART_COMMANDS, false, {{IDC_RESTART_DELETE}, {IDOK}, {IDCANCEL}, {IDC_RESTART_LEGEND},
                                       {IDC_RESTART_TEXT, "Edit", ES_READONLY | ES_MULTILINE, ES_READONLY | ES_MULTILINE}}},
        {IDD_HISTORY, false, {{IDC_HISTORY_EXPLANATION}, {IDC_HISTORY_CLEAR}, {IDOK}, {IDC_LIST, WC_LISTVIEWA},
                              {IDC_HISTORY_RESTORE, "", WS_DISABLED, WS_DISABLED}}},
        {IDD_ERROR, false, {{IDC_ERROR_TEXT}, {IDOK}, {IDCANCEL}}},
        {IDD_SPECIAL_WARNING, false, {{IDC_WARN_COMMAND}, {IDC_WARN_TEXT}, {IDC_WARN_FILE}, {IDC_WARN_CONFIRM}, {IDOK}}},
    };
    for (const auto& [id, page, controls] : kTemplates) {
        SCOPED_TRACE(testing::Message() << "dialog " << id);
        // Pages are made as children of a hidden host window, as the sheet makes them.
        HWND host = page ? CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, self(), nullptr)
                         : nullptr;
        HWND dialog = CreateDialogParamA(self(), MAKEINTRESOURCEA(id), host, QuietDialog, 0);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ((GetWindowLongPtrA(dialog, GWL_STYLE) & WS_CHILD) != 0, page);
        for (const Control& c : controls) {
            HWND control = GetDlgItem(dialog, c.id);
            ASSERT_NE(control, nullptr) << "control " << c.id;
            std::array<char, 64> cls{};
            GetClassNameA(control, cls.data(), static_cast<int>(cls.size()));
            EXPECT_EQ(c.cls.empty() ? "" : std::string(cls.data()), c.cls) << "control " << c.id;
            EXPECT_EQ(GetWindowLongPtrA(control, GWL_STYLE) & c.mask, c.bits) << "control " << c.id;
            EXPECT_TRUE(c.cls != "Static" || SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0)) << c.id;
        }
        DestroyWindow(dialog);
        if (host) DestroyWindow(host);
    }
}

// The icons the code loads hold each size it loads them at as a 32-bit image of their own, so none is
// stretched from another; the bitmaps have the sizes of the controls that show them; the chime is a wave.
TEST(Resources, PicturesAndTheChimeAreThereInTheirSizes) {
    for (const auto& [id, size] : {std::pair{IDI_APP, 16}, {IDI_APP, 32}, {IDI_PROGRAM_FILE, 16}, {IDI_TAB_STARTUP, 16},
                                   {IDI_TAB_ACTIVEX, 16}, {IDI_TAB_IE_HELPERS, 16}, {IDI_TAB_SCHEDULED_TASKS, 16},
                                   {IDI_TAB_SERVICES, 16}, {IDI_TAB_ACTIVE_TASKS, 16}, {IDI_TAB_HIDDEN_FILES, 16},
                                   {IDI_TAB_OPTIONS, 16}}) {
        HRSRC group = FindResourceA(self(), MAKEINTRESOURCEA(id), RT_GROUP_ICON);
        ASSERT_NE(group, nullptr) << "icon " << id;
        auto* directory = static_cast<BYTE*>(LockResource(LoadResource(self(), group)));
        const int entry = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
        HRSRC image = FindResourceA(self(), MAKEINTRESOURCEA(entry), RT_ICON);
        ASSERT_NE(image, nullptr) << "icon " << id << " at " << size;
        const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(self(), image)));
        EXPECT_EQ(std::to_string(header->biWidth) + "/" + std::to_string(header->biBitCount),
                  std::to_string(size) + "/32") << "icon " << id << " at " << size;
    }
    for (const auto& [id, size] : {std::pair{IDB_HELP_NORMAL, 24}, {IDB_HELP_PRESSED, 24}, {IDB_HELP_HOVER, 24},
                                   {IDB_MONITOR_ON, 24}, {IDB_MONITOR_OFF, 24}, {IDB_MONITOR_WARNING, 24},
                                   {IDB_MONITOR_UNKNOWN, 24}, {IDB_PAGE_STARTUP, 48}, {IDB_PAGE_ACTIVEX, 48},
                                   {IDB_PAGE_IE_HELPERS, 48}, {IDB_PAGE_SCHEDULED_TASKS, 48}, {IDB_PAGE_SERVICES, 48},
                                   {IDB_PAGE_ACTIVE_TASKS, 48}, {IDB_PAGE_HIDDEN_FILES, 48}, {IDB_PAGE_OPTIONS, 48}}) {
        HANDLE image = LoadImageA(self(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
        BITMAP info{};
        ASSERT_TRUE(image && GetObjectA(image, sizeof(info), &info)) << "bitmap " << id;
        EXPECT_EQ(std::to_string(info.bmWidth) + "x" + std::to_string(info.bmHeight),
                  std::to_string(size) + "x" + std::to_string(size)) << "bitmap " << id;
        DeleteObject(image);
    }
    HRSRC wave = FindResourceA(self(), MAKEINTRESOURCEA(IDW_OPEN), "WAVE");
    ASSERT_TRUE(wave && SizeofResource(self(), wave) > 44);
    const std::string_view bytes(static_cast<const char*>(LockResource(LoadResource(self(), wave))), 16);
    EXPECT_EQ(std::string(bytes.substr(0, 4)) + std::string(bytes.substr(8)), "RIFFWAVEfmt ");
}

// The texts sit in the block the translation table names, where the system's readers look.
TEST(Resources, VersionResourceNamesTheProduct) {
    std::array<char, MAX_PATH> file{};
    ASSERT_GT(GetModuleFileNameA(nullptr, file.data(), MAX_PATH), 0u);
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeA(file.data(), &ignored));
    ASSERT_TRUE(!block.empty() && GetFileVersionInfoA(file.data(), 0, static_cast<DWORD>(block.size()), block.data()));
    UINT length = 0;
    DWORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    EXPECT_EQ(std::vector<DWORD>(translation, translation + length / 4), std::vector<DWORD>{MAKELONG(0x409, 1252)});
    for (const auto& [name, text] : {std::pair{"ProductVersion", "1.0.0"}, {"FileVersion", "1.0.0.0"},
                                     {"ProductName", "Sentrix Explorer"}, {"CompanyName", "Orvane"},
                                     {"OriginalFilename", "SentrixEx.exe"}, {"LegalCopyright", "Copyright (C) 2026 Orvane"}}) {
        char* value = nullptr;
        const std::string path = std::string("\\StringFileInfo\\040904e4\\") + name;
        EXPECT_TRUE(VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) << name;
        EXPECT_STREQ(value ? value : "", text) << name;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ((std::pair(fixed->dwProductVersionMS, fixed->dwProductVersionLS)), (std::pair<DWORD, DWORD>(0x10000, 0)));
}

}  // namespace
}  // namespace sx
