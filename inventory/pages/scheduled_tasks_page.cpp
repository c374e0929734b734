#include "inventory/pages/scheduled_tasks_page.h"

#include <vector>

#include "common/text.h"
#include "inventory/tasks.h"
#include "programinfo/resolve.h"
#include "res/resource_ids.h"
#include "startup/item_list.h"
#include "ui/win32/list_view.h"

namespace sx::ui {

namespace {

class ScheduledTasksPage : public Page {
public:
    using Page::Page;

private:
    void init() override {
        set_texts({{IDC_SCHEDULED_HEADER, IDS_SCHEDULED_TASKS_HEADER},
                   {IDC_SCHEDULED_HINT, IDS_SCHEDULED_TASKS_HINT},
                   {IDC_INFO, IDS_INFO},
                   {IDC_REMOVE, IDS_REMOVE},
                   {IDC_CLOSE, IDS_CLOSE}});
        if (!frame_.is_nt()) ShowWindow(GetDlgItem(hwnd_, IDC_CLOSE), SW_HIDE);
        SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        add_columns({IDS_COL_NAME, IDS_COL_PROGRAM, IDS_COL_COMPANY, IDS_COL_NEXT_RUN, IDS_COL_LAST_RUN});
        startup::ClearItems(frame_.app);
        frame_.sort.clear(5);
    }

    // Leaving any page empties the list; coming back lists the tasks again.
    void fill() override {
        if (frame_.app.items.count() == 0) refill();
    }

    std::vector<std::string> enumerate() override {
        AppState& app = frame_.app;
        inventory::ListScheduledTasks(app);
        std::vector<std::string> files;
        for (const StartupEntry& e : app.items.entries()) files.push_back(programinfo::full_program_path(app.os, e.command));
        return files;
    }

    void add_row(const FillJob::Row& r, int image) override {
        const StartupEntry* e = frame_.app.items.at(static_cast<size_t>(r.record));
        if (!e) return;
        const std::string name = inventory::shown_task_name(*e);
        const std::string program(file_part(e->command));
        const std::string& company = r.facts->versions.CompanyName;
        const int row = append_item(list_, name, r.record, image);
        set_item(list_, row, 1, program);
        set_item(list_, row, 2, company);
        set_item(list_, row, 3, e->location);
        set_item(list_, row, 4, e->description);
        keys_[static_cast<size_t>(r.record)].text = {name, program, company, date_key(e->location),
                                                     date_key(e->description), {}};
    }

    void fill_finished() override { initial_sort("SortScheduledTask"); }

    bool command(int id, int) override {
        if (id != IDM_REMOVE) return false;
        const int record = selected_record();
        if (record < 0 || !frame_.app.items.at(static_cast<size_t>(record))) {
            frame_.no_selection();
            return true;
        }
        if (inventory::RemoveScheduledTask(frame_.app, static_cast<size_t>(record))) refill();
        return true;
    }

    std::vector<RowButton> bottom_row() const override {
        return {{IDC_INFO, 0}, {IDC_REMOVE, 0}, {IDC_CLOSE, 0}};
    }
    SortList sort_list() const override { return SortList::scheduled_tasks; }
};

}  // namespace

std::unique_ptr<Page> make_scheduled_tasks_page(Frame& frame, const PageTraits& traits) {
    return std::make_unique<ScheduledTasksPage>(frame, traits);
}

}  // namespace sx::ui
