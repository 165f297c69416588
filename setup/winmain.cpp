#include <windows.h>

#include "setup/startup.h"

// The command line is not read; the exit code is 0 on every path.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return run_setup(instance);
}
