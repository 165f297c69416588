// Which system icon a message box shows.
#pragma once

#include <windows.h>

// MB_ICONEXCLAMATION, MB_ICONQUESTION, MB_ICONHAND or MB_ICONASTERISK; 0
// without an icon; 0xFFFFFFFF for an icon that is none of the system's.
// A box of this process is known by the icon's handle. The icon of another
// process's box lives in that process, so it is known by its pixels on the
// screen: each system icon is drawn here over the same ground and compared
// with what the box shows, waiting for the box to paint for a while.
UINT box_icon_kind(HWND box);
