#include "registry.h"

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
