// The destination page (SETUP_SELDIR) and its directory browser.
#pragma once

#include <windows.h>

LRESULT CALLBACK destination_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
