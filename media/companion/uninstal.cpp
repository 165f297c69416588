// Removes what Setup registered for Roller Kit. The files stay for the user
// to delete, since this program is one of them.
#include <windows.h>

namespace {

constexpr const char* CLASS_KEY = "CLSID\\{6B2D94F0-3C1A-11D2-8E47-52A0C3D9B71E}";
constexpr const char* SERVER_KEY = "CLSID\\{6B2D94F0-3C1A-11D2-8E47-52A0C3D9B71E}\\InProcServer32";
constexpr const char* HANDLER_KEY =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Controls Folder\\Mouse\\shellex\\PropertySheetHandlers\\QVMousePage";
constexpr const char* RUN_KEY = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* UNINSTALL_KEY = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\RollPoint";

void remove_registration()
{
    RegDeleteKeyA(HKEY_CLASSES_ROOT, SERVER_KEY);
    RegDeleteKeyA(HKEY_CLASSES_ROOT, CLASS_KEY);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, HANDLER_KEY);
    HKEY run = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, RUN_KEY, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
        RegDeleteValueA(run, "RollPoint");
        RegCloseKey(run);
    }
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const char* caption = "Roller Kit Uninstall";
    if (MessageBoxA(nullptr, "Remove Roller Kit from this computer ?", caption, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return 0;
    HWND rollpoint = FindWindowA(nullptr, "RollPoint");
    if (rollpoint != nullptr) SendMessageA(rollpoint, WM_CLOSE, 0, 0);
    remove_registration();
    MessageBoxA(nullptr, "Roller Kit has been removed.", caption, MB_OK | MB_ICONINFORMATION);
    return 0;
}
