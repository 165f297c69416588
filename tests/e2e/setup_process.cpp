#include "setup_process.h"

#include <algorithm>

#include "support/failures.h"
#include "support/waits.h"

namespace e2e {

namespace {

constexpr DWORD POLL_MS = 20;
constexpr DWORD END_WAIT_MS = 5000;

struct ProcessWindows {
    DWORD pid;
    std::vector<HWND> windows;
};

BOOL CALLBACK collect_window(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<ProcessWindows*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->pid && IsWindowVisible(window)) search->windows.push_back(window);
    return TRUE;
}

std::vector<HWND> visible_windows(DWORD pid)
{
    ProcessWindows search{pid, {}};
    EnumWindows(collect_window, reinterpret_cast<LPARAM>(&search));
    return search.windows;
}

// The program's thread handles a sent message only from a message loop, so
// an answer means it has finished what it did before (a page's setup).
bool wait_until_idle(HWND window, DWORD timeout_ms)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, timeout_ms, &result) != 0;
}

HANDLE token_without(const char* privilege)
{
    HANDLE own = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &own)) return nullptr;
    LUID_AND_ATTRIBUTES removed = {};
    HANDLE restricted = nullptr;
    if (LookupPrivilegeValueA(nullptr, privilege, &removed.Luid))
        CreateRestrictedToken(own, 0, 0, nullptr, 1, &removed, 0, nullptr, &restricted);
    CloseHandle(own);
    return restricted;
}

}  // namespace

SetupProcess::SetupProcess(const std::string& exe, const StartOptions& options)
{
    const std::string folder = exe.substr(0, exe.find_last_of('\\'));
    std::string command = options.command_line != nullptr ? options.command_line : "\"" + exe + "\"";
    const char* application = options.command_line != nullptr ? nullptr : exe.c_str();
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created = {};
    BOOL ok = FALSE;
    if (options.without_privilege != nullptr) {
        HANDLE token = token_without(options.without_privilege);
        if (token == nullptr) {
            report_failure(std::string("no token without ") + options.without_privilege);
            return;
        }
        ok = CreateProcessAsUserA(token, application, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  folder.c_str(), &startup, &created);
        CloseHandle(token);
    } else {
        ok = CreateProcessA(application, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                            &startup, &created);
    }
    if (!ok) {
        report_failure("cannot start " + exe + ", error " + std::to_string(GetLastError()));
        return;
    }
    CloseHandle(created.hThread);
    process_ = created.hProcess;
    pid_ = created.dwProcessId;
}

SetupProcess::~SetupProcess()
{
    if (process_ == nullptr) return;
    if (running()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, END_WAIT_MS);
    }
    CloseHandle(process_);
}

bool SetupProcess::running() const
{
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

HWND SetupProcess::next_window(const std::function<bool(HWND)>& accept, bool idle_required)
{
    for (HWND window : visible_windows(pid_)) {
        if (!accept(window)) continue;
        if (std::find(returned_.begin(), returned_.end(), window) != returned_.end()) continue;
        if (!wait_until_idle(window, scaled_ms(DEFAULT_TIMEOUT_MS)) && idle_required) continue;
        returned_.push_back(window);
        return window;
    }
    return nullptr;
}

bool SetupProcess::poll(const std::function<bool()>& look, DWORD timeout_ms, const std::string& what)
{
    const DWORD limit = scaled_ms(timeout_ms);
    const DWORD start = GetTickCount();
    do {
        if (look()) return true;
        if (!running()) break;
        pump_messages_for(POLL_MS);
    } while (GetTickCount() - start < limit);
    report_failure("no new " + what + "; the program shows " + describe_windows() +
                   (running() ? "" : " and has ended"));
    return false;
}

HWND SetupProcess::try_page(const char* class_name)
{
    return next_window([class_name](HWND window) { return window_class(window) == class_name; }, true);
}

Box SetupProcess::try_box()
{
    HWND box = next_window(is_message_box, false);
    return box != nullptr ? read_box(box) : Box{};
}

HWND SetupProcess::wait_page(const char* class_name, DWORD timeout_ms)
{
    HWND page = nullptr;
    poll([&] { return (page = try_page(class_name)) != nullptr; }, timeout_ms, std::string(class_name) + " window");
    return page;
}

Box SetupProcess::wait_box(DWORD timeout_ms)
{
    Box box;
    poll([&] { return (box = try_box()).window != nullptr; }, timeout_ms, "message box");
    return box;
}

HWND SetupProcess::wait_dialog(DWORD timeout_ms)
{
    const auto is_dialog = [](HWND window) { return window_class(window) == "#32770" && !is_message_box(window); };
    HWND dialog = nullptr;
    poll([&] { return (dialog = next_window(is_dialog, true)) != nullptr; }, timeout_ms, "dialog");
    return dialog;
}

Box SetupProcess::answer_box(int button, DWORD timeout_ms)
{
    Box box = wait_box(timeout_ms);
    if (box.window != nullptr) press_button(box, button);
    return box;
}

DWORD SetupProcess::wait_exit(DWORD timeout_ms)
{
    if (process_ == nullptr) return STILL_ACTIVE;
    const DWORD limit = scaled_ms(timeout_ms);
    const DWORD start = GetTickCount();
    while (running() && GetTickCount() - start < limit) pump_messages_for(POLL_MS);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_, &code);
    return code;
}

std::vector<std::string> SetupProcess::window_classes() const
{
    std::vector<std::string> classes;
    for (HWND window : visible_windows(pid_)) classes.push_back(window_class(window));
    return classes;
}

std::string SetupProcess::describe_windows() const
{
    std::string text = "[";
    for (HWND window : visible_windows(pid_)) {
        if (text.size() > 1) text += ", ";
        text += window_class(window) + " \"" + window_title(window) + "\"";
        if (is_message_box(window)) text += " saying \"" + control_text(window, BOX_TEXT_ID) + "\"";
    }
    return text + "]";
}

}  // namespace e2e
