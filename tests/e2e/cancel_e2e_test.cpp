// Cancel at every file of the sample medium through the real program: the
// click lands while the chosen file is copied, that file and the ones before
// it stay installed, none after it, the registration is done and the cancel
// message shown, and the program ends with 0, without the driver
// installation and without the restart.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "debug_output.h"
#include "harness.h"
#include "support/install_support.h"
#include "support/test_files.h"

using namespace e2e;

namespace {

// The file to cancel at, in the environment that the program inherits.
class CancelAt {
public:
    explicit CancelAt(const char* file) { SetEnvironmentVariableA("SETUP_E2E_CANCEL_AT", file); }
    ~CancelAt() { SetEnvironmentVariableA("SETUP_E2E_CANCEL_AT", nullptr); }
    CancelAt(const CancelAt&) = delete;
    CancelAt& operator=(const CancelAt&) = delete;
};

// The click has to reach the page while one chosen file is copied; from
// outside the program, a file copies faster than any click can be aimed.
// So a hook in the program's own thread posts it when the page announces the
// file, as the user's click would arrive then.
class CancelClickHook {
public:
    explicit CancelClickHook(DWORD thread_id)
    {
        module_ = LoadLibraryA((test_program_dir() + "\\cancel_click_hook.dll").c_str());
        auto* proc = reinterpret_cast<HOOKPROC>(GetProcAddress(module_, "cancel_click_hook"));
        if (proc != nullptr) hook_ = SetWindowsHookExA(WH_CALLWNDPROCRET, proc, module_, thread_id);
        if (hook_ == nullptr)
            ADD_FAILURE() << "no hook: module " << module_ << ", procedure " << reinterpret_cast<void*>(proc)
                          << ", thread " << thread_id << ", error " << GetLastError();
    }
    ~CancelClickHook()
    {
        if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
        if (module_ != nullptr) FreeLibrary(module_);
    }
    CancelClickHook(const CancelClickHook&) = delete;
    CancelClickHook& operator=(const CancelClickHook&) = delete;
    bool set() const { return hook_ != nullptr; }

private:
    HMODULE module_ = nullptr;
    HHOOK hook_ = nullptr;
};

class InstallCancelE2E : public ::testing::TestWithParam<int> {};

TEST_P(InstallCancelE2E, CancelDuringAFileKeepsItAndTheOnesBeforeAndRegisters)
{
    const size_t cancelled = static_cast<size_t>(GetParam());
    MediumCopy medium;
    const auto files = sample_files();
    const char* cancelled_file = files[cancelled].announced;
    SCOPED_TRACE(std::string("cancelled at ") + cancelled_file);
    {
        CancelAt cancel_at(cancelled_file);
        // Without the privilege a restart would show "Reboot Error !" and
        // keep the program from ending; the driver installation would trace.
        SetupProcess setup(medium.setup_exe(), StartOptions{"SeShutdownPrivilege"});
        DebugOutput output(setup.pid());
        ASSERT_TRUE(output.attached()) << "DebugActiveProcess error " << output.attach_error();
        // Set on the program's thread as soon as the welcome page is there.
        std::optional<CancelClickHook> hook;
        WalkOptions set_hook;
        set_hook.on_page = [&](HWND page, const char*) {
            if (!hook) hook.emplace(GetWindowThreadProcessId(page, nullptr));
        };
        HWND destination = walk_to(setup, "SETUP_SELDIR", TYPICAL, set_hook);
        ASSERT_NE(destination, nullptr);
        ASSERT_TRUE(hook->set());
        click(destination, IDC_NEXT);

        const Box box = setup.wait_box();
        ASSERT_NE(box.window, nullptr) << setup.describe_windows();
        EXPECT_EQ(box.text, "Roller Kit installation is not completed !");
        EXPECT_EQ(box.caption, "Roller Kit Setup Program");
        EXPECT_EQ(box.icon, static_cast<UINT>(MB_ICONEXCLAMATION));
        // The registration is done before the message comes up.
        expect_companion_registration({medium.destination() + "\\QVPAGE.DLL",
                                       "\"" + medium.destination() + "\\QVMAIN.EXE\"", "Roller Kit Wheel Mouse",
                                       "\"" + medium.destination() + "\\UNINSTAL.EXE\""});
        press_button(box, IDOK);
        ASSERT_EQ(setup.wait_exit(), 0u) << setup.describe_windows();
        ASSERT_TRUE(output.wait_end(DEFAULT_TIMEOUT_MS));
        EXPECT_EQ(output.texts(), std::vector<std::string>{});
    }

    for (size_t i = 0; i < files.size(); ++i) {
        const std::string installed = installed_path(files[i], medium.destination());
        const bool copied = i <= cancelled;
        EXPECT_EQ(file_exists(installed), copied) << installed;
        if (copied) {
            EXPECT_FALSE(read_file(installed).empty()) << installed;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFile, InstallCancelE2E, ::testing::Range(0, static_cast<int>(sample_files().size())),
                         [](const auto& test_case) { return "file" + std::to_string(test_case.param + 1); });

}  // namespace
