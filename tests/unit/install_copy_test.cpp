#include <gtest/gtest.h>

#include <windows.h>
#include <lzexpand.h>

#include <string>
#include <vector>

#include "install/copy_files.h"
#include "install/install_pumps.h"
#include "install/progress_display.h"
#include "support/install_support.h"
#include "support/seam.h"
#include "support/setup_fixture.h"
#include "support/test_files.h"

namespace {

FileEntry make_entry(const char* subdir, const char* target_dir, const char* source, const char* target, int absolute)
{
    FileEntry entry = {};
    copy_text(entry.source_subdir, subdir);
    copy_text(entry.target_dir, target_dir);
    copy_text(entry.source_name, source);
    copy_text(entry.target_name, target);
    entry.absolute = absolute;
    return entry;
}

TEST(InstallPaths, SourceAndTargetPathsAreBuiltWhole)
{
    reset_setup_state();
    const std::string longest_dest = "C:\\" + std::string(76, 'D');  // 79, all that dest_dir holds
    const std::string longest_source = "C:\\" + std::string(66, 'S');  // 69, the most beside SETUP.INF
    const std::string subdir(39, 'B');
    const std::string name14 = "ABCDEFGHIJ.EXE";
    FileEntry entries[] = {
        make_entry("DISK1", "Sub One", "MOUSE.DL_", "QVPAGE.DLL", 0),
        make_entry("SYSFILES", "C:\\WINNT\\SYSTEM", "DRIVER.SY_", "DRIVER.SYS", 1),
        make_entry("", "", "ODD.TXT", "ODD.TXT", 0),  // a directory key that matched nothing
        make_entry("", "", "", "", 0),                 // a missing script line
        make_entry(subdir.c_str(), subdir.c_str(), name14.c_str(), name14.c_str(), 0),
    };
    state.disk_count = 1;
    state.files_per_disk[0] = std::size(entries);
    state.disk_files[0] = entries;

    const struct {
        const char* source_dir;
        const char* dest_dir;
        std::string source, target;
    } cases[] = {
        {"E:\\MEDIUM", "C:\\ROLLER", "E:\\MEDIUM\\DISK1\\MOUSE.DL_", "C:\\ROLLER\\Sub One\\QVPAGE.DLL"},
        {"E:\\MEDIUM", "C:\\ROLLER", "E:\\MEDIUM\\SYSFILES\\DRIVER.SY_", "C:\\WINNT\\SYSTEM\\DRIVER.SYS"},
        {"E:\\MEDIUM", "C:\\ROLLER", "E:\\MEDIUM\\\\ODD.TXT", "C:\\ROLLER\\\\ODD.TXT"},
        {"E:\\MEDIUM", "C:\\ROLLER", "E:\\MEDIUM\\\\", "C:\\ROLLER\\\\"},
        {longest_source.c_str(), longest_dest.c_str(), longest_source + "\\" + subdir + "\\" + name14,
         longest_dest + "\\" + subdir + "\\" + name14},
    };
    for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) {
        SCOPED_TRACE(i);
        copy_text(state.source_dir, cases[i].source_dir);
        copy_text(state.dest_dir, cases[i].dest_dir);
        char path[MAX_PATH];
        build_source_path(path, 0, i);
        EXPECT_EQ(path, cases[i].source);
        build_target_path(path, 0, i);
        EXPECT_EQ(path, cases[i].target);
    }
}

TEST(InstallProgress, PercentCountsTheFileInHandAndTheBarGrowsByWidthPlusOne)
{
    EXPECT_EQ(disk_percent(0, 3), 33);
    EXPECT_EQ(disk_percent(1, 3), 66);
    EXPECT_EQ(disk_percent(2, 3), 100);
    EXPECT_EQ(disk_percent(0, 1), 100);
    EXPECT_EQ(disk_percent(0, 7), 14);

    // A frame 104 pixels wide leaves a bar box 100 wide, one pixel up and left of the inset.
    const RECT frame = {10, 20, 114, 36};
    const struct {
        short percent;
        int width;
    } cases[] = {{0, 0}, {33, 33}, {66, 66}, {100, 101}};
    for (const auto& c : cases) {
        const RECT bar = progress_bar_rect(frame, c.percent);
        EXPECT_EQ(bar.left, 11);
        EXPECT_EQ(bar.top, 21);
        EXPECT_EQ(bar.bottom, 33);
        EXPECT_EQ(bar.right - bar.left, c.width) << c.percent;
    }
}

// A window that counts what reaches its procedure.
class CountingWindow {
public:
    CountingWindow()
    {
        WNDCLASSA window_class = {};
        window_class.lpfnWndProc = procedure;
        window_class.hInstance = GetModuleHandleA(nullptr);
        window_class.lpszClassName = "InstallCountingWindow";
        RegisterClassA(&window_class);
        window_ = CreateWindowA("InstallCountingWindow", "", 0, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        dispatched() = 0;
    }
    ~CountingWindow() { DestroyWindow(window_); }
    HWND handle() const { return window_; }
    static int& dispatched()
    {
        static int count = 0;
        return count;
    }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
    {
        if (message >= WM_USER || message == WM_COMMAND) ++dispatched();
        return DefWindowProcA(window, message, wparam, lparam);
    }
    HWND window_ = nullptr;
};

bool message_waiting(HWND window)
{
    MSG message;
    return PeekMessageA(&message, window, 0, 0, PM_NOREMOVE) != 0;
}

void drain(HWND window)
{
    MSG message;
    while (PeekMessageA(&message, window, 0, 0, PM_REMOVE)) {}
}

TEST(InstallPump, TakesOneMessageOfThePageAndDropsItsCancelCommand)
{
    CountingWindow page;
    CountingWindow other;
    drain(nullptr);

    EXPECT_EQ(pump_one_message(page.handle()), 1);  // nothing waiting

    PostMessageA(other.handle(), WM_USER + 1, 0, 0);
    EXPECT_EQ(pump_one_message(page.handle()), 1);
    EXPECT_EQ(CountingWindow::dispatched(), 0);
    EXPECT_TRUE(message_waiting(other.handle()));  // not the page's

    PostMessageA(page.handle(), WM_COMMAND, 1, 0);
    PostMessageA(page.handle(), WM_USER + 2, 0, 0);
    EXPECT_EQ(pump_one_message(page.handle()), 0);
    EXPECT_EQ(CountingWindow::dispatched(), 0);
    EXPECT_EQ(pump_one_message(page.handle()), 1);
    EXPECT_EQ(CountingWindow::dispatched(), 1);
    EXPECT_FALSE(message_waiting(page.handle()));
    drain(nullptr);
}

DWORD fake_ticks = 0;
int tick_reads = 0;
DWORD WINAPI fake_tick_count()
{
    ++tick_reads;
    const DWORD now = fake_ticks;
    fake_ticks += 100;
    return now;
}

TEST(InstallPause, DrainsEveryMessageWithoutDispatchingAndEndsAtOnceAcrossTheWrap)
{
    CountingWindow window;
    drain(nullptr);
    ScopedSeam clock(pause_calls, PauseCalls{fake_tick_count});

    fake_ticks = 5000;
    tick_reads = 0;
    for (int i = 0; i < 3; ++i) PostMessageA(window.handle(), WM_USER + i, 0, 0);
    PostThreadMessageA(GetCurrentThreadId(), WM_USER + 9, 0, 0);
    pause_draining(1000);
    EXPECT_FALSE(message_waiting(nullptr));
    EXPECT_EQ(CountingWindow::dispatched(), 0);
    EXPECT_GE(fake_ticks, 6000u);  // it waited until the end came

    // start + 1000 passes 2^32: end lies below start, so there is no wait at all.
    fake_ticks = 0xFFFFFE00;
    tick_reads = 0;
    PostMessageA(window.handle(), WM_USER, 0, 0);
    pause_draining(1000);
    EXPECT_EQ(tick_reads, 1);
    EXPECT_TRUE(message_waiting(window.handle()));

    drain(nullptr);
}

class InstallCopyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_setup_state();
        dir_ = make_temp_dir("copy");
    }
    void TearDown() override { remove_tree(dir_); }

    // A fixture file copied into the test's folder, so that it can be deleted again.
    std::string source(const std::string& name)
    {
        const std::string path = dir_ + "\\" + name;
        CopyFileA(install_fixture(name).c_str(), path.c_str(), FALSE);
        return path;
    }

    // As the page copies a file: open, a message, copy, a message. The pump's last answer.
    int copy(std::string from, std::string to)
    {
        open_source(from.data());
        pump_one_message(page_.handle());
        copy_to_target(to.data());
        return pump_one_message(page_.handle());
    }

    std::string dir_;
    CountingWindow page_;
};

TEST_F(InstallCopyTest, CompressedFilesAreExpandedAndPlainFilesCopied)
{
    const struct {
        const char* source;
        const char* expected;
    } cases[] = {{"MOUSE.DL_", "MOUSE.DL_.expanded"}, {"HELP.HL_", "HELP.HL_.expanded"}, {"readme.txt", "readme.txt"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        const std::string from = source(c.source);
        const std::string to = dir_ + "\\installed";
        EXPECT_EQ(copy(from, to), 1);
        const std::string expected = read_file(install_fixture(c.expected));
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(read_file(to), expected);
        EXPECT_TRUE(DeleteFileA(from.c_str())) << "the source is still open";
        EXPECT_TRUE(DeleteFileA(to.c_str())) << "the target is still open";
    }
    EXPECT_NE(read_file(install_fixture("MOUSE.DL_")), read_file(install_fixture("MOUSE.DL_.expanded")));
}

TEST_F(InstallCopyTest, ExistingTargetIsLeftAloneWhenTheSourceIsNotOpen)
{
    const std::string target = dir_ + "\\QVMAIN.EXE";
    write_file(target, "installed before");

    copy(dir_ + "\\MISSING.EX_", target);
    EXPECT_LT(state.lz_source, 0);
    EXPECT_EQ(read_file(target), "installed before");

    // Every failure code of the LZ functions is negative, not only -1.
    for (int failure : {LZERROR_BADINHANDLE, LZERROR_READ, LZERROR_GLOBALLOC, LZERROR_UNKNOWNALG}) {
        SCOPED_TRACE(failure);
        state.lz_source = failure;
        std::string to = target;
        copy_to_target(to.data());
        EXPECT_EQ(read_file(target), "installed before");
    }
}

TEST_F(InstallCopyTest, SourceIsClosedWhenTheTargetCannotBeCreated)
{
    const std::string from = source("DRIVER.SY_");
    copy(from, dir_ + "\\no such folder\\DRIVER.SYS");
    EXPECT_LT(state.lz_target, 0);
    EXPECT_TRUE(DeleteFileA(from.c_str())) << "the source is still open";
}

}  // namespace
