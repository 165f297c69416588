// A stand-in for the device setup services, for the paths that Wine's own
// class installer cannot take. It meets the contract the driver installation
// relies on and records what it was given.
#pragma once

#include <windows.h>
#include <setupapi.h>

#include <set>
#include <string>
#include <vector>

#include "driver/device_api.h"

struct FakeDevice {
    ULONG status;  // device node status bits
    std::string instance_id;
    std::string description;
};

struct ParamsWrite {
    DEVINST device;
    DWORD flags;
    DWORD flags_ex;
    std::string driver_path;
};

struct InstallerCall {
    DI_FUNCTION function;
    DEVINST device;
};

struct SectionInstall {
    std::string section;
    UINT flags;
    HKEY relative_root;
    std::string source_root;
    HWND owner;
};

// The first device of a set has DevInst FAKE_FIRST_DEVINST, the next one more.
constexpr DEVINST FAKE_FIRST_DEVINST = 100;
// Bits the platform already holds in the install parameters.
constexpr DWORD FAKE_PLATFORM_FLAGS = DI_QUIETINSTALL | DI_NOFILECOPY;
constexpr DWORD FAKE_PLATFORM_FLAGS_EX = 0x00400000;

struct FakeDeviceServices {
    // What the services do
    bool class_lookup_fails = false;
    DWORD class_guid_count = 1;
    bool set_fails = false;
    std::vector<FakeDevice> devices;
    int params_read_fails_at = 0;   // 1 for the first read, 2 for the second; 0 never
    int params_write_fails_at = 0;
    DWORD selection_error = 0;      // non-zero: the selection fails with this code
    bool driver_selected = true;
    DWORD installation_error = 0;
    std::string inf_path = "C:\\QXZSRC\\QXZMOU.INF";
    std::string install_section = "QxzWheelMouse";
    bool inf_opens = true;
    bool services_fail = false;
    std::set<std::string> failing_sections;
    // Each section install writes a value named after its section under the
    // relative root, as the entries of a real settings section would.
    bool write_under_relative_root = false;

    // What they were given
    std::string class_name;
    DWORD class_capacity = 0;
    GUID class_guid = {};
    DWORD set_flags = 0;
    HWND set_owner = nullptr;
    std::vector<DWORD> indexes_read;
    int params_reads = 0;
    DWORD platform_flags = FAKE_PLATFORM_FLAGS;
    std::string platform_driver_path;
    std::vector<ParamsWrite> params_writes;
    std::vector<InstallerCall> installer_calls;
    std::vector<DEVINST> devices_selected;
    std::string inf_opened;
    DWORD inf_style = 0;
    int infs_closed = 0;
    std::vector<std::pair<std::string, DWORD>> services_installed;
    std::vector<SectionInstall> sections_installed;
    int sets_destroyed = 0;
};

// The one device information set the services hand out.
extern const HDEVINFO fake_device_set;

// The services of the table below; reset for each test.
extern FakeDeviceServices fake_devices;
extern const DeviceApi fake_device_api;

constexpr GUID FAKE_MOUSE_CLASS = {0x4d36e96f, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};
