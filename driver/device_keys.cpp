#include "driver/device_keys.h"

#include <array>

#include "driver/trace.h"
#include "setup/bounded_text.h"

KeySecurityCalls key_security_calls = {RegSetKeySecurity};

namespace {

constexpr int KEY_NAME_CHARS = 128;
constexpr DWORD CLASS_BYTES = 128;
constexpr char MOUSE_CLASS[] = "Mouse";

struct KeyTrustee {
    BYTE sub_authority_count;
    DWORD first_rid;
    DWORD second_rid;
    DWORD access;
};

// In the order of the ACEs.
constexpr std::array<KeyTrustee, 2> KEY_TRUSTEES = {{
    {1, SECURITY_INTERACTIVE_RID, 0, KEY_READ},
    {2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, KEY_ALL_ACCESS},
}};

// The ACL header, and per ACE its header and mask; the SIDs come on top.
constexpr DWORD ACL_FIXED_BYTES = sizeof(ACL) + KEY_TRUSTEES.size() * (sizeof(ACE_HEADER) + sizeof(ACCESS_MASK));
static_assert(ACL_FIXED_BYTES == 24);

char ascii_lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

int equals_ascii_nocase(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b)
        if (ascii_lower(*a) != ascii_lower(*b)) return 0;
    return *a == *b;
}

int allocate_trustee_sids(std::array<PSID, 2>& sids)
{
    SID_IDENTIFIER_AUTHORITY nt_authority = SECURITY_NT_AUTHORITY;
    for (size_t i = 0; i < KEY_TRUSTEES.size(); ++i) {
        const KeyTrustee& trustee = KEY_TRUSTEES[i];
        if (!AllocateAndInitializeSid(&nt_authority, trustee.sub_authority_count, trustee.first_rid,
                                      trustee.second_rid, 0, 0, 0, 0, 0, 0, &sids[i])) {
            sids[i] = nullptr;
            trace_system_error("AllocateAndInitializeSid", GetLastError());
            return 0;
        }
    }
    return 1;
}

// acl receives the heap block as soon as there is one; the caller frees it.
int build_key_acl(const std::array<PSID, 2>& sids, PACL& acl)
{
    const DWORD size = ACL_FIXED_BYTES + GetLengthSid(sids[0]) + GetLengthSid(sids[1]);
    acl = static_cast<PACL>(HeapAlloc(GetProcessHeap(), 0, size));
    if (!acl) return 0;
    if (!InitializeAcl(acl, size, ACL_REVISION)) {
        trace_system_error("InitializeAcl", GetLastError());
        return 0;
    }
    for (size_t i = 0; i < KEY_TRUSTEES.size(); ++i) {
        if (!AddAccessAllowedAce(acl, ACL_REVISION, KEY_TRUSTEES[i].access, sids[i])) {
            trace_system_error("AddAccessAllowedAce", GetLastError());
            return 0;
        }
    }
    return 1;
}

int apply_key_dacl(HKEY key, PACL acl)
{
    SECURITY_DESCRIPTOR descriptor;
    if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION)) {
        trace_system_error("InitializeSecurityDescriptor", GetLastError());
        return 0;
    }
    if (!SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE)) {
        trace_system_error("SetSecurityDescriptorDacl", GetLastError());
        return 0;
    }
    const LONG result = key_security_calls.set_key_security(key, DACL_SECURITY_INFORMATION, &descriptor);
    if (result != ERROR_SUCCESS) {
        trace_system_error("RegSetKeySecurity", result);
        return 0;
    }
    return 1;
}

int has_mouse_class(HKEY instance)
{
    // One spare zero byte, since a value may be stored without its terminator.
    char class_name[CLASS_BYTES + 1] = {};
    DWORD size = CLASS_BYTES;
    if (RegQueryValueExA(instance, "Class", nullptr, nullptr, reinterpret_cast<BYTE*>(class_name), &size) !=
        ERROR_SUCCESS)
        return 0;
    trace(class_name, "class name in registry");
    return equals_ascii_nocase(class_name, MOUSE_CLASS);
}

void repair_instance_class(const char* instance_path)
{
    HKEY instance = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, instance_path, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &instance) !=
        ERROR_SUCCESS)
        return;
    if (!has_mouse_class(instance)) {
        trace("Class Not Mouse, Update Class");
        RegSetValueExA(instance, "Class", 0, REG_SZ, reinterpret_cast<const BYTE*>(MOUSE_CLASS),
                       sizeof(MOUSE_CLASS));
        RegDeleteValueA(instance, "Driver");
    }
    RegCloseKey(instance);
}

}  // namespace

void trace_message_text(DWORD code)
{
    char* text = nullptr;
    // Without IGNORE_INSERTS a text with inserts would read arguments that are not there.
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&text), 0,
                   nullptr);
    if (!text) return;
    trace(text);
    LocalFree(text);
}

void trace_system_error(const char* step_name, DWORD code)
{
    trace(step_name, "ERROE!");
    trace_message_text(code);
}

int secure_device_key(const char* key_path)
{
    trace(key_path, "REG KEY");
    HKEY key = nullptr;
    const LONG opened = RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_path, 0, WRITE_DAC, &key);
    if (opened != ERROR_SUCCESS) {
        trace_system_error("RegOpenKeyEx", opened);
        return ERROR_INVALID_DATA;
    }

    std::array<PSID, 2> sids = {};
    PACL acl = nullptr;
    const int written = allocate_trustee_sids(sids) && build_key_acl(sids, acl) && apply_key_dacl(key, acl);

    RegCloseKey(key);
    if (acl) HeapFree(GetProcessHeap(), 0, acl);
    for (PSID sid : sids)
        if (sid) FreeSid(sid);

    if (!written) {
        trace("ERROR updating performance data security\n");
        return ERROR_INVALID_DATA;
    }
    trace("SUCCESS updating performance data security\n");
    return 0;
}

void repair_device_keys()
{
    HKEY root = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, DEVICE_ROOT_KEY, 0, KEY_READ, &root) != ERROR_SUCCESS) return;

    for (DWORD index = 0;; ++index) {
        char name[KEY_NAME_CHARS];
        DWORD name_length = KEY_NAME_CHARS;
        if (RegEnumKeyExA(root, index, name, &name_length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;

        char instance_path[256];
        copy_text(instance_path, DEVICE_ROOT_KEY);
        append_text(instance_path, "\\");
        append_text(instance_path, name);
        trace(instance_path, "Enum Key");

        secure_device_key(instance_path);
        repair_instance_class(instance_path);
    }
    RegCloseKey(root);
}
