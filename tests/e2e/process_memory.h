// Reading another process's memory.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// The command line of a running process, from its process parameters; its
// characters outside ASCII as '?'. Empty when it cannot be read.
std::string command_line_of(DWORD pid);

}  // namespace e2e
