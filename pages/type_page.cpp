#include "pages/type_page.h"

#include "resources/resource_ids.h"
#include "setup/page_framework.h"
#include "setup/setup_state.h"

// The choice is kept the moment a radio button is clicked, so Back and
// Cancel leave it as the last click set it.
LRESULT CALLBACK type_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam)
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
        case IDC_BACK:
            end_page(page, PAGE_BACK);
            return 0;
        case IDC_CANCEL:
            cancel_page(page);
            return 0;
        case IDC_TYPICAL:
            state.setup_typical = 1;
            break;
        case IDC_CUSTOM:
            state.setup_typical = 0;
            break;
        }
        break;
    case WM_SETUP_INIT:
        CheckRadioButton(page, IDC_TYPICAL, IDC_CUSTOM, state.setup_typical != 0 ? IDC_TYPICAL : IDC_CUSTOM);
        break;
    }
    return DefWindowProcA(page, message, wparam, lparam);
}
