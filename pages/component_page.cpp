#include "pages/component_page.h"

#include "resources/resource_ids.h"
#include "setup/page_framework.h"
#include "setup/setup_state.h"

namespace {

// Check box IDC_COMPONENT_FIRST + i stands for components[i]; the two hidden
// ones pass their values through unchanged.
void show_components(HWND page)
{
    for (int i = 0; i < COMPONENT_COUNT; ++i)
        CheckDlgButton(page, IDC_COMPONENT_FIRST + i, state.components[i] != 0 ? BST_CHECKED : BST_UNCHECKED);
}

void read_components(HWND page)
{
    for (int i = 0; i < COMPONENT_COUNT; ++i)
        state.components[i] = IsDlgButtonChecked(page, IDC_COMPONENT_FIRST + i) != 0 ? 1 : 0;
}

}  // namespace

// Next and Back read the check boxes back before the page ends.
LRESULT CALLBACK component_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_SETUP_INIT:
        show_components(page);
        break;
    case WM_COMMAND:
        if (wparam == IDC_NEXT || wparam == IDC_BACK) read_components(page);
        break;
    }
    return default_page_proc(page, message, wparam, lparam);
}
