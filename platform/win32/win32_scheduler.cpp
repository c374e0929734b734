#include "platform/win32/win32_scheduler.h"

#include <windows.h>
#include <initguid.h>
#include <mstask.h>

#include <string>

#include "platform/win32/handles.h"

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

std::string ansi(const wchar_t* text) {
    if (!text) return {};
    const int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) return {};
    std::string out(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, out.data(), length, nullptr, nullptr);
    out.resize(static_cast<size_t>(length - 1));
    return out;
}

// Work items enumerate with their ".job" extension, which opening and deleting them refuse.
std::wstring item_name(std::string_view name) {
    std::string plain(name);
    if (plain.size() > 4 && _stricmp(plain.c_str() + plain.size() - 4, ".job") == 0) plain.resize(plain.size() - 4);
    const int length = MultiByteToWideChar(CP_ACP, 0, plain.c_str(), -1, nullptr, 0);
    if (length <= 0) return {};
    std::wstring out(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, plain.c_str(), -1, out.data(), length);
    out.resize(static_cast<size_t>(length - 1));
    return out;
}

platform::LocalTime local(const SYSTEMTIME& t) {
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

// A COM text the callee allocated, freed when it goes.
struct CoText {
    wchar_t* text = nullptr;
    ~CoText() { CoTaskMemFree(text); }
};

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

}  // namespace sx::win32
