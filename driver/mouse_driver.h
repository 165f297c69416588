// Installing the wheel-mouse driver through the device setup services.
#pragma once

#include <windows.h>
#include <setupapi.h>

constexpr int INF_PATH_CHARS = MAX_PATH;
constexpr int INSTALL_SECTION_CHARS = LINE_LEN;

// Returns 1 when the installation ran to its end, 0 when it stopped early.
int install_mouse_driver(HWND owner_window, const char* source_dir);

// The two below call through device_api, which install_mouse_driver fills.

// Reads the INF file and install section of the driver selected for the
// element into buffers of INF_PATH_CHARS and INSTALL_SECTION_CHARS.
// Returns 0 when no driver is selected.
int get_selected_driver(HDEVINFO set, SP_DEVINFO_DATA* element, char* inf_path, char* install_section);

// Traces the element's instance id and description and what is selected.
void trace_device_selection(HDEVINFO set, SP_DEVINFO_DATA* element);
