// The one record of UNINSTAL.EXE: where it runs, what the installed setup
// script lists, and what became of everything it set out to remove.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

constexpr const char* PRODUCT_NAME = "Roller Kit";

constexpr int EXIT_REMOVED = 0;
constexpr int EXIT_DECLINED = 1;
constexpr int EXIT_REMAINS = 2;  // something stays, or waits for a restart

enum class ScriptStatus {
    usable,
    missing,  // absent, unreadable, or beyond what the loader's buffers hold
    foreign,  // written for another product
};

// The Windows folder, the system folders and the INF folder: no file in them
// is ever deleted.
constexpr int WINDOWS_FOLDER_COUNT = 4;

struct UninstallState {
    char program_path[MAX_PATH] = {};
    char folder[MAX_PATH] = {};  // the program's folder, the destination of the installation
    char windows_folders[WINDOWS_FOLDER_COUNT][MAX_PATH] = {};
    ScriptStatus script = ScriptStatus::missing;

    // What the script lists, checked: full paths inside the folder, each once.
    std::vector<std::string> files;
    std::vector<std::string> subfolders;
    int refused_entries = 0;      // file lines and folder names that lead outside
    bool program_listed = false;  // the program itself is one of the files

    // What became of it.
    std::vector<std::string> pending;      // deleted at the next restart, in the order scheduled
    std::vector<std::string> failed;       // neither deleted nor scheduled
    std::vector<std::string> failed_keys;  // registry entries that could not be deleted
    std::vector<std::string> leftovers;    // what the user put into the folder, relative to it
    bool eraser_started = false;           // a copy in the temporary folder deletes the program
};

extern UninstallState uninstall;
