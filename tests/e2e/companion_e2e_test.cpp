// The companion programs of the sample medium, as Setup's registration
// leaves them to the user.
#include <gtest/gtest.h>

#include "harness.h"

using namespace e2e;

namespace {

const std::string UNINSTALL_KEY = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\RollPoint";
const std::string RUN_KEY = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

void register_like_setup()
{
    HKEY key = nullptr;
    const char title[] = "Roller Kit Wheel Mouse";
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY.c_str(), &key), ERROR_SUCCESS);
    RegSetValueExA(key, "DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(title), sizeof title);
    RegCloseKey(key);
    const char program[] = "C:\\Program Files\\Roller Kit\\QVMAIN.EXE";
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, RUN_KEY.c_str(), &key), ERROR_SUCCESS);
    RegSetValueExA(key, "RollPoint", 0, REG_SZ, reinterpret_cast<const BYTE*>(program), sizeof program);
    RegCloseKey(key);
}

TEST(CompanionE2E, UninstallAsksFirstAndRemovesTheRegistrationOnYes)
{
    MediumCopy medium;  // cleans up the registration around the test
    register_like_setup();

    {
        SetupProcess uninstall(medium.dir() + "\\UNINSTAL.EXE");
        const Box question = uninstall.answer_box(IDNO);
        EXPECT_EQ(question.caption, "Roller Kit Uninstall");
        EXPECT_EQ(question.text, "Remove Roller Kit from this computer ?");
        EXPECT_EQ(question.icon, static_cast<UINT>(MB_ICONQUESTION));
        EXPECT_EQ(question.buttons, (std::vector<int>{IDYES, IDNO}));
        EXPECT_EQ(uninstall.wait_exit(), 0u);
        EXPECT_TRUE(registry_key_exists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY));
    }

    SetupProcess rollpoint(companion_dir() + "\\QVMAIN.EXE");
    HWND main_window = rollpoint.wait_page("RollPointMain");
    ASSERT_NE(main_window, nullptr);
    EXPECT_EQ(window_title(main_window), "RollPoint");

    SetupProcess uninstall(medium.dir() + "\\UNINSTAL.EXE");
    uninstall.answer_box(IDYES);
    const Box done = uninstall.answer_box(IDOK);
    EXPECT_EQ(done.text, "Roller Kit has been removed.");
    EXPECT_EQ(done.icon, static_cast<UINT>(MB_ICONASTERISK));
    EXPECT_EQ(uninstall.wait_exit(), 0u);
    EXPECT_EQ(rollpoint.wait_exit(), 0u) << "RollPoint was not closed";
    EXPECT_FALSE(registry_key_exists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY));
    std::string value;
    EXPECT_FALSE(read_registry_string(HKEY_LOCAL_MACHINE, RUN_KEY, "RollPoint", value));
}

}  // namespace
