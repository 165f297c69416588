// Registry keys below HKEY_LOCAL_MACHINE for the driver tests.
#pragma once

#include <windows.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "registry.h"

bool key_exists(const std::string& path);
void create_key(const std::string& path);
void set_string_value(const std::string& path, const char* name, const std::string& value);

// A value below HKEY_LOCAL_MACHINE, or nothing when it cannot be read.
std::optional<RegistryValue> read_value(const std::string& path, const char* name);

// Deletes the key and everything below it, also keys whose DACL keeps us
// from reading them.
void delete_key_tree(const std::string& path);

// Gives the key a DACL without entries, so that nobody but its owner gets in.
void lock_key(const std::string& path);

struct AllowedAce {
    std::string sid;  // S-1-5-...
    ACCESS_MASK mask;
    BYTE flags;
    bool operator==(const AllowedAce&) const = default;
};
std::ostream& operator<<(std::ostream& out, const AllowedAce& ace);
// The key's DACL as read back with RegGetKeySecurity; other ACE types show
// as an entry with an empty SID.
std::vector<AllowedAce> key_dacl(const std::string& path);
