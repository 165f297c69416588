// How the test helpers say that something went wrong. A helper that fails
// returns what says so (null, false, nothing, a box without a window) and
// passes a sentence here: a test program turns it into a test failure, a
// tool such as walk_setup prints it.
#pragma once

#include <string>

using FailureHandler = void (*)(const std::string& text);

void report_failure(const std::string& text);

// Where reported failures go from now on; null prints them on stderr.
void set_failure_handler(FailureHandler handler);
