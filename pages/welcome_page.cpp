#include "pages/welcome_page.h"

#include "resources/resource_ids.h"
#include "setup/page_framework.h"
#include "setup/setup_state.h"

// Its Back button is greyed: command 3 is not handled.
LRESULT CALLBACK welcome_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam)
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
        }
        break;
    case WM_SETUP_INIT:
        format_product_text(page, IDC_PRODUCT_TEXT);
        break;
    }
    return DefWindowProcA(page, message, wparam, lparam);
}
