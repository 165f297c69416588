#include "pages/type_page.h"

#include "resources/resource_ids.h"
#include "setup/page_framework.h"
#include "setup/setup_state.h"

// The choice is kept the moment a radio button is clicked, so Back and
// Cancel leave it as the last click set it.
LRESULT CALLBACK type_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_SETUP_INIT:
        CheckRadioButton(page, IDC_TYPICAL, IDC_CUSTOM, state.setup_typical != 0 ? IDC_TYPICAL : IDC_CUSTOM);
        break;
    case WM_COMMAND:
        if (wparam == IDC_TYPICAL) state.setup_typical = 1;
        if (wparam == IDC_CUSTOM) state.setup_typical = 0;
        break;
    }
    return default_page_proc(page, message, wparam, lparam);
}
