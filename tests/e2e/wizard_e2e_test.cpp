// The wizard sequence as the user walks it: welcome, setup type, components,
// finish, and the ends of the program.
#include <gtest/gtest.h>

#include "harness.h"
#include "resources/resource_ids.h"

using namespace e2e;

namespace {

constexpr const char* CANCEL_TEXT = "Roller Kit installation is not completed !";
constexpr const char* CAPTION = "Roller Kit Setup Program";

class WizardE2E : public ::testing::Test {
protected:
    MediumCopy medium;
};

// Walks the finish page with No, so that nothing restarts, and the end.
void finish_without_restart(SetupProcess& setup)
{
    HWND finish = setup.wait_page("SETUP_END");
    ASSERT_NE(finish, nullptr);
    EXPECT_EQ(control_text(finish, IDC_HEADING), "You have installed Roller Kit Successfully !");
    click(finish, IDC_RESTART_NO);
    click(finish, IDC_NEXT);
    EXPECT_EQ(setup.wait_exit(), 0u);
}

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

// How the user leaves a page with Cancel.
enum class CancelBy { button, escape };

struct CancelCase {
    const char* page;
    CancelBy by;
};

// Next through the pages that come before the given one, Custom chosen so
// that the component page is on the way.
HWND walk_to(SetupProcess& setup, const char* target)
{
    const struct {
        const char* page;
        int choice;  // clicked before Next, or 0
    } path[] = {{"SETUP_BEGIN", 0}, {"SETUP_SELTYPE", IDC_CUSTOM}, {"SETUP_SELCOMP", 0}, {"SETUP_SELDIR", 0}};
    for (const auto& step : path) {
        HWND page = setup.wait_page(step.page);
        if (page == nullptr || lstrcmpA(step.page, target) == 0) return page;
        if (step.choice != 0) click(page, step.choice);
        click(page, IDC_NEXT);
    }
    return nullptr;
}

class CancelE2E : public WizardE2E, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(CancelE2E, ShowsTheCancelMessageAndEnds)
{
    SetupProcess setup(medium.setup_exe());
    HWND page = walk_to(setup, GetParam().page);
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

INSTANTIATE_TEST_SUITE_P(EveryPage, CancelE2E,
                         ::testing::Values(CancelCase{"SETUP_BEGIN", CancelBy::button},
                                           CancelCase{"SETUP_BEGIN", CancelBy::escape},
                                           CancelCase{"SETUP_SELTYPE", CancelBy::button},
                                           CancelCase{"SETUP_SELTYPE", CancelBy::escape},
                                           CancelCase{"SETUP_SELCOMP", CancelBy::button},
                                           CancelCase{"SETUP_SELCOMP", CancelBy::escape},
                                           CancelCase{"SETUP_SELDIR", CancelBy::button},
                                           CancelCase{"SETUP_SELDIR", CancelBy::escape}),
                         [](const auto& param_info) {
                             std::string name = std::string(param_info.param.page).substr(6);
                             return name + (param_info.param.by == CancelBy::escape ? "_Escape" : "_Button");
                         });

}  // namespace
