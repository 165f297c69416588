// The few entry points of the device setup services (SetupAPI) and the
// configuration manager (CfgMgr32) that the driver installation uses. They
// are loaded at run time, so that Setup still starts on a system without
// them.
#pragma once

#include <windows.h>
#include <setupapi.h>
#include <cfgmgr32.h>

// Record sizes of the oldest SetupAPI, which newer systems accept as well.
// At 64 bits the API takes nothing but the records' own sizes.
constexpr DWORD DEVINFO_DATA_SIZE = sizeof(SP_DEVINFO_DATA);
constexpr DWORD INSTALL_PARAMS_SIZE = sizeof(SP_DEVINSTALL_PARAMS_A);
constexpr DWORD DRIVER_DATA_SIZE = sizeof(SP_DRVINFO_DATA_V1_A);
constexpr DWORD DRIVER_DETAIL_SIZE = sizeof(SP_DRVINFO_DETAIL_DATA_A);
#ifndef _WIN64
static_assert(DEVINFO_DATA_SIZE == 28);
static_assert(INSTALL_PARAMS_SIZE == 296);
static_assert(DRIVER_DATA_SIZE == 780);
static_assert(DRIVER_DETAIL_SIZE == 797);
#endif

struct DeviceApi {
    BOOL(WINAPI* class_guids_from_name)(PCSTR name, GUID* guids, DWORD capacity, DWORD* count);
    HDEVINFO(WINAPI* get_class_devs)(const GUID* guid, PCSTR enumerator, HWND owner, DWORD flags);
    BOOL(WINAPI* enum_device_info)(HDEVINFO set, DWORD index, SP_DEVINFO_DATA* element);
    BOOL(WINAPI* destroy_device_info_list)(HDEVINFO set);
    CONFIGRET(WINAPI* get_devnode_status)(ULONG* status, ULONG* problem, DEVINST node, ULONG flags);
    CONFIGRET(WINAPI* get_device_id)(DEVINST node, char* buffer, ULONG length, ULONG flags);
    BOOL(WINAPI* get_device_install_params)(HDEVINFO set, SP_DEVINFO_DATA* element, SP_DEVINSTALL_PARAMS_A* params);
    BOOL(WINAPI* set_device_install_params)(HDEVINFO set, SP_DEVINFO_DATA* element, SP_DEVINSTALL_PARAMS_A* params);
    BOOL(WINAPI* call_class_installer)(DI_FUNCTION function, HDEVINFO set, SP_DEVINFO_DATA* element);
    BOOL(WINAPI* get_selected_driver)(HDEVINFO set, SP_DEVINFO_DATA* element, SP_DRVINFO_DATA_V1_A* driver);
    BOOL(WINAPI* get_driver_info_detail)(HDEVINFO set, SP_DEVINFO_DATA* element, SP_DRVINFO_DATA_V1_A* driver,
                                         SP_DRVINFO_DETAIL_DATA_A* detail, DWORD size, DWORD* required);
    BOOL(WINAPI* get_selected_device)(HDEVINFO set, SP_DEVINFO_DATA* element);
    BOOL(WINAPI* set_selected_device)(HDEVINFO set, SP_DEVINFO_DATA* element);
    BOOL(WINAPI* get_device_registry_property)(HDEVINFO set, SP_DEVINFO_DATA* element, DWORD property,
                                               DWORD* type, BYTE* buffer, DWORD size, DWORD* required);
    HINF(WINAPI* open_inf_file)(PCSTR path, PCSTR inf_class, DWORD style, UINT* error_line);
    void(WINAPI* close_inf_file)(HINF inf);
    BOOL(WINAPI* install_services_from_inf_section)(HINF inf, PCSTR section, DWORD flags);
    BOOL(WINAPI* install_from_inf_section)(HWND owner, HINF inf, PCSTR section, UINT flags, HKEY relative_root,
                                           PCSTR source_root, UINT copy_flags, PSP_FILE_CALLBACK_A callback,
                                           void* context, HDEVINFO set, SP_DEVINFO_DATA* element);
};

// The table in use: the system's, loaded by the first installation, unless
// a test has put a table of its own here. Empty until then.
extern DeviceApi device_api;

// Fills an empty device_api with the system's. 1 when it holds a table.
int use_system_device_api();

// Fills api from the two libraries, which stay loaded. Returns 0, with both
// released and api emptied, when a library or an entry point is missing.
int load_device_api(DeviceApi& api, const char* setupapi_name, const char* cfgmgr32_name);

// Loads SetupAPI and CfgMgr32 on first use and keeps them for the process.
// Returns null when either library or any entry point is missing.
const DeviceApi* system_device_api();
