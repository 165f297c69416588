#include "support/driver_fake_devices.h"

FakeDeviceServices fake_devices;
const HDEVINFO fake_device_set = reinterpret_cast<HDEVINFO>(0x5E7);

namespace {

const HDEVINFO FAKE_SET = fake_device_set;
const HINF FAKE_INF = reinterpret_cast<HINF>(0x1AF);

BOOL fail_with(DWORD code)
{
    SetLastError(code);
    return FALSE;
}

// The element must be one that the set handed out, in a record of the old size.
const FakeDevice* device_of(HDEVINFO set, const SP_DEVINFO_DATA* element)
{
    if (set != FAKE_SET || !element || element->cbSize != DEVINFO_DATA_SIZE || element->Reserved == 0) return nullptr;
    const size_t index = element->DevInst - FAKE_FIRST_DEVINST;
    return index < fake_devices.devices.size() ? &fake_devices.devices[index] : nullptr;
}

void copy_into(char* buffer, size_t size, const std::string& text)
{
    lstrcpynA(buffer, text.c_str(), static_cast<int>(size));
}

BOOL WINAPI class_guids_from_name(PCSTR name, GUID* guids, DWORD capacity, DWORD* count)
{
    fake_devices.class_name = name;
    fake_devices.class_capacity = capacity;
    if (fake_devices.class_lookup_fails) return fail_with(ERROR_INVALID_CLASS);
    *count = fake_devices.class_guid_count;
    if (fake_devices.class_guid_count > 0 && capacity > 0) guids[0] = FAKE_MOUSE_CLASS;
    return TRUE;
}

HDEVINFO WINAPI get_class_devs(const GUID* guid, PCSTR, HWND owner, DWORD flags)
{
    fake_devices.class_guid = *guid;
    fake_devices.set_flags = flags;
    fake_devices.set_owner = owner;
    if (fake_devices.set_fails) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    return FAKE_SET;
}

BOOL WINAPI enum_device_info(HDEVINFO set, DWORD index, SP_DEVINFO_DATA* element)
{
    fake_devices.indexes_read.push_back(index);
    if (set != FAKE_SET || element->cbSize != DEVINFO_DATA_SIZE) return fail_with(ERROR_INVALID_USER_BUFFER);
    if (index >= fake_devices.devices.size()) return fail_with(ERROR_NO_MORE_ITEMS);
    element->ClassGuid = FAKE_MOUSE_CLASS;
    element->DevInst = FAKE_FIRST_DEVINST + index;
    element->Reserved = index + 1;
    return TRUE;
}

BOOL WINAPI destroy_device_info_list(HDEVINFO set)
{
    if (set == FAKE_SET) ++fake_devices.sets_destroyed;
    return set == FAKE_SET;
}

CONFIGRET WINAPI get_devnode_status(ULONG* status, ULONG* problem, DEVINST node, ULONG)
{
    const size_t index = node - FAKE_FIRST_DEVINST;
    if (index >= fake_devices.devices.size()) return CR_NO_SUCH_DEVNODE;
    *status = fake_devices.devices[index].status;
    *problem = 0;
    return CR_SUCCESS;
}

CONFIGRET WINAPI get_device_id(DEVINST node, char* buffer, ULONG length, ULONG)
{
    const size_t index = node - FAKE_FIRST_DEVINST;
    if (index >= fake_devices.devices.size()) return CR_NO_SUCH_DEVNODE;
    copy_into(buffer, length, fake_devices.devices[index].instance_id);
    return CR_SUCCESS;
}

BOOL WINAPI get_device_install_params(HDEVINFO set, SP_DEVINFO_DATA* element, SP_DEVINSTALL_PARAMS_A* params)
{
    ++fake_devices.params_reads;
    if (!device_of(set, element) || params->cbSize != INSTALL_PARAMS_SIZE) return fail_with(ERROR_INVALID_PARAMETER);
    if (fake_devices.params_reads == fake_devices.params_read_fails_at) return fail_with(ERROR_INVALID_PARAMETER);
    params->Flags = fake_devices.platform_flags;
    params->FlagsEx = FAKE_PLATFORM_FLAGS_EX;
    copy_into(params->DriverPath, sizeof(params->DriverPath), fake_devices.platform_driver_path);
    return TRUE;
}

BOOL WINAPI set_device_install_params(HDEVINFO set, SP_DEVINFO_DATA* element, SP_DEVINSTALL_PARAMS_A* params)
{
    if (!device_of(set, element) || params->cbSize != INSTALL_PARAMS_SIZE) return fail_with(ERROR_INVALID_PARAMETER);
    fake_devices.params_writes.push_back({element->DevInst, params->Flags, params->FlagsEx, params->DriverPath});
    if (static_cast<int>(fake_devices.params_writes.size()) == fake_devices.params_write_fails_at)
        return fail_with(ERROR_INVALID_FLAGS);
    fake_devices.platform_flags = params->Flags;
    fake_devices.platform_driver_path = params->DriverPath;
    return TRUE;
}

BOOL WINAPI call_class_installer(DI_FUNCTION function, HDEVINFO set, SP_DEVINFO_DATA* element)
{
    if (!device_of(set, element)) return fail_with(ERROR_INVALID_PARAMETER);
    fake_devices.installer_calls.push_back({function, element->DevInst});
    const DWORD error = function == DIF_SELECTDEVICE ? fake_devices.selection_error : fake_devices.installation_error;
    return error ? fail_with(error) : TRUE;
}

BOOL WINAPI get_selected_driver(HDEVINFO set, SP_DEVINFO_DATA* element, SP_DRVINFO_DATA_V1_A* driver)
{
    if (!device_of(set, element) || driver->cbSize != DRIVER_DATA_SIZE) return fail_with(ERROR_INVALID_USER_BUFFER);
    if (!fake_devices.driver_selected) return fail_with(ERROR_NO_DRIVER_SELECTED);
    driver->DriverType = SPDIT_CLASSDRIVER;
    copy_into(driver->Description, sizeof(driver->Description), "Wheel Mouse Driver");
    return TRUE;
}

// Like the platform with a buffer that holds one byte of the hardware IDs:
// the fixed part is filled and the call reports the size it wanted.
BOOL WINAPI get_driver_info_detail(HDEVINFO set, SP_DEVINFO_DATA* element, SP_DRVINFO_DATA_V1_A* driver,
                                   SP_DRVINFO_DETAIL_DATA_A* detail, DWORD size, DWORD* required)
{
    if (!device_of(set, element) || driver->cbSize != DRIVER_DATA_SIZE || detail->cbSize != DRIVER_DETAIL_SIZE ||
        size < DRIVER_DETAIL_SIZE)
        return fail_with(ERROR_INVALID_USER_BUFFER);
    copy_into(detail->SectionName, sizeof(detail->SectionName), fake_devices.install_section);
    copy_into(detail->InfFileName, sizeof(detail->InfFileName), fake_devices.inf_path);
    if (required) *required = DRIVER_DETAIL_SIZE + 16;
    return fail_with(ERROR_INSUFFICIENT_BUFFER);
}

BOOL WINAPI get_selected_device(HDEVINFO set, SP_DEVINFO_DATA* element)
{
    if (set != FAKE_SET || fake_devices.devices_selected.empty()) return fail_with(ERROR_NO_DEVICE_SELECTED);
    const DEVINST device = fake_devices.devices_selected.back();
    element->DevInst = device;
    element->Reserved = device - FAKE_FIRST_DEVINST + 1;
    return TRUE;
}

BOOL WINAPI set_selected_device(HDEVINFO set, SP_DEVINFO_DATA* element)
{
    if (!device_of(set, element)) return fail_with(ERROR_INVALID_PARAMETER);
    fake_devices.devices_selected.push_back(element->DevInst);
    return TRUE;
}

BOOL WINAPI get_device_registry_property(HDEVINFO set, SP_DEVINFO_DATA* element, DWORD property, DWORD* type,
                                         BYTE* buffer, DWORD size, DWORD*)
{
    const FakeDevice* device = device_of(set, element);
    if (!device || property != SPDRP_DEVICEDESC) return fail_with(ERROR_INVALID_DATA);
    if (type) *type = REG_SZ;
    copy_into(reinterpret_cast<char*>(buffer), size, device->description);
    return TRUE;
}

HINF WINAPI open_inf_file(PCSTR path, PCSTR inf_class, DWORD style, UINT*)
{
    fake_devices.inf_opened = path;
    fake_devices.inf_style = style;
    if (!fake_devices.inf_opens || inf_class) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    return FAKE_INF;
}

void WINAPI close_inf_file(HINF inf)
{
    if (inf == FAKE_INF) ++fake_devices.infs_closed;
}

BOOL WINAPI install_services_from_inf_section(HINF inf, PCSTR section, DWORD flags)
{
    if (inf != FAKE_INF) return fail_with(ERROR_INVALID_HANDLE);
    fake_devices.services_installed.emplace_back(section, flags);
    return fake_devices.services_fail ? fail_with(ERROR_SECTION_NOT_FOUND) : TRUE;
}

BOOL WINAPI install_from_inf_section(HWND owner, HINF inf, PCSTR section, UINT flags, HKEY relative_root,
                                     PCSTR source_root, UINT, PSP_FILE_CALLBACK_A, void*, HDEVINFO, SP_DEVINFO_DATA*)
{
    if (inf != FAKE_INF) return fail_with(ERROR_INVALID_HANDLE);
    fake_devices.sections_installed.push_back({section, flags, relative_root, source_root ? source_root : "", owner});
    if (fake_devices.failing_sections.count(section)) return fail_with(ERROR_SECTION_NOT_FOUND);
    if (fake_devices.write_under_relative_root) {
        const DWORD one = 1;
        if (RegSetValueExA(relative_root, section, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof(one)) !=
            ERROR_SUCCESS)
            return fail_with(ERROR_INVALID_HANDLE);
    }
    return TRUE;
}

}  // namespace

const DeviceApi fake_device_api = {
    class_guids_from_name,
    get_class_devs,
    enum_device_info,
    destroy_device_info_list,
    get_devnode_status,
    get_device_id,
    get_device_install_params,
    set_device_install_params,
    call_class_installer,
    get_selected_driver,
    get_driver_info_detail,
    get_selected_device,
    set_selected_device,
    get_device_registry_property,
    open_inf_file,
    close_inf_file,
    install_services_from_inf_section,
    install_from_inf_section,
};
