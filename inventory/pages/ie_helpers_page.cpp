#include "inventory/pages/ie_helpers_page.h"

#include "common/text.h"
#include "inventory/ie_helpers.h"
#include "programinfo/first_detected.h"
#include "programinfo/resolve.h"
#include "res/resource_ids.h"
#include "startup/item_list.h"
#include "ui/win32/list_view.h"

namespace sx::ui {

namespace {

class IeHelpersPage : public Page {
public:
    using Page::Page;

private:
    void init() override {
        set_texts({{IDC_IE_HELPERS_HEADER, IDS_IE_HELPERS_HEADER},
                   {IDC_IE_HELPERS_HINT, IDS_IE_HELPERS_HINT},
                   {IDC_INFO, IDS_INFO},
                   {IDC_REMOVE, IDS_REMOVE},
                   {IDC_CLOSE, IDS_CLOSE}});
        if (!frame_.is_nt()) ShowWindow(GetDlgItem(hwnd_, IDC_CLOSE), SW_HIDE);
        SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        add_columns({IDS_COL_NAME, IDS_COL_PROGRAM, IDS_COL_COMPANY, IDS_COL_TYPE, IDS_COL_FIRST_DETECTED});
        startup::ClearItems(frame_.app);
        frame_.sort.clear(5);
    }

    void fill() override {
        if (frame_.app.items.count() == 0) refill();
    }

    std::vector<RegistryKey> fill_keys() const override {
        return {{platform::Root::current_user, programinfo::category_key(code::bho)}};
    }

    std::vector<std::string> enumerate() override {
        AppState& app = frame_.app;
        inventory::ListIEHelpers(app);
        programinfo::DetectedTexts dates(app.os);
        std::vector<std::string> files;
        detected_.clear();
        for (const StartupEntry& e : app.items.entries()) {
            files.push_back(programinfo::full_program_path(app.os, e.command));
            detected_.push_back(dates.text(files.back(), e.type));
        }
        return files;
    }

    void add_row(const FillJob::Row& r, int image) override {
        const StartupEntry* e = frame_.app.items.at(static_cast<size_t>(r.record));
        if (!e) return;
        // An extension names its own icon file.
        if (matches(e->description, ".ico")) image = add_file_icon(frame_, e->description, 0, 0);
        const int row = append_item(list_, e->title, r.record, image);
        const std::string program(file_part(e->command));
        const std::string& company = r.facts->versions.CompanyName;
        const std::string& detected = detected_[static_cast<size_t>(r.record)];
        set_item(list_, row, 1, program);
        set_item(list_, row, 2, company);
        set_item(list_, row, 3, std::string(inventory::helper_kind_text(e->type)));
        set_item(list_, row, 4, detected);
        keys_[static_cast<size_t>(r.record)].text = {e->title, program, company, std::to_string(e->type),
                                                     date_key(detected), {}};
    }

    void fill_finished() override { initial_sort("SortIEHelper"); }

    void selection_changed() override {
        const int record = selected_record();
        const StartupEntry* e = frame_.app.items.at(static_cast<size_t>(record));
        if (record < 0 || !e) return;
        // The key tells the 32-bit view's registrations apart.
        set_status(frame_.text(IDS_LOCATION) + ": " + inventory::RegistrationText(*e));
        mark_note(record);
    }

    void remove_selected() {
        const int record = selected_record();
        const StartupEntry* e = frame_.app.items.at(static_cast<size_t>(record));
        if (record < 0 || !e) {
            frame_.no_selection();
            return;
        }
        const StartupEntry chosen = *e;
        if (frame_.message(frame_.main, fill_in(frame_.text(IDS_CONFIRM_REMOVE_IE_HELPER), chosen.title),
                           MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
            return;
        }
        inventory::RemoveIEHelper(frame_.app, chosen.command, static_cast<size_t>(record));
        refill();
    }

    bool command(int id, int) override {
        if (id != IDM_REMOVE) return false;
        remove_selected();
        return true;
    }

    std::vector<RowButton> bottom_row() const override { return {{IDC_INFO, 0}, {IDC_REMOVE, 0}, {IDC_CLOSE, 0}}; }

    SortList sort_list() const override { return SortList::ie_helpers; }

    std::vector<std::string> detected_;  // per record of the fill
};

}  // namespace

std::unique_ptr<Page> make_ie_helpers_page(Frame& frame, const PageTraits& traits) {
    return std::make_unique<IeHelpersPage>(frame, traits);
}

}  // namespace sx::ui
