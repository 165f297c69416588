#include "driver/mouse_driver.h"

#include <array>

#include "driver/device_api.h"
#include "driver/device_keys.h"
#include "driver/trace.h"
#include "setup/bounded_text.h"

namespace {

constexpr char MOUSE_CLASS_NAME[] = "Mouse";
constexpr DWORD CLASS_GUID_CAPACITY = 16;
constexpr DWORD SELECTION_FLAGS = DI_NOBROWSE;
constexpr DWORD INSTALLATION_FLAGS = DI_NEEDRESTART | DI_NOBROWSE;
constexpr DWORD SERVICE_FLAGS = SPSVCINST_ASSOCSERVICE;
constexpr UINT SETTINGS_FLAGS = SPINST_INIFILES | SPINST_REGISTRY;
constexpr ULONG DEVICE_TEXT_CHARS = 100;

constexpr char SERVICES_KEY[] = "SYSTEM\\CurrentControlSet\\Services\\";
constexpr char DEVICE0_SUFFIX[] = "\\Device0";
constexpr char DEVICE_KEY_PREFIX[] = "DeviceKey=";
constexpr std::array<const char*, 2> SETTINGS_SUFFIXES = {"SoftwareSettings", "OpenGLSoftwareSettings"};
constexpr int LONGEST_SETTINGS_SUFFIX = sizeof("OpenGLSoftwareSettings");

// An element record ready to be filled by the device setup services.
SP_DEVINFO_DATA empty_element()
{
    SP_DEVINFO_DATA element = {};
    element.cbSize = DEVINFO_DATA_SIZE;
    return element;
}

int find_mouse_class(GUID& guid)
{
    GUID guids[CLASS_GUID_CAPACITY] = {};
    DWORD count = 0;
    // A class that is not registered may be reported as a success with no GUID.
    if (!device_api.class_guids_from_name(MOUSE_CLASS_NAME, guids, CLASS_GUID_CAPACITY, &count) || count == 0)
        return 0;
    guid = guids[0];
    return 1;
}

// The first started device of the set wins; without one, the first device.
SP_DEVINFO_DATA choose_device(HDEVINFO set)
{
    for (DWORD index = 0;; ++index) {
        SP_DEVINFO_DATA element = empty_element();
        if (!device_api.enum_device_info(set, index, &element)) break;
        ULONG status = 0;
        ULONG problem = 0;
        device_api.get_devnode_status(&status, &problem, element.DevInst, 0);
        if (status & DN_STARTED) return element;
    }
    SP_DEVINFO_DATA element = empty_element();
    device_api.enum_device_info(set, 0, &element);
    return element;
}

int point_installer_at_source(HDEVINFO set, SP_DEVINFO_DATA& element, const char* source_dir, DWORD added_flags)
{
    trace("modify devinstall para");
    SP_DEVINSTALL_PARAMS_A params = {};
    params.cbSize = INSTALL_PARAMS_SIZE;
    if (!device_api.get_device_install_params(set, &element, &params)) {
        trace("error:SetupDiGetDeviceInstallParams");
        return 0;
    }
    copy_text(params.DriverPath, source_dir);
    params.Flags |= added_flags;
    if (!device_api.set_device_install_params(set, &element, &params)) {
        trace("error:SetupDiSetDeviceInstallParams");
        return 0;
    }
    return 1;
}

// Null when the key can be neither opened nor created.
HKEY open_device0_key(const char* install_section)
{
    char key_path[sizeof(SERVICES_KEY) + INSTALL_SECTION_CHARS + sizeof(DEVICE0_SUFFIX)];
    copy_text(key_path, SERVICES_KEY);
    append_text(key_path, install_section);
    append_text(key_path, DEVICE0_SUFFIX);

    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_path, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) return key;
    char no_class[] = "";
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key_path, 0, no_class, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &key, &disposition) == ERROR_SUCCESS)
        return key;
    trace("ERRROR: RegCreateKeyEx");
    return nullptr;
}

// Without the INF or the key a section counts as failed and is not installed.
void install_settings_sections(HWND owner_window, HINF inf, const char* install_section, HKEY device0_key,
                               const char* source_dir)
{
    for (const char* suffix : SETTINGS_SUFFIXES) {
        char section[INSTALL_SECTION_CHARS + 1 + LONGEST_SETTINGS_SUFFIX];
        copy_text(section, install_section);
        append_text(section, ".");
        append_text(section, suffix);
        trace(section, "SoftwareSettings Section name");
        const int installed = inf != INVALID_HANDLE_VALUE && device0_key &&
                              device_api.install_from_inf_section(owner_window, inf, section, SETTINGS_FLAGS,
                                                                  device0_key, source_dir, 0, nullptr, nullptr,
                                                                  nullptr, nullptr);
        if (!installed) trace(section, "SetupInstallFromInfSection ERROR");
    }
}

void install_services_and_settings(HWND owner_window, const char* source_dir, const char* inf_path,
                                   const char* install_section)
{
    trace("Call install services");
    HINF inf = device_api.open_inf_file(inf_path, nullptr, INF_STYLE_WIN4, nullptr);
    if (inf == INVALID_HANDLE_VALUE) trace("Can't open inf file");

    trace(install_section, "Install services :Service Section name");
    if (inf == INVALID_HANDLE_VALUE ||
        !device_api.install_services_from_inf_section(inf, install_section, SERVICE_FLAGS))
        trace(install_section, "Call Install Services ERROR");

    HKEY device0_key = open_device0_key(install_section);
    install_settings_sections(owner_window, inf, install_section, device0_key, source_dir);

    if (device0_key) RegCloseKey(device0_key);
    if (inf != INVALID_HANDLE_VALUE) device_api.close_inf_file(inf);
}

// Steps on the device set; the caller releases the set.
int install_driver_from_set(HWND owner_window, const char* source_dir, HDEVINFO set)
{
    SP_DEVINFO_DATA element = choose_device(set);
    if (!point_installer_at_source(set, element, source_dir, SELECTION_FLAGS)) return 0;

    trace("call :SetupDiSelectDevice");
    if (!device_api.call_class_installer(DIF_SELECTDEVICE, set, &element)) {
        trace_message_text(GetLastError());
        trace("error:SetupDi_SELECTDEVICE");
        return 0;
    }

    char inf_path[INF_PATH_CHARS] = {};
    char install_section[INSTALL_SECTION_CHARS] = {};
    if (!get_selected_driver(set, &element, inf_path, install_section)) return 0;

    trace("call SetupDiSetSelectedDevice");
    device_api.set_selected_device(set, &element);

    trace("call SetupDi_INSTALLDEVICE   CALL TESTDELECTED WITH deviceInfodata");
    trace_device_selection(set, &element);

    if (!point_installer_at_source(set, element, source_dir, INSTALLATION_FLAGS)) return 0;
    if (!device_api.call_class_installer(DIF_INSTALLDEVICE, set, &element)) {
        trace_message_text(GetLastError());
        return 0;
    }

    install_services_and_settings(owner_window, source_dir, inf_path, install_section);
    return 1;
}

}  // namespace

int get_selected_driver(HDEVINFO set, SP_DEVINFO_DATA* element, char* inf_path, char* install_section)
{
    SP_DRVINFO_DATA_V1_A driver = {};
    driver.cbSize = DRIVER_DATA_SIZE;
    if (device_api.get_selected_driver(set, element, &driver) != 1) return 0;
    trace("Driver selected for HdevInfo");

    // Room for one byte of the hardware-ID list only: the call may report a
    // short buffer, but it fills the fixed part first.
    SP_DRVINFO_DETAIL_DATA_A detail = {};
    detail.cbSize = DRIVER_DETAIL_SIZE;
    DWORD required = 0;
    device_api.get_driver_info_detail(set, element, &driver, &detail, DRIVER_DETAIL_SIZE, &required);
    lstrcpynA(inf_path, detail.InfFileName, INF_PATH_CHARS);
    lstrcpynA(install_section, detail.SectionName, INSTALL_SECTION_CHARS);
    return 1;
}

void trace_device_selection(HDEVINFO set, SP_DEVINFO_DATA* element)
{
    if (element) {
        // One spare zero each: a text that fills the buffer comes without terminator.
        char instance_id[DEVICE_TEXT_CHARS + 1] = {};
        device_api.get_device_id(element->DevInst, instance_id, DEVICE_TEXT_CHARS, 0);
        char description[DEVICE_TEXT_CHARS + 1] = {};
        device_api.get_device_registry_property(set, element, SPDRP_DEVICEDESC, nullptr,
                                                reinterpret_cast<BYTE*>(description), DEVICE_TEXT_CHARS, nullptr);
        char device_key[sizeof(DEVICE_KEY_PREFIX) + DEVICE_TEXT_CHARS];
        copy_text(device_key, DEVICE_KEY_PREFIX);
        append_text(device_key, instance_id);
        trace(device_key, description);
    } else {
        trace("pDeviceInfoData is NULL");
    }

    SP_DEVINFO_DATA selected = empty_element();
    trace(device_api.get_selected_device(set, &selected) ? "DEVICE  selected" : "DEVICE NOT selected");

    char inf_path[INF_PATH_CHARS] = {};
    char install_section[INSTALL_SECTION_CHARS] = {};
    if (get_selected_driver(set, element, inf_path, install_section))
        trace(install_section, inf_path);
    else
        trace("Driver NOT selected for HdevInfo");
}

int install_mouse_driver(HWND owner_window, const char* source_dir)
{
    GUID mouse_class = {};
    if (!use_system_device_api() || !find_mouse_class(mouse_class)) {
        trace("error: SetupDiClassGuidsFromName");
        return 0;
    }

    repair_device_keys();

    HDEVINFO set = device_api.get_class_devs(&mouse_class, nullptr, owner_window, DIGCF_PRESENT);
    if (set == INVALID_HANDLE_VALUE) {
        trace("error: DiGetClassDevs");
        return 0;
    }
    const int result = install_driver_from_set(owner_window, source_dir, set);
    device_api.destroy_device_info_list(set);
    return result;
}
