#include "inventory/pages/hidden_files_page.h"

#include "common/text.h"
#include "inventory/hidden_files.h"
#include "programinfo/first_detected.h"
#include "programinfo/resolve.h"
#include "res/resource_ids.h"
#include "startup/item_list.h"
#include "ui/win32/list_view.h"

namespace sx::ui {

namespace {

class HiddenFilesPage : public Page {
public:
    using Page::Page;

private:
    void init() override {
        set_texts({{IDC_HIDDEN_HEADER, IDS_HIDDEN_FILES_HEADER},
                   {IDC_HIDDEN_HINT, IDS_HIDDEN_FILES_HINT},
                   {IDC_INFO, IDS_INFO},
                   {IDC_REFRESH, IDS_REFRESH},
                   {IDC_UNHIDE, IDS_UNHIDE},
                   {IDC_CLOSE, IDS_CLOSE}});
        if (!frame_.is_nt()) ShowWindow(GetDlgItem(hwnd_, IDC_CLOSE), SW_HIDE);
        SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        add_columns({IDS_COL_MODULE, IDS_COL_PATH, IDS_COL_FIRST_DETECTED, IDS_COL_LAST_WRITTEN, IDS_COL_TYPE});
        startup::ClearItems(frame_.app);
        frame_.sort.clear(5);
    }

    void fill() override {
        if (frame_.app.items.count() == 0) refill();
    }

    std::vector<RegistryKey> fill_keys() const override {
        return {{platform::Root::current_user, programinfo::category_key(code::hidden_file)}};
    }

    // A record whose path has no folder stays in the list but gets no row.
    static bool row_wanted(const StartupEntry& e) { return e.command.find('\\') != std::string::npos; }

    std::vector<std::string> enumerate() override {
        AppState& app = frame_.app;
        inventory::ListHiddenFiles(app);
        programinfo::DetectedTexts dates(app.os);
        std::vector<std::string> files;
        detected_.clear();
        written_.clear();
        for (const StartupEntry& e : app.items.entries()) {
            const bool wanted = row_wanted(e);
            files.push_back(wanted ? e.command : std::string());
            detected_.push_back(wanted ? dates.text(programinfo::full_program_path(app.os, e.command), e.type) : "");
            written_.push_back(wanted ? inventory::last_written_text(app, e.command) : "");
        }
        return files;
    }

    void add_row(const FillJob::Row& r, int image) override {
        const size_t record = static_cast<size_t>(r.record);
        const StartupEntry* e = frame_.app.items.at(record);
        if (!e || !row_wanted(*e)) return;
        const std::string file(file_part(e->command));
        const std::string folder = programinfo::ProgramFolder(frame_.app.os, e->command);
        const int row = append_item(list_, file, r.record, image);
        set_item(list_, row, 1, folder);
        set_item(list_, row, 2, detected_[record]);
        set_item(list_, row, 3, written_[record]);
        if (e->flag) set_item(list_, row, 4, std::string(inventory::kSystemText));
        keys_[record].text = {file, folder, date_key(detected_[record]), date_key(written_[record]), {}, {}};
        keys_[record].number = e->flag;
    }

    void fill_finished() override { initial_sort("SortHidden"); }

    // The selected file's record, copied: the actions below refill the list.
    bool selected_entry(StartupEntry& out) const {
        const int record = selected_record();
        const StartupEntry* e = frame_.app.items.at(static_cast<size_t>(record));
        if (record < 0 || !e) {
            frame_.no_selection();
            return false;
        }
        out = *e;
        return true;
    }

    bool asked(unsigned question) const {
        return frame_.message(frame_.main, frame_.text(question), MB_YESNO | MB_ICONSTOP) == IDYES;
    }

    bool command(int id, int) override {
        StartupEntry e;
        switch (id) {
            case IDC_UNHIDE:
                if (!selected_entry(e)) return true;
                inventory::UnhideFile(frame_.app, e.command);
                refill();
                return true;
            case IDM_DELETE_FILE:
                if (!selected_entry(e) || !asked(IDS_CONFIRM_DELETE_HIDDEN)) return true;
                inventory::DeleteHiddenFile(frame_.app, e.title, e.command);
                refill();
                return true;
            case IDM_DELETE_ON_REBOOT:
                if (!selected_entry(e) || !asked(IDS_CONFIRM_DELETE_ON_REBOOT)) return true;
                inventory::DeleteHiddenFileOnReboot(frame_.app, e.command);
                refill();
                return true;
            case IDM_VIEW_IN_NOTEPAD:
                if (selected_entry(e)) inventory::ViewInNotepad(frame_.app, e.command);
                return true;
            case IDM_REFRESH: refill(); return true;
            default: return false;
        }
    }

    std::vector<RowButton> bottom_row() const override {
        return {{IDC_INFO, 0}, {IDC_REFRESH, 0}, {IDC_UNHIDE, 0}, {IDC_CLOSE, 0}};
    }

    SortList sort_list() const override { return SortList::hidden_files; }

    // Per record of the fill.
    std::vector<std::string> detected_;
    std::vector<std::string> written_;
};

}  // namespace

std::unique_ptr<Page> make_hidden_files_page(Frame& frame, const PageTraits& traits) {
    return std::make_unique<HiddenFilesPage>(frame, traits);
}

}  // namespace sx::ui
