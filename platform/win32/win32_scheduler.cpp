#include "platform/win32/win32_scheduler.h"

#include <windows.h>
#include <initguid.h>
#include <mstask.h>
#include <oleauto.h>
#include <taskschd.h>

#include <string>
#include <utility>

#include "platform/win32/handles.h"
#include "platform/win32/text_buffer.h"

namespace sx::win32 {

namespace {

constexpr ULONG kNamesPerCall = 5;

ComPtr<ITaskScheduler> scheduler() {
    ComPtr<ITaskScheduler> s;
    if (FAILED(CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                                s.put_void()))) {
        return {};
    }
    return s;
}

// Work items enumerate with their ".job" extension, which opening and deleting them refuse.
std::wstring item_name(std::string_view name) {
    std::string plain(name);
    if (plain.size() > 4 && _stricmp(plain.c_str() + plain.size() - 4, ".job") == 0) plain.resize(plain.size() - 4);
    return wide(plain);
}

platform::LocalTime local(const SYSTEMTIME& t) {
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

// A COM text the callee allocated, freed when it goes.
struct CoText {
    wchar_t* text = nullptr;
    ~CoText() { CoTaskMemFree(text); }
};

// ---- the second interface (Task Scheduler 2.0) ----

constexpr HRESULT kHasNotRun = 0x00041303;  // SCHED_S_TASK_HAS_NOT_RUN
constexpr int kFolderDepthMax = 32;         // deeper folders are not walked

// An automation text, freed when it goes.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const std::wstring& text) : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(text_); }
    BSTR get() const { return text_; }
    BSTR* put() {
        SysFreeString(std::exchange(text_, nullptr));
        return &text_;
    }
    std::string ansi_text() const { return ansi(text_); }

private:
    BSTR text_ = nullptr;
};

VARIANT index_variant(LONG index) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = index;
    return v;
}

ComPtr<ITaskService> task_service() {
    ComPtr<ITaskService> service;
    VARIANT none;
    VariantInit(&none);
    if (FAILED(CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                                service.put_void())) ||
        FAILED(service->Connect(none, none, none, none))) {
        return {};
    }
    return service;
}

ComPtr<ITaskFolder> folder_at(ITaskService* service, const std::wstring& path) {
    ComPtr<ITaskFolder> folder;
    const Bstr name(path.empty() ? std::wstring(L"\\") : path);
    if (FAILED(service->GetFolder(name.get(), folder.put()))) return {};
    return folder;
}

// A run time as the scheduler gives it: a zero date for none; nothing when it did not say.
std::optional<platform::LocalTime> run_time(HRESULT result, DATE date) {
    if (result == kHasNotRun) return platform::LocalTime{};
    if (FAILED(result)) return std::nullopt;
    SYSTEMTIME time{};
    if (date <= 0 || !VariantTimeToSystemTime(date, &time)) return platform::LocalTime{};
    return local(time);
}

std::vector<std::string> exec_programs(ITaskDefinition* definition) {
    std::vector<std::string> programs;
    ComPtr<IActionCollection> actions;
    LONG count = 0;
    if (FAILED(definition->get_Actions(actions.put())) || FAILED(actions->get_Count(&count))) return programs;
    for (LONG i = 1; i <= count; ++i) {  // the collection counts from 1
        ComPtr<IAction> action;
        TASK_ACTION_TYPE type{};
        if (FAILED(actions->get_Item(i, action.put())) || FAILED(action->get_Type(&type)) || type != TASK_ACTION_EXEC) {
            continue;
        }
        ComPtr<IExecAction> exec = action.query<IExecAction>(IID_IExecAction);
        Bstr path;
        if (exec && SUCCEEDED(exec->get_Path(path.put()))) programs.push_back(path.ansi_text());
    }
    return programs;
}

std::optional<platform::Task> read_task(IRegisteredTask* registered) {
    platform::Task task;
    Bstr path;
    if (FAILED(registered->get_Path(path.put()))) return std::nullopt;
    task.path = path.ansi_text();
    TASK_STATE state = TASK_STATE_UNKNOWN;
    if (SUCCEEDED(registered->get_State(&state))) task.state = static_cast<uint32_t>(state);
    DATE date = 0;
    HRESULT result = registered->get_LastRunTime(&date);
    task.last_run = run_time(result, date);
    date = 0;
    result = registered->get_NextRunTime(&date);
    task.next_run = run_time(result, date);
    ComPtr<ITaskDefinition> definition;
    if (SUCCEEDED(registered->get_Definition(definition.put()))) {
        ComPtr<ITaskSettings> settings;
        VARIANT_BOOL hidden = VARIANT_FALSE;
        if (SUCCEEDED(definition->get_Settings(settings.put())) && SUCCEEDED(settings->get_Hidden(&hidden))) {
            task.hidden = hidden != VARIANT_FALSE;
        }
        ComPtr<IRegistrationInfo> info;
        Bstr description;
        if (SUCCEEDED(definition->get_RegistrationInfo(info.put())) &&
            SUCCEEDED(info->get_Description(description.put()))) {
            task.description = description.ansi_text();
        }
        task.programs = exec_programs(definition.get());
    }
    return task;
}

// The names of a folder's tasks from the files of the scheduler's store (System32\Tasks), for a
// scheduler whose collection of tasks cannot be counted: Wine's answers E_NOTIMPL.
std::vector<std::wstring> stored_task_names(const std::wstring& folder_path) {
    wchar_t system[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    std::wstring folder = std::wstring(system) + L"\\Tasks" + (folder_path == L"\\" ? L"" : folder_path);
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return names;
}

void walk_folder(ITaskFolder* folder, int depth, std::vector<platform::Task>& out) {
    ComPtr<IRegisteredTaskCollection> tasks;
    LONG count = 0;
    if (SUCCEEDED(folder->GetTasks(TASK_ENUM_HIDDEN, tasks.put()))) {
        const HRESULT counted = tasks->get_Count(&count);
        if (SUCCEEDED(counted)) {
            for (LONG i = 1; i <= count; ++i) {
                ComPtr<IRegisteredTask> registered;
                if (FAILED(tasks->get_Item(index_variant(i), registered.put()))) continue;
                if (std::optional<platform::Task> task = read_task(registered.get())) out.push_back(std::move(*task));
            }
        } else if (counted == E_NOTIMPL) {
            Bstr path;
            folder->get_Path(path.put());
            for (const std::wstring& name : stored_task_names(path.get() ? path.get() : L"\\")) {
                ComPtr<IRegisteredTask> registered;
                const Bstr task_name(name);
                if (FAILED(folder->GetTask(task_name.get(), registered.put()))) continue;
                if (std::optional<platform::Task> task = read_task(registered.get())) out.push_back(std::move(*task));
            }
        }
    }
    ComPtr<ITaskFolderCollection> folders;
    if (depth >= kFolderDepthMax || FAILED(folder->GetFolders(0, folders.put())) || FAILED(folders->get_Count(&count))) {
        return;
    }
    for (LONG i = 1; i <= count; ++i) {
        ComPtr<ITaskFolder> sub;
        if (SUCCEEDED(folders->get_Item(index_variant(i), sub.put()))) walk_folder(sub.get(), depth + 1, out);
    }
}

}  // namespace

bool Win32Scheduler::names(std::vector<std::string>& out) {
    out.clear();
    const ComPtr<ITaskScheduler> s = scheduler();
    ComPtr<IEnumWorkItems> items;
    if (!s || FAILED(s->Enum(reinterpret_cast<IEnumWorkItems**>(items.put_void())))) return false;
    for (;;) {
        LPWSTR* batch = nullptr;
        ULONG fetched = 0;
        const HRESULT result = items->Next(kNamesPerCall, &batch, &fetched);
        for (ULONG i = 0; i < fetched; ++i) {
            out.push_back(ansi(batch[i]));
            CoTaskMemFree(batch[i]);
        }
        CoTaskMemFree(batch);
        if (FAILED(result) || fetched == 0) return true;
    }
}

std::optional<platform::WorkItem> Win32Scheduler::item(std::string_view name) {
    const ComPtr<ITaskScheduler> s = scheduler();
    ComPtr<ITask> task;
    if (!s || FAILED(s->Activate(item_name(name).c_str(), IID_ITask, reinterpret_cast<IUnknown**>(task.put_void())))) {
        return std::nullopt;
    }
    platform::WorkItem item;
    CoText application, comment;
    if (SUCCEEDED(task->GetApplicationName(&application.text))) item.application = ansi(application.text);
    if (SUCCEEDED(task->GetComment(&comment.text))) item.comment = ansi(comment.text);
    SYSTEMTIME time{};
    // A time the scheduler does not have comes back as success with a zero date, or as a failure.
    if (SUCCEEDED(task->GetMostRecentRunTime(&time))) item.last_run = local(time);
    time = {};
    if (SUCCEEDED(task->GetNextRunTime(&time))) item.next_run = local(time);
    HRESULT status = 0;
    if (SUCCEEDED(task->GetStatus(&status))) item.status = status;
    return item;
}

bool Win32Scheduler::remove(std::string_view name) {
    const ComPtr<ITaskScheduler> s = scheduler();
    return s && SUCCEEDED(s->Delete(item_name(name).c_str()));
}

bool Win32Scheduler::tasks(std::vector<platform::Task>& out) {
    out.clear();
    const ComPtr<ITaskService> service = task_service();
    const ComPtr<ITaskFolder> root = service ? folder_at(service.get(), L"\\") : ComPtr<ITaskFolder>();
    if (!root) return false;
    walk_folder(root.get(), 0, out);
    return true;
}

bool Win32Scheduler::remove_task(std::string_view path) {
    const std::wstring full = wide(path);
    const size_t slash = full.rfind(L'\\');
    if (full.empty() || full[0] != L'\\' || slash + 1 >= full.size()) return false;
    const ComPtr<ITaskService> service = task_service();
    const ComPtr<ITaskFolder> folder = service ? folder_at(service.get(), full.substr(0, slash)) : ComPtr<ITaskFolder>();
    const Bstr name(full.substr(slash + 1));
    return folder && SUCCEEDED(folder->DeleteTask(name.get(), 0));
}

}  // namespace sx::win32
