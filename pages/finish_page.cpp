#include "pages/finish_page.h"

#include "resources/resource_ids.h"
#include "setup/page_framework.h"
#include "setup/setup_state.h"

// The only button is Finish: there is no Cancel or Back, so Escape does
// nothing, and page_result is left alone.
LRESULT CALLBACK finish_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_CREATE:
        // Centred on the screen as it is now, not as it was at start-up.
        init_page_window(page, static_cast<short>(GetSystemMetrics(SM_CXSCREEN)),
                         static_cast<short>(GetSystemMetrics(SM_CYSCREEN)));
        return 0;
    case WM_SETUP_INIT:
        format_product_text(page, IDC_HEADING);
        CheckDlgButton(page, state.restart_now != 0 ? IDC_RESTART_YES : IDC_RESTART_NO, BST_CHECKED);
        break;
    case WM_COMMAND:
        if (wparam == IDC_FINISH) {
            if (IsDlgButtonChecked(page, IDC_RESTART_NO) != 0) state.restart_now = 0;
            SendMessageA(page, WM_CLOSE, 0, 0);
            return 0;
        }
        return DefWindowProcA(page, message, wparam, lparam);
    }
    return default_page_proc(page, message, wparam, lparam);
}
