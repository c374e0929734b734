#include "startup/history.h"

#include <array>
#include <utility>

#include "common/text.h"
#include "programinfo/resolve.h"
#include "res/resource_ids.h"
#include "settings/strings.h"
#include "startup/item_list.h"

namespace sx::startup {

namespace {

using Row = std::pair<int, std::string_view>;

// Searched from the first row: code 12 writes "SERVICE_Disabled", code 23 "REMOVE_TaskScheduler".
constexpr std::array<Row, 32> kEvents = {{
    {0, "*START_Remove"},         {1, "START_Disable"},          {2, "START_Enable"},
    {3, "IEHELPER_Remove"},       {4, "TASK_Remove"},            {5, "TASK_Kill"},
    {6, "START_Alert"},           {7, "TASK_Alert"},             {8, "IEHELPER_Alert"},
    {9, "SERVICE_Stop"},          {10, "SERVICE_Automatic"},     {11, "SERVICE_Manual"},
    {12, "SERVICE_Disabled"},     {12, "START_Restore"},         {13, "TASK_Restore"},
    {14, "IEHELPER_Restore"},     {15, "ScheduledTask_Remove"},  {17, "SERVICE_from_Automatic"},
    {18, "SERVICE_from_Manual"},  {19, "SERVICE_from_Disabled"}, {20, "SERVICE__from_Disabled"},
    {21, "RESET_USERINIT"},       {22, "RESET_SHELL"},           {23, "REMOVE_TaskScheduler"},
    {24, "REMOVE_DELAYLOAD"},     {23, "REMOVE_TASKSCHEDULER"},  {25, "REMOVE_SHELLEXECUTEHOOK"},
    {26, "REMOVE_APPINIT"},       {28, "HIDDEN_Alert"},          {29, "*HIDDEN_DeleteFile"},
    {30, "REMOVE_WinLogonNotify"}, {31, "LOG_UNKNOWN"},
}};

constexpr std::array<Row, 51> kTypes = {{
    {1, "MACHINE_RUN"},          {2, "MACHINE_RUNONCE"},         {3, "MACHINE_RUNONCEEX"},
    {4, "MACHINE_RUNSERVICES"},  {5, "MACHINE_RUNSERVICESONCE"}, {11, "CURRENT_RUN"},
    {12, "CURRENT_RUNONCE"},     {13, "CURRENT_RUNONCEEX"},      {14, "CURRENT_RUNSERVICES"},
    {15, "CURRENT_RUNSERVICESONCE"}, {21, "WOW64_RUN"},          {22, "WOW64_RUNONCE"},
    {23, "WOW64_RUNONCEEX"},     {24, "WOW64_RUNSERVICES"},      {25, "WOW64_RUNSERVICESONCE"},
    {31, "SENTRIX_RUN"},         {32, "SENTRIX_RUNONCE"},        {33, "SENTRIX_RUNONCEEX"},
    {34, "SENTRIX_RUNSERVICES"}, {35, "SENTRIX_RUNSERVICESONCE"}, {100, "WIN_LOAD"},
    {101, "WIN_RUN"},            {200, "GROUP_STARTUP"},         {250, "WINLOGON_Userinit"},
    {251, "WINLOGON_Shell"},     {252, "REG_Delayload"},         {253, "REG_TaskScheduler"},
    {254, "REG_ShellExecuteHook"}, {255, "REG_AppInitDLLs"},     {500, "INFO_COOKIE"},
    {501, "INFO_NETCOOKIE"},     {502, "INFO_SAVECOOKIE"},       {503, "INFO_NUTS"},
    {600, "INFO_TASK"},          {700, "SERVICE_EXE"},           {701, "SERVICE_SVCHOST"},
    {800, "TASK_SCHEDULED"},     {900, "TYPE_BHO"},              {300, "RESTART_DELETE"},
    {301, "RESTART_RENAME"},     {901, "TYPE_TOOLBAR"},          {902, "TYPE_EXTENSION"},
    {350, "TYPE_MONITOR"},       {360, "TYPE_BLACKLIST"},        {450, "TYPE_PROSEARCH"},
    {400, "TYPE_FILETYPE"},      {370, "TYPE_HIDDEN"},           {256, "RUN_WINLOGONNOTIFY"},
    {6, "MACHINE_RUNONCESETUP"}, {7, "MACHINE_RUNPOLICY"},       {3000, "TYPE_UNKNOWN"},
}};

template <size_t N>
std::string_view name_of(const std::array<Row, N>& table, int code) {
    for (const Row& row : table) {
        if (row.first == code) return row.second;
    }
    return {};
}

template <size_t N>
const Row* row_named(const std::array<Row, N>& table, std::string_view name) {
    for (const Row& row : table) {
        if (iequals(row.second, name)) return &row;
    }
    return nullptr;
}

// Field limits of the reader: longer fields are dropped (left empty).
constexpr size_t kFieldGather = 260;
constexpr size_t kDateKeep = 32;
constexpr size_t kTitleKeep = 128;
constexpr size_t kPathKeep = 260;
constexpr size_t kLineMax = 1023;

}  // namespace

std::string_view event_name(int code) { return name_of(kEvents, code); }

std::string_view type_name(int code) {
    std::string_view name = name_of(kTypes, code);
    return name.empty() ? std::string_view("TYPE_UNKNOWN") : name;
}

int event_code(std::string_view name) {
    const Row* row = row_named(kEvents, name);
    return row ? row->first : event::log_unknown;
}

int type_code(std::string_view name) {
    const Row* row = row_named(kTypes, name);
    return row ? row->first : kUnknownType;
}

bool reversible_event(int code) { return code == event::start_remove || code == event::hidden_delete_file; }

std::string history_date(const AppState& app, const platform::LocalTime& t) {
    if (t.year == 0 && t.month == 0 && t.day == 0) return settings::load_string(app, IDS_NEVER);
    const int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    return format("%02u/%02u/%04u  %u:%02u %s", static_cast<unsigned>(t.month), static_cast<unsigned>(t.day),
                  static_cast<unsigned>(t.year), static_cast<unsigned>(hour12), static_cast<unsigned>(t.minute),
                  t.hour < 12 ? "AM" : "PM");
}

std::string history_path(AppState& app) { return programinfo::own_folder(app.os) + "\\" + std::string(kHistoryFile); }

int AppendHistory(AppState& app, std::string_view title, std::string_view command, std::string_view location,
                  int type, int code, std::string_view extra) {
    if (app.settings.history <= 0) return 0;
    std::string line = history_date(app, app.os.system.now());
    for (std::string_view field : {event_name(code), type_name(type), title, command, location}) {
        line += '\t';
        line += field;
    }
    // One record is one line: the line with its CR LF stays within the reader's limit. The extra
    // field goes whole or not at all, so a cut never leaves half of it.
    line = cut(line, kLineMax - 2);
    if (!extra.empty() && line.size() + 1 + extra.size() <= kLineMax - 2) line += "\t" + std::string(extra);
    line += "\r\n";
    return app.os.files.append(history_path(app), line) ? 1 : 0;
}

std::vector<HistoryRecord> parse_history(std::string_view bytes) {
    bytes = bytes.substr(0, std::min(bytes.size(), kHistoryReadLimit));
    std::vector<HistoryRecord> records;
    HistoryRecord current;
    std::string field;
    int tabs = 0;
    auto keep = [](const std::string& text, size_t limit) { return text.size() < limit ? text : std::string(); };
    for (char c : bytes) {
        if (c == '\t') {
            switch (tabs) {
                case 0: current.date = keep(field, kDateKeep); break;
                case 1: current.event = event_code(field); break;
                case 2: current.type = type_code(field); break;
                case 3: current.title = keep(field, kTitleKeep); break;
                case 4: current.command = keep(field, kPathKeep); break;
                case 5: current.location = keep(field, kPathKeep); break;
                default: break;
            }
            ++tabs;
            field.clear();
        } else if (c == '\n') {
            if (!field.empty() && field.back() == '\r') field.pop_back();
            if (tabs == 5) current.location = keep(field, kPathKeep);
            if (tabs == 6) current.extra = keep(field, kPathKeep);
            records.push_back(std::move(current));
            current = HistoryRecord();
            field.clear();
            tabs = 0;
        } else if (field.size() < kFieldGather) {
            field += c;
        }
    }
    return records;
}

int LoadHistoryList(AppState& app) {
    ClearItems(app);
    std::optional<std::string> bytes = app.os.files.read(history_path(app), kHistoryReadLimit);
    if (!bytes) return 0;
    for (const HistoryRecord& r : parse_history(*bytes)) {
        if (AddItem(app, r.title, r.command, r.location, r.date, r.type, r.event)) {
            app.items.at(app.items.count() - 1)->extra = r.extra;
        }
    }
    return static_cast<int>(app.items.count());
}

bool clear_history_file(AppState& app) {
    const std::string path = history_path(app);
    app.os.files.set_attributes(path, platform::attr::normal);
    app.os.files.remove(path);
    return app.os.files.attributes(path) == platform::attr::invalid;
}

}  // namespace sx::startup
