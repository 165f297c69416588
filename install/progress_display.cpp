#include "install/progress_display.h"

#include "resources/resource_ids.h"
#include "setup/bounded_text.h"
#include "setup/setup_state.h"
#include "setup/text.h"

namespace {

constexpr COLORREF BOX_OUTLINE_GREY = RGB(128, 128, 128);
constexpr COLORREF BAR_BLUE = RGB(0, 0, 255);
constexpr int BAR_INSET = 2;
constexpr int PERCENT_CHARS = 16;

void show_now(HWND page, int id, const char* text)
{
    SetDlgItemTextA(page, id, text);
    UpdateWindow(GetDlgItem(page, id));
}

// The client area of control id in the page's client coordinates.
RECT control_rect_in_page(HWND page, int id)
{
    HWND control = GetDlgItem(page, id);
    RECT rect = {};
    GetClientRect(control, &rect);
    POINT control_origin = {0, 0};
    POINT page_origin = {0, 0};
    ClientToScreen(control, &control_origin);
    ClientToScreen(page, &page_origin);
    OffsetRect(&rect, control_origin.x - page_origin.x, control_origin.y - page_origin.y);
    return rect;
}

void draw_sunken_box(HWND page, HDC dc, int id)
{
    RECT box = control_rect_in_page(page, id);
    HGDIOBJ old_brush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
    HGDIOBJ old_pen = SelectObject(dc, GetStockObject(WHITE_PEN));
    Rectangle(dc, box.left, box.top, box.right, box.bottom);

    OffsetRect(&box, -1, -1);
    HPEN grey = CreatePen(PS_SOLID, 1, BOX_OUTLINE_GREY);
    SelectObject(dc, grey);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, box.left, box.top, box.right, box.bottom);

    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    DeleteObject(grey);
}

}  // namespace

void show_status(HWND page, const char* text)
{
    show_now(page, IDC_STATUS, text);
}

void show_copying(HWND page, const FileEntry& file)
{
    char text[TEXT_CHARS];
    copy_text(text, load_text(IDS_COPYING));
    append_text(text, file.source_name);
    append_text(text, "\n\n");
    append_text(text, file.description);
    show_status(page, text);
}

void show_percent(HWND page, short percent)
{
    char text[PERCENT_CHARS];
    wsprintfA(text, "%d%%", percent);
    show_now(page, IDC_PERCENT, text);
}

void draw_bar(HWND page, HDC dc, short percent)
{
    const RECT bar = progress_bar_rect(control_rect_in_page(page, IDC_BAR_FRAME), percent);
    HBRUSH blue = CreateSolidBrush(BAR_BLUE);
    FillRect(dc, &bar, blue);
    DeleteObject(blue);
}

void draw_empty_bar(HWND page, HDC dc)
{
    draw_sunken_box(page, dc, IDC_BAR_FRAME);
}

RECT progress_bar_rect(RECT frame, short percent)
{
    InflateRect(&frame, -BAR_INSET, -BAR_INSET);
    OffsetRect(&frame, -1, -1);
    frame.right = frame.left + (frame.right - frame.left + 1) * percent / 100;
    return frame;
}
