// The wizard sequence: which page follows which. The top of the program,
// with start-up: only start-up and the tests include it.
#pragma once

#include <windows.h>

enum class WizardStep {
    welcome,
    setup_type,
    components,
    files,        // decides whether the destination and install pages come
    destination,
    utility,      // asks a running companion utility to close
    install,
    driver,
    finish,
    cancelled,
    done,
};

// Runs one step: a page's outcome, or PAGE_NEXT for the steps that are no page.
short run_step(WizardStep step);

// The step that follows the outcome of the given one, by the sequence's
// table; applies the table's one action (Typical selects every component).
WizardStep next_step(WizardStep step, short outcome);

// Runs the steps from the welcome page to the end and cleans up after them.
void run_wizard();

// Sends WM_CLOSE to the first window titled "RollPoint", if there is one.
void close_companion_utility();
