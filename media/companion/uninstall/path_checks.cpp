#include "path_checks.h"

#include <cstring>

#include "setup/bounded_text.h"
#include "uninstall_state.h"

namespace {

constexpr const char* PATH_CHARACTERS = "\\/:*?\"<>|";

bool is_separator(char c)
{
    return c == '\\' || c == '/';
}

// Without the backslash at its end, unless it is a drive root such as C:\.
void trim_separator(char (&path)[MAX_PATH])
{
    const int length = lstrlenA(path);
    if (length > 3 && is_separator(path[length - 1])) path[length - 1] = '\0';
}

}  // namespace

bool full_path(char (&out)[MAX_PATH], const char* path)
{
    const DWORD length = GetFullPathNameA(path, MAX_PATH, out, nullptr);
    return length > 0 && length < MAX_PATH;
}

bool is_plain_name(const char* name)
{
    if (name == nullptr || name[0] == '\0') return false;
    bool only_dots_and_blanks = true;
    for (const char* c = name; *c != '\0'; ++c) {
        if (static_cast<unsigned char>(*c) < 32 || std::strchr(PATH_CHARACTERS, *c) != nullptr) return false;
        if (*c != '.' && *c != ' ') only_dots_and_blanks = false;
    }
    return !only_dots_and_blanks;
}

bool append_path(char (&out)[MAX_PATH], const char* part)
{
    const int used = lstrlenA(out);
    const bool separate = used > 0 && !is_separator(out[used - 1]);
    if (used + (separate ? 1 : 0) + lstrlenA(part) >= MAX_PATH) return false;
    if (separate) append_text(out, "\\");
    append_text(out, part);
    return true;
}

bool join_inside(char (&out)[MAX_PATH], const char* base, const char* relative_dir, const char* name)
{
    char result[MAX_PATH];
    copy_text(result, base);
    if (is_separator(relative_dir[0])) return false;

    char part[MAX_PATH];
    const char* next = relative_dir;
    while (*next != '\0') {
        int n = 0;
        for (; *next != '\0' && !is_separator(*next); ++next)
            if (n < MAX_PATH - 1) part[n++] = *next;
        part[n] = '\0';
        if (*next != '\0') ++next;
        if (n == 0 || lstrcmpA(part, ".") == 0) continue;
        if (n >= MAX_PATH - 1 || !is_plain_name(part) || !append_path(result, part)) return false;
    }
    if (name != nullptr && (!is_plain_name(name) || !append_path(result, name))) return false;
    copy_text(out, result);
    return true;
}

void parent_of(char (&out)[MAX_PATH], const char* path)
{
    copy_text(out, path);
    trim_separator(out);
    char* last = std::strrchr(out, '\\');
    if (last == nullptr) return;
    // C:\NAME keeps the root's backslash.
    if (last == out + 2 && out[1] == ':')
        last[1] = '\0';
    else
        *last = '\0';
}

bool same_path(const char* a, const char* b)
{
    char full_a[MAX_PATH];
    char full_b[MAX_PATH];
    if (!full_path(full_a, a) || !full_path(full_b, b)) return false;
    trim_separator(full_a);
    trim_separator(full_b);
    return lstrcmpiA(full_a, full_b) == 0;
}

bool is_below(const char* path, const char* folder)
{
    char full[MAX_PATH];
    char base[MAX_PATH];
    if (!full_path(full, path) || !full_path(base, folder)) return false;
    trim_separator(full);
    trim_separator(base);
    const int base_length = lstrlenA(base);
    const bool base_is_root = is_separator(base[base_length - 1]);
    if (lstrlenA(full) <= base_length) return false;
    if (!base_is_root && full[base_length] != '\\') return false;
    char head[MAX_PATH];
    lstrcpynA(head, full, base_length + 1);
    return lstrcmpiA(head, base) == 0;
}

bool in_windows_folder(const char* path)
{
    char parent[MAX_PATH];
    parent_of(parent, path);
    for (const char* folder : uninstall.windows_folders)
        if (folder[0] != '\0' && same_path(parent, folder)) return true;
    return false;
}

bool passes_reparse_point(const char* path, const char* folder)
{
    char step[MAX_PATH];
    parent_of(step, path);
    while (is_below(step, folder)) {
        const DWORD attributes = GetFileAttributesA(step);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return true;
        char up[MAX_PATH];
        parent_of(up, step);
        if (lstrcmpiA(up, step) == 0) break;
        copy_text(step, up);
    }
    return false;
}
