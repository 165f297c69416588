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

// A walk that never reaches the driver installation: the clicks on each page,
// the last of which leaves it, and the texts of the boxes that follow.
struct PageClicks {
    const char* page;
    std::vector<int> clicks;
};

struct NoDriverCase {
    const char* name;
    std::vector<PageClicks> walk;
    Texts boxes;
};

void PrintTo(const NoDriverCase& c, std::ostream* out) { *out << c.name; }

constexpr char CANCEL_TEXT[] = "Roller Kit installation is not completed !";
// The program runs without the shutdown privilege, so a restart shows this
// box instead of ending the session.
constexpr char REBOOT_ERROR[] = "Reboot Error !";

const PageClicks WELCOME_NEXT = {"SETUP_BEGIN", {IDC_NEXT}};
const PageClicks CUSTOM_NEXT = {"SETUP_SELTYPE", {IDC_CUSTOM, IDC_NEXT}};
const PageClicks FINISH_WITH_RESTART = {"SETUP_END", {IDC_NEXT}};

const NoDriverCase NO_DRIVER_CASES[] = {
    {"MouseDriverCleared",
     {WELCOME_NEXT, CUSTOM_NEXT, {"SETUP_SELCOMP", {MOUSE_DRIVER, IDC_NEXT}}, {"SETUP_SELDIR", {IDC_NEXT}},
      FINISH_WITH_RESTART},
     {REBOOT_ERROR}},
    {"BothCleared",
     {WELCOME_NEXT, CUSTOM_NEXT, {"SETUP_SELCOMP", {MOUSE_DRIVER, MOUSE_CONTROL_PANEL, IDC_NEXT}},
      FINISH_WITH_RESTART},
     {REBOOT_ERROR}},
    {"CancelOnWelcome", {{"SETUP_BEGIN", {IDC_CANCEL}}}, {CANCEL_TEXT}},
    {"CancelOnSetupType", {WELCOME_NEXT, {"SETUP_SELTYPE", {IDC_CANCEL}}}, {CANCEL_TEXT}},
    {"CancelOnComponents", {WELCOME_NEXT, CUSTOM_NEXT, {"SETUP_SELCOMP", {IDC_CANCEL}}}, {CANCEL_TEXT}},
    {"CancelOnDestination",
     {WELCOME_NEXT, CUSTOM_NEXT, {"SETUP_SELCOMP", {IDC_NEXT}}, {"SETUP_SELDIR", {IDC_CANCEL}}},
     {CANCEL_TEXT}},
};

class NoDriverE2E : public DriverE2E, public ::testing::WithParamInterface<NoDriverCase> {};

// With the Mouse class and a wheel mouse of another class in the registry,
// a driver installation would trace its steps and repair the instance.
TEST_P(NoDriverE2E, NeitherTracesNorTouchesTheDeviceKeys)
{
    const NoDriverCase& c = GetParam();
    register_mouse_class();
    register_root_mouse();
    set_string_value(INSTANCE, "Class", "Ports");
    set_string_value(INSTANCE, "Driver", OTHER_CLASS_DRIVER);
    const std::vector<AllowedAce> dacl = key_dacl(INSTANCE);

    SetupProcess setup(medium.setup_exe(), StartOptions{"SeShutdownPrivilege"});
    DebugOutput output(setup.pid());
    ASSERT_TRUE(output.attached()) << "DebugActiveProcess error " << output.attach_error();
    for (const PageClicks& step : c.walk) {
        HWND page = setup.wait_page(step.page);
        ASSERT_NE(page, nullptr) << step.page;
        for (int id : step.clicks) click(page, id);
    }
    Texts boxes;
    for (size_t i = 0; i < c.boxes.size(); ++i) boxes.push_back(setup.answer_box(IDOK).text);
    EXPECT_EQ(boxes, c.boxes);
    ASSERT_EQ(setup.wait_exit(), 0u) << setup.describe_windows();

    ASSERT_TRUE(output.wait_end(DEFAULT_TIMEOUT_MS));
    EXPECT_EQ(output.texts(), Texts{});
    EXPECT_EQ(read_value(INSTANCE, "Class")->data, std::string("Ports", 6));
    EXPECT_EQ(read_value(INSTANCE, "Driver")->data, std::string(OTHER_CLASS_DRIVER) + '\0');
    EXPECT_EQ(key_dacl(INSTANCE), dacl);
}

INSTANTIATE_TEST_SUITE_P(Walks, NoDriverE2E, ::testing::ValuesIn(NO_DRIVER_CASES),
                         [](const auto& case_info) { return std::string(case_info.param.name); });

}  // namespace
