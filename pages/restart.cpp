#include "pages/restart.h"

#include <cstdio>

RestartCalls restart_calls = {OpenProcessToken, LookupPrivilegeValueA, AdjustTokenPrivileges, ExitWindowsEx};

namespace {

constexpr const char* SHUTDOWN_PRIVILEGE = "SeShutdownPrivilege";

int enable_in_token(HANDLE token, const char* name)
{
    TOKEN_PRIVILEGES privileges = {};
    if (!restart_calls.lookup_privilege_value(nullptr, name, &privileges.Privileges[0].Luid)) {
        printf("\nThe above error means you need to log on as an Administrator");
        return 0;
    }
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    // Succeeds also when the account lacks the privilege; the last error
    // (ERROR_NOT_ALL_ASSIGNED) tells that case apart.
    restart_calls.adjust_token_privileges(token, FALSE, &privileges, sizeof privileges, nullptr, nullptr);
    return GetLastError() == ERROR_SUCCESS ? 1 : 0;
}

}  // namespace

int enable_privilege(const char* name)
{
    HANDLE token = nullptr;
    if (!restart_calls.open_process_token(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return 0;
    const int enabled = enable_in_token(token, name);
    CloseHandle(token);
    return enabled;
}

void restart_windows()
{
    if (enable_privilege(SHUTDOWN_PRIVILEGE) == 1) {
        restart_calls.exit_windows(EWX_REBOOT, 0);
        return;
    }
    MessageBoxA(nullptr, "Reboot Error !", "Debug", MB_OK);
}
