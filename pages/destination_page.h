// The destination page (SETUP_SELDIR) and its directory browser.
#pragma once

#include <windows.h>

LRESULT CALLBACK destination_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam);

// 1 when the path's attributes can be read and name a directory, else 0.
int directory_exists(const char* path);

// Where the Next check reads a drive's free space: the system. A full or
// missing disk cannot be made under Wine; tests put a double here.
struct DiskSpaceCalls {
    decltype(&GetDiskFreeSpaceA) get_disk_free_space;
};
extern DiskSpaceCalls disk_space_calls;
