// Deleting the files and folders of the plan. A file in use, and each folder
// that then holds nothing else, is deleted at the next restart instead.
#pragma once

// Every file of the plan but the program itself.
void remove_files();

// The subfolders of the plan, the deepest first, each once it is empty.
void remove_subfolders();

enum class FolderOutcome { gone, at_restart, stays };

// Deletes folder when it is empty. When all it holds waits for the restart,
// or is the file spared (which someone else deletes first), the folder is
// scheduled for the restart too; anything else in it keeps it.
FolderOutcome remove_folder(const char* folder, const char* spared = nullptr);

// folder holds nothing but spared (which may be null) and, when
// pending_counts, what waits for the restart.
bool holds_only(const char* folder, const char* spared, bool pending_counts);

// Schedules path (a file, or a folder that will be empty by then) for
// deletion at the next restart and notes it as pending; false when the
// system refuses.
bool delete_at_restart(const char* path);

// Notes in leftovers everything that stays in the program's folder and is
// neither pending nor a failure of the removal, relative to the folder.
void list_leftovers();
