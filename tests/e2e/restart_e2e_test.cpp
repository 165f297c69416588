// The restart after the finish page, when the user keeps "Yes".
#include <gtest/gtest.h>

#include "harness.h"

using namespace e2e;

namespace {

TEST(RestartE2E, WithoutTheShutdownPrivilegeShowsRebootError)
{
    MediumCopy medium;
    SetupProcess setup(medium.setup_exe(), StartOptions{"SeShutdownPrivilege"});
    // The shortest way to the finish page: Custom with nothing selected.
    HWND finish = walk_to(setup, "SETUP_END", CUSTOM_NOTHING);
    ASSERT_NE(finish, nullptr);
    EXPECT_TRUE(is_checked(finish, IDC_RESTART_YES));
    click(finish, IDC_FINISH);

    const Box box = setup.answer_box(IDOK);
    EXPECT_EQ(box.caption, "Debug");
    EXPECT_EQ(box.text, "Reboot Error !");
    EXPECT_EQ(box.icon, 0u);
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(setup.wait_exit(), 0u);
}

}  // namespace
