// The one record of UNINSTAL.EXE: where it runs, what the installed setup
// script lists, and what became of everything it set out to remove.
#pragma once

#include <windows.h>

#include "path_list.h"
#include "setup/setup_state.h"

constexpr const char* PRODUCT_NAME = "Roller Kit";

constexpr int EXIT_REMOVED = 0;
constexpr int EXIT_DECLINED = 1;
constexpr int EXIT_REMAINS = 2;  // something stays, or waits for a restart

enum class ScriptStatus {
    usable,
    missing,  // absent, unreadable, beyond what the loader's buffers hold, or too long a list to hold
    foreign,  // written for another product
};

// The Windows folder, the system folders and the INF folder: no file in them
// is ever deleted.
constexpr int WINDOWS_FOLDER_COUNT = 4;
// SubDir1 to SubDir6.
constexpr int SUBFOLDER_COUNT = DIR_SUB_LAST - DIR_SUB_FIRST + 1;
// The page's class, its handler, the Run value and the uninstall entry.
constexpr int REGISTRY_ENTRY_COUNT = 4;
// How many names of a list the final message shows; more would push the box
// off the screen.
constexpr int LISTED_NAMES = 8;

// The first LISTED_NAMES names of a list that is only shown, and how many
// there were in all.
struct NameSample {
    char names[LISTED_NAMES][MAX_PATH] = {};
    int total = 0;
};

struct UninstallState {
    char program_path[MAX_PATH] = {};
    char folder[MAX_PATH] = {};  // the program's folder, the destination of the installation
    char windows_folders[WINDOWS_FOLDER_COUNT][MAX_PATH] = {};
    ScriptStatus script = ScriptStatus::missing;

    // What the script lists, checked: full paths inside the folder, each once.
    PathList files;
    char subfolders[SUBFOLDER_COUNT][MAX_PATH] = {};
    int subfolder_count = 0;
    int refused_entries = 0;      // file lines and folder names that lead outside
    bool program_listed = false;  // the program itself is one of the files

    // What became of it. pending and failed share the block of files.
    PathList pending;  // deleted at the next restart, in the order scheduled
    PathList failed;   // neither deleted nor scheduled
    char failed_keys[REGISTRY_ENTRY_COUNT][MAX_PATH] = {};  // registry entries that could not be deleted
    int failed_key_count = 0;
    NameSample leftovers;         // what the user put into the folder, relative to it
    bool eraser_started = false;  // a copy in the temporary folder deletes the program
    HGLOBAL list_memory = nullptr;
};

extern UninstallState uninstall;

// One block for files, pending and failed, sized for file_capacity files
// and what the removal adds to them (the subfolders, the folder). False when
// the memory cannot be had.
bool allocate_path_lists(int file_capacity);
void release_path_lists();
