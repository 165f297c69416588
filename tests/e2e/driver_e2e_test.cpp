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
#include "finish.h"
#include "harness.h"
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

// Custom with only the Mouse Driver: nothing is copied.
void walk_driver_only(SetupProcess& setup)
{
    HWND components = walk_to(setup, "SETUP_SELCOMP", CUSTOM);
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
        ASSERT_FALSE(registry_key_exists(HKEY_LOCAL_MACHINE, MOUSE_CLASS_KEY))
            << "Wine's prefix has a Mouse class of its own";
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
    ASSERT_TRUE(set_registry_string(HKEY_LOCAL_MACHINE, INSTANCE, "Class", "Ports"));
    ASSERT_TRUE(set_registry_string(HKEY_LOCAL_MACHINE, INSTANCE, "Driver", OTHER_CLASS_DRIVER));

    SetupProcess setup(medium.setup_exe());
    DebugOutput output(setup.pid());
    ASSERT_TRUE(output.attached()) << "DebugActiveProcess error " << output.attach_error();
    // The copy and the driver installation run before the finish page.
    ASSERT_NO_FATAL_FAILURE(install_typical(setup));

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

    const auto device_class = read_registry_value(HKEY_LOCAL_MACHINE, INSTANCE, "Class");
    ASSERT_TRUE(device_class);
    EXPECT_EQ(device_class->type, DWORD(REG_SZ));
    EXPECT_EQ(device_class->data, std::string("Mouse", 6));
    EXPECT_FALSE(read_registry_value(HKEY_LOCAL_MACHINE, INSTANCE, "Driver"));
    EXPECT_EQ(registry_key_dacl(HKEY_LOCAL_MACHINE, INSTANCE),
              (std::vector<AllowedAce>{{"S-1-5-4", KEY_READ, 0}, {"S-1-5-32-544", KEY_ALL_ACCESS, 0}}));
}

// Wine reports the unknown class as found but gives no GUID: the
// installation ends at the lookup and leaves the device keys alone.
TEST_F(DriverE2E, WithoutTheMouseClassOnlyTheClassLookupIsTraced)
{
    ASSERT_TRUE(set_registry_string(HKEY_LOCAL_MACHINE, INSTANCE, "Class", "Ports"));
    ASSERT_TRUE(set_registry_string(HKEY_LOCAL_MACHINE, INSTANCE, "Driver", OTHER_CLASS_DRIVER));

    SetupProcess setup(medium.setup_exe());
    DebugOutput output(setup.pid());
    ASSERT_TRUE(output.attached()) << "DebugActiveProcess error " << output.attach_error();
    ASSERT_NO_FATAL_FAILURE(walk_driver_only(setup));

    ASSERT_TRUE(output.wait_end(DEFAULT_TIMEOUT_MS));
    EXPECT_EQ(output.texts(), (Texts{"error: SetupDiClassGuidsFromName"}));
    EXPECT_EQ(read_registry_value(HKEY_LOCAL_MACHINE, INSTANCE, "Class")->data, std::string("Ports", 6));
    EXPECT_TRUE(read_registry_value(HKEY_LOCAL_MACHINE, INSTANCE, "Driver"));
}

// A walk that never reaches the driver installation: a path to a page, the
// button that leaves it, and the texts of the boxes that follow.
struct NoDriverCase {
    const char* name;
    const WalkPath* path;
    const char* page;
    int leave_by;
    Texts boxes;
};

void PrintTo(const NoDriverCase& c, std::ostream* out) { *out << c.name; }

constexpr char CANCEL_TEXT[] = "Roller Kit installation is not completed !";
// The program runs without the shutdown privilege, so a restart shows this
// box instead of ending the session.
constexpr char REBOOT_ERROR[] = "Reboot Error !";

const WalkPath CUSTOM_WITHOUT_DRIVER = {{"SETUP_BEGIN"},
                                       {"SETUP_SELTYPE", {IDC_CUSTOM}},
                                       {"SETUP_SELCOMP", {MOUSE_DRIVER}},
                                       {"SETUP_SELDIR"},
                                       {"SETUP_END"}};

const NoDriverCase NO_DRIVER_CASES[] = {
    {"MouseDriverCleared", &CUSTOM_WITHOUT_DRIVER, "SETUP_END", IDC_FINISH, {REBOOT_ERROR}},
    {"BothCleared", &CUSTOM_NOTHING, "SETUP_END", IDC_FINISH, {REBOOT_ERROR}},
    // A cancel on any earlier page ends the sequence the same way (WizardSequence).
    {"CancelOnDestination", &CUSTOM, "SETUP_SELDIR", IDC_CANCEL, {CANCEL_TEXT}},
};

class NoDriverE2E : public DriverE2E, public ::testing::WithParamInterface<NoDriverCase> {};

// With the Mouse class and a wheel mouse of another class in the registry,
// a driver installation would trace its steps and repair the instance.
TEST_P(NoDriverE2E, NeitherTracesNorTouchesTheDeviceKeys)
{
    const NoDriverCase& c = GetParam();
    register_mouse_class();
    register_root_mouse();
    ASSERT_TRUE(set_registry_string(HKEY_LOCAL_MACHINE, INSTANCE, "Class", "Ports"));
    ASSERT_TRUE(set_registry_string(HKEY_LOCAL_MACHINE, INSTANCE, "Driver", OTHER_CLASS_DRIVER));
    const auto dacl = registry_key_dacl(HKEY_LOCAL_MACHINE, INSTANCE);
    ASSERT_TRUE(dacl);

    SetupProcess setup(medium.setup_exe(), StartOptions{"SeShutdownPrivilege"});
    DebugOutput output(setup.pid());
    ASSERT_TRUE(output.attached()) << "DebugActiveProcess error " << output.attach_error();
    HWND page = walk_to(setup, c.page, *c.path);
    ASSERT_NE(page, nullptr);
    click(page, c.leave_by);
    Texts boxes;
    for (size_t i = 0; i < c.boxes.size(); ++i) boxes.push_back(setup.answer_box(IDOK).text);
    EXPECT_EQ(boxes, c.boxes);
    ASSERT_EQ(setup.wait_exit(), 0u) << setup.describe_windows();

    ASSERT_TRUE(output.wait_end(DEFAULT_TIMEOUT_MS));
    EXPECT_EQ(output.texts(), Texts{});
    EXPECT_EQ(read_registry_value(HKEY_LOCAL_MACHINE, INSTANCE, "Class")->data, std::string("Ports", 6));
    EXPECT_EQ(read_registry_value(HKEY_LOCAL_MACHINE, INSTANCE, "Driver")->data,
              std::string(OTHER_CLASS_DRIVER) + '\0');
    EXPECT_EQ(registry_key_dacl(HKEY_LOCAL_MACHINE, INSTANCE), dacl);
}

INSTANTIATE_TEST_SUITE_P(Walks, NoDriverE2E, ::testing::ValuesIn(NO_DRIVER_CASES),
                         [](const auto& case_info) { return std::string(case_info.param.name); });

}  // namespace
