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

// Where the pause reads the time: the system's tick count, unless a test
// puts a clock of its own here.
struct PauseCalls {
    decltype(&GetTickCount) get_tick_count;
};
extern PauseCalls pause_calls;
