// What the install page paints while it works: the status text, the
// percentage and the progress bar of the current disk. The controls are
// repainted at once, since no message loop runs to repaint them.
#pragma once

#include <windows.h>

#include "script/file_table.h"

// The text into the status control.
void show_status(HWND page, const char* text);
// "Copying <name>", an empty line and the file's description.
void show_copying(HWND page, const FileEntry& file);
// "<percent>%" into the percentage control.
void show_percent(HWND page, short percent);
// The blue bar for the percentage over the empty box of the bar frame; it
// only grows within a disk.
void draw_bar(HWND page, HDC dc, short percent);
// The box of a new disk: white over the bar frame's place, with a grey
// outline one pixel up and left, so that it looks sunken.
void draw_empty_bar(HWND page, HDC dc);

// The blue part of the bar for a percentage, inside the box of the bar frame.
RECT progress_bar_rect(RECT frame, short percent);
