// The restart with the shutdown privilege, run by CTest in a throw-away
// prefix (in-throwaway-prefix): Wine's ExitWindowsEx ends the session's
// programs, and nothing really reboots.
#include <gtest/gtest.h>

#include "harness.h"

using namespace e2e;

namespace {

TEST(RebootE2E, RestartAsksWindowsForAReboot)
{
    MediumCopy medium;
    SessionEndWatcher session;
    SetupProcess setup(medium.setup_exe());
    HWND finish = walk_to(setup, "SETUP_END", CUSTOM_NOTHING);
    ASSERT_NE(finish, nullptr);
    EXPECT_TRUE(is_checked(finish, IDC_RESTART_YES));
    click(finish, IDC_FINISH);

    // The program ends at once; the request reaches the watcher a moment later.
    EXPECT_EQ(setup.wait_exit(), 0u);
    wait_until([&] { return !session.requests().empty(); }, 10000);
    ASSERT_EQ(session.requests().size(), 1u);
    const std::string& wineboot = session.requests()[0];
    EXPECT_NE(wineboot.find("--end-session"), std::string::npos) << wineboot;
    EXPECT_EQ(wineboot.find("--shutdown"), std::string::npos) << "not a restart: " << wineboot;
    EXPECT_EQ(wineboot.find("--kill"), std::string::npos) << "forced: " << wineboot;
}

}  // namespace
