// The directory browser: the old-style Open dialog with template 104.
#pragma once

#include <windows.h>

// Runs the browser over the owner; OK makes its path field the destination.
void browse_directory(HWND owner);

// Hook of the browser: keeps the path field in step with the navigation.
UINT_PTR CALLBACK browse_hook(HWND browser, UINT message, WPARAM wparam, LPARAM lparam);
