// The Services and Scheduled Tasks pages on the demo system: what they list, a real service stopped
// and given another start type through the service control manager, a work item and a task of the
// second interface removed.
#include <windows.h>

#include <string>
#include <vector>

#include "e2e_support.h"
#include "res/resource_ids.h"

namespace sx::e2e::test {
namespace {

constexpr int kRemoveButton = 1003;
constexpr char kKnownTasksKey[] = "Software\\Orvane\\Sentrix\\Tasks";

class ServicesAndTasks : public EndToEnd {
protected:
    HWND open_tab(Session& s, int tab) {
        s = open("-START");
        HWND page = select_tab(s.sheet, tab);
        EXPECT_NE(page, nullptr);
        return page;
    }
};

std::optional<DWORD> service_state(const char* name) {
    SC_HANDLE scm = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    SC_HANDLE service = OpenServiceA(scm, name, SERVICE_QUERY_STATUS | SERVICE_START);
    SERVICE_STATUS status{};
    const bool known = service && QueryServiceStatus(service, &status);
    if (service) CloseServiceHandle(service);
    CloseServiceHandle(scm);
    return known ? std::optional<DWORD>(status.dwCurrentState) : std::nullopt;
}

bool start_service(const char* name) {
    SC_HANDLE scm = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    SC_HANDLE service = OpenServiceA(scm, name, SERVICE_START);
    const bool started = service && StartServiceA(service, 0, nullptr);
    if (service) CloseServiceHandle(service);
    CloseServiceHandle(scm);
    return started && wait_until([&] { return service_state(name) == SERVICE_RUNNING; });
}

TEST_F(ServicesAndTasks, ServicesAreListedStoppedAndGivenAnotherStartType) {
    Session s;
    HWND page = open_tab(s, kServicesTab);
    HWND list = GetDlgItem(page, kListId);
    EXPECT_EQ(column_titles(list), (std::vector<std::string>{"Title", "Command", "Company", "Status", "Startup",
                                                              "First Detected"}));
    std::vector<Row> rows = read_rows(list);
    const Row want[] = {
        {demo::kDemoServiceDisplay, "AwSyncSvc.exe", AWSYNCSVC_COMPANY, " ", "Manual", ""},
        {"Fabrikam Notification Service", "svchost.exe FabNotify.dll", FABNOTIFY_COMPANY, " ", "Disabled", ""},
        // A Start of another type reads as none; a program without a company shows a blank.
        {"Litware Agent Service", "LitwareAgent.exe", " ", " ", "0", ""},
        // Named by an indirect text: the text of WingInit.dll's string table it points to.
        {WINGINIT_SERVICE_NAME, "WingtipHelper.exe /service", WINGTIPHELPER_COMPANY, " ", "Manual", ""},
    };
    for (const Row& row : want) {
        const int at = find_row(rows, 0, row[0]);
        ASSERT_GE(at, 0) << row[0] << "\n" << describe(rows);
        EXPECT_EQ(rows[static_cast<size_t>(at)], row);
    }
    for (const char* absent : {"Sentrix Demo Without Image", "SxDemoDriver"}) EXPECT_LT(find_row(rows, 0, absent), 0);

    // Running, the demo service shows its state; stopped from the page, it shows a blank again.
    ASSERT_TRUE(start_service(demo::kDemoServiceName));
    page = select_tab(s.sheet, kServicesTab);  // shown again: listed anew
    rows = read_rows(list);
    const int row = find_row(rows, 0, demo::kDemoServiceDisplay);
    ASSERT_GE(row, 0);
    EXPECT_EQ(rows[static_cast<size_t>(row)][3], "Running");
    ASSERT_TRUE(select_rows(list, {row}));
    ASSERT_TRUE(post_command(page, IDM_SERVICE_STOP) && flush_posted(list));
    EXPECT_TRUE(wait_until([] { return service_state(demo::kDemoServiceName) == SERVICE_STOPPED; }));

    ASSERT_TRUE(select_rows(list, {find_row(read_rows(list), 0, demo::kDemoServiceDisplay)}));
    ASSERT_TRUE(post_command(page, IDM_SERVICE_DISABLED) && flush_posted(list));
    rows = read_rows(list);
    const Row& changed = rows[static_cast<size_t>(find_row(rows, 0, demo::kDemoServiceDisplay))];
    EXPECT_EQ(changed[3], " ");
    EXPECT_EQ(changed[4], "Disabled") << "the page shows the type the manager keeps";
    EXPECT_EQ(read_dword(HKEY_LOCAL_MACHINE, std::string(demo::kServicesKey) + "\\" + demo::kDemoServiceName, "Start"),
              std::optional<DWORD>(SERVICE_DISABLED));
    quit(s);
}

// Work items and the tasks of Task Scheduler 2.0 (a hidden one too) are listed together; one of each
// kind is removed with its known value. Wine's 2.0 interface keeps no exec action and tells no next
// run, so those cells of its tasks are blank.
TEST_F(ServicesAndTasks, WorkItemsAndTasksAreListedAndOneOfEachIsRemovedWithItsKnownValue) {
    const std::string task2 = std::string("Contoso\\") + demo::kDemoTask2ToRemove;
    const std::string work_item = std::string(demo::kDemoTaskToRemove) + ".job";
    for (const std::string& known : {work_item, task2}) write_text(HKEY_CURRENT_USER, kKnownTasksKey, known, "1");
    Session s;
    HWND page = open_tab(s, kScheduledTasksTab);
    HWND list = GetDlgItem(page, kListId);
    std::vector<Row> rows = read_rows(list);
    ASSERT_EQ(rows.size(), 5u) << describe(rows);
    const int cleanup = find_row(rows, 0, demo::kDemoTaskToRemove);
    ASSERT_GE(cleanup, 0);
    EXPECT_EQ(rows[static_cast<size_t>(cleanup)],
              (Row{demo::kDemoTaskToRemove, CONTOSOSYNC_FILE, CONTOSOSYNC_COMPANY, "Never", "Never"}));
    const Row& daily = rows[static_cast<size_t>(find_row(rows, 0, "Northwind Update Check"))];
    EXPECT_EQ(daily[1], NWUPDATE_FILE);
    EXPECT_EQ(daily[3].substr(daily[3].size() - 9), "  3:00 AM") << "the next run of a daily trigger";
    EXPECT_EQ(daily[4], "Never");
    for (const std::string& name : {task2, std::string("Northwind\\Agents\\Northwind Telemetry")}) {
        const int at = find_row(rows, 0, name);
        EXPECT_EQ(at < 0 ? Row{} : rows[static_cast<size_t>(at)], (Row{name, "", "", "", "Never"})) << describe(rows);
    }

    // No keeps it; Yes removes it, and its known value with it.
    for (const std::string& known : {work_item, task2}) {
        const std::string shown = known == task2 ? task2 : demo::kDemoTaskToRemove;
        for (const int answer_with : {IDNO, IDYES}) {
            ASSERT_TRUE(select_rows(list, {find_row(read_rows(list), 0, shown)}));
            ASSERT_TRUE(post_button(page, kRemoveButton));
            HWND box = wait_dialog(s.process.id(), kRoamCaption);
            ASSERT_NE(box, nullptr);
            EXPECT_NE(message_text(box).find("You have chosen to remove " + known), std::string::npos);
            ASSERT_TRUE(answer(box, answer_with));
            ASSERT_TRUE(flush_posted(list));
            EXPECT_EQ(find_row(read_rows(list), 0, shown) >= 0, answer_with == IDNO);
            EXPECT_EQ(read_text(HKEY_CURRENT_USER, kKnownTasksKey, known).has_value(), answer_with == IDNO);
        }
    }
    EXPECT_FALSE(file_exists("C:\\windows\\tasks\\" + work_item));
    EXPECT_FALSE(file_exists("C:\\windows\\system32\\tasks\\" + task2));
    EXPECT_TRUE(file_exists("C:\\windows\\system32\\tasks\\Northwind\\Agents\\Northwind Telemetry"));
    quit(s);
}

}  // namespace
}  // namespace sx::e2e::test
