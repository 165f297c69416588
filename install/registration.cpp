#include "install/registration.h"

#include <windows.h>

#include <cstring>

#include "install/companion_registry.h"
#include "setup/bounded_text.h"
#include "setup/setup_state.h"

RegistryCalls registry_calls = {RegCreateKeyA, RegSetValueExA, RegDeleteKeyA, RegCloseKey};

namespace {

using namespace companion;

// Room for dest_dir (79), the longest file name and two quotes.
using ValueText = char[MAX_PATH];

// REG_SZ with its terminating zero counted.
void set_text_value(HKEY key, const char* name, const char* text)
{
    registry_calls.set_value(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), lstrlenA(text) + 1);
}

void set_default_value(HKEY root, const char* path, const char* text)
{
    HKEY key;
    if (registry_calls.create_key(root, path, &key) != ERROR_SUCCESS) return;
    set_text_value(key, nullptr, text);
    registry_calls.close_key(key);
}

// dest_dir, a backslash and the file; the separator goes in whatever dest_dir ends with.
void compose_installed_path(ValueText& out, const char* file)
{
    copy_text(out, state.dest_dir);
    append_text(out, "\\");
    append_text(out, file);
}

// A command line: quoted when the path has a blank, or the system would run
// the program named by the path's first word.
void compose_command(ValueText& out, const char* file)
{
    ValueText path;
    compose_installed_path(path, file);
    if (strchr(path, ' ') == nullptr) {
        copy_text(out, path);
        return;
    }
    copy_text(out, "\"");
    append_text(out, path);
    append_text(out, "\"");
}

void register_page_server()
{
    HKEY key;
    if (registry_calls.create_key(HKEY_CLASSES_ROOT, PAGE_SERVER_KEY, &key) != ERROR_SUCCESS) return;
    ValueText value;
    compose_installed_path(value, PAGE_SERVER_FILE);
    set_text_value(key, nullptr, value);
    set_text_value(key, THREADING_MODEL_VALUE, THREADING_MODEL);
    registry_calls.close_key(key);
}

// The plain deletion removes only a key without subkeys, so handlers of other
// programs stay registered.
void register_mouse_handler()
{
    registry_calls.delete_key(HKEY_LOCAL_MACHINE, HANDLERS_KEY);
    set_default_value(HKEY_LOCAL_MACHINE, HANDLERS_KEY, PAGE_HANDLER_NAME);
    set_default_value(HKEY_LOCAL_MACHINE, PAGE_HANDLER_KEY, PAGE_CLASS_ID);
}

void register_logon_run()
{
    HKEY key;
    if (registry_calls.create_key(HKEY_LOCAL_MACHINE, RUN_KEY, &key) != ERROR_SUCCESS) return;
    ValueText value;
    compose_command(value, UTILITY_FILE);
    set_text_value(key, RUN_VALUE, value);
    registry_calls.close_key(key);
}

void register_uninstall()
{
    HKEY key;
    if (registry_calls.create_key(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, &key) != ERROR_SUCCESS) return;
    ValueText value;
    copy_text(value, state.display_title);
    set_text_value(key, DISPLAY_NAME_VALUE, value);
    compose_command(value, UNINSTALL_FILE);
    set_text_value(key, UNINSTALL_STRING_VALUE, value);
    registry_calls.close_key(key);
}

}  // namespace

void register_companion()
{
    set_default_value(HKEY_CLASSES_ROOT, PAGE_CLASS_KEY, PAGE_CLASS_NAME);
    register_page_server();
    register_mouse_handler();
    register_logon_run();
    register_uninstall();
}
