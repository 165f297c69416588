#include "background/background_window.h"

#include <bit>

#include "background/draw_bitmap.h"
#include "resources/resource_ids.h"
#include "setup/setup_state.h"

namespace {

// The single-precision value nearest 1/255, a little above it, so that 255
// bands of screen_cy * factor rows end exactly on the last row.
constexpr float ONE_BAND = std::bit_cast<float>(0x3B808081u);

constexpr char CLASS_NAME[] = "SetupMain";
constexpr char WINDOW_TITLE[] = "Setup";
constexpr DWORD WINDOW_STYLE = WS_POPUP | WS_VISIBLE | WS_BORDER;

constexpr POINT TOP_LOGO_AT = {20, 10};
constexpr POINT BOTTOM_LOGO_AT = {20, 60};  // y counted up from the screen's bottom
// Where a repaint must redraw a logo: the logo's own width, so that no part
// of it can be left erased by the gradient.
constexpr SIZE TOP_LOGO_SIZE = {400, 50};
constexpr SIZE BOTTOM_LOGO_TEST = {580, 50};

RECT top_logo_rect()
{
    return {TOP_LOGO_AT.x, TOP_LOGO_AT.y, TOP_LOGO_AT.x + TOP_LOGO_SIZE.cx, TOP_LOGO_AT.y + TOP_LOGO_SIZE.cy};
}

RECT bottom_logo_rect()
{
    const int top = state.screen_cy - BOTTOM_LOGO_AT.y;
    return {BOTTOM_LOGO_AT.x, top, BOTTOM_LOGO_AT.x + BOTTOM_LOGO_TEST.cx, top + BOTTOM_LOGO_TEST.cy};
}

void fill_gradient(HDC dc)
{
    const float factor = band_height_factor(state.screen_cy);
    for (int band = 0; band < BAND_COUNT; ++band) {
        const BandRows rows = band_rows(factor, band);
        const RECT area{0, rows.top, state.screen_cx, rows.bottom};
        HBRUSH brush = CreateSolidBrush(band_colour(band));
        FillRect(dc, &area, brush);
        DeleteObject(brush);
    }
}

void draw_logo_if_touched(HDC dc, const RECT& update, const RECT& logo, WORD bitmap_id)
{
    RECT overlap{};
    if (IntersectRect(&overlap, &logo, &update)) draw_bitmap(dc, bitmap_id, logo, state.first_paint);
}

void paint(HWND window)
{
    PAINTSTRUCT paint_info{};
    HDC dc = BeginPaint(window, &paint_info);
    fill_gradient(dc);
    draw_logo_if_touched(dc, paint_info.rcPaint, top_logo_rect(), IDB_TOP_LOGO);
    if (state.oem == 0) draw_logo_if_touched(dc, paint_info.rcPaint, bottom_logo_rect(), IDB_BOTTOM_LOGO);
    state.first_paint = 0;
    EndPaint(window, &paint_info);
}

void drain_messages()
{
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

float band_height_factor(short screen_cy)
{
    return static_cast<float>(static_cast<float>(screen_cy) * ONE_BAND);
}

BandRows band_rows(float factor, int band)
{
    // Products of a float and a small integer are exact in double.
    return {static_cast<int>(band * static_cast<double>(factor)),
            static_cast<int>((band + 1) * static_cast<double>(factor))};
}

COLORREF band_colour(int band)
{
    return RGB(0, 0, 255 - band);
}

LRESULT CALLBACK background_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_CREATE:
        SetWindowPos(window, HWND_TOPMOST, 0, 0, state.screen_cx, state.screen_cy, SWP_SHOWWINDOW);
        return 0;
    case WM_PAINT:
        paint(window);
        return 0;
    case WM_DESTROY:
        return 0;
    case WM_SETUP_INIT:
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

int create_background_window()
{
    WNDCLASSA window_class{};
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = background_window_proc;
    window_class.hInstance = state.instance;
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.lpszClassName = CLASS_NAME;
    RegisterClassA(&window_class);

    state.background_window = CreateWindowExA(0, CLASS_NAME, WINDOW_TITLE, WINDOW_STYLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                              CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, state.instance, nullptr);
    if (state.background_window == nullptr) return 0;
    drain_messages();
    return 1;
}
