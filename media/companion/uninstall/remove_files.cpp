#include "remove_files.h"

#include <windows.h>

#include <algorithm>
#include <array>

#include "path_checks.h"
#include "setup/bounded_text.h"
#include "uninstall_state.h"

namespace {

// What DeleteFile answers for a file that a running program holds.
constexpr std::array IN_USE_ERRORS = {static_cast<DWORD>(ERROR_SHARING_VIOLATION),
                                      static_cast<DWORD>(ERROR_ACCESS_DENIED), static_cast<DWORD>(ERROR_LOCK_VIOLATION),
                                      static_cast<DWORD>(ERROR_USER_MAPPED_FILE)};

bool is_in_use_error(DWORD error)
{
    return std::find(IN_USE_ERRORS.begin(), IN_USE_ERRORS.end(), error) != IN_USE_ERRORS.end();
}

bool is_gone_error(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

void remove_file(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    // Gone already, or a folder of the user's in the place of the file.
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return;
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
        SetFileAttributesA(path, attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    if (DeleteFileA(path)) return;
    const DWORD error = GetLastError();
    if (is_gone_error(error)) return;
    if (!is_in_use_error(error) || !delete_at_restart(path)) add_path(uninstall.failed, path);
}

// One search of a folder's entries, "." and ".." left out; closed with it.
class FolderEntries {
public:
    explicit FolderEntries(const char* folder)
    {
        char pattern[MAX_PATH];
        copy_text(pattern, folder);
        if (append_path(pattern, "*")) search_ = FindFirstFileA(pattern, &found_);
        skip_dots();
    }
    ~FolderEntries()
    {
        if (search_ != INVALID_HANDLE_VALUE) FindClose(search_);
    }
    FolderEntries(const FolderEntries&) = delete;
    FolderEntries& operator=(const FolderEntries&) = delete;

    bool opened() const { return search_ != INVALID_HANDLE_VALUE; }
    bool valid() const { return search_ != INVALID_HANDLE_VALUE && !ended_; }
    const WIN32_FIND_DATAA& entry() const { return found_; }
    void next()
    {
        ended_ = !FindNextFileA(search_, &found_);
        skip_dots();
    }

private:
    void skip_dots()
    {
        while (valid() && (lstrcmpA(found_.cFileName, ".") == 0 || lstrcmpA(found_.cFileName, "..") == 0))
            ended_ = !FindNextFileA(search_, &found_);
    }

    HANDLE search_ = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA found_ = {};
    bool ended_ = false;
};

bool is_directory(const WIN32_FIND_DATAA& entry)
{
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void note_leftover(const char* relative, bool is_folder)
{
    NameSample& leftovers = uninstall.leftovers;
    if (leftovers.total < LISTED_NAMES) {
        char(&name)[MAX_PATH] = leftovers.names[leftovers.total];
        copy_text(name, relative);
        // A name too long for its backslash is shown without it.
        if (is_folder) append_text(name, "\\");
    }
    ++leftovers.total;
}

// Notes what stays below folder; true when it noted anything.
bool note_leftovers(const char* folder, int prefix_length)
{
    bool noted = false;
    for (FolderEntries entries(folder); entries.valid(); entries.next()) {
        char path[MAX_PATH];
        copy_text(path, folder);
        if (!append_path(path, entries.entry().cFileName)) continue;
        if (has_path(uninstall.pending, path) || has_path(uninstall.failed, path)) continue;
        if (uninstall.eraser_started && same_path(path, uninstall.program_path)) continue;
        noted = true;
        // A folder is named when nothing in it is, so that an empty one shows too.
        if (is_directory(entries.entry()) && note_leftovers(path, prefix_length)) continue;
        note_leftover(path + prefix_length, is_directory(entries.entry()));
    }
    return noted;
}

}  // namespace

bool holds_only(const char* folder, const char* spared, bool pending_counts)
{
    FolderEntries entries(folder);
    if (!entries.opened()) return false;
    for (; entries.valid(); entries.next()) {
        char path[MAX_PATH];
        copy_text(path, folder);
        if (!append_path(path, entries.entry().cFileName)) return false;
        if (pending_counts && has_path(uninstall.pending, path)) continue;
        if (spared != nullptr && same_path(path, spared)) continue;
        return false;
    }
    return true;
}

void remove_files()
{
    for (int i = 0; i < uninstall.files.count; ++i) {
        const char* path = uninstall.files.paths[i];
        if (!same_path(path, uninstall.program_path)) remove_file(path);
    }
}

void remove_subfolders()
{
    // The longer path first, in the script's order among equals; an
    // insertion sort, since std::stable_sort would take memory from the heap.
    std::array<int, SUBFOLDER_COUNT> deepest_first = {};
    const int count = uninstall.subfolder_count;
    for (int i = 0; i < count; ++i) {
        const int length = lstrlenA(uninstall.subfolders[i]);
        int at = i;
        for (; at > 0 && lstrlenA(uninstall.subfolders[deepest_first[at - 1]]) < length; --at)
            deepest_first[at] = deepest_first[at - 1];
        deepest_first[at] = i;
    }
    for (int i = 0; i < count; ++i) remove_folder(uninstall.subfolders[deepest_first[i]]);
}

FolderOutcome remove_folder(const char* folder, const char* spared)
{
    if (RemoveDirectoryA(folder) || is_gone_error(GetLastError())) return FolderOutcome::gone;
    if (holds_only(folder, spared, true) && delete_at_restart(folder)) return FolderOutcome::at_restart;
    return FolderOutcome::stays;
}

bool delete_at_restart(const char* path)
{
    // Only what the list can note is scheduled, so the message names all of it.
    if (is_full(uninstall.pending) || !MoveFileExA(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) return false;
    add_path(uninstall.pending, path);
    return true;
}

void list_leftovers()
{
    const int length = lstrlenA(uninstall.folder);
    const bool root = length > 0 && uninstall.folder[length - 1] == '\\';
    note_leftovers(uninstall.folder, root ? length : length + 1);
}
