// Registry entries of the companion software: the property page of the Mouse
// control panel, the utility run at logon and the uninstall entry.
#pragma once

#include <windows.h>

// Writes every entry; a step that fails costs only itself and nothing is reported.
void register_companion();

// The registry calls the registration makes: the system's, unless a test
// puts a registry that refuses them in their place.
struct RegistryCalls {
    LONG(WINAPI* create_key)(HKEY, LPCSTR, PHKEY);
    LONG(WINAPI* set_value)(HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD);
    LONG(WINAPI* delete_key)(HKEY, LPCSTR);
    LONG(WINAPI* close_key)(HKEY);
};
extern RegistryCalls registry_calls;
