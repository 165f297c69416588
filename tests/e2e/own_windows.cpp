#include "own_windows.h"

#include <map>

namespace e2e {

namespace {

constexpr char TITLED_CLASS[] = "E2ETitledWindow";

std::map<HWND, int>& close_counts()
{
    static std::map<HWND, int> counts;
    return counts;
}

LRESULT CALLBACK titled_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_CLOSE) {
        ++close_counts()[window];
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

HWND create_own_window(const char* class_name, WNDPROC procedure, const char* title)
{
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = class_name;
    RegisterClassA(&window_class);
    return CreateWindowExA(0, class_name, title, WS_OVERLAPPED, 0, 0, 120, 60, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

TitledWindow::TitledWindow(const char* title) : window_(create_own_window(TITLED_CLASS, titled_window_proc, title))
{
    close_counts()[window_] = 0;
}

TitledWindow::~TitledWindow()
{
    close_counts().erase(window_);
    DestroyWindow(window_);
}

int TitledWindow::close_requests() const { return close_counts()[window_]; }

}  // namespace e2e
