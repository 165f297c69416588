// Running one wizard page at a time, and what every page procedure shares.
#pragma once

#include <windows.h>

#include "setup/page_templates.h"

// Creates the page from its template under a private class named after it,
// runs its message loop until the page is gone and returns page_result.
short run_page(const char* name, WNDPROC procedure, WORD template_id);
short run_page(Page page, WNDPROC procedure);

// What every page does: title and centring when it is created, the end of
// its message loop when it is destroyed, and the buttons Next (1), Cancel (2)
// and Back (3). A page procedure handles its own controls and passes every
// message, its buttons' included, on to this one.
LRESULT CALLBACK default_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam);

// "<product> installation is not completed !", owned by the page.
void show_cancel_message(HWND page);

// WM_CREATE of a page: "<product> <template title>" as title, centred on a
// screen of the given size with the one-pixel-larger size every page has.
void init_page_window(HWND page, short screen_cx, short screen_cy);

// Puts product_name into the format that the control's template text holds.
void format_product_text(HWND page, int control_id);
