#include "driver/device_api.h"

const DeviceApi* device_api = nullptr;

namespace {

template <typename Function>
int load_entry(HMODULE library, const char* name, Function& slot)
{
    slot = reinterpret_cast<Function>(GetProcAddress(library, name));
    return slot != nullptr;
}

int load_setupapi(HMODULE library, DeviceApi& api)
{
    int found = 1;
    found &= load_entry(library, "SetupDiClassGuidsFromNameA", api.class_guids_from_name);
    found &= load_entry(library, "SetupDiGetClassDevsA", api.get_class_devs);
    found &= load_entry(library, "SetupDiEnumDeviceInfo", api.enum_device_info);
    found &= load_entry(library, "SetupDiDestroyDeviceInfoList", api.destroy_device_info_list);
    found &= load_entry(library, "SetupDiGetDeviceInstallParamsA", api.get_device_install_params);
    found &= load_entry(library, "SetupDiSetDeviceInstallParamsA", api.set_device_install_params);
    found &= load_entry(library, "SetupDiCallClassInstaller", api.call_class_installer);
    found &= load_entry(library, "SetupDiGetSelectedDriverA", api.get_selected_driver);
    found &= load_entry(library, "SetupDiGetDriverInfoDetailA", api.get_driver_info_detail);
    found &= load_entry(library, "SetupDiGetSelectedDevice", api.get_selected_device);
    found &= load_entry(library, "SetupDiSetSelectedDevice", api.set_selected_device);
    found &= load_entry(library, "SetupDiGetDeviceRegistryPropertyA", api.get_device_registry_property);
    found &= load_entry(library, "SetupOpenInfFileA", api.open_inf_file);
    found &= load_entry(library, "SetupCloseInfFile", api.close_inf_file);
    found &= load_entry(library, "SetupInstallServicesFromInfSectionA", api.install_services_from_inf_section);
    found &= load_entry(library, "SetupInstallFromInfSectionA", api.install_from_inf_section);
    return found;
}

int load_cfgmgr32(HMODULE library, DeviceApi& api)
{
    int found = 1;
    found &= load_entry(library, "CM_Get_DevNode_Status", api.get_devnode_status);
    found &= load_entry(library, "CM_Get_Device_IDA", api.get_device_id);
    return found;
}

}  // namespace

int load_device_api(DeviceApi& api, const char* setupapi_name, const char* cfgmgr32_name)
{
    HMODULE setupapi = LoadLibraryA(setupapi_name);
    if (!setupapi) return 0;
    HMODULE cfgmgr32 = LoadLibraryA(cfgmgr32_name);
    if (!cfgmgr32) {
        FreeLibrary(setupapi);
        return 0;
    }
    if (!load_setupapi(setupapi, api) || !load_cfgmgr32(cfgmgr32, api)) {
        FreeLibrary(cfgmgr32);
        FreeLibrary(setupapi);
        api = {};
        return 0;
    }
    return 1;
}

const DeviceApi* system_device_api()
{
    static DeviceApi api = {};
    static int loaded = 0;
    if (!loaded) loaded = load_device_api(api, "setupapi.dll", "cfgmgr32.dll");
    return loaded ? &api : nullptr;
}
