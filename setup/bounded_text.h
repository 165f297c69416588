// Copying and appending into fixed-size character arrays: the result is
// always terminated and never runs past the array.
#pragma once

#include <windows.h>

#include <cstddef>

template <size_t N>
inline void copy_text(char (&dest)[N], const char* src) { lstrcpynA(dest, src ? src : "", N); }

template <size_t N>
inline void append_text(char (&dest)[N], const char* src)
{
    const int used = lstrlenA(dest);
    if (used < static_cast<int>(N) - 1) lstrcpynA(dest + used, src ? src : "", static_cast<int>(N) - used);
}
