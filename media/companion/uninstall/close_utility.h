// The RollPoint utility, when it runs, holds QVMAIN.EXE open.
#pragma once

// Asks the first window titled "RollPoint" to close, as Setup does, and
// waits briefly for its process to end, so that its file can be deleted.
void close_companion_utility();
