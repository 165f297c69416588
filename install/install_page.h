// The install page (SETUP_INSTALL): copies the files and registers them.
#pragma once

#include <windows.h>

LRESULT CALLBACK install_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
