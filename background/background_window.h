// The full-screen window behind the pages (class SetupMain).
#pragma once

#include <windows.h>

// Creates, shows and first paints the window; 1 when it exists, else 0.
int create_background_window();
LRESULT CALLBACK background_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
