// Driving the real SETUP.EXE from outside, as a user would: a copy of the
// installation medium, the program started from it, its pages found by
// their window classes, their buttons clicked, its message boxes read and
// answered, and its exit code, files and registry checked afterwards. The
// harness holds no test framework: the tools walk_setup and bench_setup
// link it too, and what fails is reported through support/failures.h.
#pragma once

#include "medium_copy.h"
#include "own_windows.h"
#include "prefix_settings.h"
#include "sample_medium.h"
#include "session_watcher.h"
#include "setup_process.h"
#include "support/registry.h"
#include "support/ui.h"
#include "support/waits.h"
#include "walk.h"
