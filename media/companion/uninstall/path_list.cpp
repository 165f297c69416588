#include "path_list.h"

bool add_path(PathList& list, const char* path)
{
    if (is_full(list)) return false;
    lstrcpynA(list.paths[list.count], path, MAX_PATH);
    ++list.count;
    return true;
}

bool has_path(const PathList& list, const char* path)
{
    for (int i = 0; i < list.count; ++i)
        if (lstrcmpiA(list.paths[i], path) == 0) return true;
    return false;
}
