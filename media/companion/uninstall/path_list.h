// A list of full paths in memory of a size fixed when the list is made.
#pragma once

#include <windows.h>

struct PathList {
    char (*paths)[MAX_PATH] = nullptr;
    int count = 0;
    int capacity = 0;
};

// Appends path (cut to MAX_PATH characters); false, leaving the list as it
// was, when it is full.
bool add_path(PathList& list, const char* path);

// The list holds path, compared without regard to case.
bool has_path(const PathList& list, const char* path);

inline bool is_full(const PathList& list)
{
    return list.count >= list.capacity;
}
