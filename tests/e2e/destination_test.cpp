// The destination page in the real program: the path it starts with, the
// checks of Next as the user meets them, and where Back leads.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "finish.h"
#include "harness.h"
#include "support/test_files.h"

using namespace e2e;

namespace {

constexpr const char* CAPTION = "Roller Kit Setup Program";
constexpr const char* CANNOT_CREATE =
    "Can not create directory !\nThe specified directory is either invalid or disk drive is write protected.";
constexpr const char* DIR_EXISTS =
    "The specified directory already exists !\nDo you still want to install into this directory ?";

class DestinationE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        base_ = make_temp_dir("destination-e2e");
        ASSERT_FALSE(base_.empty());
    }
    void TearDown() override { remove_tree(base_); }

    // The destination that the script gives the page.
    void set_default_path(const std::string& path) const
    {
        medium_.set_script_value("Main", "DefaultPath", path.c_str());
    }

    MediumCopy medium_;
    std::string base_;
};

void expect_warning(const Box& box, const char* text)
{
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, CAPTION);
    EXPECT_EQ(box.icon, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
}

// The page is still there and nothing else has come up.
void expect_page_stays(SetupProcess& setup, HWND destination)
{
    pump_messages_for(scaled_ms(300));
    EXPECT_TRUE(IsWindowVisible(destination));
    EXPECT_TRUE(IsWindowEnabled(destination));
    const auto classes = setup.window_classes();
    EXPECT_EQ(std::count(classes.begin(), classes.end(), std::string("#32770")), 0) << setup.describe_windows();
}

// Cancel on the page and the cancel message: the program ends.
void cancel_setup(SetupProcess& setup, HWND destination)
{
    click(destination, IDC_CANCEL);
    setup.answer_box(IDOK);
    EXPECT_EQ(setup.wait_exit(), 0u);
}

TEST_F(DestinationE2E, TypicalShowsTheScriptPathAndBackLeadsToTheSetupType)
{
    SetupProcess setup(medium_.setup_exe());
    HWND destination = walk_to(setup, "SETUP_SELDIR", TYPICAL);
    ASSERT_NE(destination, nullptr);
    EXPECT_EQ(window_title(destination), "Roller Kit Setup");
    EXPECT_EQ(control_text(destination, IDC_PATH), medium_.destination());
    EXPECT_EQ(control_text(destination, IDC_HEADING), "Roller Kit files are to be installed :");
    click(destination, IDC_BACK);

    HWND type = setup.wait_page("SETUP_SELTYPE");
    ASSERT_NE(type, nullptr);
    click(type, IDC_CANCEL);
    setup.answer_box(IDOK);
    EXPECT_EQ(setup.wait_exit(), 0u);
}

TEST_F(DestinationE2E, CustomBackLeadsToTheComponents)
{
    SetupProcess setup(medium_.setup_exe());
    HWND destination = walk_to(setup, "SETUP_SELDIR", CUSTOM);
    ASSERT_NE(destination, nullptr);
    click(destination, IDC_BACK);
    HWND components = setup.wait_page("SETUP_SELCOMP");
    ASSERT_NE(components, nullptr);
    click(components, IDC_NEXT);
    destination = setup.wait_page("SETUP_SELDIR");
    ASSERT_NE(destination, nullptr);
    cancel_setup(setup, destination);
}

TEST_F(DestinationE2E, InvalidPathAndExistingDirectoryKeepThePage)
{
    // The other paths that cannot be created are the page test's rows
    // (DestinationPageTest.NextChecksAndCreatesTheDestination).
    {
        const std::string invalid = base_ + "\\missing\\new";
        set_default_path(invalid);
        SetupProcess setup(medium_.setup_exe());
        HWND destination = walk_to(setup, "SETUP_SELDIR", TYPICAL);
        ASSERT_NE(destination, nullptr);
        EXPECT_EQ(control_text(destination, IDC_PATH), invalid);
        click(destination, IDC_NEXT);
        expect_warning(setup.answer_box(IDOK), CANNOT_CREATE);
        expect_page_stays(setup, destination);
        EXPECT_EQ(control_text(destination, IDC_PATH), invalid);
        cancel_setup(setup, destination);
    }

    // An existing directory: Cancel keeps the page, OK goes on.
    set_default_path(base_);
    TitledWindow rollpoint("RollPoint");
    SetupProcess setup(medium_.setup_exe());
    HWND destination = walk_to(setup, "SETUP_SELDIR", TYPICAL);
    ASSERT_NE(destination, nullptr);
    click(destination, IDC_NEXT);
    const Box question = setup.answer_box(IDCANCEL);
    EXPECT_EQ(question.text, DIR_EXISTS);
    EXPECT_EQ(question.caption, CAPTION);
    EXPECT_EQ(question.icon, static_cast<UINT>(MB_ICONQUESTION));
    EXPECT_EQ(question.buttons, (std::vector<int>{IDOK, IDCANCEL}));
    expect_page_stays(setup, destination);
    EXPECT_EQ(rollpoint.close_requests(), 0);

    click(destination, IDC_NEXT);
    EXPECT_EQ(setup.answer_box(IDOK).text, DIR_EXISTS);
    HWND finish = setup.wait_page("SETUP_END");
    ASSERT_NE(finish, nullptr);
    EXPECT_EQ(rollpoint.close_requests(), 1);
    finish_without_restart(setup, finish);
}

// The script's destination is replaced through the browser; Next creates
// the chosen directory and nothing at the script's.
TEST_F(DestinationE2E, NextCreatesTheBrowsedDirectoryAndAsksRollPointToClose)
{
    const std::string chosen = base_ + "\\Chosen";
    TitledWindow rollpoint("RollPoint");
    SetupProcess setup(medium_.setup_exe());
    HWND destination = walk_to(setup, "SETUP_SELDIR", TYPICAL);
    ASSERT_NE(destination, nullptr);

    click(destination, IDC_BROWSE);
    HWND browser = setup.wait_dialog();
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(control_text(browser, IDC_PATH), medium_.destination());
    set_text(browser, IDC_PATH, chosen);
    click(browser, IDOK);
    wait_until([&] { return control_text(destination, IDC_PATH) == chosen; }, 5000);
    EXPECT_EQ(control_text(destination, IDC_PATH), chosen);
    EXPECT_EQ(rollpoint.close_requests(), 0);
    click(destination, IDC_NEXT);

    HWND finish = setup.wait_page("SETUP_END");
    ASSERT_NE(finish, nullptr);
    EXPECT_TRUE(directory_exists_at(chosen));
    EXPECT_FALSE(directory_exists_at(medium_.destination()));
    EXPECT_EQ(rollpoint.close_requests(), 1);
    finish_without_restart(setup, finish);
}

}  // namespace
