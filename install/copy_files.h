// The copy engine of the install page: every file of the file table, disk by
// disk, expanded from the LZ format on the way. It draws nothing; it tells a
// CopyProgress where it is and asks it whether the user has cancelled.
#pragma once

#include <windows.h>

#include "script/file_table.h"

// How the copy reports its progress and learns of a cancel. Every call gets
// context back.
struct CopyProgress {
    void* context;
    // Asked before each disk and each file; true stops the copy there.
    bool (*cancelled)(void* context);
    // Before the first file of a disk, also of a disk without files.
    void (*disk_begins)(void* context);
    // Before the file's source is opened.
    void (*file_begins)(void* context, const FileEntry& file);
    // Once its source is open: the share of the disk that is done with this file.
    void (*disk_share)(void* context, short percent);
    // After each open and each copy: the moment a cancel can come in.
    void (*take_message)(void* context);
};

// Copies every file of the table in order until progress reports a cancel.
void copy_files(const CopyProgress& progress);

// source_dir\source_subdir\source_name of the entry.
void build_source_path(char (&out)[MAX_PATH], int disk, int index);
// dest_dir\target_dir\target_name, or target_dir\target_name when absolute.
void build_target_path(char (&out)[MAX_PATH], int disk, int index);

// Opens the source into lz_source.
void open_source(char* path);
// Creates the target and expands the source into it, then closes both. The
// target is not touched when the source is not open.
void copy_to_target(char* path);

// The share of a disk that is done once file j (from 0) of count is copied.
short disk_percent(int j, int count);
