// Entry points of system libraries that Setup loads on first use rather
// than importing.
#pragma once

#include <windows.h>

// Fills slot with the entry point name of library. Returns 1, or 0 with the
// slot null when the library lacks it.
template <typename Function>
int load_entry(HMODULE library, const char* name, Function& slot)
{
    slot = reinterpret_cast<Function>(GetProcAddress(library, name));
    return slot != nullptr;
}
