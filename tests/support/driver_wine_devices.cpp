#include "support/driver_wine_devices.h"

#include <gtest/gtest.h>

#include <setupapi.h>

#include "driver/device_keys.h"
#include "support/registry.h"

namespace {

constexpr char TEST_MARK[] = "QxzDriverTest";

}  // namespace

std::string first_wheel_mouse_instance() { return std::string(DEVICE_ROOT_KEY) + "\\0000"; }

void register_mouse_class()
{
    ASSERT_TRUE(set_registry_string(HKEY_LOCAL_MACHINE, MOUSE_CLASS_KEY, "Class", "Mouse"));
    ASSERT_TRUE(set_registry_string(HKEY_LOCAL_MACHINE, MOUSE_CLASS_KEY, TEST_MARK, "1"));
}

void register_root_mouse()
{
    // Loaded by hand: the tests link the driver code, which reaches SetupAPI
    // only through its run-time table.
    HMODULE setupapi = LoadLibraryA("setupapi.dll");
    ASSERT_NE(setupapi, nullptr);
    const auto create_list = reinterpret_cast<decltype(&SetupDiCreateDeviceInfoList)>(
        GetProcAddress(setupapi, "SetupDiCreateDeviceInfoList"));
    const auto create_info =
        reinterpret_cast<decltype(&SetupDiCreateDeviceInfoA)>(GetProcAddress(setupapi, "SetupDiCreateDeviceInfoA"));
    const auto register_info =
        reinterpret_cast<decltype(&SetupDiRegisterDeviceInfo)>(GetProcAddress(setupapi, "SetupDiRegisterDeviceInfo"));
    const auto destroy_list = reinterpret_cast<decltype(&SetupDiDestroyDeviceInfoList)>(
        GetProcAddress(setupapi, "SetupDiDestroyDeviceInfoList"));
    if (!create_list || !create_info || !register_info || !destroy_list) {
        FreeLibrary(setupapi);
        FAIL() << "setupapi.dll lacks the device registration";
    }

    HDEVINFO set = create_list(&MOUSE_CLASS_GUID, nullptr);
    if (set == INVALID_HANDLE_VALUE) {
        FreeLibrary(setupapi);
        FAIL() << "SetupDiCreateDeviceInfoList " << GetLastError();
    }
    SP_DEVINFO_DATA element = {};
    element.cbSize = sizeof(element);
    EXPECT_TRUE(create_info(set, WHEEL_MOUSE_NAME, &MOUSE_CLASS_GUID, "Wheel mouse", nullptr, DICD_GENERATE_ID,
                            &element));
    EXPECT_TRUE(register_info(set, &element, 0, nullptr, nullptr, nullptr));
    destroy_list(set);
    FreeLibrary(setupapi);
}

void remove_test_devices()
{
    delete_registry_tree(HKEY_LOCAL_MACHINE, DEVICE_ROOT_KEY);
    if (read_registry_value(HKEY_LOCAL_MACHINE, MOUSE_CLASS_KEY, TEST_MARK))
        delete_registry_tree(HKEY_LOCAL_MACHINE, MOUSE_CLASS_KEY);
}
