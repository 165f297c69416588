#include "install/install_page.h"

#include "install/copy_files.h"
#include "install/install_pumps.h"
#include "install/progress_display.h"
#include "install/registration.h"
#include "resources/resource_ids.h"
#include "setup/bounded_text.h"
#include "setup/page_framework.h"
#include "setup/setup_state.h"

namespace {

constexpr DWORD REGISTRY_PAUSE_MS = 1000;
constexpr const char* UPDATING_REGISTRY = "Updating Registry...";

// While the page works, page_result is the flag that its Cancel button sets
// and that the copy reads before each disk and each file.
void mark_cancelled() { state.page_result = PAGE_CANCEL; }
bool install_cancelled() { return state.page_result == PAGE_CANCEL; }

// The page as the copy's progress draws on it.
struct ProgressView {
    HWND page;
    HDC dc;
};

ProgressView& view_of(void* context) { return *static_cast<ProgressView*>(context); }

bool copy_cancelled(void*) { return install_cancelled(); }

void show_new_disk(void* context)
{
    ProgressView& view = view_of(context);
    UpdateWindow(view.page);
    draw_empty_bar(view.page, view.dc);
}

void show_file(void* context, const FileEntry& file) { show_copying(view_of(context).page, file); }

void show_disk_share(void* context, short percent)
{
    ProgressView& view = view_of(context);
    show_percent(view.page, percent);
    draw_bar(view.page, view.dc, percent);
}

// The pump's answer is not needed: the button's click sets the flag itself.
void take_one_message(void* context) { pump_one_message(view_of(context).page); }

void copy_with_progress(HWND page)
{
    ProgressView view = {page, GetDC(page)};
    const CopyProgress progress = {&view, copy_cancelled, show_new_disk, show_file, show_disk_share, take_one_message};
    copy_files(progress);
    ReleaseDC(page, view.dc);
}

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

// The whole work of the page, in this order. The registration runs also
// after a cancel. The page closes only at the end: the copy still draws on
// it, and the pause would swallow the quit of an earlier close.
void run_install(HWND page)
{
    UpdateWindow(page);
    create_subdirectories();
    state.page_result = PAGE_NEXT;
    copy_with_progress(page);

    show_status(page, UPDATING_REGISTRY);
    pause_draining(REGISTRY_PAUSE_MS);
    register_companion();

    if (install_cancelled()) show_cancel_message(page);
    SendMessageA(page, WM_CLOSE, 0, 0);
}

}  // namespace

// This page tells messages apart by their low 16 bits, its share of the
// common handling included.
LRESULT CALLBACK install_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (LOWORD(message)) {
    case WM_SETUP_INIT:
        run_install(page);
        return 0;
    case WM_COMMAND:
        // Its only button is Cancel, in the place of Next; the copy stops at its next file.
        if (wparam == IDC_INSTALL_CANCEL) {
            mark_cancelled();
            return 0;
        }
        break;  // there is no Cancel (2) or Back (3) to the common handling here
    case WM_CREATE:
    case WM_DESTROY:
        return default_page_proc(page, LOWORD(message), wparam, lparam);
    }
    return DefWindowProcA(page, message, wparam, lparam);
}
