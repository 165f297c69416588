// Building and checking paths, so that what the installed script names can
// never lead the uninstaller outside its own folder.
#pragma once

#include <windows.h>

// A file or folder name without any path in it: not empty, none of the
// characters that separate or stand for paths (\ / : * ? " < > | and control
// characters), and not made of dots and blanks alone ("..", ".", "...").
bool is_plain_name(const char* name);

// Appends part to out with one backslash between them. False, leaving out
// as it was, when the result would not fit.
bool append_path(char (&out)[MAX_PATH], const char* part);

// base, then each name of relative_dir (separated by backslashes or
// slashes; "." and empty names between separators are skipped), then name
// when it is not null. False when relative_dir starts with a separator or
// holds anything but plain names, when name is not a plain name, or when the
// path does not fit: so every path it builds lies below base.
bool join_inside(char (&out)[MAX_PATH], const char* base, const char* relative_dir, const char* name);

// The full path of path (GetFullPathName); false when it does not fit.
bool full_path(char (&out)[MAX_PATH], const char* path);

// The folder that holds path (the drive root keeps its backslash).
void parent_of(char (&out)[MAX_PATH], const char* path);

// Both made full paths and compared without regard to case.
bool same_path(const char* a, const char* b);
// path lies below folder, at any depth, and is not folder itself.
bool is_below(const char* path, const char* folder);
// One of the Windows folders of the record holds path directly.
bool in_windows_folder(const char* path);
// A folder between folder (not included) and path is a reparse point, which
// may lead anywhere on the machine.
bool passes_reparse_point(const char* path, const char* folder);
