#include "registry.h"

#include <sddl.h>

namespace {

constexpr DWORD LARGEST_VALUE = 1024;
constexpr DWORD LARGEST_KEY_NAME = 256;
constexpr DWORD LARGEST_SECURITY = 1024;

// An open key, closed when it goes.
class OpenKey {
public:
    OpenKey(HKEY root, const std::string& key, REGSAM access)
    {
        if (RegOpenKeyExA(root, key.c_str(), 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    ~OpenKey()
    {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    explicit operator bool() const { return key_ != nullptr; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

std::string sid_text(PSID sid)
{
    char* text = nullptr;
    if (!ConvertSidToStringSidA(sid, &text)) return "?";
    std::string result = text;
    LocalFree(text);
    return result;
}

}  // namespace

std::optional<RegistryValue> read_registry_value(HKEY root, const std::string& key, const char* name)
{
    OpenKey opened(root, key, KEY_READ);
    if (!opened) return {};
    char data[LARGEST_VALUE] = {};
    RegistryValue value;
    value.size = sizeof data;
    if (RegQueryValueExA(opened.get(), name, nullptr, &value.type, reinterpret_cast<BYTE*>(data), &value.size) !=
        ERROR_SUCCESS)
        return {};
    value.data.assign(data, value.size);
    return value;
}

std::optional<std::string> read_registry_string(HKEY root, const std::string& key, const char* name)
{
    const std::optional<RegistryValue> stored = read_registry_value(root, key, name);
    if (!stored || stored->type != REG_SZ) return {};
    return std::string(stored->data.c_str());  // up to its terminating zero
}

bool registry_key_exists(HKEY root, const std::string& key)
{
    return static_cast<bool>(OpenKey(root, key, READ_CONTROL));
}

std::vector<std::string> registry_subkeys(HKEY root, const std::string& key)
{
    std::vector<std::string> names;
    OpenKey opened(root, key, KEY_READ);
    if (!opened) return names;
    char name[LARGEST_KEY_NAME];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(opened.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    return names;
}

bool create_registry_key(HKEY root, const std::string& key)
{
    HKEY created = nullptr;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_QUERY_VALUE, nullptr, &created, nullptr) !=
        ERROR_SUCCESS)
        return false;
    RegCloseKey(created);
    return true;
}

bool set_registry_string(HKEY root, const std::string& key, const char* name, const std::string& value)
{
    HKEY created = nullptr;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const LONG result = RegSetValueExA(created, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                       static_cast<DWORD>(value.size() + 1));
    RegCloseKey(created);
    return result == ERROR_SUCCESS;
}

void delete_registry_value(HKEY root, const std::string& key, const char* name)
{
    OpenKey opened(root, key, KEY_SET_VALUE);
    if (opened) RegDeleteValueA(opened.get(), name);
}

void delete_registry_tree(HKEY root, const std::string& key)
{
    for (const std::string& child : registry_subkeys(root, key)) delete_registry_tree(root, key + "\\" + child);
    RegDeleteKeyA(root, key.c_str());
}

bool lock_registry_key(HKEY root, const std::string& key)
{
    OpenKey opened(root, key, WRITE_DAC);
    if (!opened) return false;
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    ACL acl;
    InitializeAcl(&acl, sizeof(acl), ACL_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, &acl, FALSE);
    return RegSetKeySecurity(opened.get(), DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
}

std::ostream& operator<<(std::ostream& out, const AllowedAce& ace)
{
    return out << '{' << ace.sid << ", 0x" << std::hex << ace.mask << ", flags 0x" << unsigned(ace.flags) << std::dec
               << '}';
}

std::optional<std::vector<AllowedAce>> registry_key_dacl(HKEY root, const std::string& key)
{
    alignas(DWORD) BYTE buffer[LARGEST_SECURITY];
    DWORD size = sizeof(buffer);
    {
        OpenKey opened(root, key, READ_CONTROL);
        if (!opened || RegGetKeySecurity(opened.get(), DACL_SECURITY_INFORMATION, buffer, &size) != ERROR_SUCCESS)
            return {};
    }
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL acl = nullptr;
    if (!GetSecurityDescriptorDacl(buffer, &present, &acl, &defaulted) || !present || !acl) return {};
    std::vector<AllowedAce> aces;
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
