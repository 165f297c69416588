// The whole program with the Mouse Driver component in a prefix that knows
// the Mouse class and a root-enumerated wheel mouse. Its traces are read as
// a debugger reads them; a trace with a detail arrives as two strings, the
// text and then the detail.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>
#include <setupapi.h>

#include "debug_output.h"
#include "harness.h"
#include "resources/resource_ids.h"
#include "support/driver_registry.h"
#include "support/driver_trace.h"
#include "support/driver_wine_devices.h"

using namespace e2e;

namespace {

using Texts = std::vector<std::string>;

const std::string INSTANCE = first_wheel_mouse_instance();
constexpr char OTHER_CLASS_DRIVER[] = "{4d36e978-e325-11ce-bfc1-08002be10318}\\0000";
constexpr int MOUSE_DRIVER = IDC_COMPONENT_FIRST;
constexpr int MOUSE_CONTROL_PANEL = IDC_COMPONENT_FIRST + 1;

// The system's text for a code, if it has one.
Texts message_texts(DWORD code)
{
    const std::string text = system_message_text(code);
    return text.empty() ? Texts{} : Texts{text};
}

Texts operator+(Texts first, const Texts& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// Welcome, Typical, the destination as given; the copy and the driver
// installation run before the finish page.
void walk_typical_install(SetupProcess& setup)
{
    for (const char* page_class : {"SETUP_BEGIN", "SETUP_SELTYPE", "SETUP_SELDIR"}) {
        HWND page = setup.wait_page(page_class);
        ASSERT_NE(page, nullptr) << page_class;
        click(page, IDC_NEXT);
    }
    finish_without_restart(setup);
}

// Custom with only the Mouse Driver: nothing is copied.
void walk_driver_only(SetupProcess& setup)
{
    HWND welcome = setup.wait_page("SETUP_BEGIN");
    ASSERT_NE(welcome, nullptr);
    click(welcome, IDC_NEXT);
    HWND type = setup.wait_page("SETUP_SELTYPE");
    ASSERT_NE(type, nullptr);
    click(type, IDC_CUSTOM);
    click(type, IDC_NEXT);
    HWND components = setup.wait_page("SETUP_SELCOMP");
    ASSERT_NE(components, nullptr);
    click(components, MOUSE_CONTROL_PANEL);
    ASSERT_TRUE(is_checked(components, MOUSE_DRIVER));
    click(components, IDC_NEXT);
    finish_without_restart(setup);
}

class DriverE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        remove_test_devices();
        ASSERT_FALSE(key_exists(MOUSE_CLASS_KEY)) << "Wine's prefix has a Mouse class of its own";
    }
    void TearDown() override { remove_test_devices(); }

    MediumCopy medium;
};

// The instance key is secured and put back into the Mouse class; Wine's
// class installer then answers the selection with ERROR_DI_DO_DEFAULT (for
// which Wine has no message text) and offers no default selection, so the
// installation ends there and the wizard goes on.
TEST_F(DriverE2E, TypicalInstallRunsTheDriverStepsUntilWineRefusesTheSelection)
{
    register_mouse_class();
    register_root_mouse();
    set_string_value(INSTANCE, "Class", "Ports");
    set_string_value(INSTANCE, "Driver", OTHER_CLASS_DRIVER);

    SetupProcess setup(medium.setup_exe());
    DebugOutput output(setup.pid());
    ASSERT_TRUE(output.attached()) << "DebugActiveProcess error " << output.attach_error();
    ASSERT_NO_FATAL_FAILURE(walk_typical_install(setup));

    const Texts expected = Texts{INSTANCE,
                                 "Enum Key",
                                 INSTANCE,
                                 "REG KEY",
                                 "SUCCESS updating performance data security\n",
                                 "Ports",
                                 "class name in registry",
                                 "Class Not Mouse, Update Class",
                                 "modify devinstall para",
                                 "call :SetupDiSelectDevice"} +
                           message_texts(ERROR_DI_DO_DEFAULT) + Texts{"error:SetupDi_SELECTDEVICE"};
    ASSERT_TRUE(output.wait_end(DEFAULT_TIMEOUT_MS));
    EXPECT_EQ(output.texts(), expected);

    const auto device_class = read_value(INSTANCE, "Class");
    ASSERT_TRUE(device_class);
    EXPECT_EQ(device_class->type, DWORD(REG_SZ));
    EXPECT_EQ(device_class->data, std::string("Mouse", 6));
    EXPECT_FALSE(read_value(INSTANCE, "Driver"));
    EXPECT_EQ(key_dacl(INSTANCE), (std::vector<AllowedAce>{{"S-1-5-4", KEY_READ, 0},
                                                           {"S-1-5-32-544", KEY_ALL_ACCESS, 0}}));
}

// Wine reports the unknown class as found but gives no GUID: the
// installation ends at the lookup and leaves the device keys alone.
TEST_F(DriverE2E, WithoutTheMouseClassOnlyTheClassLookupIsTraced)
{
    set_string_value(INSTANCE, "Class", "Ports");
    set_string_value(INSTANCE, "Driver", OTHER_CLASS_DRIVER);

    SetupProcess setup(medium.setup_exe());
    DebugOutput output(setup.pid());
    ASSERT_TRUE(output.attached()) << "DebugActiveProcess error " << output.attach_error();
    ASSERT_NO_FATAL_FAILURE(walk_driver_only(setup));

    ASSERT_TRUE(output.wait_end(DEFAULT_TIMEOUT_MS));
    EXPECT_EQ(output.texts(), (Texts{"error: SetupDiClassGuidsFromName"}));
    EXPECT_EQ(read_value(INSTANCE, "Class")->data, std::string("Ports", 6));
    EXPECT_TRUE(read_value(INSTANCE, "Driver"));
}

}  // namespace
