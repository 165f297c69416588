// The two ways the install page takes messages while it works inside one
// message: a pump of one message after each step of the copy, through which
// a click on Cancel arrives, and the pause before the registration.
#pragma once

#include <windows.h>

// Takes at most one message of the page and its controls: 0 when it was a
// Cancel command (dropped), else 1.
int pump_one_message(HWND page);

// Waits ms milliseconds, throwing away every message of the thread meanwhile.
void pause_draining(DWORD ms);

// Where pause_draining reads the time; GetTickCount unless a test sets another.
using TickSource = DWORD(WINAPI*)();
void set_tick_source(TickSource source);
