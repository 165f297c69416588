// Top-level windows of the test's own thread, which answer while the test
// waits (every wait pumps this thread's messages).
#pragma once

#include <windows.h>

namespace e2e {

// A hidden window of the class, registered on first use with the procedure.
HWND create_own_window(const char* class_name, WNDPROC procedure, const char* title);

// A top-level window of the test's own thread with the given title, which
// counts the WM_CLOSE it receives and stays open.
class TitledWindow {
public:
    explicit TitledWindow(const char* title);
    ~TitledWindow();
    TitledWindow(const TitledWindow&) = delete;
    TitledWindow& operator=(const TitledWindow&) = delete;

    HWND window() const { return window_; }
    int close_requests() const;

private:
    HWND window_ = nullptr;
};

}  // namespace e2e
