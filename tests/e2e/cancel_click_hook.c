/* A hook that the cancel test sets on SETUP.EXE's thread, so that it runs in
 * that thread: when the install page announces the file named by
 * SETUP_E2E_CANCEL_AT, it posts a click on the page's Cancel button, as a
 * user's click that arrives while that file is copied. The page's pumps then
 * take the press and the release, in the open and the copy of that file. */
#include <windows.h>

#define STATUS_ID 1019
#define CANCEL_ID 1

static int clicked;

static int announces(const char* status, const char* name)
{
    static const char copying[] = "Copying ";
    int i = 0;
    for (; copying[i] != '\0'; ++i)
        if (status[i] != copying[i]) return 0;
    for (int j = 0; name[j] != '\0'; ++j, ++i)
        if (status[i] != name[j]) return 0;
    return status[i] == '\n';
}

__declspec(dllexport) LRESULT CALLBACK cancel_click_hook(int code, WPARAM wparam, LPARAM lparam)
{
    const CWPRETSTRUCT* call = (const CWPRETSTRUCT*)lparam;
    if (code == HC_ACTION && !clicked && call->message == WM_SETTEXT && GetDlgCtrlID(call->hwnd) == STATUS_ID) {
        char name[64];
        char status[256];
        DWORD length = GetEnvironmentVariableA("SETUP_E2E_CANCEL_AT", name, sizeof name);
        if (length > 0 && length < sizeof name && GetWindowTextA(call->hwnd, status, sizeof status) > 0 &&
            announces(status, name)) {
            HWND button = GetDlgItem(GetParent(call->hwnd), CANCEL_ID);
            clicked = 1;
            PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
            PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        }
    }
    return CallNextHookEx(NULL, code, wparam, lparam);
}
