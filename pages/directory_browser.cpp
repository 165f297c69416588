#include "pages/directory_browser.h"

#include <cstddef>
#include <direct.h>
#include <dlgs.h>

#include "pages/common_dialog_api.h"
#include "resources/resource_ids.h"
#include "setup/bounded_text.h"
#include "setup/setup_state.h"

namespace {

constexpr int FILE_NAME_CHARS = 256;
// OK ends the dialog only when there is a file name to return.
constexpr char DUMMY_FILE_NAME[] = "12345678.ABC";
constexpr char INITIAL_DIR[] = "C:\\";
// The structure as NT 4.0 knows it: up to and including lpTemplateName.
constexpr DWORD OPEN_FILE_NAME_NT4_SIZE = sizeof(OPENFILENAME_NT4A);
static_assert(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == OPEN_FILE_NAME_NT4_SIZE);
#ifndef _WIN64
static_assert(OPEN_FILE_NAME_NT4_SIZE == 76);
#endif
constexpr DWORD BROWSE_FLAGS = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_NOVALIDATE;

// Controls of the common dialog that the template keeps.
constexpr int DIRECTORY_LIST = lst2;
constexpr int DRIVE_LIST = cmb2;

// Start 0 and an end of -1: the whole text, at either width.
constexpr LPARAM SELECT_TO_END = -1;

void show_browse_path(HWND browser)
{
    HWND path_field = GetDlgItem(browser, IDC_PATH);
    SetWindowTextA(path_field, state.browse_path);
    SetFocus(path_field);
    SendMessageA(path_field, EM_SETSEL, 0, SELECT_TO_END);
}

// The common dialog has made the directory navigated to the current one.
void refresh_browse_path(HWND browser)
{
    char current[sizeof state.browse_path];
    if (getcwd(current, sizeof current) == nullptr) return;  // longer than the field holds
    copy_text(state.browse_path, current);
    SetDlgItemTextA(browser, IDC_PATH, state.browse_path);
}

bool is_navigation(WPARAM wparam)
{
    const WORD control = LOWORD(wparam);
    const WORD notification = HIWORD(wparam);
    if (control == DIRECTORY_LIST) return notification == LBN_SELCHANGE || notification == LBN_DBLCLK;
    if (control == DRIVE_LIST) return notification == CBN_SELCHANGE;
    return false;
}

}  // namespace

UINT_PTR CALLBACK browse_hook(HWND browser, UINT message, WPARAM wparam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        copy_text(state.browse_path, state.dest_dir);
        PostMessageA(browser, WM_SETUP_INIT, 0, 0);
        break;
    case WM_SETUP_INIT:
        show_browse_path(browser);
        break;
    case WM_BROWSE_REFRESH:
        refresh_browse_path(browser);
        break;
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK) GetDlgItemTextA(browser, IDC_PATH, state.browse_path, sizeof state.browse_path);
        // Posted, so that it runs after the dialog has changed the directory.
        else if (is_navigation(wparam)) PostMessageA(browser, WM_BROWSE_REFRESH, 0, 0);
        break;
    }
    return 0;
}

void browse_directory(HWND owner)
{
    // Without the common dialogs the browser fails as the dialog itself
    // would: the destination stays as it is.
    const CommonDialogApi* dialogs = system_common_dialog_api();
    if (dialogs == nullptr) return;

    char file_name[FILE_NAME_CHARS];
    copy_text(file_name, DUMMY_FILE_NAME);

    OPENFILENAMEA dialog = {};
    dialog.lStructSize = OPEN_FILE_NAME_NT4_SIZE;
    dialog.hwndOwner = owner;
    dialog.hInstance = state.instance;
    dialog.lpstrFile = file_name;
    dialog.nMaxFile = FILE_NAME_CHARS;
    dialog.lpstrInitialDir = INITIAL_DIR;
    dialog.Flags = BROWSE_FLAGS;
    dialog.lpfnHook = browse_hook;
    dialog.lpTemplateName = MAKEINTRESOURCEA(IDD_BROWSE);

    if (dialogs->get_open_file_name(&dialog)) copy_text(state.dest_dir, state.browse_path);
}
