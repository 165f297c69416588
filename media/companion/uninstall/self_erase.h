// The program deletes itself and its folder through a copy of itself in the
// temporary folder, which waits until this process has ended: a running
// program's file cannot be deleted.
#pragma once

// Removes the program and, once empty, its folder, when the plan lists the
// program; otherwise the folder alone. What cannot happen now or through the
// copy is scheduled for the restart.
void remove_program_and_folder();

// True when the command line starts the copy's part.
bool is_eraser_command(const char* command_line);

// The copy's part: waits for the program's process to end, deletes the
// program's file and then its folder if empty, and has its own file deleted
// at the next restart. Shows nothing. Returns the exit code.
int run_eraser(const char* command_line);
