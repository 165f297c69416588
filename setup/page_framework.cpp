#include "setup/page_framework.h"

#include "resources/resource_ids.h"
#include "setup/bounded_text.h"
#include "setup/setup_state.h"
#include "setup/text.h"

namespace {

constexpr int TITLE_CHARS = 128;
constexpr int PAGE_WINDOW_EXTRA = DLGWINDOWEXTRA;  // what the dialog manager keeps per window

void register_page_class(const char* name, WNDPROC procedure)
{
    WNDCLASSA page_class = {};
    page_class.style = CS_HREDRAW | CS_VREDRAW;
    page_class.lpfnWndProc = procedure;
    page_class.cbWndExtra = PAGE_WINDOW_EXTRA;
    page_class.hInstance = state.instance;
    page_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    page_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
    page_class.lpszClassName = name;
    RegisterClassA(&page_class);  // a page run again finds its class registered
}

void end_page(HWND page, short result)
{
    state.page_result = result;
    SendMessageA(page, WM_CLOSE, 0, 0);
}

void cancel_page(HWND page)
{
    state.page_result = PAGE_CANCEL;
    show_cancel_message(page);
    SendMessageA(page, WM_CLOSE, 0, 0);
}

}  // namespace

short run_page(const char* name, WNDPROC procedure, WORD template_id)
{
    register_page_class(name, procedure);
    HWND page = CreateDialogParamA(state.instance, MAKEINTRESOURCEA(template_id), state.background_window, nullptr, 0);
    // A page that could not be made cannot be waited for: it ends as a cancel.
    if (page == nullptr) return PAGE_CANCEL;

    SendMessageA(page, WM_SETUP_INIT, 0, 0);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(page, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return state.page_result;
}

short run_page(Page page, WNDPROC procedure)
{
    const PageTemplate& row = page_template(page);
    return run_page(row.class_name, procedure, row.template_id);
}

// A command counts only with its whole WPARAM: notification code 0, as a
// click and the dialog keys send it.
LRESULT CALLBACK default_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_CREATE:
        init_page_window(page, state.screen_cx, state.screen_cy);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_COMMAND:
        switch (wparam) {
        case IDC_NEXT:
            end_page(page, PAGE_NEXT);
            return 0;
        case IDC_CANCEL:
            cancel_page(page);
            return 0;
        case IDC_BACK:
            end_page(page, PAGE_BACK);
            return 0;
        }
        break;
    }
    return DefWindowProcA(page, message, wparam, lparam);
}

void show_cancel_message(HWND page)
{
    char text[TEXT_CHARS];
    copy_text(text, state.product_name);
    append_text(text, load_text(IDS_NOT_COMPLETED));
    MessageBoxA(page, text, state.caption, MB_ICONEXCLAMATION | MB_OK);
}

void init_page_window(HWND page, short screen_cx, short screen_cy)
{
    char old_title[TITLE_CHARS] = {};
    char title[TITLE_CHARS];
    GetWindowTextA(page, old_title, TITLE_CHARS);
    copy_text(title, state.product_name);
    append_text(title, " ");
    append_text(title, old_title);
    SetWindowTextA(page, title);

    RECT frame;
    GetWindowRect(page, &frame);
    const short width = static_cast<short>(frame.right - frame.left + 1);
    const short height = static_cast<short>(frame.bottom - frame.top + 1);
    SetWindowPos(page, nullptr, (screen_cx - width) / 2, (screen_cy - height) / 2, width, height, SWP_SHOWWINDOW);
}

void format_product_text(HWND page, int control_id)
{
    char format[TEXT_CHARS] = {};
    char text[TEXT_CHARS];
    GetDlgItemTextA(page, control_id, format, TEXT_CHARS);
    // wsprintfA writes at most 1024 characters: the product name (31) and a
    // 127-character format could exceed the buffer, so cut the format first.
    format[TEXT_CHARS - 1 - (sizeof state.product_name - 1)] = '\0';
    wsprintfA(text, format, state.product_name);
    SetDlgItemTextA(page, control_id, text);
}
