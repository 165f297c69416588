#include "install/install_page.h"

#include "install/copy_files.h"
#include "resources/resource_ids.h"
#include "setup/page_framework.h"
#include "setup/bounded_text.h"
#include "setup/setup_state.h"

namespace {

void create_subdirectories()
{
    char path[MAX_PATH];
    for (int k = DIR_SUB_FIRST; k <= DIR_SUB_LAST; ++k) {
        if (state.dir_names[k][0] == '\0') continue;
        copy_text(path, state.dest_dir);
        append_text(path, "\\");
        append_text(path, state.dir_names[k]);
        CreateDirectoryA(path, nullptr);  // an existing folder is as good
    }
}

// The whole work of the page. It closes only here, after the copy: the copy
// still draws on it, and the pause would swallow the quit of an earlier close.
void run_install(HWND page)
{
    UpdateWindow(page);
    create_subdirectories();
    state.page_result = PAGE_NEXT;
    copy_files(page);
    if (state.page_result == PAGE_CANCEL) show_cancel_message(page);
    SendMessageA(page, WM_CLOSE, 0, 0);
}

}  // namespace

LRESULT CALLBACK install_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (LOWORD(message)) {
    case WM_CREATE:
        init_page_window(page, state.screen_cx, state.screen_cy);
        return 0;
    case WM_SETUP_INIT:
        run_install(page);
        return 0;
    case WM_COMMAND:
        // The page's only button, id 1, is its Cancel; the copy sees it at its next file.
        if (wparam == IDC_NEXT) {
            state.page_result = PAGE_CANCEL;
            return 0;
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(page, message, wparam, lparam);
}
