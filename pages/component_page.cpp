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

LRESULT CALLBACK component_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam)
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
            read_components(page);
            end_page(page, PAGE_NEXT);
            return 0;
        case IDC_BACK:
            read_components(page);
            end_page(page, PAGE_BACK);
            return 0;
        case IDC_CANCEL:
            cancel_page(page);
            return 0;
        }
        break;
    case WM_SETUP_INIT:
        show_components(page);
        break;
    }
    return DefWindowProcA(page, message, wparam, lparam);
}
