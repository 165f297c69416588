// The one record every part of Setup reads and writes.
#pragma once

#include <windows.h>

#include "setup/state_sizes.h"

// Records of the file table, which the loader lays out.
struct FileEntry;
struct ProgramItem;

constexpr short PAGE_CANCEL = 0;
constexpr short PAGE_NEXT = 1;
constexpr short PAGE_BACK = 2;

constexpr UINT WM_SETUP_INIT = WM_USER + 100;      // 1124
constexpr UINT WM_BROWSE_REFRESH = WM_USER + 101;  // 1125

constexpr int COMPONENT_COUNT = 4;
constexpr int TEXT_RING_SIZE = 4;
constexpr int TEXT_CHARS = 128;

// Indexes into components[].
constexpr int COMPONENT_DRIVER = 0;
constexpr int COMPONENT_CONTROL_PANEL = 1;

// Indexes into dir_names[], in the order of the [DirectoryName] keys.
constexpr int DIR_ROOT = 0;
constexpr int DIR_SUB_FIRST = 1;  // SubDir1 .. SubDir6 are 1 .. 6
constexpr int DIR_SUB_LAST = 6;
constexpr int DIR_WINDOWS = 7;
constexpr int DIR_SYSTEM = 8;
constexpr int DIR_INF = 9;

struct SetupState {
    // Choices
    int setup_typical = 1;
    int components[COMPONENT_COUNT] = {1, 1, 1, 1};
    int restart_now = 1;
    int oem = 0;
    int first_paint = 1;

    // Environment, set at start-up
    HINSTANCE instance = nullptr;
    short screen_cx = 0;
    short screen_cy = 0;
    char windows_dir[80] = {};
    HWND background_window = nullptr;

    // Values of the setup script
    char source_dir[80] = {};
    char product_name[PRODUCT_NAME_CHARS] = {};
    char caption[80] = {};
    char dest_dir[SCRIPT_PATH_CHARS] = {};
    char display_title[SCRIPT_PATH_CHARS] = {};
    short min_space_kb = 0;
    char dir_names[DIRECTORY_COUNT][SCRIPT_PATH_CHARS] = {};
    short disk_count = 0;
    short files_per_disk[MAX_DISKS] = {};
    short total_files = 0;
    FileEntry* disk_files[MAX_DISKS + 1] = {};
    HGLOBAL table_memory = nullptr;
    void* table_base = nullptr;

    // Read by the loader only
    char disk_labels[MAX_DISKS][DISK_LABEL_CHARS] = {};
    char group_name[GROUP_CHARS] = {};
    char group_title[GROUP_CHARS] = {};
    char startup_file[SCRIPT_PATH_CHARS] = {};
    ProgramItem* program_items[PROGRAM_ITEM_SLOTS] = {};
    short program_item_count = 0;

    // Working state
    short page_result = PAGE_CANCEL;
    char text_ring[TEXT_RING_SIZE][TEXT_CHARS] = {};
    int text_ring_index = TEXT_RING_SIZE;
    char browse_path[80] = {};
    int lz_source = 0;
    int lz_target = 0;
};

extern SetupState state;
