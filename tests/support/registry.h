// Reading, writing and removing registry keys and values in the tests and
// their tools. Each call says by its result whether it worked.
#pragma once

#include <windows.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

struct RegistryValue {
    DWORD type = 0;
    DWORD size = 0;     // bytes stored, terminating zero included
    std::string data;   // the bytes as stored
};

// Nothing when the key or the value cannot be read.
std::optional<RegistryValue> read_registry_value(HKEY root, const std::string& key, const char* name);
// A REG_SZ up to its terminating zero; nothing when it is missing or of another type.
std::optional<std::string> read_registry_string(HKEY root, const std::string& key, const char* name);

// Also a key whose DACL keeps everyone but its owner out.
bool registry_key_exists(HKEY root, const std::string& key);
std::vector<std::string> registry_subkeys(HKEY root, const std::string& key);

bool create_registry_key(HKEY root, const std::string& key);
// A REG_SZ, in a key that is created where it is missing.
bool set_registry_string(HKEY root, const std::string& key, const char* name, const std::string& value);
void delete_registry_value(HKEY root, const std::string& key, const char* name);
// Deletes the key and everything below it, also keys whose DACL keeps us
// from reading them.
void delete_registry_tree(HKEY root, const std::string& key);

// Gives the key a DACL without entries, so that nobody but its owner gets in.
bool lock_registry_key(HKEY root, const std::string& key);

struct AllowedAce {
    std::string sid;  // S-1-5-...
    ACCESS_MASK mask;
    BYTE flags;
    bool operator==(const AllowedAce&) const = default;
};
std::ostream& operator<<(std::ostream& out, const AllowedAce& ace);
// The key's DACL as read back with RegGetKeySecurity, other ACE types as an
// entry with an empty SID; nothing when it cannot be read.
std::optional<std::vector<AllowedAce>> registry_key_dacl(HKEY root, const std::string& key);
