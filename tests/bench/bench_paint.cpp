// The background window's creation and first paint, timed in-process and
// split into its parts at the current screen size. Prints one line
// "PAINT_US <create+first paint> <dissolve of both logos> <both logos drawn directly> <repaint>".
// With --exit it only connects to the display and ends: the cost of starting
// a windowed program under Wine.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "background/background_window.h"
#include "background/draw_bitmap.h"
#include "resources/resource_ids.h"
#include "setup/setup_state.h"

namespace {

LARGE_INTEGER frequency;

long long now_us()
{
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart * 1000000 / frequency.QuadPart;
}

// Both logos where the first paint puts them.
long long time_logos(HWND window, int dissolve)
{
    HDC dc = GetDC(window);
    const RECT top = {20, 10, 420, 60};
    const RECT bottom = {20, state.screen_cy - 60, 600, state.screen_cy - 10};
    const long long start = now_us();
    draw_bitmap(dc, IDB_TOP_LOGO, top, dissolve);
    draw_bitmap(dc, IDB_BOTTOM_LOGO, bottom, dissolve);
    GdiFlush();
    const long long spent = now_us() - start;
    ReleaseDC(window, dc);
    return spent;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--exit") == 0) {
        ReleaseDC(nullptr, GetDC(nullptr));
        return 0;
    }
    QueryPerformanceFrequency(&frequency);
    state.instance = GetModuleHandleA(nullptr);
    state.screen_cx = static_cast<short>(GetSystemMetrics(SM_CXSCREEN));
    state.screen_cy = static_cast<short>(GetSystemMetrics(SM_CYSCREEN));

    long long start = now_us();
    if (!create_background_window()) return 1;
    GdiFlush();
    const long long created = now_us() - start;

    const long long dissolve = time_logos(state.background_window, 1);
    const long long direct = time_logos(state.background_window, 0);

    start = now_us();
    RedrawWindow(state.background_window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    GdiFlush();
    const long long repaint = now_us() - start;

    std::printf("PAINT_US %lld %lld %lld %lld %dx%d\n", created, dissolve, direct, repaint, state.screen_cx,
                state.screen_cy);
    DestroyWindow(state.background_window);
    return 0;
}
