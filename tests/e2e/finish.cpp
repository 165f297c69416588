#include "finish.h"

#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "walk.h"

namespace e2e {

void finish_without_restart(SetupProcess& setup, HWND finish)
{
    ASSERT_NE(finish, nullptr);
    EXPECT_EQ(control_text(finish, IDC_HEADING), "You have installed Roller Kit Successfully !");
    click(finish, IDC_RESTART_NO);
    click(finish, IDC_FINISH);
    EXPECT_EQ(setup.wait_exit(), 0u);
}

void finish_without_restart(SetupProcess& setup) { finish_without_restart(setup, setup.wait_page("SETUP_END")); }

void install_typical(SetupProcess& setup) { finish_without_restart(setup, walk_to(setup, "SETUP_END", TYPICAL)); }

}  // namespace e2e
