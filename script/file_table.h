// Records of the file table: one block, disk after disk, followed by the
// program-item slots.
#pragma once

// One file to copy, with its source and destination resolved by the loader.
struct FileEntry {
    char source_subdir[40];
    char target_dir[40];
    char source_name[15];
    char target_name[15];
    char description[62];
    int absolute;  // 1: target_dir is a full path (Windows directories)
};
static_assert(sizeof(FileEntry) == 176, "the block is sized by 176-byte records");

// One [PM Info] entry; read but used by nothing else.
struct ProgramItem {
    char file[15];
    char title[40];
    char extra[5];
};
static_assert(sizeof(ProgramItem) == 60, "ten slots take 600 bytes");
