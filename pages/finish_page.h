// The finish page (SETUP_END): reports the installation, offers the restart.
#pragma once

#include <windows.h>

LRESULT CALLBACK finish_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
