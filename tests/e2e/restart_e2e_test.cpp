// The restart after the finish page, when the user keeps "Yes".
#include <gtest/gtest.h>

#include "harness.h"
#include "resources/resource_ids.h"

using namespace e2e;

namespace {

// The shortest way to the finish page: Custom with nothing selected.
HWND walk_to_finish(SetupProcess& setup)
{
    HWND components = walk_to_components(setup);
    if (components == nullptr) return nullptr;
    click(components, IDC_COMPONENT_FIRST);
    click(components, IDC_COMPONENT_FIRST + 1);
    click(components, IDC_NEXT);
    return setup.wait_page("SETUP_END");
}

TEST(RestartE2E, WithoutTheShutdownPrivilegeShowsRebootError)
{
    MediumCopy medium;
    SetupProcess setup(medium.setup_exe(), StartOptions{"SeShutdownPrivilege"});
    HWND finish = walk_to_finish(setup);
    ASSERT_NE(finish, nullptr);
    EXPECT_TRUE(is_checked(finish, IDC_RESTART_YES));
    click(finish, IDC_NEXT);

    const Box box = setup.answer_box(IDOK);
    EXPECT_EQ(box.caption, "Debug");
    EXPECT_EQ(box.text, "Reboot Error !");
    EXPECT_EQ(box.icon, 0u);
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(setup.wait_exit(), 0u);
}

}  // namespace
