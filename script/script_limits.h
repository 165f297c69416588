// How much of each value of SETUP.INF the loader keeps: the sizes of the
// buffers it reads into, the terminating zero included. Plain C++ with no
// system headers, so that the medium builder checks scripts against the same
// numbers.
#pragma once

constexpr int SCRIPT_LINE_CHARS = 128;   // a file line or a [PM Info] line
constexpr int SCRIPT_PATH_CHARS = 80;    // DefaultPath, [DirectoryName] and [Startup] values
constexpr int PRODUCT_NAME_CHARS = 32;
constexpr int DISK_LABEL_CHARS = 40;
constexpr int GROUP_CHARS = 128;         // GroupName and GroupTitle
