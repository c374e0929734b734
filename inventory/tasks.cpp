#include "inventory/tasks.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "common/text.h"
#include "res/resource_ids.h"
#include "settings/store.h"
#include "settings/strings.h"
#include "startup/item_list.h"

namespace sx::inventory {

namespace {

constexpr size_t kNamesPerBatch = 5;
constexpr size_t kCommentMax = 1023;  // what the information window's text holds
constexpr int kTypeTask = 800;

// A step of work with the scheduler: it runs for the step, and stops again after it when this
// program had to start it.
class SchedulerUse {
public:
    explicit SchedulerUse(AppState& app) : app_(app), ready_(EnsureTaskScheduler(app) == 0) {}
    ~SchedulerUse() {
        if (ready_) ReleaseTaskScheduler(app_);
    }
    explicit operator bool() const { return ready_; }

private:
    AppState& app_;
    bool ready_;
};

// The names in the order the list walks them: in batches of five, each from its last to its first.
std::vector<std::string> walk_order(std::vector<std::string> names) {
    for (size_t at = 0; at < names.size(); at += kNamesPerBatch) {
        std::reverse(names.begin() + static_cast<std::ptrdiff_t>(at),
                     names.begin() + static_cast<std::ptrdiff_t>(std::min(at + kNamesPerBatch, names.size())));
    }
    return names;
}

std::string_view without_job(std::string_view name) {
    return name.size() > 4 && iequals(name.substr(name.size() - 4), ".job") ? name.substr(0, name.size() - 4) : name;
}

// A task of the root folder that is a work item too, seen through the second interface.
bool is_work_item(const platform::Task& task, const std::vector<std::string>& names) {
    if (task.path.size() < 2 || task.path[0] != '\\' || task.path.find('\\', 1) != std::string::npos) return false;
    const std::string_view name = std::string_view(task.path).substr(1);
    return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return iequals(without_job(n), name); });
}

std::string run_time_text(AppState& app, const std::optional<platform::LocalTime>& time) {
    return time ? RunTimeText(app, *time) : std::string();
}

// The status a work item would report for the task.
int32_t status_of(const platform::Task& task) {
    if (task.state == platform::task_state::running) return platform::kTaskRunning;
    const bool none_next = task.next_run && task.next_run->year == 0 && task.next_run->month == 0 && task.next_run->day == 0;
    return none_next ? platform::kTaskNotScheduled : 0;
}

// The task of the second interface whose path is `name`, with or without its leading backslash.
std::optional<platform::Task> find_registered(AppState& app, std::string_view name) {
    std::vector<platform::Task> tasks;
    if (name.empty() || !app.os.scheduler.tasks(tasks)) return std::nullopt;
    for (platform::Task& t : tasks) {
        if (iequals(t.path, name) || iequals(std::string_view(t.path).substr(1), name)) return std::move(t);
    }
    return std::nullopt;
}

// The enumerated name that equals `name` (case-insensitively).
std::optional<std::string> find_task(AppState& app, std::string_view name) {
    std::vector<std::string> names;
    if (!app.os.scheduler.names(names)) return std::nullopt;
    for (const std::string& n : walk_order(names)) {
        if (iequals(n, name)) return n;
    }
    return std::nullopt;
}

}  // namespace

int EnsureTaskScheduler(AppState& app) {
    app.scheduler_started = false;
    const std::optional<platform::ServiceState> state = app.os.services.query(kSchedulerService);
    if (!state) return 1;
    if (state->state == platform::service_state::running) return 0;
    if (!app.os.services.start(kSchedulerService)) return 1;
    app.scheduler_started = true;
    return 0;
}

void ReleaseTaskScheduler(AppState& app) {
    if (!app.scheduler_started) return;
    app.scheduler_started = false;
    // Some systems do not let the scheduler be stopped; it then keeps running, as it would anyway.
    const std::optional<platform::ServiceState> state = app.os.services.query(kSchedulerService);
    if (state && state->state == platform::service_state::running) app.os.services.stop(kSchedulerService);
}

std::string RunTimeText(AppState& app, const platform::LocalTime& t) {
    if (t.year == 0 && t.month == 0 && t.day == 0) return settings::load_string(app, IDS_NEVER);
    const int hour = t.hour % 12 == 0 ? 12 : t.hour % 12;
    return format("%02u/%02u/%04u  %u:%02u %s", static_cast<unsigned>(t.month), static_cast<unsigned>(t.day),
                  static_cast<unsigned>(t.year), static_cast<unsigned>(hour), static_cast<unsigned>(t.minute),
                  t.hour < 12 ? "AM" : "PM");
}

std::string TaskStatusText(AppState& app, int32_t status) {
    if (status == platform::kTaskRunning) return settings::load_string(app, IDS_TASK_STATUS_RUNNING);
    if (status == platform::kTaskNotScheduled) return settings::load_string(app, IDS_TASK_STATUS_NOT_SCHEDULED);
    return settings::load_string(app, IDS_TASK_STATUS_READY);
}

int ListScheduledTasks(AppState& app) {
    startup::ClearItems(app);
    const SchedulerUse scheduler(app);
    if (!scheduler) return 0;
    std::vector<std::string> names;
    int listed = 0;
    if (app.os.scheduler.names(names)) {
        for (const std::string& name : walk_order(names)) {
            const std::optional<platform::WorkItem> item = app.os.scheduler.item(name);
            if (!item) continue;
            ++listed;
            startup::AddItem(app, name, item->application, RunTimeText(app, item->next_run),
                             RunTimeText(app, item->last_run), kTypeTask, 0);
        }
    }
    std::vector<platform::Task> tasks;
    if (!app.os.scheduler.tasks(tasks)) return listed;
    for (const platform::Task& task : tasks) {
        if (task.path.size() < 2 || is_work_item(task, names)) continue;
        ++listed;
        const std::string next = run_time_text(app, task.next_run), last = run_time_text(app, task.last_run);
        const std::vector<std::string> programs = task.programs.empty() ? std::vector<std::string>{""} : task.programs;
        for (const std::string& program : programs) {
            if (startup::AddItem(app, std::string_view(task.path).substr(1), program, next, last, kTypeTask, 0)) {
                app.items.at(app.items.count() - 1)->id = task.path;
            }
        }
    }
    return listed;
}

std::string GetScheduledTaskComment(AppState& app, std::string_view name) {
    const SchedulerUse scheduler(app);
    const std::optional<std::string> found = scheduler ? find_task(app, name) : std::nullopt;
    if (!found) {
        const std::optional<platform::Task> task = scheduler ? find_registered(app, name) : std::nullopt;
        return task ? cut(task->description, kCommentMax) : std::string();
    }
    const std::optional<platform::WorkItem> item = app.os.scheduler.item(*found);
    return item ? cut(item->comment, kCommentMax) : std::string();
}

std::string GetScheduledTaskStatus(AppState& app, std::string_view name) {
    const SchedulerUse scheduler(app);
    const std::optional<std::string> found = scheduler ? find_task(app, name) : std::nullopt;
    if (!found) {
        const std::optional<platform::Task> task = scheduler ? find_registered(app, name) : std::nullopt;
        return task ? TaskStatusText(app, status_of(*task)) : std::string();
    }
    const std::optional<platform::WorkItem> item = app.os.scheduler.item(*found);
    return item ? TaskStatusText(app, item->status) : std::string();
}

bool DeleteScheduledTask(AppState& app, std::string_view name) {
    const SchedulerUse scheduler(app);
    const std::optional<std::string> found = scheduler ? find_task(app, name) : std::nullopt;
    return found && app.os.scheduler.remove(*found);
}

bool DeleteRegisteredTask(AppState& app, std::string_view path) {
    const SchedulerUse scheduler(app);
    return scheduler && app.os.scheduler.remove_task(path);
}

int RemoveScheduledTask(AppState& app, size_t index) {
    const StartupEntry* found = app.items.at(index);
    if (!found) return 0;
    const std::string title = found->title, path = found->id;
    if (!app.os.prompts.ask(fill_in(settings::load_string(app, IDS_CONFIRM_REMOVE_TASK), title),
                            platform::Icon::exclamation)) {
        return 0;
    }
    // The known-task value goes only with the task: a task the scheduler kept stays known.
    if (!(path.empty() ? DeleteScheduledTask(app, title) : DeleteRegisteredTask(app, path))) {
        app.os.prompts.tell(fill_in(settings::load_string(app, IDS_REMOVE_FAILED), title), platform::Icon::exclamation);
        return 0;
    }
    settings::delete_value(app.os, platform::Root::current_user, kKnownTasksKey, title);
    return 1;
}

std::string shown_task_name(std::string_view name) {
    return std::string(name.size() > 4 ? name.substr(0, name.size() - 4) : name);
}

std::string shown_task_name(const StartupEntry& row) { return row.id.empty() ? shown_task_name(row.title) : row.title; }

}  // namespace sx::inventory
