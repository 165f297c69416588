#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/device_api.h"
#include "driver/device_keys.h"
#include "driver/mouse_driver.h"
#include "support/driver_fake_devices.h"
#include "support/driver_trace.h"
#include "support/registry.h"
#include "support/seam.h"

namespace {

const HWND OWNER = reinterpret_cast<HWND>(0x4711);
constexpr char SOURCE_DIR[] = "C:\\QXZSETUP";
constexpr char SECTION[] = "QxzWheelMouse";
constexpr char INF[] = "C:\\QXZSRC\\QXZMOU.INF";
const std::string DEVICE0_KEY = std::string("SYSTEM\\CurrentControlSet\\Services\\") + SECTION + "\\Device0";
const std::string SERVICE_KEY = std::string("SYSTEM\\CurrentControlSet\\Services\\") + SECTION;
constexpr ULONG STARTED = DN_STARTED | DN_DRIVER_LOADED | DN_NT_ENUMERATOR;
constexpr ULONG NOT_STARTED = DN_DRIVER_LOADED | DN_HAS_PROBLEM;

std::vector<FakeDevice> mice(std::initializer_list<ULONG> statuses)
{
    std::vector<FakeDevice> devices;
    for (ULONG status : statuses) {
        const std::string number = std::to_string(devices.size());
        devices.push_back({status, "ROOT\\QXZ0005\\000" + number, "Wheel mouse " + number});
    }
    return devices;
}

const TraceLines SELECTION = {{"modify devinstall para", ""}, {"call :SetupDiSelectDevice", ""}};

// Up to the parameters before the installation, for the device at index.
TraceLines through_installation_params(int index)
{
    const std::string number = std::to_string(index);
    return SELECTION + TraceLines{
                           {"Driver selected for HdevInfo", ""},
                           {"call SetupDiSetSelectedDevice", ""},
                           {"call SetupDi_INSTALLDEVICE   CALL TESTDELECTED WITH deviceInfodata", ""},
                           {"DeviceKey=ROOT\\QXZ0005\\000" + number, "Wheel mouse " + number},
                           {"DEVICE  selected", ""},
                           {"Driver selected for HdevInfo", ""},
                           {SECTION, INF},
                           {"modify devinstall para", ""},
                       };
}

const TraceLines SERVICES = {{"Call install services", ""}, {SECTION, "Install services :Service Section name"}};
const TraceLines SETTINGS = {{"QxzWheelMouse.SoftwareSettings", "SoftwareSettings Section name"}};
const TraceLines OPENGL_SETTINGS = {{"QxzWheelMouse.OpenGLSoftwareSettings", "SoftwareSettings Section name"}};
const TraceLines SETTINGS_ERROR = {{"QxzWheelMouse.SoftwareSettings", "SetupInstallFromInfSection ERROR"}};
const TraceLines OPENGL_SETTINGS_ERROR = {
    {"QxzWheelMouse.OpenGLSoftwareSettings", "SetupInstallFromInfSection ERROR"}};
const TraceLines SERVICES_ERROR = {{SECTION, "Call Install Services ERROR"}};

TraceLines complete(int index) { return through_installation_params(index) + SERVICES + SETTINGS + OPENGL_SETTINGS; }

TraceLines text_of(DWORD code) { return {{system_message_text(code), ""}}; }

struct InstallCase {
    const char* name;
    void (*arrange)(FakeDeviceServices& services);
    int result;
    TraceLines (*traces)();
    std::vector<DWORD> indexes_read;
    int device_used;  // index of the device whose parameters and installer calls there were
};

std::ostream& operator<<(std::ostream& out, const InstallCase& c) { return out << c.name; }

const std::vector<DWORD> ONE_DEVICE = {0, 1, 0};

const InstallCase INSTALL_CASES[] = {
    {"NoMouseClass", [](FakeDeviceServices& s) { s.class_lookup_fails = true; }, 0,
     [] { return TraceLines{{"error: SetupDiClassGuidsFromName", ""}}; }, {}, -1},
    {"ClassLookupWithoutGuid", [](FakeDeviceServices& s) { s.class_guid_count = 0; }, 0,
     [] { return TraceLines{{"error: SetupDiClassGuidsFromName", ""}}; }, {}, -1},
    {"NoDeviceSet", [](FakeDeviceServices& s) { s.set_fails = true; }, 0,
     [] { return TraceLines{{"error: DiGetClassDevs", ""}}; }, {}, -1},
    {"EmptyDeviceSet", [](FakeDeviceServices& s) { s.devices.clear(); }, 0,
     [] { return TraceLines{{"modify devinstall para", ""}, {"error:SetupDiGetDeviceInstallParams", ""}}; }, {0, 0},
     -1},
    {"NoneStartedTakesTheFirst", [](FakeDeviceServices& s) { s.devices = mice({0, NOT_STARTED, 0}); }, 1,
     [] { return complete(0); }, {0, 1, 2, 3, 0}, 0},
    {"SecondStartedEndsTheSearch",
     [](FakeDeviceServices& s) { s.devices = mice({NOT_STARTED, STARTED, STARTED}); }, 1, [] { return complete(1); },
     {0, 1}, 1},
    {"TwoStartedTakesTheLowerIndex", [](FakeDeviceServices& s) { s.devices = mice({STARTED, STARTED}); }, 1,
     [] { return complete(0); }, {0}, 0},
    {"ParamsReadFailsBeforeSelection", [](FakeDeviceServices& s) { s.params_read_fails_at = 1; }, 0,
     [] { return TraceLines{{"modify devinstall para", ""}, {"error:SetupDiGetDeviceInstallParams", ""}}; },
     ONE_DEVICE, 0},
    {"ParamsWriteFailsBeforeSelection", [](FakeDeviceServices& s) { s.params_write_fails_at = 1; }, 0,
     [] { return TraceLines{{"modify devinstall para", ""}, {"error:SetupDiSetDeviceInstallParams", ""}}; },
     ONE_DEVICE, 0},
    {"SelectionFails", [](FakeDeviceServices& s) { s.selection_error = ERROR_ACCESS_DENIED; }, 0,
     [] { return SELECTION + text_of(ERROR_ACCESS_DENIED) + TraceLines{{"error:SetupDi_SELECTDEVICE", ""}}; },
     ONE_DEVICE, 0},
    {"SelectionFailsWithCodeWithoutText", [](FakeDeviceServices& s) { s.selection_error = ERROR_DI_DO_DEFAULT; },
     0, [] { return SELECTION + TraceLines{{"error:SetupDi_SELECTDEVICE", ""}}; }, ONE_DEVICE, 0},
    {"NoDriverSelected", [](FakeDeviceServices& s) { s.driver_selected = false; }, 0, [] { return SELECTION; },
     ONE_DEVICE, 0},
    {"ParamsReadFailsBeforeInstallation", [](FakeDeviceServices& s) { s.params_read_fails_at = 2; }, 0,
     [] { return through_installation_params(0) + TraceLines{{"error:SetupDiGetDeviceInstallParams", ""}}; },
     ONE_DEVICE, 0},
    {"ParamsWriteFailsBeforeInstallation", [](FakeDeviceServices& s) { s.params_write_fails_at = 2; }, 0,
     [] { return through_installation_params(0) + TraceLines{{"error:SetupDiSetDeviceInstallParams", ""}}; },
     ONE_DEVICE, 0},
    {"InstallationFails", [](FakeDeviceServices& s) { s.installation_error = ERROR_ACCESS_DENIED; }, 0,
     [] { return through_installation_params(0) + text_of(ERROR_ACCESS_DENIED); }, ONE_DEVICE, 0},
    {"InfDoesNotOpen", [](FakeDeviceServices& s) { s.inf_opens = false; }, 1,
     [] {
         return through_installation_params(0) + TraceLines{{"Call install services", ""}, {"Can't open inf file", ""}} +
                TraceLines{{SECTION, "Install services :Service Section name"}} + SERVICES_ERROR + SETTINGS +
                SETTINGS_ERROR + OPENGL_SETTINGS + OPENGL_SETTINGS_ERROR;
     },
     ONE_DEVICE, 0},
    {"ServicesFail", [](FakeDeviceServices& s) { s.services_fail = true; }, 1,
     [] { return through_installation_params(0) + SERVICES + SERVICES_ERROR + SETTINGS + OPENGL_SETTINGS; },
     ONE_DEVICE, 0},
    {"FirstSettingsSectionFails",
     [](FakeDeviceServices& s) { s.failing_sections = {"QxzWheelMouse.SoftwareSettings"}; }, 1,
     [] { return through_installation_params(0) + SERVICES + SETTINGS + SETTINGS_ERROR + OPENGL_SETTINGS; },
     ONE_DEVICE, 0},
    {"SecondSettingsSectionFails",
     [](FakeDeviceServices& s) { s.failing_sections = {"QxzWheelMouse.OpenGLSoftwareSettings"}; }, 1,
     [] { return complete(0) + OPENGL_SETTINGS_ERROR; }, ONE_DEVICE, 0},
    {"Completes", [](FakeDeviceServices&) {}, 1, [] { return complete(0); }, ONE_DEVICE, 0},
};

class DriverInstall : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(registry_key_exists(HKEY_LOCAL_MACHINE, DEVICE_ROOT_KEY)) << "left over from another test";
        delete_registry_tree(HKEY_LOCAL_MACHINE, SERVICE_KEY);
        fake_devices = {};
        fake_devices.devices = mice({0});
        fake_devices.platform_driver_path = "C:\\WINNT\\INF";
    }
    void TearDown() override { delete_registry_tree(HKEY_LOCAL_MACHINE, SERVICE_KEY); }

    ScopedSeam<DeviceApi> fake_api_{device_api, fake_device_api};
    TraceRecorder traces_;
};

class DriverInstallCases : public DriverInstall, public ::testing::WithParamInterface<InstallCase> {};

TEST_P(DriverInstallCases, TracesAndResult)
{
    const InstallCase& c = GetParam();
    c.arrange(fake_devices);

    EXPECT_EQ(install_mouse_driver(OWNER, SOURCE_DIR), c.result);

    EXPECT_EQ(traces_.lines(), c.traces());
    EXPECT_EQ(fake_devices.indexes_read, c.indexes_read);
    for (const InstallerCall& call : fake_devices.installer_calls)
        EXPECT_EQ(call.device, FAKE_FIRST_DEVINST + c.device_used);
    for (const ParamsWrite& write : fake_devices.params_writes)
        EXPECT_EQ(write.device, FAKE_FIRST_DEVINST + c.device_used);
    // Every set that was built is released, and an opened INF is closed.
    EXPECT_EQ(fake_devices.sets_destroyed, fake_devices.set_owner && !fake_devices.set_fails ? 1 : 0);
    EXPECT_EQ(fake_devices.infs_closed, fake_devices.inf_opened.empty() || !fake_devices.inf_opens ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Steps, DriverInstallCases, ::testing::ValuesIn(INSTALL_CASES),
                         [](const auto& case_info) { return std::string(case_info.param.name); });

TEST_F(DriverInstall, GivesTheServicesWhatTheyNeed)
{
    fake_devices.devices = mice({NOT_STARTED, STARTED});
    ASSERT_EQ(install_mouse_driver(OWNER, SOURCE_DIR), 1);

    EXPECT_EQ(fake_devices.class_name, "Mouse");
    EXPECT_EQ(fake_devices.class_capacity, 16u);
    EXPECT_TRUE(IsEqualGUID(fake_devices.class_guid, FAKE_MOUSE_CLASS));
    EXPECT_EQ(fake_devices.set_flags, static_cast<DWORD>(DIGCF_PRESENT));
    EXPECT_EQ(fake_devices.set_owner, OWNER);

    // The platform's bits stay; 0x200 comes before the selection, 0x280 before the installation.
    ASSERT_EQ(fake_devices.params_writes.size(), 2u);
    EXPECT_EQ(fake_devices.params_writes[0].flags, FAKE_PLATFORM_FLAGS | 0x200);
    EXPECT_EQ(fake_devices.params_writes[1].flags, FAKE_PLATFORM_FLAGS | 0x280);
    for (const ParamsWrite& write : fake_devices.params_writes) {
        EXPECT_EQ(write.driver_path, SOURCE_DIR);
        EXPECT_EQ(write.flags_ex, FAKE_PLATFORM_FLAGS_EX);
    }

    const DEVINST chosen = FAKE_FIRST_DEVINST + 1;
    ASSERT_EQ(fake_devices.installer_calls.size(), 2u);
    EXPECT_EQ(fake_devices.installer_calls[0].function, static_cast<DI_FUNCTION>(DIF_SELECTDEVICE));
    EXPECT_EQ(fake_devices.installer_calls[1].function, static_cast<DI_FUNCTION>(DIF_INSTALLDEVICE));
    EXPECT_EQ(fake_devices.devices_selected, std::vector<DEVINST>{chosen});

    EXPECT_EQ(fake_devices.inf_opened, INF);
    EXPECT_EQ(fake_devices.inf_style, static_cast<DWORD>(INF_STYLE_WIN4));
    ASSERT_EQ(fake_devices.services_installed.size(), 1u);
    EXPECT_EQ(fake_devices.services_installed[0].first, SECTION);
    EXPECT_EQ(fake_devices.services_installed[0].second, static_cast<DWORD>(SPSVCINST_ASSOCSERVICE));

    ASSERT_EQ(fake_devices.sections_installed.size(), 2u);
    EXPECT_EQ(fake_devices.sections_installed[0].section, "QxzWheelMouse.SoftwareSettings");
    EXPECT_EQ(fake_devices.sections_installed[1].section, "QxzWheelMouse.OpenGLSoftwareSettings");
    for (const SectionInstall& install : fake_devices.sections_installed) {
        EXPECT_EQ(install.flags, static_cast<UINT>(SPINST_INIFILES | SPINST_REGISTRY));
        EXPECT_EQ(install.source_root, SOURCE_DIR);
        EXPECT_EQ(install.owner, OWNER);
        EXPECT_NE(install.relative_root, nullptr);
    }
}

// The settings sections write relative to the service's Device0 key, which
// is created when missing and kept with its values when present.
TEST_F(DriverInstall, SettingsLandUnderDevice0)
{
    for (bool existed : {false, true}) {
        SCOPED_TRACE(existed ? "Device0 existed" : "Device0 missing");
        delete_registry_tree(HKEY_LOCAL_MACHINE, SERVICE_KEY);
        if (existed) {
            ASSERT_TRUE(set_registry_string(HKEY_LOCAL_MACHINE, DEVICE0_KEY, "Earlier", "kept"));
        }
        fake_devices.sections_installed.clear();
        fake_devices.write_under_relative_root = true;

        ASSERT_EQ(install_mouse_driver(OWNER, SOURCE_DIR), 1);

        ASSERT_EQ(fake_devices.sections_installed.size(), 2u);
        EXPECT_TRUE(read_registry_value(HKEY_LOCAL_MACHINE, DEVICE0_KEY, "QxzWheelMouse.SoftwareSettings"));
        EXPECT_TRUE(read_registry_value(HKEY_LOCAL_MACHINE, DEVICE0_KEY, "QxzWheelMouse.OpenGLSoftwareSettings"));
        EXPECT_EQ(read_registry_value(HKEY_LOCAL_MACHINE, DEVICE0_KEY, "Earlier").has_value(), existed);
    }
}

// Without the key the sections have no root to write under: they are
// reported as failed and not installed at all.
TEST_F(DriverInstall, Device0NeitherOpenedNorCreated)
{
    ASSERT_TRUE(create_registry_key(HKEY_LOCAL_MACHINE, DEVICE0_KEY));
    ASSERT_TRUE(lock_registry_key(HKEY_LOCAL_MACHINE, DEVICE0_KEY));

    EXPECT_EQ(install_mouse_driver(OWNER, SOURCE_DIR), 1);

    const TraceLines expected = through_installation_params(0) + SERVICES + TraceLines{{"ERRROR: RegCreateKeyEx", ""}} +
                                SETTINGS + SETTINGS_ERROR + OPENGL_SETTINGS + OPENGL_SETTINGS_ERROR;
    EXPECT_EQ(traces_.lines(), expected);
    EXPECT_TRUE(fake_devices.sections_installed.empty());
    EXPECT_EQ(fake_devices.infs_closed, 1);
}

TEST_F(DriverInstall, DeviceSelectionWithoutElement)
{
    fake_devices.driver_selected = false;
    trace_device_selection(fake_device_set, nullptr);
    EXPECT_EQ(traces_.lines(), (TraceLines{{"pDeviceInfoData is NULL", ""},
                                           {"DEVICE NOT selected", ""},
                                           {"Driver NOT selected for HdevInfo", ""}}));
}

}  // namespace
