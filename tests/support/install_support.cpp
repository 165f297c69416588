#include "install_support.h"

#include "setup/setup_state.h"
#include "test_files.h"

WindowsDirSandbox::WindowsDirSandbox()
{
    // Short, because the file table keeps the Windows directories in 39 characters.
    dir_ = "C:\\swin-" + std::to_string(GetCurrentProcessId());
    remove_tree(dir_);
    CreateDirectoryA(dir_.c_str(), nullptr);
    CreateDirectoryA((dir_ + "\\SYSTEM").c_str(), nullptr);
    CreateDirectoryA((dir_ + "\\INF").c_str(), nullptr);
    copy_text(state.windows_dir, dir_.c_str());
}

WindowsDirSandbox::~WindowsDirSandbox() { remove_tree(dir_); }

RegistryValue read_registry_value(HKEY root, const std::string& key, const char* name)
{
    RegistryValue value;
    HKEY opened;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return value;
    char data[1024] = {};
    DWORD size = sizeof data;
    if (RegQueryValueExA(opened, name, nullptr, &value.type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS) {
        value.found = true;
        value.size = size;
        value.data.assign(data, size);
    }
    RegCloseKey(opened);
    return value;
}

bool registry_key_exists(HKEY root, const std::string& key)
{
    HKEY opened;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

std::vector<std::string> registry_subkeys(HKEY root, const std::string& key)
{
    std::vector<std::string> names;
    HKEY opened;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return names;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(opened, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    RegCloseKey(opened);
    return names;
}

void delete_registry_tree(HKEY root, const std::string& key)
{
    for (const std::string& child : registry_subkeys(root, key)) delete_registry_tree(root, key + "\\" + child);
    RegDeleteKeyA(root, key.c_str());
}

CompanionRegistryCleanup::CompanionRegistryCleanup()
{
    const std::string handlers = MOUSE_HANDLERS_KEY;
    for (size_t at = handlers.find("\\Controls Folder"); at != std::string::npos; at = handlers.find('\\', at + 1)) {
        const std::string prefix = handlers.substr(0, handlers.find('\\', at + 1));
        if (!registry_key_exists(HKEY_LOCAL_MACHINE, prefix)) {
            first_missing_ = prefix;
            break;
        }
    }
    clean();
}

CompanionRegistryCleanup::~CompanionRegistryCleanup() { clean(); }

void CompanionRegistryCleanup::clean()
{
    delete_registry_tree(HKEY_CLASSES_ROOT, COMPANION_CLSID_KEY);
    delete_registry_tree(HKEY_LOCAL_MACHINE, UNINSTALL_KEY_PATH);
    HKEY run;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, RUN_KEY_PATH, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
        RegDeleteValueA(run, "RollPoint");
        RegCloseKey(run);
    }
    if (!first_missing_.empty())
        delete_registry_tree(HKEY_LOCAL_MACHINE, first_missing_);
    else
        delete_registry_tree(HKEY_LOCAL_MACHINE, std::string(MOUSE_HANDLERS_KEY) + "\\QVMousePage");
}
