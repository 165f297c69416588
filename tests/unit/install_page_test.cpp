#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "install/copy_files.h"
#include "install/install_page.h"
#include "resources/resource_ids.h"
#include "script/setup_script.h"
#include "setup/page_framework.h"
#include "support/install_support.h"
#include "support/setup_fixture.h"
#include "support/test_files.h"
#include "support/ui_script.h"

namespace {

// Three disks, the second without files; compressed and plain files for a
// subdirectory, the destination itself and the three Windows directories;
// a missing line (disk 3, key 2) and a missing source (GONE.EXE).
const char* const MEDIUM_SCRIPT =
    "[Main]\r\nDefaultPath=C:\\ROLLER\r\nProductName=Roller Kit\r\n"
    "[DiskLabel]\r\nDisk1=Disk 1\r\nDisk2=Disk 2\r\nDisk3=Disk 3\r\n"
    "[DirectoryName]\r\nRootDir=\r\nSubDir1=Sub One\r\nSubDir2=HELP\r\nSubDir3=\r\nSubDir4=Extras\r\n"
    "SubDir5=Extras\\Deep\r\nSubDir6=Missing\\Deeper\r\n"
    "WinDir=WINFILES\r\nWinSystemDir=SYSFILES\r\nWinInfDir=INFFILES\r\n"
    "[FileCounts]\r\nDisk1=3\r\nDisk2=0\r\nDisk3=5\r\n"
    "[Disk1]\r\n"
    "1=MOUSE.DL_, QVPAGE.DLL, Mouse property page, SubDir1\r\n"
    "2=README.TXT, README.TXT, Read me first, RootDir\r\n"
    "3=DRIVER.SY_, DRIVER.SYS, Mouse driver, WinSystemDir\r\n"
    "[Disk3]\r\n"
    "1=HELP.HL_, MOUSE.HLP, Help file, SubDir2\r\n"
    "3=MOUSE.IN_, MOUSE.INF, Driver information, WinInfDir\r\n"
    "4=QVMOUSE.INI, QVMOUSE.INI, Settings, WinDir\r\n"
    "5=GONE.EXE, GONE.EXE, Missing file, WinDir\r\n"
    "[Startup]\r\nTitle=Roller Kit Mouse\r\n";

// Where each fixture lies on the medium.
const MediumFile MEDIUM_FILES[] = {
    {"Sub One", "MOUSE.DL_", "MOUSE.DL_"}, {"", "readme.txt", "README.TXT"},     {"SYSFILES", "DRIVER.SY_", "DRIVER.SY_"},
    {"HELP", "HELP.HL_", "HELP.HL_"},      {"INFFILES", "MOUSE.IN_", "MOUSE.IN_"}, {"WINFILES", "qvmouse.ini", "QVMOUSE.INI"},
};

constexpr COLORREF BLUE = RGB(0, 0, 255);
constexpr COLORREF GREY = RGB(128, 128, 128);

// What the page showed at one moment, read back from its pixels and controls.
struct Sample {
    std::string status;
    std::string percent;
    int bar_left = -1;   // first blue pixel on the bar's middle row, -1 without any
    int bar_width = 0;   // blue pixels on that row
    COLORREF outline = CLR_INVALID;  // one pixel up and left of the frame
    RECT frame = {};
};

// Watches the page through the thread's window procedure calls: every text
// set into the status and the percentage, a sample of the bar whenever the
// status changes, and the moment a message box comes up.
class PageObserver {
public:
    PageObserver()
    {
        active = this;
        hook_ = SetWindowsHookExA(WH_CALLWNDPROCRET, hook, nullptr, GetCurrentThreadId());
    }
    ~PageObserver()
    {
        UnhookWindowsHookEx(hook_);
        active = nullptr;
    }

    std::vector<std::string> texts;  // "1019:..." and "1013:..." in order, "box" for a message box
    std::vector<Sample> samples;     // one per status text
    std::function<void(HWND page, const std::string& status)> on_status;
    std::function<void()> on_box;

private:
    static LRESULT CALLBACK hook(int code, WPARAM wparam, LPARAM lparam)
    {
        const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lparam);
        if (code == HC_ACTION && active != nullptr) active->seen(call->hwnd, call->message);
        return CallNextHookEx(nullptr, code, wparam, lparam);
    }

    void seen(HWND window, UINT message)
    {
        char class_name[32] = {};
        if (message == WM_INITDIALOG) {
            GetClassNameA(window, class_name, sizeof class_name);
            if (lstrcmpA(class_name, "#32770") == 0) {
                texts.push_back("box");
                if (on_box) on_box();
            }
            return;
        }
        if (message != WM_SETTEXT) return;
        HWND page = GetParent(window);
        GetClassNameA(page, class_name, sizeof class_name);
        if (lstrcmpA(class_name, "SETUP_INSTALL") != 0) return;
        const int id = GetDlgCtrlID(window);
        if (id != IDC_STATUS && id != IDC_PERCENT) return;
        const std::string text = window_title(window);
        texts.push_back(std::to_string(id) + ":" + text);
        if (id != IDC_STATUS) return;
        samples.push_back(sample(page, text));
        if (on_status) on_status(page, text);
    }

    static Sample sample(HWND page, const std::string& status)
    {
        Sample seen;
        seen.status = status;
        seen.percent = control_text(page, IDC_PERCENT);
        RECT& frame = seen.frame;
        GetWindowRect(GetDlgItem(page, IDC_BAR_FRAME), &frame);
        MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&frame), 2);
        HDC dc = GetDC(page);
        const int row = (frame.top + frame.bottom) / 2;
        for (int x = frame.left - 3; x < frame.right + 3; ++x) {
            if (GetPixel(dc, x, row) != BLUE) continue;
            if (seen.bar_left < 0) seen.bar_left = x;
            ++seen.bar_width;
        }
        seen.outline = GetPixel(dc, frame.left - 1, frame.top - 1);
        ReleaseDC(page, dc);
        return seen;
    }

    static inline PageObserver* active = nullptr;
    HHOOK hook_ = nullptr;
};

// The bar for a percentage inside a frame: two pixels in, one up and left,
// and width + 1 times the percentage wide.
int expected_bar_width(const RECT& frame, int percent) { return (frame.right - frame.left - 4 + 1) * percent / 100; }

class InstallPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_setup_state();
        use_screen_size();
        windows_ = std::make_unique<WindowsDirSandbox>();
    }
    void TearDown() override
    {
        release_file_table();
        if (!dest_.empty()) remove_tree(dest_);
    }

    // The medium in a folder of its own, the script loaded, a fresh destination.
    void load_medium(const char* script)
    {
        medium_ = std::make_unique<ScriptFolder>(script);
        ASSERT_TRUE(lay_out_medium(medium_->dir(), MEDIUM_FILES));
        ASSERT_EQ(load_setup_script(), 1);
        dest_ = make_temp_dir("dest");
        copy_text(state.dest_dir, dest_.c_str());
    }

    std::string dest(const std::string& name) const { return dest_ + "\\" + name; }
    std::string windows(const std::string& name) const { return windows_->dir() + "\\" + name; }

    CompanionRegistryCleanup registry_;
    std::unique_ptr<WindowsDirSandbox> windows_;
    std::unique_ptr<ScriptFolder> medium_;
    std::string dest_;
};

std::string expanded(const char* fixture) { return read_file(install_fixture(std::string(fixture) + ".expanded")); }

std::set<std::string> folder_names(const std::string& dir)
{
    std::set<std::string> names;
    for (const FolderEntry& entry : folder_entries(dir)) names.insert(entry.name);
    return names;
}

TEST_F(InstallPageTest, InstallsEveryDiskWithTextsPercentagesAndBarThenRegisters)
{
    load_medium(MEDIUM_SCRIPT);
    write_file(windows("GONE.EXE"), "installed before");
    MessageBoxWatcher boxes;
    PageObserver observer;

    EXPECT_EQ(run_page("SETUP_INSTALL", install_page_proc, IDD_INSTALL), PAGE_NEXT);

    // Every file byte for byte as msexpand gives it, or as it lies on the medium.
    EXPECT_EQ(read_file(dest("Sub One\\QVPAGE.DLL")), expanded("MOUSE.DL_"));
    EXPECT_EQ(read_file(dest("README.TXT")), read_file(install_fixture("readme.txt")));
    EXPECT_EQ(read_file(windows("SYSTEM\\DRIVER.SYS")), expanded("DRIVER.SY_"));
    EXPECT_EQ(read_file(dest("HELP\\MOUSE.HLP")), expanded("HELP.HL_"));
    EXPECT_EQ(read_file(windows("INF\\MOUSE.INF")), expanded("MOUSE.IN_"));
    EXPECT_EQ(read_file(windows("QVMOUSE.INI")), read_file(install_fixture("qvmouse.ini")));
    EXPECT_EQ(read_file(windows("GONE.EXE")), "installed before");  // its source is missing

    // SubDir1..6 in order, one level each: Extras\Deep after Extras, Missing\Deeper never.
    EXPECT_EQ(folder_names(dest_), (std::set<std::string>{"Sub One", "HELP", "Extras", "README.TXT"}));
    EXPECT_TRUE(directory_exists_at(dest("Extras\\Deep")));

    const std::vector<std::string> expected_texts = {
        "1019:Copying MOUSE.DL_\n\nMouse property page", "1013:33%",
        "1019:Copying README.TXT\n\nRead me first", "1013:66%",
        "1019:Copying DRIVER.SY_\n\nMouse driver", "1013:100%",
        "1019:Copying HELP.HL_\n\nHelp file", "1013:20%",
        "1019:Copying \n\n", "1013:40%",
        "1019:Copying MOUSE.IN_\n\nDriver information", "1013:60%",
        "1019:Copying QVMOUSE.INI\n\nSettings", "1013:80%",
        "1019:Copying GONE.EXE\n\nMissing file", "1013:100%",
        "1019:Updating Registry...",
    };
    EXPECT_EQ(observer.texts, expected_texts);

    // Each status change shows the bar as the file before left it; a new disk
    // starts with an empty box while the percentage of the last one remains.
    const struct {
        const char* percent;
        int bar_percent;
    } bars[] = {{"0%", 0},   {"33%", 33}, {"66%", 66}, {"100%", 0}, {"20%", 20},
                {"40%", 40}, {"60%", 60}, {"80%", 80}, {"100%", 100}};
    ASSERT_EQ(observer.samples.size(), std::size(bars));
    for (size_t i = 0; i < std::size(bars); ++i) {
        const Sample& seen = observer.samples[i];
        SCOPED_TRACE(seen.status);
        EXPECT_EQ(seen.percent, bars[i].percent);
        EXPECT_EQ(seen.outline, GREY);
        EXPECT_EQ(seen.bar_width, expected_bar_width(seen.frame, bars[i].bar_percent));
        if (bars[i].bar_percent > 0) {
            EXPECT_EQ(seen.bar_left, seen.frame.left + 1);
        }
    }
    EXPECT_GT(observer.samples.back().bar_width, 0);

    EXPECT_TRUE(boxes.boxes().empty());
    expect_companion_registration({dest("QVPAGE.DLL"), dest("QVMAIN.EXE"), "Roller Kit Mouse", dest("UNINSTAL.EXE")});
}

TEST_F(InstallPageTest, CancelClickedDuringAFileStopsAfterItAndStillRegisters)
{
    // The click is posted as the chosen file is announced; the page's pumps
    // carry the press and the release to the button, and that file is still finished.
    const struct {
        const char* clicked_at;
        const char* percent;
        std::vector<std::string> copied, not_copied;
    } cases[] = {
        {"Copying HELP.HL_", "1013:20%", {"HELP\\MOUSE.HLP"}, {"INF\\MOUSE.INF", "QVMOUSE.INI"}},
        {"Copying GONE.EXE", "1013:100%", {"HELP\\MOUSE.HLP", "INF\\MOUSE.INF", "QVMOUSE.INI"}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clicked_at);
        registry_.clean();
        medium_.reset();
        windows_.reset();
        windows_ = std::make_unique<WindowsDirSandbox>();
        load_medium(MEDIUM_SCRIPT);
        MessageBoxWatcher boxes;
        PageObserver observer;
        std::string clicked_status;
        observer.on_status = [&](HWND page, const std::string& status) {
            if (status.rfind(c.clicked_at, 0) != 0) return;
            clicked_status = "1019:" + status;
            click(page, IDC_INSTALL_CANCEL);
        };
        bool registered_before_box = false;
        observer.on_box = [&] {
            registered_before_box = read_registry_value(HKEY_LOCAL_MACHINE, RUN_KEY_PATH, "RollPoint").has_value();
        };

        EXPECT_EQ(run_page("SETUP_INSTALL", install_page_proc, IDD_INSTALL), PAGE_CANCEL);

        EXPECT_EQ(read_file(dest("Sub One\\QVPAGE.DLL")), expanded("MOUSE.DL_"));
        EXPECT_EQ(read_file(windows("SYSTEM\\DRIVER.SYS")), expanded("DRIVER.SY_"));
        for (const std::string& name : c.copied)
            EXPECT_TRUE(file_exists(dest(name)) || file_exists(windows(name))) << name;
        for (const std::string& name : c.not_copied)
            EXPECT_FALSE(file_exists(dest(name)) || file_exists(windows(name))) << name;

        const std::vector<std::string> tail = {clicked_status, c.percent, "1019:Updating Registry...", "box"};
        ASSERT_GE(observer.texts.size(), tail.size());
        EXPECT_EQ(std::vector<std::string>(observer.texts.end() - tail.size(), observer.texts.end()), tail);
        EXPECT_TRUE(registered_before_box);

        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.boxes()[0].text, "Roller Kit installation is not completed !");
        EXPECT_EQ(boxes.boxes()[0].caption, "Roller Kit Setup Program");
        EXPECT_EQ(boxes.boxes()[0].icon, static_cast<UINT>(MB_ICONEXCLAMATION));
        EXPECT_EQ(boxes.boxes()[0].buttons, std::vector<int>{IDOK});

        release_file_table();
        remove_tree(dest_);
    }
}

TEST_F(InstallPageTest, NoDisksDrawsNoBoxAndStillRegisters)
{
    load_medium("[Main]\r\nProductName=Roller Kit\r\n");
    PageObserver observer;

    EXPECT_EQ(run_page("SETUP_INSTALL", install_page_proc, IDD_INSTALL), PAGE_NEXT);

    EXPECT_EQ(observer.texts, std::vector<std::string>{"1019:Updating Registry..."});
    ASSERT_EQ(observer.samples.size(), 1u);
    EXPECT_EQ(observer.samples[0].percent, "0%");
    EXPECT_EQ(observer.samples[0].outline, GetSysColor(COLOR_MENU));
    EXPECT_EQ(observer.samples[0].bar_width, 0);
    EXPECT_TRUE(read_registry_value(HKEY_LOCAL_MACHINE, RUN_KEY_PATH, "RollPoint"));
}

}  // namespace
