#include "driver/mouse_driver.h"

// Stand-in until the driver installation is written.
int install_mouse_driver(HWND, const char*) { return 0; }
