// Repair of the registry keys of the root-enumerated wheel-mouse device,
// and the error traces of the driver installation.
#pragma once

#include <windows.h>

// Device root key under HKEY_LOCAL_MACHINE; its sub-keys are the instances.
inline constexpr char DEVICE_ROOT_KEY[] =
    "SYSTEM\\CurrentControlSet\\Enum\\Root\\QXZ0005_-_MICROSOFT_SERIAL_MOUSE_WITH_WHEEL";

// Opens every instance key to administrators and puts it into the Mouse
// class. Reports only through trace.
void repair_device_keys();

// Replaces the DACL of a key below HKEY_LOCAL_MACHINE: read for interactive
// users, full access for administrators. Returns 0, or ERROR_INVALID_DATA.
int secure_device_key(const char* key_path);

// The call that writes a key's security: the system's. Wine grants it on any
// key opened for WRITE_DAC, so tests put one that refuses here.
struct KeySecurityCalls {
    decltype(&RegSetKeySecurity) set_key_security;
};
extern KeySecurityCalls key_security_calls;

// Traces the failed step with "ERROE!" and the system's text of code.
void trace_system_error(const char* step_name, DWORD code);

// Traces the system's text of a Win32 error code, if it has one.
void trace_message_text(DWORD code);
