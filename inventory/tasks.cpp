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
    std::vector<std::string> names;
    if (!scheduler || !app.os.scheduler.names(names)) return 0;
    int listed = 0;
    for (const std::string& name : walk_order(names)) {
        const std::optional<platform::WorkItem> item = app.os.scheduler.item(name);
        if (!item) continue;
        ++listed;
        startup::AddItem(app, name, item->application, RunTimeText(app, item->next_run),
                         RunTimeText(app, item->last_run), kTypeTask, 0);
    }
    return listed;
}

std::string GetScheduledTaskComment(AppState& app, std::string_view name) {
    const SchedulerUse scheduler(app);
    const std::optional<std::string> found = scheduler ? find_task(app, name) : std::nullopt;
    const std::optional<platform::WorkItem> item = found ? app.os.scheduler.item(*found) : std::nullopt;
    return item ? cut(item->comment, kCommentMax) : std::string();
}

std::string GetScheduledTaskStatus(AppState& app, std::string_view name) {
    const SchedulerUse scheduler(app);
    const std::optional<std::string> found = scheduler ? find_task(app, name) : std::nullopt;
    const std::optional<platform::WorkItem> item = found ? app.os.scheduler.item(*found) : std::nullopt;
    return item ? TaskStatusText(app, item->status) : std::string();
}

bool DeleteScheduledTask(AppState& app, std::string_view name) {
    const SchedulerUse scheduler(app);
    const std::optional<std::string> found = scheduler ? find_task(app, name) : std::nullopt;
    return found && app.os.scheduler.remove(*found);
}

int RemoveScheduledTask(AppState& app, size_t index) {
    const StartupEntry* found = app.items.at(index);
    if (!found) return 0;
    const std::string title = found->title;
    if (!app.os.prompts.ask(fill_in(settings::load_string(app, IDS_CONFIRM_REMOVE_TASK), title),
                            platform::Icon::exclamation)) {
        return 0;
    }
    // The known-task value goes only with the task: a task the scheduler kept stays known.
    if (!DeleteScheduledTask(app, title)) {
        app.os.prompts.tell(fill_in(settings::load_string(app, IDS_REMOVE_FAILED), title), platform::Icon::exclamation);
        return 0;
    }
    settings::delete_value(app.os, platform::Root::current_user, kKnownTasksKey, title);
    return 1;
}

std::string shown_task_name(std::string_view name) {
    return std::string(name.size() > 4 ? name.substr(0, name.size() - 4) : name);
}

}  // namespace sx::inventory
