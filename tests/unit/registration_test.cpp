#include <gtest/gtest.h>

#include <string>

#include "install/registration.h"
#include "support/install_support.h"
#include "support/setup_fixture.h"

namespace {

const std::string SERVER_KEY = std::string(COMPANION_CLSID_KEY) + "\\InProcServer32";
const std::string PAGE_HANDLER_KEY = std::string(MOUSE_HANDLERS_KEY) + "\\QVMousePage";

class RegistrationTest : public ::testing::Test {
protected:
    void SetUp() override { reset_setup_state(); }
    CompanionRegistryCleanup cleanup_;
};

TEST_F(RegistrationTest, WritesAllSevenStepsAndQuotesCommandLinesWithBlanks)
{
    const struct {
        const char* dest_dir;
        const char* title;
        std::string server, run, uninstall;
    } cases[] = {
        {"C:\\Program Files\\Roller Kit", "Roller Kit Mouse", "C:\\Program Files\\Roller Kit\\QVPAGE.DLL",
         "\"C:\\Program Files\\Roller Kit\\QVMAIN.EXE\"", "\"C:\\Program Files\\Roller Kit\\UNINSTAL.EXE\""},
        {"D:\\ROLLER", "", "D:\\ROLLER\\QVPAGE.DLL", "D:\\ROLLER\\QVMAIN.EXE", "D:\\ROLLER\\UNINSTAL.EXE"},
        // The separator goes in without looking at what the destination ends with.
        {"C:\\", "Roller", "C:\\\\QVPAGE.DLL", "C:\\\\QVMAIN.EXE", "C:\\\\UNINSTAL.EXE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dest_dir);
        cleanup_.clean();
        copy_text(state.dest_dir, c.dest_dir);
        copy_text(state.display_title, c.title);
        register_companion();

        expect_companion_registration({c.server, c.run, c.title, c.uninstall});
    }
}

TEST_F(RegistrationTest, LongestDestinationIsWrittenWhole)
{
    // 79 characters, the most dest_dir holds, with blanks in it.
    std::string dest = "C:\\Program Files\\Roller Kit";
    while (dest.size() < 79) dest += dest.size() % 10 == 0 ? '\\' : (dest.size() % 7 == 0 ? ' ' : 'x');
    ASSERT_EQ(dest.size(), 79u);
    const std::string title(79, 'T');
    copy_text(state.dest_dir, dest.c_str());
    copy_text(state.display_title, title.c_str());
    register_companion();

    expect_registry_text(HKEY_CLASSES_ROOT, SERVER_KEY, nullptr, dest + "\\QVPAGE.DLL");
    expect_registry_text(HKEY_LOCAL_MACHINE, RUN_KEY_PATH, "RollPoint", "\"" + dest + "\\QVMAIN.EXE\"");
    expect_registry_text(HKEY_LOCAL_MACHINE, UNINSTALL_KEY_PATH, "DisplayName", title);
    expect_registry_text(HKEY_LOCAL_MACHINE, UNINSTALL_KEY_PATH, "UninstallString", "\"" + dest + "\\UNINSTAL.EXE\"");
}

TEST_F(RegistrationTest, HandlersKeyIsDeletedOnlyWhenItHasNoSubkeys)
{
    copy_text(state.dest_dir, "C:\\ROLLER");
    const std::string other = std::string(MOUSE_HANDLERS_KEY) + "\\OtherPage";

    // Another program's handler: its key, and the values beside it, stay.
    ASSERT_TRUE(set_registry_string(HKEY_LOCAL_MACHINE, other, nullptr, "{11111111-2222-3333-4444-555555555555}"));
    ASSERT_TRUE(set_registry_string(HKEY_LOCAL_MACHINE, MOUSE_HANDLERS_KEY, "Note", "kept"));
    register_companion();
    expect_registry_text(HKEY_LOCAL_MACHINE, other, nullptr, "{11111111-2222-3333-4444-555555555555}");
    expect_registry_text(HKEY_LOCAL_MACHINE, MOUSE_HANDLERS_KEY, "Note", "kept");
    expect_registry_text(HKEY_LOCAL_MACHINE, MOUSE_HANDLERS_KEY, nullptr, "QVMousePage");
    expect_registry_text(HKEY_LOCAL_MACHINE, PAGE_HANDLER_KEY, nullptr, "{6B2D94F0-3C1A-11D2-8E47-52A0C3D9B71E}");
    delete_registry_tree(HKEY_LOCAL_MACHINE, MOUSE_HANDLERS_KEY);

    // A handlers key without subkeys goes with its values and comes back bare.
    ASSERT_TRUE(set_registry_string(HKEY_LOCAL_MACHINE, MOUSE_HANDLERS_KEY, "Stale", "gone"));
    register_companion();
    EXPECT_FALSE(read_registry_value(HKEY_LOCAL_MACHINE, MOUSE_HANDLERS_KEY, "Stale").has_value());
    expect_registry_text(HKEY_LOCAL_MACHINE, MOUSE_HANDLERS_KEY, nullptr, "QVMousePage");
    EXPECT_EQ(registry_subkeys(HKEY_LOCAL_MACHINE, MOUSE_HANDLERS_KEY), std::vector<std::string>{"QVMousePage"});

    // Run again: the same entries, nothing else.
    register_companion();
    expect_registry_text(HKEY_LOCAL_MACHINE, MOUSE_HANDLERS_KEY, nullptr, "QVMousePage");
    EXPECT_EQ(registry_subkeys(HKEY_LOCAL_MACHINE, MOUSE_HANDLERS_KEY), std::vector<std::string>{"QVMousePage"});
    expect_registry_text(HKEY_LOCAL_MACHINE, RUN_KEY_PATH, "RollPoint", "C:\\ROLLER\\QVMAIN.EXE");
}

}  // namespace
