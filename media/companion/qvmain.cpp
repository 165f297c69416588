// RollPoint, the wheel utility started at every logon. Its window is what
// Setup asks to close before it replaces the program's files.
#include <windows.h>

namespace {

LRESULT CALLBACK rollpoint_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = rollpoint_proc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszClassName = "RollPointMain";
    RegisterClassA(&window_class);
    HWND window = CreateWindowExA(0, "RollPointMain", "RollPoint", WS_OVERLAPPEDWINDOW, 40, 40, 240, 120, nullptr,
                                  nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    ShowWindow(window, show);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
