// The copy engine of the install page: every file of the file table, disk by
// disk, with status text, percentage and progress bar, then the registration.
#pragma once

#include <windows.h>

#include "script/file_table.h"

// Copies every file, shows "Updating Registry...", pauses one second and
// registers the companion software, also after a Cancel.
void copy_files(HWND page);

// source_dir\source_subdir\source_name of the entry.
void build_source_path(char (&out)[MAX_PATH], int disk, int index);
// dest_dir\target_dir\target_name, or target_dir\target_name when absolute.
void build_target_path(char (&out)[MAX_PATH], int disk, int index);

// Opens the source into lz_source, then takes one message. Returns the pump's answer.
int open_source(HWND page, char* path);
// Creates the target and expands the source into it, closes both, then takes
// one message. The target is not touched when the source is not open.
int copy_to_target(HWND page, char* path);

// Takes at most one message of the page and its controls: 0 when it was a
// Cancel command (dropped), else 1.
int pump_one_message(HWND page);

// The client area of control id in the page's client coordinates.
RECT control_rect_in_page(HWND page, int id);
// White box over the control's place with a grey outline one pixel up and left.
void draw_sunken_box(HWND page, HDC dc, int id);
// The blue part of the bar for a percentage, inside the box of the bar frame.
RECT progress_bar_rect(RECT frame, short percent);
// The share of a disk that is done once file j (from 0) of count is copied.
short disk_percent(int j, int count);

// Waits ms milliseconds, throwing away every message of the thread meanwhile.
void pause_draining(DWORD ms);

// Where pause_draining reads the time; GetTickCount unless a test sets another.
using TickSource = DWORD(WINAPI*)();
void set_tick_source(TickSource source);
