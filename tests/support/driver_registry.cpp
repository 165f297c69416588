#include "support/driver_registry.h"

#include <gtest/gtest.h>

#include <sddl.h>

namespace {

std::string sid_text(PSID sid)
{
    char* text = nullptr;
    if (!ConvertSidToStringSidA(sid, &text)) return "?";
    std::string result = text;
    LocalFree(text);
    return result;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const AllowedAce& ace)
{
    return out << '{' << ace.sid << ", 0x" << std::hex << ace.mask << ", flags 0x" << unsigned(ace.flags) << std::dec
               << '}';
}

bool key_exists(const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, READ_CONTROL, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

void create_key(const std::string& path)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS)
        << path;
    RegCloseKey(key);
}

void set_string_value(const std::string& path, const char* name, const std::string& value)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS)
        << path;
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

std::optional<RegistryValue> read_value(const std::string& path, const char* name)
{
    RegistryValue value = read_registry_value(HKEY_LOCAL_MACHINE, path, name);
    if (!value.found) return {};
    return value;
}

void delete_key_tree(const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
        std::vector<std::string> children;
        char name[256];
        for (DWORD index = 0;; ++index) {
            DWORD length = sizeof(name);
            if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            children.push_back(name);
        }
        RegCloseKey(key);
        for (const std::string& child : children) delete_key_tree(path + "\\" + child);
    }
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str());
}

void lock_key(const std::string& path)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, WRITE_DAC, &key), ERROR_SUCCESS) << path;
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    ACL acl;
    InitializeAcl(&acl, sizeof(acl), ACL_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, &acl, FALSE);
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor), ERROR_SUCCESS);
    RegCloseKey(key);
}

std::vector<AllowedAce> key_dacl(const std::string& path)
{
    std::vector<AllowedAce> aces;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, READ_CONTROL, &key) != ERROR_SUCCESS) {
        ADD_FAILURE() << "cannot read the security of " << path;
        return aces;
    }
    alignas(DWORD) BYTE buffer[1024];
    DWORD size = sizeof(buffer);
    const LONG result = RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, buffer, &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) {
        ADD_FAILURE() << "RegGetKeySecurity " << result;
        return aces;
    }
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL acl = nullptr;
    if (!GetSecurityDescriptorDacl(buffer, &present, &acl, &defaulted) || !present || !acl) {
        ADD_FAILURE() << "no DACL on " << path;
        return aces;
    }
    for (DWORD index = 0; index < acl->AceCount; ++index) {
        void* ace = nullptr;
        if (!GetAce(acl, index, &ace)) break;
        const auto* header = static_cast<ACE_HEADER*>(ace);
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE) {
            aces.push_back({"", 0, header->AceFlags});
            continue;
        }
        auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        aces.push_back({sid_text(&allowed->SidStart), allowed->Mask, header->AceFlags});
    }
    return aces;
}
