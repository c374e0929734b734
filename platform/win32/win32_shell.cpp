#include "platform/win32/win32_shell.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <intshcut.h>

#include "platform/win32/handles.h"
#include "platform/win32/text_buffer.h"

namespace sx::win32 {

namespace {

// ShellExecuteA reports success with a value above this; WinExec with a value above kWinExecFailedMax.
constexpr INT_PTR kShellExecuteFailedMax = 32;
constexpr UINT kWinExecFailedMax = 31;
// The longest arguments and description a shell link holds.
constexpr int kLinkTextMax = INFOTIPSIZE;

HWND window_of(platform::WindowRef owner) { return reinterpret_cast<HWND>(owner); }

ComPtr<IShellLinkA> new_link() {
    ComPtr<IShellLinkA> link;
    CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.put_void());
    return link;
}

// A getter's text from a buffer of `size` characters.
template <typename Get>
std::string link_text(int size, Get get) {
    std::string buffer(static_cast<size_t>(size), '\0');
    if (FAILED(get(buffer.data(), size))) return {};
    buffer.resize(buffer.find('\0') == std::string::npos ? buffer.size() : buffer.find('\0'));
    return buffer;
}

}  // namespace

std::optional<platform::Shortcut> Win32Shell::read_shortcut(std::string_view path) {
    ComPtr<IShellLinkA> link = new_link();
    ComPtr<IPersistFile> file = link.query<IPersistFile>(IID_IPersistFile);
    if (!file || FAILED(file->Load(wide(path).c_str(), STGM_READ))) return std::nullopt;
    // Without user interface and without writing the link back; a target that is gone does not stop
    // the reading.
    link->Resolve(nullptr, SLR_NO_UI | SLR_NOUPDATE);
    platform::Shortcut out;
    out.target = link_text(MAX_PATH, [&](char* b, int n) { return link->GetPath(b, n, nullptr, 0); });
    out.arguments = link_text(kLinkTextMax, [&](char* b, int n) { return link->GetArguments(b, n); });
    out.working_folder = link_text(MAX_PATH, [&](char* b, int n) { return link->GetWorkingDirectory(b, n); });
    out.description = link_text(kLinkTextMax, [&](char* b, int n) { return link->GetDescription(b, n); });
    int index = 0;
    out.icon = link_text(MAX_PATH, [&](char* b, int n) { return link->GetIconLocation(b, n, &index); });
    out.icon_index = index;
    return out;
}

bool Win32Shell::save_shortcut(std::string_view path, const platform::Shortcut& link_fields) {
    ComPtr<IShellLinkA> link = new_link();
    if (!link) return false;
    if (FAILED(link->SetPath(link_fields.target.c_str())) ||
        FAILED(link->SetArguments(link_fields.arguments.c_str())) ||
        FAILED(link->SetWorkingDirectory(link_fields.working_folder.c_str())) ||
        FAILED(link->SetDescription(link_fields.description.c_str())) ||
        FAILED(link->SetIconLocation(link_fields.icon.c_str(), link_fields.icon_index))) {
        return false;
    }
    ComPtr<IPersistFile> file = link.query<IPersistFile>(IID_IPersistFile);
    return file && SUCCEEDED(file->Save(wide(path).c_str(), TRUE));
}

bool Win32Shell::execute(platform::WindowRef owner, std::string_view verb, std::string_view file,
                         std::string_view parameters, std::string_view folder, int show) {
    const std::string verb_text(verb), file_text(file), parameters_text(parameters), folder_text(folder);
    const HINSTANCE result = ShellExecuteA(window_of(owner), or_null(verb_text), file_text.c_str(),
                                          or_null(parameters_text), or_null(folder_text), show);
    return reinterpret_cast<INT_PTR>(result) > kShellExecuteFailedMax;
}

bool Win32Shell::properties(platform::WindowRef owner, std::string_view file, std::string_view folder) {
    const std::string file_text(file), folder_text(folder);
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = window_of(owner);
    info.lpVerb = "properties";
    info.lpFile = file_text.c_str();
    info.lpDirectory = or_null(folder_text);
    info.nShow = SW_SHOW;
    return ShellExecuteExA(&info) != 0;
}

bool Win32Shell::run(std::string_view command_line, int show) {
    return WinExec(std::string(command_line).c_str(), static_cast<UINT>(show)) > kWinExecFailedMax;
}

bool Win32Shell::open_and_wait(platform::WindowRef owner, std::string_view file, unsigned wait_ms) {
    const std::string file_text(file);
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof(info);
    // No error dialog of the shell's own: the caller decides what a failure means.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = window_of(owner);
    info.lpVerb = "open";
    info.lpFile = file_text.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&info)) return false;
    // A handler opened in a process that was already running gives no process to wait for.
    UniqueHandle process(info.hProcess);
    if (process) WaitForSingleObject(process.get(), wait_ms);
    return true;
}

bool Win32Shell::save_internet_shortcut(std::string_view path, std::string_view address) {
    ComPtr<IUniformResourceLocatorA> locator;
    if (FAILED(CoCreateInstance(CLSID_InternetShortcut, nullptr, CLSCTX_INPROC_SERVER, IID_IUniformResourceLocatorA,
                                locator.put_void()))) {
        return false;
    }
    if (FAILED(locator->SetURL(std::string(address).c_str(), 0))) return false;
    ComPtr<IPersistFile> file = locator.query<IPersistFile>(IID_IPersistFile);
    return file && SUCCEEDED(file->Save(wide(path).c_str(), TRUE));
}

bool Win32Shell::find_window(std::string_view class_name, std::string_view caption) {
    return FindWindowA(std::string(class_name).c_str(), std::string(caption).c_str()) != nullptr;
}

}  // namespace sx::win32
