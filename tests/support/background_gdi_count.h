// Counting the GDI objects that this process holds.
#pragma once

#include <windows.h>

// Live GDI objects of this process, by object type (OBJ_BRUSH, OBJ_PEN,
// OBJ_BITMAP, OBJ_MEMDC, ...). Wine's GetGuiResources is a stub, so the
// count walks the process's GDI handle table and confirms every entry with
// GetObjectType. All zero when there is no table to walk.
struct GdiCount {
    int by_type[OBJ_COLORSPACE + 1] = {};
    int total = 0;
};

GdiCount count_gdi_objects();
