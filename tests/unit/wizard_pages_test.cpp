// The welcome, setup type, component and finish pages, each run in-process
// through run_page and driven from a timer as the user would.
#include <gtest/gtest.h>

#include "pages/component_page.h"
#include "pages/finish_page.h"
#include "pages/type_page.h"
#include "pages/welcome_page.h"
#include "resources/resource_ids.h"
#include "setup/page_framework.h"
#include "support/setup_fixture.h"
#include "support/ui_script.h"

namespace {

class WizardPagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_page_state();
    }
};

// Lets the posted clicks of the step before arrive.
TimerScript::Step pause() { return [] { return true; }; }

TEST_F(WizardPagesTest, WelcomeNamesTheProductAndIgnoresBack)
{
    std::string text;
    bool back_enabled = true;
    HWND seen = nullptr;
    TimerScript script({on_page("SETUP_BEGIN",
                                [&](HWND page) {
                                    seen = page;
                                    text = control_text(page, IDC_PRODUCT_TEXT);
                                    back_enabled = is_enabled(page, IDC_BACK);
                                    PostMessageA(page, WM_COMMAND, IDC_BACK, 0);
                                }),
                        pause(),
                        [&] {
                            EXPECT_TRUE(IsWindow(seen)) << "command 3 closed the welcome page";
                            press_key(seen, VK_RETURN);
                            return true;
                        }});
    EXPECT_EQ(run_page("SETUP_BEGIN", welcome_page_proc, IDD_WELCOME), PAGE_NEXT);
    EXPECT_EQ(text, "This program will install Roller Kit into your computer.");
    EXPECT_FALSE(back_enabled);
}

// The choice is stored at the click: Back and Cancel keep it, and the page
// shows it again when it is run again.
TEST_F(WizardPagesTest, TypePageKeepsTheLastClick)
{
    bool typical_shown = false;
    TimerScript first({on_page("SETUP_SELTYPE", [&](HWND page) {
                           typical_shown = is_checked(page, IDC_TYPICAL) && !is_checked(page, IDC_CUSTOM);
                           click(page, IDC_CUSTOM);
                           click(page, IDC_BACK);
                       })});
    EXPECT_EQ(run_page("SETUP_SELTYPE", type_page_proc, IDD_SETUP_TYPE), PAGE_BACK);
    EXPECT_TRUE(typical_shown);
    EXPECT_EQ(state.setup_typical, 0);

    bool custom_shown = false;
    MessageBoxWatcher boxes;
    TimerScript second({on_page("SETUP_SELTYPE", [&](HWND page) {
                            custom_shown = is_checked(page, IDC_CUSTOM) && !is_checked(page, IDC_TYPICAL);
                            click(page, IDC_TYPICAL);
                            click(page, IDC_CANCEL);
                        })});
    EXPECT_EQ(run_page("SETUP_SELTYPE", type_page_proc, IDD_SETUP_TYPE), PAGE_CANCEL);
    EXPECT_TRUE(custom_shown);
    EXPECT_EQ(state.setup_typical, 1);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Roller Kit installation is not completed !");
}

TEST_F(WizardPagesTest, ComponentPageShowsAndReadsBackAllFourBoxes)
{
    const int start[COMPONENT_COUNT] = {1, 1, 0, 1};
    std::copy(std::begin(start), std::end(start), state.components);
    bool shown[COMPONENT_COUNT] = {};
    TimerScript script({on_page("SETUP_SELCOMP", [&](HWND page) {
                            for (int i = 0; i < COMPONENT_COUNT; ++i)
                                shown[i] = is_checked(page, IDC_COMPONENT_FIRST + i);
                            click(page, IDC_COMPONENT_FIRST);
                            click(page, IDC_BACK);
                        })});
    EXPECT_EQ(run_page("SETUP_SELCOMP", component_page_proc, IDD_COMPONENTS), PAGE_BACK);
    for (int i = 0; i < COMPONENT_COUNT; ++i) EXPECT_EQ(shown[i], start[i] == 1) << "box " << i;
    EXPECT_EQ(state.components[0], 0);
    EXPECT_EQ(state.components[1], 1);
    EXPECT_EQ(state.components[2], 0) << "hidden boxes pass through";
    EXPECT_EQ(state.components[3], 1) << "hidden boxes pass through";
}

TEST_F(WizardPagesTest, ComponentPageCancelDoesNotReadBack)
{
    MessageBoxWatcher boxes;
    TimerScript script({on_page("SETUP_SELCOMP", [&](HWND page) {
        click(page, IDC_COMPONENT_FIRST);
        click(page, IDC_COMPONENT_FIRST + 1);
        press_key(page, VK_ESCAPE);
    })});
    EXPECT_EQ(run_page("SETUP_SELCOMP", component_page_proc, IDD_COMPONENTS), PAGE_CANCEL);
    for (int i = 0; i < COMPONENT_COUNT; ++i) EXPECT_EQ(state.components[i], 1) << i;
    EXPECT_EQ(boxes.boxes().size(), 1u);
}

// Escape does nothing; No and Enter finish without a restart; the page never
// writes page_result.
TEST_F(WizardPagesTest, FinishPageReadsTheRestartChoice)
{
    state.page_result = PAGE_BACK;
    MessageBoxWatcher boxes;
    std::string heading;
    bool yes_shown = false;
    HWND seen = nullptr;
    TimerScript script({on_page("SETUP_END",
                                [&](HWND page) {
                                    seen = page;
                                    heading = control_text(page, IDC_HEADING);
                                    yes_shown = is_checked(page, IDC_RESTART_YES) && !is_checked(page, IDC_RESTART_NO);
                                    press_key(page, VK_ESCAPE);
                                }),
                        pause(),
                        [&] {
                            EXPECT_TRUE(IsWindow(seen)) << "Escape closed the finish page";
                            click(seen, IDC_RESTART_NO);
                            press_key(seen, VK_RETURN);
                            return true;
                        }});
    EXPECT_EQ(run_page("SETUP_END", finish_page_proc, IDD_FINISH), PAGE_BACK);
    EXPECT_EQ(heading, "You have installed Roller Kit Successfully !");
    EXPECT_TRUE(yes_shown);
    EXPECT_EQ(state.restart_now, 0);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(WizardPagesTest, FinishWithYesKeepsTheRestart)
{
    TimerScript script({on_page("SETUP_END", [&](HWND page) { click(page, IDC_FINISH); })});
    run_page("SETUP_END", finish_page_proc, IDD_FINISH);
    EXPECT_EQ(state.restart_now, 1);
}

}  // namespace
