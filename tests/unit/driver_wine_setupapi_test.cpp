// The driver installation against Wine's own SetupAPI and CfgMgr32. Wine
// has no Mouse class until a test registers it, and its class installer
// offers no device selection, so a real run ends at the selection.
#include <gtest/gtest.h>

#include <string>

#include <windows.h>
#include <setupapi.h>

#include "driver/device_api.h"
#include "driver/device_keys.h"
#include "driver/mouse_driver.h"
#include "support/driver_trace.h"
#include "support/driver_wine_devices.h"
#include "support/registry.h"
#include "support/seam.h"

namespace {

const std::string INSTANCE = first_wheel_mouse_instance();

// The system's texts for a code: none when it has no text.
TraceLines message_lines(DWORD code)
{
    const std::string text = system_message_text(code);
    return text.empty() ? TraceLines{} : TraceLines{{text, ""}};
}

class WineSetupApi : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A test that ended in a crash leaves its keys behind.
        remove_test_devices();
        ASSERT_FALSE(registry_key_exists(HKEY_LOCAL_MACHINE, MOUSE_CLASS_KEY))
            << "Wine's prefix has a Mouse class of its own";
        GetCurrentDirectoryA(MAX_PATH, source_dir_);
    }
    void TearDown() override { remove_test_devices(); }

    char source_dir_[MAX_PATH] = {};
    ScopedSeam<DeviceApi> not_loaded_{device_api, {}};  // the installation loads the system's
    TraceRecorder traces_;
};

// Without either library, or with one that lacks an entry point, there is
// no table; the installation then stops at the class lookup.
TEST(DeviceApiLoading, NeedsBothLibrariesWithEveryEntryPoint)
{
    DeviceApi api = {};
    EXPECT_EQ(load_device_api(api, "qxznone.dll", "cfgmgr32.dll"), 0);
    EXPECT_EQ(load_device_api(api, "setupapi.dll", "qxznone.dll"), 0);
    EXPECT_EQ(load_device_api(api, "setupapi.dll", "kernel32.dll"), 0);
    EXPECT_EQ(api.class_guids_from_name, nullptr);
    EXPECT_EQ(load_device_api(api, "setupapi.dll", "cfgmgr32.dll"), 1);
    EXPECT_NE(api.install_from_inf_section, nullptr);
    EXPECT_NE(api.get_device_id, nullptr);
}

// Wine reports the unknown class as found, with no GUID; the device keys
// stay as they were.
TEST_F(WineSetupApi, WithoutTheMouseClass)
{
    ASSERT_TRUE(set_registry_string(HKEY_LOCAL_MACHINE, INSTANCE, "Class", "Ports"));

    EXPECT_EQ(install_mouse_driver(nullptr, source_dir_), 0);

    EXPECT_EQ(traces_.lines(), (TraceLines{{"error: SetupDiClassGuidsFromName", ""}}));
    EXPECT_EQ(read_registry_value(HKEY_LOCAL_MACHINE, INSTANCE, "Class")->data, std::string("Ports", 6));
    EXPECT_NE(device_api.class_guids_from_name, nullptr);
}

TEST_F(WineSetupApi, MouseClassWithoutDevices)
{
    register_mouse_class();

    EXPECT_EQ(install_mouse_driver(nullptr, source_dir_), 0);

    EXPECT_EQ(traces_.lines(),
              (TraceLines{{"modify devinstall para", ""}, {"error:SetupDiGetDeviceInstallParams", ""}}));
}

// The parameters are read and written with the old record sizes; Wine's
// class installer then leaves the selection to a default it does not have.
TEST_F(WineSetupApi, RootMouseGetsAsFarAsTheSelection)
{
    register_mouse_class();
    register_root_mouse();

    EXPECT_EQ(install_mouse_driver(nullptr, source_dir_), 0);

    const TraceLines expected = TraceLines{{INSTANCE, "Enum Key"},
                                           {INSTANCE, "REG KEY"},
                                           {"SUCCESS updating performance data security\n", ""},
                                           {"Mouse", "class name in registry"},
                                           {"modify devinstall para", ""},
                                           {"call :SetupDiSelectDevice", ""}} +
                                message_lines(ERROR_DI_DO_DEFAULT) +
                                TraceLines{{"error:SetupDi_SELECTDEVICE", ""}};
    EXPECT_EQ(traces_.lines(), expected);
}

// Wine's SetupDiGetSelectedDevice is a stub that ends the process.
BOOL WINAPI no_selected_device(HDEVINFO, SP_DEVINFO_DATA*)
{
    SetLastError(ERROR_NO_DEVICE_SELECTED);
    return FALSE;
}

TEST_F(WineSetupApi, DeviceSelectionTrace)
{
    register_mouse_class();
    register_root_mouse();
    ASSERT_NE(system_device_api(), nullptr);
    DeviceApi wine_api = *system_device_api();
    wine_api.get_selected_device = no_selected_device;
    ScopedSeam seam(device_api, wine_api);
    HDEVINFO set = device_api.get_class_devs(&MOUSE_CLASS_GUID, nullptr, nullptr, DIGCF_PRESENT);
    ASSERT_NE(set, INVALID_HANDLE_VALUE);
    SP_DEVINFO_DATA element = {};
    element.cbSize = DEVINFO_DATA_SIZE;
    ASSERT_TRUE(device_api.enum_device_info(set, 0, &element));

    trace_device_selection(set, &element);
    device_api.destroy_device_info_list(set);

    const std::string device_key = "DeviceKey=ROOT\\" + std::string(WHEEL_MOUSE_NAME) + "\\0000";
    EXPECT_EQ(traces_.lines(), (TraceLines{{device_key, "Wheel mouse"},
                                           {"DEVICE NOT selected", ""},
                                           {"Driver NOT selected for HdevInfo", ""}}));
}

}  // namespace
