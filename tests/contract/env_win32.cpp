// The contract environment on the Win32 adapters, run under Wine in a throwaway prefix. Setting up and
// cleaning up use the Win32 API directly, never the adapters under test.
#include <windows.h>
#include <initguid.h>
#include <mstask.h>
#include <taskschd.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/win32_platform.h"
#include "tests/contract/contract_env.h"
#include "tests/support/fake_platform.h"

namespace sx::contract {

namespace {

constexpr DWORD kChildLifetimeMs = 60 * 1000;
constexpr DWORD kChildEndWaitMs = 5 * 1000;
constexpr DWORD kIdPollMs = 50;
constexpr int kServiceWaits = 100;
constexpr const char* kScratchRoot = "C:\\sxcontract";
constexpr const char* kScratchKeyParent = "Software\\SentrixContract";
constexpr const char* kSessionManagerKey = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr const char* kPendingRenames = "PendingFileRenameOperations";

std::string own_program() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length < MAX_PATH ? length : 0);
}

void delete_folder_tree(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    win32::UniqueFind find(FindFirstFileA((folder + "\\*").c_str(), &found));
    for (bool more = static_cast<bool>(find); more; more = FindNextFileA(find.get(), &found)) {
        const std::string name = found.cFileName, path = folder + "\\" + name;
        if (name == "." || name == "..") continue;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) delete_folder_tree(path);
        else DeleteFileA(path.c_str());
    }
    find.reset();
    RemoveDirectoryA(folder.c_str());
}

class Win32Env : public Env {
public:
    explicit Win32Env(const std::string& test_name)
        : key_(std::string(kScratchKeyParent) + "\\" + test_name),
          class_("SentrixContract." + test_name),
          folder_(std::string(kScratchRoot) + "\\" + test_name),
          test_(test_name),
          platform_(prompts_) {
        clean_up();
        win32::UniqueHkey key;
        RegCreateKeyA(HKEY_CURRENT_USER, key_.c_str(), key.put());
        CreateDirectoryA(kScratchRoot, nullptr);
        CreateDirectoryA(folder_.c_str(), nullptr);
    }

    ~Win32Env() override {
        if (!service_.empty()) remove_service();
        if (!work_item_.empty()) {
            win32::ComPtr<ITaskScheduler> scheduler;
            if (SUCCEEDED(CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                                           scheduler.put_void()))) {
                scheduler->Delete(work_item_.c_str());
            }
        }
        if (task_folder_) {
            task_folder_->DeleteTask(text(test_).get(), 0);
            task_root_->DeleteFolder(text("SxContract").get(), 0);
        }
        for (auto& [pid, process] : children_) TerminateProcess(process.get(), 0);
        children_.clear();
        open_files_.clear();
        clean_up();
        // The shared parents go with the last test that used them.
        RegDeleteKeyA(HKEY_CURRENT_USER, kScratchKeyParent);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kScratchKeyParent);
        RemoveDirectoryA(kScratchRoot);
    }

    platform::Platform& os() override { return platform_.os(); }
    std::string scratch_key() override { return key_; }
    std::string scratch_class() override { return class_; }
    std::string scratch_folder() override { return folder_; }

    std::string version_file() override { return own_program(); }

    std::string string_file() override {
        const std::string path = folder_ + "\\strings.exe";
        CopyFileA(own_program().c_str(), path.c_str(), FALSE);
        return path;
    }

    std::string long_named_folder() override {
        const std::string path = folder_ + "\\A Folder With A Long Name";
        CreateDirectoryA(path.c_str(), nullptr);
        return path;
    }

    void hold_open_unshared(const std::string& path) override {
        open_files_.emplace_back(
            CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    }

    uint32_t start_child() override {
        const std::string program = own_program();
        std::string command_line = "\"" + program + "\" " + kChildArgument;
        // No console and no standard handles: a child holding the test's output pipe would keep the test
        // runner waiting.
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        PROCESS_INFORMATION info{};
        if (!CreateProcessA(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS,
                            nullptr, nullptr, &startup, &info))
            return 0;
        CloseHandle(info.hThread);
        children_[info.dwProcessId] = win32::UniqueHandle(info.hProcess);
        return info.dwProcessId;
    }

    std::string child_program() override { return own_program(); }

    bool child_ended(uint32_t pid) override {
        auto it = children_.find(pid);
        if (it == children_.end()) return true;
        if (WaitForSingleObject(it->second.get(), kChildEndWaitMs) != WAIT_OBJECT_0) return false;
        children_.erase(it);
        // Wine lets an ended process be opened for about half a second after its last handle is closed;
        // wait until its id is really gone, as it is at once on Windows.
        for (DWORD waited = 0; waited < kChildEndWaitMs; waited += kIdPollMs) {
            win32::UniqueHandle still(OpenProcess(SYNCHRONIZE, FALSE, pid));
            if (!still) return true;
            Sleep(kIdPollMs);
        }
        return false;
    }

    std::string scratch_service() override {
        service_ = "SxContract." + test_;
        const char* build = std::getenv("SX_BUILD_DIR");
        const std::string program = "\"" + win32_path(build ? build : "") + "\\demo\\AwSyncSvc.exe\"";
        win32::UniqueService scm(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CREATE_SERVICE));
        win32::UniqueService created(CreateServiceA(scm.get(), service_.c_str(), ("Sentrix Contract " + test_).c_str(),
                                                    SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
                                                    SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE, program.c_str(),
                                                    nullptr, nullptr, nullptr, nullptr, nullptr));
        return created ? service_ : std::string();
    }

    std::string scratch_work_item(const std::string& application) override {
        // Wine's scheduler refuses names with dots.
        std::string plain = "SxContract_" + test_;
        for (char& c : plain) c = c == '.' ? '_' : c;
        const std::wstring name(plain.begin(), plain.end());
        win32::ComPtr<ITaskScheduler> scheduler;
        win32::ComPtr<ITask> task;
        if (FAILED(CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                                    scheduler.put_void())) ||
            FAILED(scheduler->NewWorkItem(name.c_str(), CLSID_CTask, IID_ITask,
                                          reinterpret_cast<IUnknown**>(task.put_void())))) {
            return {};
        }
        const std::wstring wide(application.begin(), application.end());
        task->SetApplicationName(wide.c_str());
        win32::ComPtr<IPersistFile> file = task.query<IPersistFile>(IID_IPersistFile);
        if (!file || FAILED(file->Save(nullptr, TRUE))) return {};
        work_item_ = name;
        return plain + ".job";
    }

    std::string scratch_task(const std::string& application) override {
        const auto xml = text("<?xml version=\"1.0\"?><Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/"
                              "windows/2004/02/mit/task\"><RegistrationInfo><Description>Contract task</Description>"
                              "</RegistrationInfo><Settings><Hidden>true</Hidden></Settings><Actions><Exec><Command>" +
                              application + "</Command></Exec></Actions></Task>");
        win32::ComPtr<ITaskService> service;
        win32::ComPtr<IRegisteredTask> task;
        VARIANT none;
        VariantInit(&none);
        if (FAILED(CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                                    service.put_void())) ||
            FAILED(service->Connect(none, none, none, none)) ||
            FAILED(service->GetFolder(text("\\").get(), task_root_.put())) ||
            FAILED(task_root_->CreateFolder(text("SxContract").get(), none, task_folder_.put())) ||
            FAILED(task_folder_->RegisterTask(text(test_).get(), xml.get(), TASK_CREATE_OR_UPDATE, none, none,
                                              TASK_LOGON_INTERACTIVE_TOKEN, none, task.put()))) {
            return {};
        }
        return "\\SxContract\\" + test_;
    }

    void forget_reboot_operations() override {
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kSessionManagerKey, kPendingRenames);
    }

private:
    // Stopped first (waiting a few seconds at most), then deleted.
    void remove_service() {
        win32::UniqueService scm(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
        win32::UniqueService s(OpenServiceA(scm.get(), service_.c_str(), SERVICE_STOP | SERVICE_QUERY_STATUS | DELETE));
        if (!s) return;
        SERVICE_STATUS status{};
        ControlService(s.get(), SERVICE_CONTROL_STOP, &status);
        for (int i = 0; i < kServiceWaits && QueryServiceStatus(s.get(), &status) &&
                        status.dwCurrentState != SERVICE_STOPPED;
             ++i) {
            Sleep(kIdPollMs);
        }
        DeleteService(s.get());
    }

    // An automation text, freed when it goes.
    static std::unique_ptr<OLECHAR, decltype(&SysFreeString)> text(const std::string& from) {
        return {SysAllocString(std::wstring(from.begin(), from.end()).c_str()), SysFreeString};
    }

    static std::string win32_path(std::string unix_path) {
        if (unix_path.empty() || unix_path[0] != '/') return unix_path;
        for (char& c : unix_path) c = c == '/' ? '\\' : c;
        return "Z:" + unix_path;
    }

    void clean_up() {
        RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str());
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, key_.c_str());
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, ("Software\\Classes\\" + class_).c_str());
        delete_folder_tree(folder_);
    }

    win32::CoInit com_;
    fake::FakePrompts prompts_;
    std::string key_;
    std::string class_;
    std::string folder_;
    std::string test_;
    std::string service_;
    std::wstring work_item_;
    win32::ComPtr<ITaskFolder> task_root_, task_folder_;  // the second interface's, and the test's folder in it
    win32::Win32Platform platform_;
    std::map<uint32_t, win32::UniqueHandle> children_;
    std::vector<win32::UniqueHandle> open_files_;
};

}  // namespace

std::unique_ptr<Env> make_env(const std::string& test_name) { return std::make_unique<Win32Env>(test_name); }

}  // namespace sx::contract

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == sx::contract::kChildArgument) {
        Sleep(sx::contract::kChildLifetimeMs);
        return 0;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
