#include "background/background_window.h"

#include "setup/setup_state.h"

// Stand-in until the background is written: a plain full-screen window.
LRESULT CALLBACK background_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    return DefWindowProcA(window, message, wparam, lparam);
}

int create_background_window()
{
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = background_window_proc;
    window_class.hInstance = state.instance;
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    window_class.lpszClassName = "SetupMain";
    RegisterClassA(&window_class);
    state.background_window = CreateWindowExA(0, "SetupMain", "Setup", WS_POPUP | WS_VISIBLE, 0, 0, state.screen_cx,
                                              state.screen_cy, nullptr, nullptr, state.instance, nullptr);
    return state.background_window != nullptr;
}
