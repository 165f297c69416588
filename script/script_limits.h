// How much of each value of SETUP.INF the loader keeps: the sizes of the
// buffers it reads into, the terminating zero included. Plain C++ with no
// system headers, so that the medium builder checks scripts against the same
// numbers.
#pragma once

#include "setup/state_sizes.h"

constexpr int SCRIPT_LINE_CHARS = 128;   // a file line or a [PM Info] line
