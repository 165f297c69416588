#include "removal_plan.h"

#include <windows.h>

#include "path_checks.h"
#include "script/file_table.h"
#include "script/setup_script.h"
#include "setup/bounded_text.h"
#include "setup/setup_state.h"
#include "uninstall_state.h"

namespace {

constexpr const char* SCRIPT_NAME = "SETUP.INF";

bool is_readable_file(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
    HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

// The program's folder as the loader takes it: its path up to the last backslash.
void loader_folder(char (&out)[MAX_PATH])
{
    copy_text(out, uninstall.program_path);
    for (int i = lstrlenA(out) - 1; i >= 1; --i) {
        if (out[i] == '\\') {
            out[i] = '\0';
            break;
        }
    }
}

ScriptStatus read_script()
{
    char script[MAX_PATH];
    copy_text(script, uninstall.folder);
    if (!append_path(script, SCRIPT_NAME) || !is_readable_file(script)) return ScriptStatus::missing;

    state.instance = GetModuleHandleA(nullptr);
    GetWindowsDirectoryA(state.windows_dir, sizeof state.windows_dir);
    if (!load_setup_script()) return ScriptStatus::missing;
    // The loader keeps the folder in a buffer of 79 characters: from a longer
    // one it would have read the script of another folder.
    char folder[MAX_PATH];
    loader_folder(folder);
    if (lstrcmpiA(state.source_dir, folder) != 0) return ScriptStatus::missing;
    if (lstrcmpiA(state.product_name, PRODUCT_NAME) != 0) return ScriptStatus::foreign;
    return ScriptStatus::usable;
}

bool is_listed_subfolder(const char* path)
{
    for (int i = 0; i < uninstall.subfolder_count; ++i)
        if (lstrcmpiA(uninstall.subfolders[i], path) == 0) return true;
    return false;
}

// The full path of a file or folder that the script names below the
// program's folder; false when it would lead elsewhere.
bool checked_path(char (&out)[MAX_PATH], const char* relative_dir, const char* name)
{
    char joined[MAX_PATH];
    if (!join_inside(joined, uninstall.folder, relative_dir, name) || !full_path(out, joined)) return false;
    return is_below(out, uninstall.folder) && !in_windows_folder(out) && !passes_reparse_point(out, uninstall.folder);
}

// A missing line left an empty record: Setup copied nothing for it. The
// Windows, system and INF folders hold the driver and its files, which stay.
bool may_be_ours(const FileEntry& entry)
{
    return entry.target_name[0] != '\0' && entry.absolute == 0;
}

int count_candidate_files()
{
    int count = 0;
    for (int d = 0; d < state.disk_count; ++d)
        for (int j = 0; j < state.files_per_disk[d]; ++j)
            if (may_be_ours(state.disk_files[d][j])) ++count;
    return count;
}

void plan_file(const FileEntry& entry)
{
    if (!may_be_ours(entry)) return;

    char path[MAX_PATH];
    if (!checked_path(path, entry.target_dir, entry.target_name)) {
        ++uninstall.refused_entries;
        return;
    }
    if (has_path(uninstall.files, path) || !add_path(uninstall.files, path)) return;
    if (same_path(path, uninstall.program_path)) uninstall.program_listed = true;
}

void plan_files()
{
    for (int d = 0; d < state.disk_count; ++d)
        for (int j = 0; j < state.files_per_disk[d]; ++j) plan_file(state.disk_files[d][j]);
}

bool is_windows_folder(const char* path)
{
    for (const char* folder : uninstall.windows_folders)
        if (folder[0] != '\0' && same_path(path, folder)) return true;
    return false;
}

// Setup creates SubDir1 to SubDir6 whether or not a file goes into them.
void plan_subfolders()
{
    for (int k = DIR_SUB_FIRST; k <= DIR_SUB_LAST; ++k) {
        const char* name = state.dir_names[k];
        if (name[0] == '\0') continue;
        char joined[MAX_PATH];
        char path[MAX_PATH];
        if (!join_inside(joined, uninstall.folder, name, nullptr) || !full_path(path, joined)) {
            ++uninstall.refused_entries;
            continue;
        }
        if (same_path(path, uninstall.folder) || is_listed_subfolder(path)) continue;
        if (!is_below(path, uninstall.folder) || is_windows_folder(path) || in_windows_folder(path) ||
            passes_reparse_point(path, uninstall.folder)) {
            ++uninstall.refused_entries;
            continue;
        }
        if (uninstall.subfolder_count < SUBFOLDER_COUNT)
            copy_text(uninstall.subfolders[uninstall.subfolder_count++], path);
    }
}

}  // namespace

void locate_program_folder()
{
    const DWORD length = GetModuleFileNameA(nullptr, uninstall.program_path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) uninstall.program_path[0] = '\0';
    char parent[MAX_PATH];
    parent_of(parent, uninstall.program_path);
    if (!full_path(uninstall.folder, parent)) uninstall.folder[0] = '\0';

    char(&folders)[WINDOWS_FOLDER_COUNT][MAX_PATH] = uninstall.windows_folders;
    GetWindowsDirectoryA(folders[0], MAX_PATH);
    GetSystemDirectoryA(folders[1], MAX_PATH);
    // Setup's WinSystemDir and WinInfDir.
    copy_text(folders[2], folders[0]);
    append_path(folders[2], "SYSTEM");
    copy_text(folders[3], folders[0]);
    append_path(folders[3], "INF");
}

void plan_removal()
{
    if (uninstall.folder[0] == '\0') return;
    uninstall.script = read_script();
    if (uninstall.script == ScriptStatus::usable && !allocate_path_lists(count_candidate_files()))
        uninstall.script = ScriptStatus::missing;
    if (uninstall.script == ScriptStatus::usable) {
        plan_files();
        plan_subfolders();
    }
    release_file_table();
}
