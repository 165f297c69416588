// Restarting Windows after the finish page.
#pragma once

#include <windows.h>

// Enables the shutdown privilege and asks Windows to restart; without the
// privilege shows "Reboot Error !" instead.
void restart_windows();

// 1 when the named privilege is enabled in this process's token, else 0.
int enable_privilege(const char* name);

// The system calls of the restart: the system's. Wine grants every privilege
// and really ends the session's programs, so tests put doubles here.
struct RestartCalls {
    decltype(&OpenProcessToken) open_process_token;
    decltype(&LookupPrivilegeValueA) lookup_privilege_value;
    decltype(&AdjustTokenPrivileges) adjust_token_privileges;
    decltype(&ExitWindowsEx) exit_windows;
};
extern RestartCalls restart_calls;
