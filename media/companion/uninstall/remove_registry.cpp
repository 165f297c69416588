#include "remove_registry.h"

#include <windows.h>

#include "install/companion_registry.h"
#include "path_checks.h"
#include "setup/bounded_text.h"
#include "uninstall_state.h"

using namespace companion;

namespace {

// Deeper than anything the registration writes; a bound on the recursion.
constexpr int MAX_KEY_DEPTH = 8;

// An open key, closed with its holder.
class OpenKey {
public:
    OpenKey(HKEY root, const char* path, REGSAM access)
    {
        if (RegOpenKeyExA(root, path, 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
    }
    ~OpenKey()
    {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// A REG_SZ or REG_EXPAND_SZ value, as stored; false when there is none.
bool read_text(HKEY root, const char* path, const char* name, char (&out)[MAX_PATH])
{
    OpenKey key(root, path, KEY_QUERY_VALUE);
    if (key.get() == nullptr) return false;
    DWORD type = 0;
    DWORD size = sizeof out - 1;
    if (RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(out), &size) != ERROR_SUCCESS)
        return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    out[size < sizeof out ? size : sizeof out - 1] = '\0';
    return true;
}

// The program a command names: the text between its quotes, or all of it.
void program_of(char (&out)[MAX_PATH], const char* command)
{
    const char* start = command;
    while (*start == ' ') ++start;
    if (*start != '"') {
        copy_text(out, start);
        return;
    }
    ++start;
    int n = 0;
    while (start[n] != '\0' && start[n] != '"' && n < MAX_PATH - 1) ++n;
    lstrcpynA(out, start, n + 1);
}

bool value_points_here(HKEY root, const char* path, const char* name)
{
    char value[MAX_PATH];
    if (!read_text(root, path, name, value)) return false;
    char program[MAX_PATH];
    program_of(program, value);
    return program[0] != '\0' && is_below(program, uninstall.folder);
}

// Subkeys first: Windows NT deletes no key that has subkeys.
bool delete_tree(HKEY root, const char* path, int depth)
{
    if (depth < MAX_KEY_DEPTH) {
        char child[MAX_PATH];
        for (;;) {
            char name[MAX_PATH];
            DWORD length = MAX_PATH;
            {
                OpenKey key(root, path, KEY_ENUMERATE_SUB_KEYS);
                if (key.get() == nullptr ||
                    RegEnumKeyExA(key.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                    break;
            }
            if (lstrlenA(path) + 1 + lstrlenA(name) >= MAX_PATH - 1) return false;
            copy_text(child, path);
            append_text(child, "\\");
            append_text(child, name);
            if (!delete_tree(root, child, depth + 1)) return false;
        }
    }
    const LONG result = RegDeleteKeyA(root, path);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

// Notes an entry that stays, path and then name (which may be null).
void note_failed_key(const char* path, const char* name)
{
    if (uninstall.failed_key_count >= REGISTRY_ENTRY_COUNT) return;
    char(&noted)[MAX_PATH] = uninstall.failed_keys[uninstall.failed_key_count++];
    copy_text(noted, path);
    if (name == nullptr) return;
    append_text(noted, "\\");
    append_text(noted, name);
}

void delete_key_noted(HKEY root, const char* path)
{
    if (!delete_tree(root, path, 0)) note_failed_key(path, nullptr);
}

void delete_value_noted(const char* path, const char* name)
{
    OpenKey key(HKEY_LOCAL_MACHINE, path, KEY_SET_VALUE);
    const LONG result = key.get() != nullptr ? RegDeleteValueA(key.get(), name) : ERROR_ACCESS_DENIED;
    if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND)
        note_failed_key(path, name);
}

// The handler names the page's class; the handlers key's default value,
// written by Setup, names the handler and goes with it.
void remove_page_handler()
{
    char value[MAX_PATH];
    if (!read_text(HKEY_LOCAL_MACHINE, PAGE_HANDLER_KEY, nullptr, value) || lstrcmpiA(value, PAGE_CLASS_ID) != 0)
        return;
    delete_key_noted(HKEY_LOCAL_MACHINE, PAGE_HANDLER_KEY);
    if (read_text(HKEY_LOCAL_MACHINE, HANDLERS_KEY, nullptr, value) && lstrcmpiA(value, PAGE_HANDLER_NAME) == 0) {
        OpenKey handlers(HKEY_LOCAL_MACHINE, HANDLERS_KEY, KEY_SET_VALUE);
        if (handlers.get() != nullptr) RegDeleteValueA(handlers.get(), nullptr);
    }
}

// The class is ours when its server is the library in this folder.
void remove_page_class()
{
    if (!value_points_here(HKEY_CLASSES_ROOT, PAGE_SERVER_KEY, nullptr)) return;
    remove_page_handler();
    delete_key_noted(HKEY_CLASSES_ROOT, PAGE_CLASS_KEY);
}

void remove_run_value()
{
    if (value_points_here(HKEY_LOCAL_MACHINE, RUN_KEY, RUN_VALUE)) delete_value_noted(RUN_KEY, RUN_VALUE);
}

void remove_uninstall_entry()
{
    if (value_points_here(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, UNINSTALL_STRING_VALUE))
        delete_key_noted(HKEY_LOCAL_MACHINE, UNINSTALL_KEY);
}

}  // namespace

void remove_registry_entries()
{
    remove_page_class();
    remove_run_value();
    remove_uninstall_entry();
}
