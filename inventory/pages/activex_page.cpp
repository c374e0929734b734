#include "inventory/pages/activex_page.h"

#include "common/text.h"
#include "inventory/activex.h"
#include "programinfo/first_detected.h"
#include "res/resource_ids.h"
#include "startup/item_list.h"
#include "ui/win32/list_view.h"

namespace sx::ui {

namespace {

constexpr int kClsidColumn = 5;

class ActiveXPage : public Page {
public:
    using Page::Page;

private:
    void init() override {
        set_texts({{IDC_ACTIVEX_HEADER, IDS_ACTIVEX_HEADER},
                   {IDC_ACTIVEX_LIST_ALL, IDS_ACTIVEX_LIST_ALL},
                   {IDC_INFO, IDS_INFO},
                   {IDC_ENABLE, IDS_ENABLE},
                   {IDC_DISABLE, IDS_DISABLE},
                   {IDC_CLOSE, IDS_CLOSE},
                   {IDC_HIDE_MICROSOFT, IDS_HIDE_MICROSOFT_ACTIVEX}});
        if (!frame_.is_nt()) ShowWindow(GetDlgItem(hwnd_, IDC_CLOSE), SW_HIDE);
        const RuntimeSettings& s = frame_.app.settings;
        CheckDlgButton(hwnd_, IDC_HIDE_MICROSOFT, s.hide_microsoft_activex > 0 ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(hwnd_, IDC_ACTIVEX_LIST_ALL, s.activex_list_all > 0 ? BST_CHECKED : BST_UNCHECKED);
        SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        add_columns({IDS_COL_MODULE, IDS_COL_COMMAND, IDS_COL_COMPANY, IDS_COL_TYPE, IDS_COL_FIRST_DETECTED, IDS_CLSID});
        startup::ClearItems(frame_.app);
        frame_.sort.clear(6);
    }

    void fill() override {
        if (frame_.app.items.count() == 0) refill();
    }

    std::vector<RegistryKey> fill_keys() const override {
        return {{platform::Root::current_user, programinfo::category_key(code::activex)}};
    }

    std::vector<std::string> enumerate() override {
        AppState& app = frame_.app;
        if (app.settings.activex_list_all > 0) {
            inventory::ListAllActiveXControls(app);
        } else {
            inventory::ListBrowserActiveXControls(app, 0);
        }
        programinfo::DetectedTexts dates(app.os);
        const std::string enabled = frame_.text(IDS_ENABLED), disabled = frame_.text(IDS_START_DISABLED);
        std::vector<std::string> files;
        detected_.clear();
        state_.clear();
        for (const StartupEntry& e : app.items.entries()) {
            files.push_back(e.command);  // already the full program path
            detected_.push_back(dates.text(e.command, e.type));
            state_.push_back(inventory::IsActiveXEnabled(app, e.location) ? enabled : disabled);
        }
        return files;
    }

    void add_row(const FillJob::Row& r, int image) override {
        const StartupEntry* e = frame_.app.items.at(static_cast<size_t>(r.record));
        if (!e) return;
        if (matches(e->description, ".ico")) image = add_file_icon(frame_, e->description, 0, 0);
        const size_t record = static_cast<size_t>(r.record);
        const int row = append_item(list_, e->title, r.record, image);
        const std::string file(file_part(e->command));
        const std::string& company = r.facts->versions.CompanyName;
        const std::string clsid = inventory::ClsidText(*e);
        set_item(list_, row, 1, file);
        set_item(list_, row, 2, company);
        set_item(list_, row, 3, state_[record]);
        set_item(list_, row, 4, detected_[record]);
        set_item(list_, row, kClsidColumn, clsid);
        keys_[record].text = {e->title, file, company, state_[record], date_key(detected_[record]), clsid};
    }

    void fill_finished() override {
        initial_sort("SortActiveX");
        update_buttons();  // a refill leaves nothing selected
    }

    void activated() override { update_buttons(); }

    void selection_changed() override {
        const int record = selected_record();
        const StartupEntry* e = frame_.app.items.at(static_cast<size_t>(record));
        if (record >= 0 && e) {
            set_status(inventory::ClsidText(*e));
            mark_note(record);
        }
        update_buttons();
    }

    // "Enable" for a control that is switched off, "Disable" for one that is not; neither without a selection.
    void update_buttons() {
        const int record = selected_record();
        const StartupEntry* e = frame_.app.items.at(static_cast<size_t>(record));
        const bool shown = record >= 0 && e;
        const bool enabled = shown && inventory::IsActiveXEnabled(frame_.app, e->location);
        for (const auto& [id, show] : {std::pair{IDC_ENABLE, shown && !enabled}, std::pair{IDC_DISABLE, shown && enabled}}) {
            HWND button = GetDlgItem(hwnd_, id);
            ShowWindow(button, show ? SW_SHOW : SW_HIDE);
            EnableWindow(button, show);
        }
    }

    // The class id a list row stands for: that of the first record whose CLSID text is the row's.
    std::string class_id_of_row(int row) const {
        const std::string text = item_text(list_, row, kClsidColumn);
        for (const StartupEntry& e : frame_.app.items.entries()) {
            if (iequals(inventory::ClsidText(e), text)) return e.location;
        }
        const StartupEntry* e = frame_.app.items.at(static_cast<size_t>(row));
        return e ? e->location : std::string();
    }

    void switch_selected(bool enable) {
        const std::vector<int> rows = selected_items(list_);
        if (rows.empty()) {
            frame_.no_selection();
            return;
        }
        // The class ids first: the questions below must not depend on the list.
        std::vector<std::string> ids;
        for (int row : rows) ids.push_back(class_id_of_row(row));
        for (const std::string& id : ids) {
            if (id.empty()) continue;
            if (enable) {
                inventory::EnableActiveX(frame_.app, id);
            } else if (frame_.message(frame_.main, frame_.text(IDS_CONFIRM_DISABLE_ACTIVEX),
                                      MB_YESNO | MB_ICONEXCLAMATION) == IDYES) {
                inventory::DisableActiveX(frame_.app, id);
            }
        }
        refill();
    }

    bool toggled(int id, int& setting) {
        setting = IsDlgButtonChecked(hwnd_, id) == BST_CHECKED ? 1 : 0;
        refill();
        return true;
    }

    bool command(int id, int code) override {
        RuntimeSettings& s = frame_.app.settings;
        switch (id) {
            case IDM_ENABLE: switch_selected(true); return true;
            case IDM_DISABLE: switch_selected(false); return true;
            case IDM_REFRESH: refill(); return true;
            case IDM_DELETE_ON_REBOOT:
                delete_selected_on_reboot();
                refill();
                return true;
            case IDC_HIDE_MICROSOFT: return code == BN_CLICKED && toggled(id, s.hide_microsoft_activex);
            case IDC_ACTIVEX_LIST_ALL: return code == BN_CLICKED && toggled(id, s.activex_list_all);
            default: return false;
        }
    }

    std::vector<RowButton> bottom_row() const override {
        return {{IDC_INFO, 0}, {IDC_ENABLE, IDC_DISABLE}, {IDC_CLOSE, 0}};
    }

    std::vector<int> row_below_list() const override { return {IDC_ACTIVEX_LIST_ALL, IDC_HIDE_MICROSOFT}; }

    SortList sort_list() const override { return SortList::activex; }

    // Per record of the fill.
    std::vector<std::string> detected_;
    std::vector<std::string> state_;
};

}  // namespace

std::unique_ptr<Page> make_activex_page(Frame& frame, const PageTraits& traits) {
    return std::make_unique<ActiveXPage>(frame, traits);
}

}  // namespace sx::ui
