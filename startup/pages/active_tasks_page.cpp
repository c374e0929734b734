#include "startup/pages/active_tasks_page.h"

#include "common/text.h"
#include "programinfo/first_detected.h"
#include "res/resource_ids.h"
#include "startup/active_tasks.h"
#include "startup/disabled_store.h"
#include "startup/history.h"
#include "startup/type_codes.h"
#include "ui/win32/list_view.h"

namespace sx::ui {

namespace {

class ActiveTasksPage : public Page {
public:
    using Page::Page;

private:
    void init() override {
        set_texts({{IDC_TASKS_HEADER, IDS_ACTIVE_TASKS_HEADER},
                   {IDC_TASKS_HINT, IDS_ACTIVE_TASKS_HINT},
                   {IDC_INFO, IDS_INFO},
                   {IDC_REFRESH, IDS_REFRESH},
                   {IDC_KILL_TASK, IDS_KILL_TASK},
                   {IDC_CLOSE, IDS_CLOSE}});
        if (!frame_.is_nt()) ShowWindow(GetDlgItem(hwnd_, IDC_CLOSE), SW_HIDE);
        SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        add_columns({IDS_COL_MODULE, IDS_COL_PROGRAM_DESCRIPTION, IDS_COL_COMPANY, IDS_COL_FIRST_DETECTED});
        startup::ClearItems(frame_.app);
        frame_.sort.clear(4);
    }

    void fill() override {
        if (frame_.app.items.count() == 0) refill();
    }

    std::vector<RegistryKey> fill_keys() const override {
        return {{platform::Root::current_user, programinfo::category_key(code::process)}};
    }

    std::vector<std::string> enumerate() override {
        AppState& app = frame_.app;
        startup::ListProcesses(app);
        programinfo::DetectedTexts dates(app.os);
        std::vector<std::string> files;
        detected_.clear();
        for (const StartupEntry& e : app.items.entries()) {
            files.push_back(row_wanted(e) ? e.command : std::string());
            detected_.push_back(dates.text(files.back(), e.type));
        }
        return files;
    }

    // A process whose file name has no folder stays in the list but gets no row.
    static bool row_wanted(const StartupEntry& e) { return e.command.find('\\') != std::string::npos; }

    void add_row(const FillJob::Row& r, int image) override {
        const StartupEntry* e = frame_.app.items.at(static_cast<size_t>(r.record));
        if (!e || !row_wanted(*e)) return;
        const std::string file(file_part(e->command));
        const int row = append_item(list_, file, r.record, image);
        const std::string& company = r.facts->versions.CompanyName;
        const std::string& detected = detected_[static_cast<size_t>(r.record)];
        set_item(list_, row, 2, company);
        set_item(list_, row, 3, detected);
        if (!e->title.empty()) set_item(list_, row, 1, e->title);
        keys_[static_cast<size_t>(r.record)].text = {file, e->title, company, date_key(detected), {}, {}};
    }

    void fill_finished() override { initial_sort("SortActiveTask"); }

    // The entry a row stands for: the first whose program file name is the row's text.
    int entry_of_row(int row) const {
        const std::string text = item_text(list_, row, 0);
        const auto& entries = frame_.app.items.entries();
        for (size_t i = 0; i < entries.size(); ++i) {
            if (iequals(file_part(entries[i].command), text)) return static_cast<int>(i);
        }
        return row;
    }

    void kill_selected() {
        if (SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0) == 0) {
            frame_.no_selection();
            return;
        }
        const std::vector<int> rows = selected_items(list_);
        if (rows.empty()) {
            frame_.no_selection();
            return;
        }
        std::vector<StartupEntry> chosen;
        for (int row : rows) {
            const StartupEntry* e = frame_.app.items.at(static_cast<size_t>(entry_of_row(row)));
            if (e) chosen.push_back(*e);
        }
        for (const StartupEntry& e : chosen) {
            if (startup::KillProcess(frame_.app, static_cast<uint32_t>(e.flag))) {
                startup::AppendHistory(frame_.app, e.title, e.command, e.description, code::process,
                                       startup::event::task_kill);
            }
        }
        refill();
    }

    bool command(int id, int) override {
        switch (id) {
            case IDM_KILL_TASK: kill_selected(); return true;
            case IDM_REFRESH: refill(); return true;
            default: return false;
        }
    }

    // The window can stop a program the list shows.
    bool refill_after_info() const override { return true; }

    std::vector<RowButton> bottom_row() const override {
        return {{IDC_INFO, 0}, {IDC_REFRESH, 0}, {IDC_KILL_TASK, 0}, {IDC_CLOSE, 0}};
    }

    SortList sort_list() const override { return SortList::active_tasks; }

    std::vector<std::string> detected_;  // per record of the fill
};

}  // namespace

std::unique_ptr<Page> make_active_tasks_page(Frame& frame, const PageTraits& traits) {
    return std::make_unique<ActiveTasksPage>(frame, traits);
}

}  // namespace sx::ui
