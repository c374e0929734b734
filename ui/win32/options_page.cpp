#include "ui/win32/options_page.h"

#include "app/process_state.h"
#include "reports/output.h"
#include "res/resource_ids.h"
#include "startup/pages/history_dialog.h"
#include "ui/win32/help.h"
#include "ui/win32/list_view.h"
#include "ui/win32/scan_log.h"

namespace sx::ui {

namespace {

class OptionsPage : public Page {
public:
    using Page::Page;

private:
    void init() override {
        set_texts({{IDC_OPTIONS_DESCRIPTION, IDS_OPTIONS_DESCRIPTION},
                   {IDC_OPTIONS_GROUP, IDS_OPTIONS_GROUP},
                   {IDC_VIEW_HISTORY, IDS_VIEW_HISTORY},
                   {IDC_VIEW_HOSTS, IDS_VIEW_HOSTS},
                   {IDC_EXPORT_SETTINGS, IDS_EXPORT_SETTINGS},
                   {IDC_PROGRAM_REPORT, IDS_SENTRIX_LOG},
                   {IDC_HIJACK_LOG, IDS_HIJACK_LOG},
                   {IDC_SPREADSHEET_REPORT, IDS_SPREADSHEET_REPORT},
                   {IDC_ZENTRA_FORMAT, IDS_ALLOW_ZENTRA_COLLECTION}});
        // The monitor program's settings have no place in this program.
        for (int id : {IDC_OPT_LABEL_INTERVAL, IDC_OPT_LABEL_ALERTS, IDC_OPT_LABEL_TRAY, IDC_OPT_SOUND, IDC_OPT_HISTORY,
                       IDC_OPT_ALERTS, IDC_OPT_WATCH_HIDDEN, IDC_OPT_EXPLORER_MENU, IDC_OPT_HIDE_RUNONCE,
                       IDC_OPT_SEND_HISTORY, IDC_OPT_TRAY_ICON, IDC_RESTORE_ALL_DELAYED, IDC_DELAY_SETTINGS,
                       IDC_OPT_STATUS_ICON_1, IDC_OPT_STATUS_ICON_2, IDC_OPT_STATUS_ICON_3}) {
            ShowWindow(GetDlgItem(hwnd_, id), SW_HIDE);
        }
        app::initialise_process_state(frame_.app);
        destroy_image_list(frame_, 0);
        destroy_image_list(frame_, 1);
    }

    void fill() override {}

    void activated() override {
        CheckDlgButton(hwnd_, IDC_ZENTRA_FORMAT, frame_.app.settings.zentra_format ? BST_CHECKED : BST_UNCHECKED);
    }

    bool command(int id, int code) override {
        switch (id) {
            case IDOK: return true;
            case IDC_VIEW_HISTORY: show_history_dialog(frame_, hwnd_); return true;
            case IDC_VIEW_HOSTS: view_hosts_file(frame_); return true;
            case IDC_ZENTRA_FORMAT: {
                if (code != BN_CLICKED) return true;
                const bool checked = IsDlgButtonChecked(hwnd_, IDC_ZENTRA_FORMAT) == BST_CHECKED;
                frame_.app.settings.zentra_format = checked ? 1 : 0;
                if (checked) frame_.message(hwnd_, frame_.text(IDS_ZENTRA_THANKS), MB_ICONEXCLAMATION);
                return true;
            }
            case IDC_PROGRAM_REPORT:
            case IDC_HIJACK_LOG:
            case IDC_SPREADSHEET_REPORT: write_report(frame_, hwnd_, id); return true;
            case IDC_EXPORT_SETTINGS: reports::ExportSettings(frame_.app); return true;
            default: return false;
        }
    }

    std::vector<RowButton> bottom_row() const override { return {}; }
    SortList sort_list() const override { return SortList::history; }
};

}  // namespace

std::unique_ptr<Page> make_options_page(Frame& frame, const PageTraits& traits) {
    return std::make_unique<OptionsPage>(frame, traits);
}

}  // namespace sx::ui
