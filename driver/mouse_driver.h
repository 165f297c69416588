// Installing the wheel-mouse driver through the device setup services.
#pragma once

#include <windows.h>

// Returns 1 when the installation ran to its end, 0 when it stopped early.
int install_mouse_driver(HWND owner_window, const char* source_dir);
