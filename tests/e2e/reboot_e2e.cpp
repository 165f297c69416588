// The restart with the shutdown privilege, run by CTest in a throw-away
// prefix (in-throwaway-prefix): Wine's ExitWindowsEx ends the session's
// programs, and nothing really reboots.
#include <gtest/gtest.h>

#include "harness.h"
#include "resources/resource_ids.h"

using namespace e2e;

namespace {

TEST(RebootE2E, RestartAsksWindowsForAReboot)
{
    MediumCopy medium;
    SessionEndWatcher session;
    SetupProcess setup(medium.setup_exe());
    for (const char* page_class : {"SETUP_BEGIN", "SETUP_SELTYPE"}) {
        HWND page = setup.wait_page(page_class);
        ASSERT_NE(page, nullptr);
        if (lstrcmpA(page_class, "SETUP_SELTYPE") == 0) click(page, IDC_CUSTOM);
        click(page, IDC_NEXT);
    }
    HWND components = setup.wait_page("SETUP_SELCOMP");
    ASSERT_NE(components, nullptr);
    click(components, IDC_COMPONENT_FIRST);
    click(components, IDC_COMPONENT_FIRST + 1);
    click(components, IDC_NEXT);
    HWND finish = setup.wait_page("SETUP_END");
    ASSERT_NE(finish, nullptr);
    EXPECT_TRUE(is_checked(finish, IDC_RESTART_YES));
    click(finish, IDC_NEXT);

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
