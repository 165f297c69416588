#include "pages/destination_page.h"

#include "resources/resource_ids.h"
#include "setup/page_framework.h"
#include "setup/setup_state.h"

// Stand-in until the page is written: Next, Back and Cancel only.
LRESULT CALLBACK destination_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_CREATE:
        init_page_window(page, state.screen_cx, state.screen_cy);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_COMMAND:
        if (wparam == IDC_NEXT) return end_page(page, PAGE_NEXT), 0;
        if (wparam == IDC_BACK) return end_page(page, PAGE_BACK), 0;
        if (wparam == IDC_CANCEL) return cancel_page(page), 0;
        break;
    }
    return DefWindowProcA(page, message, wparam, lparam);
}
