// The welcome page (SETUP_BEGIN): names the product.
#pragma once

#include <windows.h>

LRESULT CALLBACK welcome_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
