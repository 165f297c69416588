// Cancel at every file of the sample medium through the real program: the
// click lands while the chosen file is copied, that file and the ones before
// it stay installed, none after it, the registration is done and the cancel
// message shown, and the program ends with 0, without the driver
// installation and without the restart.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "debug_output.h"
#include "harness.h"
#include "resources/resource_ids.h"
#include "support/install_support.h"
#include "support/test_files.h"

using namespace e2e;

namespace {

std::string windows_dir()
{
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    return windows;
}

// The medium's files in the order they are copied: the name the page
// announces, and where the file goes.
struct MediumFile {
    const char* source;
    std::string installed;
};

std::vector<MediumFile> medium_files(const std::string& dest)
{
    const std::string windows = windows_dir();
    return {
        {"QVMAIN.EX_", dest + "\\QVMAIN.EXE"},
        {"QVPAGE.DL_", dest + "\\QVPAGE.DLL"},
        {"UNINSTAL.EXE", dest + "\\UNINSTAL.EXE"},
        {"README.TXT", dest + "\\README.TXT"},
        {"SETUP.INF", dest + "\\SETUP.INF"},
        {"ROLLER.HL_", dest + "\\HELP\\ROLLER.HLP"},
        {"WHEEL.TXT", dest + "\\HELP\\WHEEL.TXT"},
        {"SCROLL.TX_", dest + "\\SAMPLES\\SCROLL.TXT"},
        {"RKMOUSE.SY_", windows + "\\SYSTEM\\RKMOUSE.SYS"},
        {"RKMOUSE.IN_", windows + "\\INF\\RKMOUSE.INF"},
        {"ROLLER.INI", windows + "\\ROLLER.INI"},
    };
}

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
    const int cancelled = GetParam();
    MediumCopy medium;
    const std::vector<MediumFile> files = medium_files(medium.destination());
    const char* cancelled_file = files[static_cast<size_t>(cancelled)].source;
    SCOPED_TRACE(std::string("cancelled at ") + cancelled_file);
    {
        CancelAt cancel_at(cancelled_file);
        // Without the privilege a restart would show "Reboot Error !" and
        // keep the program from ending; the driver installation would trace.
        SetupProcess setup(medium.setup_exe(), StartOptions{"SeShutdownPrivilege"});
        DebugOutput output(setup.pid());
        ASSERT_TRUE(output.attached()) << "DebugActiveProcess error " << output.attach_error();
        HWND welcome = setup.wait_page("SETUP_BEGIN");
        ASSERT_NE(welcome, nullptr);
        CancelClickHook hook(GetWindowThreadProcessId(welcome, nullptr));
        ASSERT_TRUE(hook.set());
        click(welcome, IDC_NEXT);
        for (const char* page_class : {"SETUP_SELTYPE", "SETUP_SELDIR"}) {
            HWND page = setup.wait_page(page_class);
            ASSERT_NE(page, nullptr) << page_class;
            click(page, IDC_NEXT);
        }

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
        const bool copied = static_cast<int>(i) <= cancelled;
        EXPECT_EQ(file_exists(files[i].installed), copied) << files[i].installed;
        if (copied) {
            EXPECT_FALSE(read_file(files[i].installed).empty()) << files[i].installed;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFile, InstallCancelE2E, ::testing::Range(0, 11),
                         [](const auto& test_case) { return "file" + std::to_string(test_case.param + 1); });

}  // namespace
