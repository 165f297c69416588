// Reading SETUP.INF into the setup state and building the file table.
#pragma once

#include "script/file_table.h"
#include "script/parse_field.h"

#include <windows.h>

// Reads the script beside the program. Returns 0 only when the table memory
// cannot be had; a missing script or key yields the defaults.
int load_setup_script();

// Allocates count records and the program-item slots, zero-filled.
int allocate_file_table(short count);
void release_file_table();

// The memory calls of the file table: the system's. Wine grants a block of
// this size whenever asked, so tests put an allocator that refuses here.
struct TableMemoryCalls {
    decltype(&GlobalAlloc) alloc;
    decltype(&GlobalFree) free;
};
extern TableMemoryCalls table_memory_calls;
