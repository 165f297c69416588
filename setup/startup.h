// Start-up: the platform test, the environment, the script and the
// background window, then the wizard. The top of the program, with the
// wizard: only the entry point and the tests include it.
#pragma once

#include <windows.h>

// The whole program, from the platform test to the end; the exit code.
int run_setup(HINSTANCE instance);
