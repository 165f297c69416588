// The setup type page (SETUP_SELTYPE): Typical or Custom.
#pragma once

#include <windows.h>

LRESULT CALLBACK type_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
