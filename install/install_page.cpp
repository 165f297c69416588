#include "install/install_page.h"

#include "setup/page_framework.h"
#include "setup/setup_state.h"

// Stand-in until the page is written: ends at once with Next.
LRESULT CALLBACK install_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_CREATE:
        init_page_window(page, state.screen_cx, state.screen_cy);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_SETUP_INIT:
        end_page(page, PAGE_NEXT);
        return 0;
    }
    return DefWindowProcA(page, message, wparam, lparam);
}
