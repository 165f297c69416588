// Running one wizard page at a time, and what every page procedure shares.
#pragma once

#include <windows.h>

// Creates the page from its template under a private class named after it,
// runs its message loop until the page is gone and returns page_result.
short run_page(const char* name, WNDPROC procedure, WORD template_id);

// "<product> installation is not completed !", owned by the page.
void show_cancel_message(HWND page);

// WM_CREATE of a page: "<product> <template title>" as title, centred on a
// screen of the given size with the one-pixel-larger size every page has.
void init_page_window(HWND page, short screen_cx, short screen_cy);

// Ends the page with the given result: sets page_result and closes the page.
void end_page(HWND page, short result);

// Cancel: the cancel message, then the end of the page.
void cancel_page(HWND page);

// Puts product_name into the format that the control's template text holds.
void format_product_text(HWND page, int control_id);
