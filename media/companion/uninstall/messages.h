// What the user reads: the question before anything is removed, the one
// message at the end, and the refusal of a second start.
#pragma once

// Yes/No, captioned with the product's name; true for Yes.
bool ask_to_remove();

// The final message: removed, or what remains and why. Returns the exit code.
int report_outcome();

void report_already_running();
