// The sizes of the setup state's arrays that hold what SETUP.INF gives, the
// terminating zero included. Plain C++ with no system headers, so that the
// medium builder checks scripts against the same numbers.
#pragma once

constexpr int MAX_DISKS = 6;
constexpr int DIRECTORY_COUNT = 10;      // RootDir, SubDir1..6, WinDir, WinSystemDir, WinInfDir
constexpr int PROGRAM_ITEM_SLOTS = 10;
constexpr int SCRIPT_PATH_CHARS = 80;    // DefaultPath, [DirectoryName] and [Startup] values
constexpr int PRODUCT_NAME_CHARS = 32;
constexpr int DISK_LABEL_CHARS = 40;
constexpr int GROUP_CHARS = 128;         // GroupName and GroupTitle
