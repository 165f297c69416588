// A program under test, started with CreateProcess, and the windows it
// shows: pages found by their window class, message boxes and dialogs as
// they come up, and its exit code.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/ui.h"

namespace e2e {

constexpr DWORD DEFAULT_TIMEOUT_MS = 20000;

struct StartOptions {
    // Started with a token from which this privilege is removed, so that
    // the program cannot enable it (e.g. "SeShutdownPrivilege").
    const char* without_privilege = nullptr;
    // Started as the shell starts a registered command: this command line
    // as it stands, quotes and all, with no separate program name; the
    // path given to SetupProcess then only names the working folder.
    const char* command_line = nullptr;
};

// One run of a program. All waits pump this thread's messages, so windows of
// the test (a stand-in "RollPoint") answer, and stretch their timeouts as
// scaled_ms does. What does not come in time is reported as a failure.
class SetupProcess {
public:
    explicit SetupProcess(const std::string& exe, const StartOptions& options = {});
    ~SetupProcess();  // ends the program if it is still running
    SetupProcess(const SetupProcess&) = delete;
    SetupProcess& operator=(const SetupProcess&) = delete;

    bool started() const { return process_ != nullptr; }
    DWORD pid() const { return pid_; }
    bool running() const;

    // The next visible top-level window of the class that this call has not
    // returned before, once the program's thread has come back to its message
    // loop; null (and a failure naming the windows there are) on timeout.
    HWND wait_page(const char* class_name, DWORD timeout_ms = DEFAULT_TIMEOUT_MS);
    // As wait_page and wait_box, without waiting and without a failure:
    // null (or a box with a null window) when there is none yet.
    HWND try_page(const char* class_name);
    Box try_box();
    // The next dialog of the standard class (#32770) that is not a message
    // box, such as the directory browser; null on timeout.
    HWND wait_dialog(DWORD timeout_ms = DEFAULT_TIMEOUT_MS);
    // The next message box not yet returned; window null on timeout.
    Box wait_box(DWORD timeout_ms = DEFAULT_TIMEOUT_MS);
    // Reads the box and presses the given button.
    Box answer_box(int button, DWORD timeout_ms = DEFAULT_TIMEOUT_MS);
    // The exit code, or STILL_ACTIVE after the timeout.
    DWORD wait_exit(DWORD timeout_ms = DEFAULT_TIMEOUT_MS);

    // The classes of its visible top-level windows, e.g. {"SetupMain", "SETUP_BEGIN"}.
    std::vector<std::string> window_classes() const;
    std::string describe_windows() const;

private:
    // The first of its visible windows that accept() takes and this run has
    // not returned yet, once its thread has come back to its message loop
    // (or, unless that is required, has not done so in time).
    HWND next_window(const std::function<bool(HWND)>& accept, bool idle_required);
    // Asks look() until it finds something, the program ends or the time is
    // up; then a failure saying that no new "what" came.
    bool poll(const std::function<bool()>& look, DWORD timeout_ms, const std::string& what);

    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
    std::vector<HWND> returned_;
};

}  // namespace e2e
