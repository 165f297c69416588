// The ends of a run that many end-to-end tests share, checked.
#pragma once

#include "setup_process.h"

namespace e2e {

// The finish page reporting success, left with No and Finish; the program
// ends with exit code 0.
void finish_without_restart(SetupProcess& setup, HWND finish);
// The same on the next finish page that comes.
void finish_without_restart(SetupProcess& setup);
// A Typical installation of the medium, to its end without a restart.
void install_typical(SetupProcess& setup);

}  // namespace e2e
