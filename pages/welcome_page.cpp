#include "pages/welcome_page.h"

#include "resources/resource_ids.h"
#include "setup/page_framework.h"
#include "setup/setup_state.h"

// Its Back button is greyed: command 3 means nothing here.
LRESULT CALLBACK welcome_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_SETUP_INIT:
        format_product_text(page, IDC_PRODUCT_TEXT);
        break;
    case WM_COMMAND:
        if (wparam == IDC_BACK) return DefWindowProcA(page, message, wparam, lparam);
        break;
    }
    return default_page_proc(page, message, wparam, lparam);
}
