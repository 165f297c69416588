// The wizard sequence as the user walks it: welcome, setup type, components,
// finish, and the ends of the program.
#include <gtest/gtest.h>

#include "finish.h"
#include "harness.h"

using namespace e2e;

namespace {

constexpr const char* CANCEL_TEXT = "Roller Kit installation is not completed !";
constexpr const char* CAPTION = "Roller Kit Setup Program";

class WizardE2E : public ::testing::Test {
protected:
    MediumCopy medium;
};

TEST_F(WizardE2E, TypicalRunShowsWelcomeTypeDestinationAndFinish)
{
    SetupProcess setup(medium.setup_exe());
    HWND welcome = setup.wait_page("SETUP_BEGIN");
    ASSERT_NE(welcome, nullptr);
    EXPECT_EQ(window_title(welcome), "Roller Kit Setup");
    EXPECT_EQ(control_text(welcome, IDC_PRODUCT_TEXT), "This program will install Roller Kit into your computer.");
    EXPECT_FALSE(is_enabled(welcome, IDC_BACK));
    EXPECT_TRUE(is_visible(welcome, IDC_BACK));
    click(welcome, IDC_NEXT);

    HWND type = setup.wait_page("SETUP_SELTYPE");
    ASSERT_NE(type, nullptr);
    EXPECT_TRUE(is_checked(type, IDC_TYPICAL));
    EXPECT_FALSE(is_checked(type, IDC_CUSTOM));
    click(type, IDC_NEXT);

    HWND destination = setup.wait_page("SETUP_SELDIR");
    ASSERT_NE(destination, nullptr);
    click(destination, IDC_NEXT);

    finish_without_restart(setup);
}

constexpr int MOUSE_DRIVER = IDC_COMPONENT_FIRST;
constexpr int MOUSE_CONTROL_PANEL = IDC_COMPONENT_FIRST + 1;

// The destination page would wait for the user, so reaching the finish page
// straight from the component page shows that it was skipped.
TEST_F(WizardE2E, CustomWithoutControlPanelSkipsDestinationAndInstall)
{
    const struct {
        bool driver;
    } cases[] = {{true}, {false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.driver ? "Mouse Driver checked" : "both cleared");
        SetupProcess setup(medium.setup_exe());
        HWND components = walk_to(setup, "SETUP_SELCOMP", CUSTOM);
        ASSERT_NE(components, nullptr);
        EXPECT_TRUE(is_checked(components, MOUSE_DRIVER));
        EXPECT_TRUE(is_checked(components, MOUSE_CONTROL_PANEL));
        EXPECT_TRUE(is_visible(components, MOUSE_DRIVER));
        EXPECT_TRUE(is_visible(components, MOUSE_CONTROL_PANEL));
        EXPECT_FALSE(is_visible(components, IDC_COMPONENT_FIRST + 2));
        EXPECT_FALSE(is_visible(components, IDC_COMPONENT_FIRST + 3));
        click(components, MOUSE_CONTROL_PANEL);
        if (!c.driver) click(components, MOUSE_DRIVER);
        click(components, IDC_NEXT);

        HWND finish = setup.wait_page("SETUP_END", 10000);
        ASSERT_NE(finish, nullptr);
        EXPECT_TRUE(is_checked(finish, IDC_RESTART_YES));
        EXPECT_FALSE(is_checked(finish, IDC_RESTART_NO));
        finish_without_restart(setup, finish);
    }
}

TEST_F(WizardE2E, TypicalAfterCustomSelectsEveryComponentAgain)
{
    SetupProcess setup(medium.setup_exe());
    HWND components = walk_to(setup, "SETUP_SELCOMP", CUSTOM);
    ASSERT_NE(components, nullptr);
    click(components, MOUSE_DRIVER);
    click(components, IDC_BACK);

    HWND type = setup.wait_page("SETUP_SELTYPE");
    ASSERT_NE(type, nullptr);
    EXPECT_TRUE(is_checked(type, IDC_CUSTOM));
    click(type, IDC_TYPICAL);
    click(type, IDC_NEXT);

    // Typical: Back from the destination page leads to the setup type page.
    HWND destination = setup.wait_page("SETUP_SELDIR");
    ASSERT_NE(destination, nullptr);
    click(destination, IDC_BACK);
    type = setup.wait_page("SETUP_SELTYPE");
    ASSERT_NE(type, nullptr);
    EXPECT_TRUE(is_checked(type, IDC_TYPICAL));
    click(type, IDC_CUSTOM);
    click(type, IDC_NEXT);

    components = setup.wait_page("SETUP_SELCOMP");
    ASSERT_NE(components, nullptr);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(is_checked(components, IDC_COMPONENT_FIRST + i)) << "component " << i;
    click(components, IDC_NEXT);
    destination = setup.wait_page("SETUP_SELDIR");
    ASSERT_NE(destination, nullptr);
    click(destination, IDC_NEXT);
    finish_without_restart(setup);
}

// Back from the destination page twice in Custom mode, then forward again:
// each page shows what was last read back from it.
TEST_F(WizardE2E, BackChainsShowTheLastChoices)
{
    SetupProcess setup(medium.setup_exe());
    HWND components = walk_to(setup, "SETUP_SELCOMP", CUSTOM);
    ASSERT_NE(components, nullptr);
    click(components, MOUSE_DRIVER);
    click(components, IDC_NEXT);

    HWND destination = setup.wait_page("SETUP_SELDIR");
    ASSERT_NE(destination, nullptr);
    click(destination, IDC_BACK);
    components = setup.wait_page("SETUP_SELCOMP");
    ASSERT_NE(components, nullptr);
    EXPECT_FALSE(is_checked(components, MOUSE_DRIVER));
    EXPECT_TRUE(is_checked(components, MOUSE_CONTROL_PANEL));
    click(components, MOUSE_DRIVER);  // checked again, then read back by Back
    click(components, MOUSE_CONTROL_PANEL);
    click(components, IDC_BACK);

    HWND type = setup.wait_page("SETUP_SELTYPE");
    ASSERT_NE(type, nullptr);
    EXPECT_TRUE(is_checked(type, IDC_CUSTOM));
    click(type, IDC_BACK);

    HWND welcome = setup.wait_page("SETUP_BEGIN");
    ASSERT_NE(welcome, nullptr);
    press_key(welcome, VK_RETURN);
    type = setup.wait_page("SETUP_SELTYPE");
    ASSERT_NE(type, nullptr);
    EXPECT_TRUE(is_checked(type, IDC_CUSTOM));
    EXPECT_FALSE(is_checked(type, IDC_TYPICAL));
    click(type, IDC_NEXT);

    components = setup.wait_page("SETUP_SELCOMP");
    ASSERT_NE(components, nullptr);
    EXPECT_TRUE(is_checked(components, MOUSE_DRIVER));
    EXPECT_FALSE(is_checked(components, MOUSE_CONTROL_PANEL));
    click(components, IDC_NEXT);
    finish_without_restart(setup);
}

// Escape does nothing on the finish page; Enter is Finish.
TEST_F(WizardE2E, FinishPageIgnoresEscapeAndEndsWithoutRestartOnNo)
{
    SetupProcess setup(medium.setup_exe());
    HWND finish = walk_to(setup, "SETUP_END", CUSTOM_NOTHING);
    ASSERT_NE(finish, nullptr);
    EXPECT_EQ(window_title(finish), "Roller Kit Setup");
    press_key(finish, VK_ESCAPE);
    pump_messages_for(scaled_ms(500));
    EXPECT_TRUE(IsWindowVisible(finish));
    EXPECT_EQ(setup.window_classes(), (std::vector<std::string>{"SETUP_END", "SetupMain"}));

    click(finish, IDC_RESTART_NO);
    press_key(finish, VK_RETURN);
    // A message box would keep the program from ending.
    EXPECT_EQ(setup.wait_exit(), 0u);
}

TEST_F(WizardE2E, Windows95GetsOnlyTheWarning)
{
    WineVersionOverride win95("SETUP.EXE", "win95");
    SetupProcess setup(medium.setup_exe());
    const Box box = setup.wait_box();
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(setup.window_classes(), std::vector<std::string>{"#32770"});
    EXPECT_EQ(box.caption, "Warning");
    EXPECT_EQ(box.text, "This Wheel Mouse Driver is for Windows NT 4.0 only !");
    EXPECT_EQ(box.icon, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    press_button(box, IDOK);
    EXPECT_EQ(setup.wait_exit(), 0u);
}

TEST_F(WizardE2E, RunningRollPointIsClosedAfterTheDestinationPage)
{
    SetupProcess rollpoint(companion_dir() + "\\QVMAIN.EXE");
    ASSERT_NE(rollpoint.wait_page("RollPointMain"), nullptr);

    SetupProcess setup(medium.setup_exe());
    WalkOptions check_rollpoint;
    check_rollpoint.on_page = [&](HWND, const char* page_class) {
        EXPECT_TRUE(rollpoint.running()) << "closed before " << page_class;
    };
    HWND destination = walk_to(setup, "SETUP_SELDIR", TYPICAL, check_rollpoint);
    ASSERT_NE(destination, nullptr);
    click(destination, IDC_NEXT);

    EXPECT_EQ(rollpoint.wait_exit(), 0u);
    finish_without_restart(setup);
}

TEST_F(WizardE2E, RollPointWindowIsAskedOnceEachTimeTheDestinationPageEndsWithNext)
{
    TitledWindow rollpoint("RollPoint");
    SetupProcess setup(medium.setup_exe());
    install_typical(setup);
    EXPECT_EQ(rollpoint.close_requests(), 1);
}

// How the user leaves a page with Cancel.
enum class CancelBy { button, escape };

struct CancelCase {
    const char* page;
    CancelBy by;
};

void PrintTo(const CancelCase& c, std::ostream* out)
{
    *out << c.page << (c.by == CancelBy::escape ? " with Escape" : " with the Cancel button");
}

class CancelE2E : public WizardE2E, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(CancelE2E, ShowsTheCancelMessageAndEnds)
{
    SetupProcess setup(medium.setup_exe());
    HWND page = walk_to(setup, GetParam().page, CUSTOM);
    ASSERT_NE(page, nullptr);
    if (GetParam().by == CancelBy::escape)
        press_key(page, VK_ESCAPE);
    else
        click(page, IDC_CANCEL);

    const Box box = setup.answer_box(IDOK);
    EXPECT_EQ(box.caption, CAPTION);
    EXPECT_EQ(box.text, CANCEL_TEXT);
    EXPECT_EQ(box.icon, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(setup.wait_exit(), 0u);
}

// The setup type page with the button and with Escape, and the component
// page with Escape, are the page tests' rows (WizardPagesTest,
// PageFrameworkTest) and the sequence table's (WizardSequence).
INSTANTIATE_TEST_SUITE_P(EveryPage, CancelE2E,
                         ::testing::Values(CancelCase{"SETUP_BEGIN", CancelBy::button},
                                           CancelCase{"SETUP_BEGIN", CancelBy::escape},
                                           CancelCase{"SETUP_SELCOMP", CancelBy::button},
                                           CancelCase{"SETUP_SELDIR", CancelBy::button},
                                           CancelCase{"SETUP_SELDIR", CancelBy::escape}),
                         [](const auto& param_info) {
                             std::string name = std::string(param_info.param.page).substr(6);
                             return name + (param_info.param.by == CancelBy::escape ? "_Escape" : "_Button");
                         });

}  // namespace
