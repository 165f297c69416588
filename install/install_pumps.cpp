#include "install/install_pumps.h"

#include "resources/resource_ids.h"

PauseCalls pause_calls = {GetTickCount};

int pump_one_message(HWND page)
{
    MSG message;
    if (!PeekMessageA(&message, page, 0, 0, PM_REMOVE)) return 1;
    if (message.message == WM_COMMAND && message.wParam == IDC_INSTALL_CANCEL) return 0;
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return 1;
}

void pause_draining(DWORD ms)
{
    const DWORD start = pause_calls.get_tick_count();
    const DWORD end = start + ms;  // wraps: a pause across the wrap ends at once
    if (start >= end) return;
    MSG message;
    do {
        PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);
    } while (pause_calls.get_tick_count() < end);
}
