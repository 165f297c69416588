// A Typical installation from the sample medium through the real program:
// the files it leaves and the registry entries it writes.
#include <gtest/gtest.h>

#include <string>

#include "harness.h"
#include "resources/resource_ids.h"
#include "support/install_support.h"
#include "support/test_files.h"

using namespace e2e;

namespace {

// The medium's sources in the source tree, for the files that lie on the
// medium only compressed.
std::string media_source(const std::string& name)
{
    std::string path = __FILE__;  // <root>/tests/e2e/install_test.cpp
    for (int up = 0; up < 3; ++up) path = path.substr(0, path.find_last_of("/\\"));
    path = "Z:" + path + "/media/" + name;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string windows_dir()
{
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    return windows;
}

// Welcome, Typical, the destination as given, the copy, and the finish
// page without a restart.
void walk_typical_install(SetupProcess& setup)
{
    for (const char* page_class : {"SETUP_BEGIN", "SETUP_SELTYPE", "SETUP_SELDIR"}) {
        HWND page = setup.wait_page(page_class);
        ASSERT_NE(page, nullptr) << page_class;
        click(page, IDC_NEXT);
    }
    // The destination is new: the page creates it without a question.
    HWND finish = setup.wait_page("SETUP_END");
    ASSERT_NE(finish, nullptr) << setup.describe_windows();
    click(finish, IDC_RESTART_NO);
    click(finish, IDC_NEXT);
    EXPECT_EQ(setup.wait_exit(), 0u);
}

TEST(InstallE2E, TypicalInstallCopiesEveryFileAndRegistersTheCompanion)
{
    MediumCopy medium;
    {
        SetupProcess setup(medium.setup_exe());
        walk_typical_install(setup);
        EXPECT_FALSE(setup.try_box().window);
    }

    const std::string dest = medium.destination();
    const std::string windows = windows_dir();
    const struct {
        std::string installed, original;
    } files[] = {
        {dest + "\\.\\QVMAIN.EXE", companion_dir() + "\\QVMAIN.EXE"},
        {dest + "\\QVPAGE.DLL", companion_dir() + "\\QVPAGE.DLL"},
        {dest + "\\UNINSTAL.EXE", medium.dir() + "\\UNINSTAL.EXE"},
        {dest + "\\README.TXT", medium.dir() + "\\README.TXT"},
        {dest + "\\SETUP.INF", medium.dir() + "\\SETUP.INF"},
        {dest + "\\HELP\\ROLLER.HLP", media_source("HELP/ROLLER.HLP")},
        {dest + "\\HELP\\WHEEL.TXT", medium.dir() + "\\HELP\\WHEEL.TXT"},
        {dest + "\\SAMPLES\\SCROLL.TXT", media_source("SAMPLES/SCROLL.TXT")},
        {windows + "\\SYSTEM\\RKMOUSE.SYS", medium.dir() + "\\DRIVER\\RKMOUSE.SYS"},
        {windows + "\\INF\\RKMOUSE.INF", medium.dir() + "\\RKMOUSE.INF"},
        {windows + "\\ROLLER.INI", medium.dir() + "\\WINDOWS\\ROLLER.INI"},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.installed);
        const std::string original = read_file(file.original);
        ASSERT_FALSE(original.empty()) << file.original;
        const std::string installed = read_file(file.installed);
        EXPECT_EQ(installed.size(), original.size());
        EXPECT_TRUE(installed == original);
    }

    // The destination has a blank in it: the two command lines are quoted.
    ASSERT_NE(dest.find(' '), std::string::npos);
    expect_companion_registration({dest + "\\QVPAGE.DLL", "\"" + dest + "\\QVMAIN.EXE\"", "Roller Kit Wheel Mouse",
                                   "\"" + dest + "\\UNINSTAL.EXE\""});
}

}  // namespace
