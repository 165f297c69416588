// The component page (SETUP_SELCOMP), shown for a Custom setup.
#pragma once

#include <windows.h>

LRESULT CALLBACK component_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
