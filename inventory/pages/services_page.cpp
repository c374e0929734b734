#include "inventory/pages/services_page.h"

#include <vector>

#include "common/text.h"
#include "inventory/services.h"
#include "programinfo/first_detected.h"
#include "programinfo/resolve.h"
#include "res/resource_ids.h"
#include "startup/item_list.h"
#include "ui/win32/list_view.h"

namespace sx::ui {

namespace {

constexpr int kTypeHosted = 701;

class ServicesPage : public Page {
public:
    using Page::Page;

private:
    void init() override {
        set_texts({{IDC_PAGE_HEADER, IDS_SERVICES_HEADER},
                   {IDC_SERVICES_HINT, IDS_SERVICES_HINT},
                   {IDC_INFO, IDS_INFO},
                   {IDC_CLOSE, IDS_CLOSE},
                   {IDC_HIDE_MICROSOFT, IDS_HIDE_MICROSOFT_SERVICES}});
        CheckDlgButton(hwnd_, IDC_HIDE_MICROSOFT,
                       frame_.app.settings.hide_microsoft_services > 0 ? BST_CHECKED : BST_UNCHECKED);
        if (!frame_.is_nt()) ShowWindow(GetDlgItem(hwnd_, IDC_CLOSE), SW_HIDE);
        SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        add_columns({IDS_COL_TITLE, IDS_COL_COMMAND, IDS_COL_COMPANY, IDS_COL_STATUS, IDS_COL_STARTUP,
                     IDS_COL_FIRST_DETECTED});
        frame_.sort.clear(6);
    }

    void fill() override { refill(); }

    // Each service key and its Parameters, read ahead: a system has hundreds.
    std::vector<RegistryKey> fill_keys() const override {
        std::vector<std::string> names;
        frame_.app.os.registry.subkeys(platform::Root::local_machine, inventory::kServicesKey, names);
        std::vector<RegistryKey> keys;
        for (const std::string& name : names) {
            const std::string key = std::string(inventory::kServicesKey) + "\\" + name;
            keys.push_back({platform::Root::local_machine, key});
            keys.push_back({platform::Root::local_machine, key + "\\Parameters"});
        }
        keys.push_back({platform::Root::current_user, programinfo::category_key(code::service_exe)});
        return keys;
    }

    std::vector<std::string> enumerate() override {
        AppState& app = frame_.app;
        // One question to the manager for every row's state.
        const inventory::ServiceStates states(app);
        inventory::ListServices(app, states);
        programinfo::DetectedTexts dates(app.os);
        std::vector<std::string> files;
        status_.clear();
        detected_.clear();
        for (const StartupEntry& e : app.items.entries()) {
            files.push_back(programinfo::full_program_path(app.os, e.command));
            const platform::ServiceState* s = states.find(e.id);
            const uint32_t word = s ? inventory::run_state_word(*s) : 0;
            // A service that is stopped or does not answer shows a blank.
            status_.push_back(word ? inventory::ServiceStatusText(app, word) : " ");
            detected_.push_back(dates.text(files.back(), e.type));
        }
        return files;
    }

    void add_row(const FillJob::Row& r, int image) override {
        const StartupEntry* e = frame_.app.items.at(static_cast<size_t>(r.record));
        if (!e) return;
        const size_t i = static_cast<size_t>(r.record);
        const int row = append_item(list_, e->title, r.record, image);
        const std::string command = (e->type == kTypeHosted ? "svchost.exe " : "") + std::string(file_part(e->command));
        const std::string& company = r.facts->versions.CompanyName;
        set_item(list_, row, 1, command);
        set_item(list_, row, 2, company.empty() ? " " : company);
        set_item(list_, row, 3, status_[i]);
        set_item(list_, row, 4, e->location);
        set_item(list_, row, 5, detected_[i]);
        keys_[i].text = {e->title, command, company, status_[i], e->location, date_key(detected_[i])};
    }

    void fill_finished() override { initial_sort("SortService"); }

    bool command(int id, int code) override {
        switch (id) {
            case IDC_HIDE_MICROSOFT:
                if (code != BN_CLICKED) return false;
                // For this run only: the setting is not stored.
                frame_.app.settings.hide_microsoft_services =
                    IsDlgButtonChecked(hwnd_, IDC_HIDE_MICROSOFT) == BST_CHECKED ? 1 : 0;
                refill();
                return true;
            case IDM_SERVICE_STOP:
            case IDM_SERVICE_AUTOMATIC:
            case IDM_SERVICE_MANUAL:
            case IDM_SERVICE_DISABLED: change_selected(id); return true;
            default: return false;
        }
    }

    // What the information window's Stop and Apply do, on the selected row.
    void change_selected(int id) {
        const int record = selected_record();
        if (record < 0 || !frame_.app.items.at(static_cast<size_t>(record))) {
            frame_.no_selection();
            return;
        }
        if (id == IDM_SERVICE_STOP) {
            inventory::StopService(frame_.app, static_cast<size_t>(record));
        } else {
            const uint32_t start = platform::service_start::automatic + static_cast<uint32_t>(id - IDM_SERVICE_AUTOMATIC);
            inventory::SetServiceStartType(frame_.app, static_cast<size_t>(record), start);
        }
        refill();
    }

    // The window stops and reconfigures what the list shows.
    bool refill_after_info() const override { return true; }

    std::vector<RowButton> bottom_row() const override { return {{IDC_INFO, 0}, {IDC_CLOSE, 0}}; }
    std::vector<int> row_below_list() const override { return {IDC_HIDE_MICROSOFT}; }
    SortList sort_list() const override { return SortList::services; }

    std::vector<std::string> status_;    // per record of the fill
    std::vector<std::string> detected_;
};

}  // namespace

std::unique_ptr<Page> make_services_page(Frame& frame, const PageTraits& traits) {
    return std::make_unique<ServicesPage>(frame, traits);
}

}  // namespace sx::ui
