#include "install/copy_files.h"

#include <lzexpand.h>

#include "install/registration.h"
#include "resources/resource_ids.h"
#include "setup/bounded_text.h"
#include "setup/setup_state.h"
#include "setup/text.h"

namespace {

constexpr COLORREF BOX_OUTLINE_GREY = RGB(128, 128, 128);
constexpr COLORREF BAR_BLUE = RGB(0, 0, 255);
constexpr int BAR_INSET = 2;
constexpr DWORD REGISTRY_PAUSE_MS = 1000;
constexpr const char* UPDATING_REGISTRY = "Updating Registry...";

TickSource tick_source = GetTickCount;

// LZOpenFileA reports its failures as negative codes.
bool lz_valid(int handle) { return handle >= 0; }

const FileEntry& entry_at(int disk, int index) { return state.disk_files[disk][index]; }

void show_now(HWND page, int id, const char* text)
{
    SetDlgItemTextA(page, id, text);
    UpdateWindow(GetDlgItem(page, id));
}

void show_copying(HWND page, const FileEntry& entry)
{
    char text[TEXT_CHARS];
    copy_text(text, load_text(IDS_COPYING));
    append_text(text, entry.source_name);
    append_text(text, "\n\n");
    append_text(text, entry.description);
    show_now(page, IDC_STATUS, text);
}

void show_percent(HWND page, short percent)
{
    char text[16];
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

void copy_one_file(HWND page, HDC dc, int disk, int index)
{
    char path[MAX_PATH];
    show_copying(page, entry_at(disk, index));
    build_source_path(path, disk, index);
    open_source(page, path);

    const short percent = disk_percent(index, state.files_per_disk[disk]);
    show_percent(page, percent);
    draw_bar(page, dc, percent);

    build_target_path(path, disk, index);
    copy_to_target(page, path);
}

}  // namespace

void build_source_path(char (&out)[MAX_PATH], int disk, int index)
{
    const FileEntry& entry = entry_at(disk, index);
    copy_text(out, state.source_dir);
    append_text(out, "\\");
    append_text(out, entry.source_subdir);
    append_text(out, "\\");
    append_text(out, entry.source_name);
}

void build_target_path(char (&out)[MAX_PATH], int disk, int index)
{
    const FileEntry& entry = entry_at(disk, index);
    out[0] = '\0';
    if (entry.absolute == 0) {
        append_text(out, state.dest_dir);
        append_text(out, "\\");
    }
    append_text(out, entry.target_dir);
    append_text(out, "\\");
    append_text(out, entry.target_name);
}

int open_source(HWND page, char* path)
{
    OFSTRUCT source_info = {};
    state.lz_source = LZOpenFileA(path, &source_info, OF_READ);
    return pump_one_message(page);
}

int copy_to_target(HWND page, char* path)
{
    // Creating the target empties it: only worth it when there is something to put in.
    state.lz_target = LZERROR_BADINHANDLE;
    if (lz_valid(state.lz_source)) {
        OFSTRUCT target_info = {};
        state.lz_target = LZOpenFileA(path, &target_info, OF_CREATE);
        if (lz_valid(state.lz_target)) LZCopy(state.lz_source, state.lz_target);
        LZClose(state.lz_source);
        if (lz_valid(state.lz_target)) LZClose(state.lz_target);
    }
    return pump_one_message(page);
}

int pump_one_message(HWND page)
{
    MSG message;
    if (!PeekMessageA(&message, page, 0, 0, PM_REMOVE)) return 1;
    if (message.message == WM_COMMAND && message.wParam == IDC_NEXT) return 0;
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return 1;
}

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

RECT progress_bar_rect(RECT frame, short percent)
{
    InflateRect(&frame, -BAR_INSET, -BAR_INSET);
    OffsetRect(&frame, -1, -1);
    frame.right = frame.left + (frame.right - frame.left + 1) * percent / 100;
    return frame;
}

short disk_percent(int j, int count)
{
    return static_cast<short>((j * 100 + 100) / count);
}

void pause_draining(DWORD ms)
{
    const DWORD start = tick_source();
    const DWORD end = start + ms;  // wraps: a pause across the wrap ends at once
    if (start >= end) return;
    MSG message;
    do {
        PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);
    } while (tick_source() < end);
}

void set_tick_source(TickSource source)
{
    tick_source = source != nullptr ? source : GetTickCount;
}

void copy_files(HWND page)
{
    HDC dc = GetDC(page);
    for (int d = 0; d < state.disk_count && state.page_result != PAGE_CANCEL; ++d) {
        UpdateWindow(page);
        draw_sunken_box(page, dc, IDC_BAR_FRAME);
        for (int j = 0; j < state.files_per_disk[d] && state.page_result != PAGE_CANCEL; ++j) copy_one_file(page, dc, d, j);
    }

    show_now(page, IDC_STATUS, UPDATING_REGISTRY);
    pause_draining(REGISTRY_PAUSE_MS);
    register_companion();
    ReleaseDC(page, dc);
}
