// A Typical installation from the sample medium through the real program:
// the files it leaves and the registry entries it writes.
#include <gtest/gtest.h>

#include <string>

#include "finish.h"
#include "harness.h"
#include "support/install_support.h"
#include "support/test_files.h"

using namespace e2e;

namespace {

TEST(InstallE2E, TypicalInstallCopiesEveryFileAndRegistersTheCompanion)
{
    MediumCopy medium;
    {
        SetupProcess setup(medium.setup_exe());
        // The destination is new: the page creates it without a question.
        install_typical(setup);
        EXPECT_FALSE(setup.try_box().window);
    }

    const std::string dest = medium.destination();
    for (const SampleFile& file : sample_files()) {
        const std::string installed_at = installed_path(file, dest);
        const std::string original_at = original_path(file, medium.dir());
        SCOPED_TRACE(installed_at);
        const std::string original = read_file(original_at);
        ASSERT_FALSE(original.empty()) << original_at;
        const std::string installed = read_file(installed_at);
        EXPECT_EQ(installed.size(), original.size());
        EXPECT_TRUE(installed == original);
    }

    // The destination has a blank in it: the two command lines are quoted.
    ASSERT_NE(dest.find(' '), std::string::npos);
    expect_companion_registration({dest + "\\QVPAGE.DLL", "\"" + dest + "\\QVMAIN.EXE\"", "Roller Kit Wheel Mouse",
                                   "\"" + dest + "\\UNINSTAL.EXE\""});
}

}  // namespace
