#include "uninstall_state.h"

UninstallState uninstall;

namespace {

// What the removal schedules or fails on besides the files: the subfolders
// and the folder.
constexpr int ADDED_PATHS = SUBFOLDER_COUNT + 1;

void point_into(PathList& list, char (*paths)[MAX_PATH], int capacity)
{
    list.paths = paths;
    list.count = 0;
    list.capacity = capacity;
}

}  // namespace

bool allocate_path_lists(int file_capacity)
{
    release_path_lists();
    if (file_capacity < 0) return false;
    const int list_capacity = file_capacity + ADDED_PATHS;
    const SIZE_T paths = static_cast<SIZE_T>(file_capacity) + 2 * static_cast<SIZE_T>(list_capacity);
    auto* block = static_cast<char(*)[MAX_PATH]>(GlobalAlloc(GPTR, paths * MAX_PATH));
    if (block == nullptr) return false;
    uninstall.list_memory = block;
    point_into(uninstall.files, block, file_capacity);
    point_into(uninstall.pending, block + file_capacity, list_capacity);
    point_into(uninstall.failed, block + file_capacity + list_capacity, list_capacity);
    return true;
}

void release_path_lists()
{
    if (uninstall.list_memory != nullptr) GlobalFree(uninstall.list_memory);
    uninstall.list_memory = nullptr;
    uninstall.files = {};
    uninstall.pending = {};
    uninstall.failed = {};
}
