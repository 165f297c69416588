// Reading and cleaning registry keys in tests.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct RegistryValue {
    bool found = false;
    DWORD type = 0;
    DWORD size = 0;     // bytes stored, terminating zero included
    std::string data;   // the bytes as stored
};

RegistryValue read_registry_value(HKEY root, const std::string& key, const char* name);
bool registry_key_exists(HKEY root, const std::string& key);
std::vector<std::string> registry_subkeys(HKEY root, const std::string& key);
void delete_registry_tree(HKEY root, const std::string& key);
