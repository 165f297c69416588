#include "remove_files.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "path_checks.h"
#include "setup/setup_state.h"
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

bool is_noted(const std::vector<std::string>& list, const char* path)
{
    return std::any_of(list.begin(), list.end(),
                       [path](const std::string& item) { return lstrcmpiA(item.c_str(), path) == 0; });
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
    if (!is_in_use_error(error) || !delete_at_restart(path)) uninstall.failed.emplace_back(path);
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

// Notes what stays below folder; true when it noted anything.
bool note_leftovers(const char* folder, int prefix_length)
{
    bool noted = false;
    for (FolderEntries entries(folder); entries.valid(); entries.next()) {
        char path[MAX_PATH];
        copy_text(path, folder);
        if (!append_path(path, entries.entry().cFileName)) continue;
        if (is_noted(uninstall.pending, path) || is_noted(uninstall.failed, path)) continue;
        if (uninstall.eraser_started && same_path(path, uninstall.program_path)) continue;
        noted = true;
        // A folder is named when nothing in it is, so that an empty one shows too.
        if (is_directory(entries.entry()) && note_leftovers(path, prefix_length)) continue;
        std::string relative = path + prefix_length;
        if (is_directory(entries.entry())) relative += "\\";
        uninstall.leftovers.push_back(relative);
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
        if (pending_counts && is_noted(uninstall.pending, path)) continue;
        if (spared != nullptr && same_path(path, spared)) continue;
        return false;
    }
    return true;
}

void remove_files()
{
    for (const std::string& path : uninstall.files)
        if (!same_path(path.c_str(), uninstall.program_path)) remove_file(path.c_str());
}

void remove_subfolders()
{
    std::vector<std::string> deepest_first = uninstall.subfolders;
    std::stable_sort(deepest_first.begin(), deepest_first.end(),
                     [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    for (const std::string& folder : deepest_first) remove_folder(folder.c_str());
}

FolderOutcome remove_folder(const char* folder, const char* spared)
{
    if (RemoveDirectoryA(folder) || is_gone_error(GetLastError())) return FolderOutcome::gone;
    if (holds_only(folder, spared, true) && delete_at_restart(folder)) return FolderOutcome::at_restart;
    return FolderOutcome::stays;
}

bool delete_at_restart(const char* path)
{
    if (!MoveFileExA(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) return false;
    uninstall.pending.emplace_back(path);
    return true;
}

void list_leftovers()
{
    const int length = lstrlenA(uninstall.folder);
    const bool root = length > 0 && uninstall.folder[length - 1] == '\\';
    note_leftovers(uninstall.folder, root ? length : length + 1);
}
