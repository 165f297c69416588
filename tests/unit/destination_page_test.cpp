#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pages/destination_page.h"
#include "resources/resource_ids.h"
#include "setup/page_framework.h"
#include "support/seam.h"
#include "support/setup_fixture.h"
#include "support/test_files.h"
#include "support/ui_script.h"

namespace {

const std::string DIR_EXISTS =
    "The specified directory already exists !\nDo you still want to install into this directory ?";
const std::string CANNOT_CREATE =
    "Can not create directory !\nThe specified directory is either invalid or disk drive is write protected.";
const std::string NO_FREE_SPACE = "There is no enough free space in the specified disk drive !";
const std::string CAPTION = "Roller Kit Setup Program";

// What the free-space double reports for every drive.
struct FakeDisk {
    bool succeeds = true;
    DWORD sectors_per_cluster = 8;
    DWORD bytes_per_sector = 512;
    DWORD free_clusters = 0x100000;  // 4 GB
};

FakeDisk fake_disk;
std::vector<std::string> roots_asked;

BOOL WINAPI fake_free_space(LPCSTR root, LPDWORD sectors_per_cluster, LPDWORD bytes_per_sector, LPDWORD free_clusters,
                            LPDWORD total_clusters)
{
    roots_asked.push_back(root);
    // A failure leaves numbers that would pass any test if they were read.
    *sectors_per_cluster = fake_disk.succeeds ? fake_disk.sectors_per_cluster : 0xFFFF;
    *bytes_per_sector = fake_disk.succeeds ? fake_disk.bytes_per_sector : 0xFFFF;
    *free_clusters = fake_disk.succeeds ? fake_disk.free_clusters : 0xFFFFFFFF;
    *total_clusters = *free_clusters;
    return fake_disk.succeeds ? TRUE : FALSE;
}

struct ExpectedBox {
    const std::string& text;
    UINT icon;
};

// How one press of Next ended.
struct NextOutcome {
    short result = -1;
    bool page_stayed = false;
    short result_while_open = -1;
    std::string path_shown_after;
    std::vector<Box> boxes;
};

class DestinationPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_page_state();
        copy_text(state.dest_dir, "C:\\Program Files\\Roller Kit");
        state.min_space_kb = 1024;
        fake_disk = FakeDisk{};
        roots_asked.clear();
        base_ = make_temp_dir("dest");
        ASSERT_FALSE(base_.empty());
    }

    void TearDown() override { remove_tree(base_); }

    // Types the text into the path and presses Next; a page that stays is
    // left with Back once its message boxes are answered.
    static NextOutcome press_next(const std::string& text, std::vector<int> answers = {})
    {
        NextOutcome outcome;
        MessageBoxWatcher boxes(std::move(answers));
        TimerScript script({on_page("SETUP_SELDIR",
                                    [&](HWND page) {
                                        set_text(page, IDC_PATH, text);
                                        click(page, IDC_NEXT);
                                    }),
                            [&] {
                                HWND page = find_thread_window("SETUP_SELDIR");
                                if (page == nullptr || !IsWindowEnabled(page)) return false;
                                outcome.page_stayed = true;
                                outcome.result_while_open = state.page_result;
                                outcome.path_shown_after = control_text(page, IDC_PATH);
                                click(page, IDC_BACK);
                                return true;
                            }});
        outcome.result = run_page("SETUP_SELDIR", destination_page_proc, IDD_DESTINATION);
        outcome.boxes = boxes.boxes();
        return outcome;
    }

    std::string base_;
    ScopedSeam<DiskSpaceCalls> fake_disk_seam_{disk_space_calls, {fake_free_space}};
};

TEST_F(DestinationPageTest, OpensWithHeadingAndPathAndBackKeepsTheDestination)
{
    std::string heading;
    std::string path;
    TimerScript script({on_page("SETUP_SELDIR", [&](HWND page) {
        heading = control_text(page, IDC_HEADING);
        path = control_text(page, IDC_PATH);
        set_text(page, IDC_PATH, "typed but not taken");
        click(page, IDC_BACK);
    })});
    EXPECT_EQ(run_page("SETUP_SELDIR", destination_page_proc, IDD_DESTINATION), PAGE_BACK);
    EXPECT_EQ(heading, "Roller Kit files are to be installed :");
    EXPECT_EQ(path, "C:\\Program Files\\Roller Kit");
    EXPECT_STREQ(state.dest_dir, "C:\\Program Files\\Roller Kit");
    EXPECT_TRUE(roots_asked.empty());
}

TEST_F(DestinationPageTest, NextChecksAndCreatesTheDestination)
{
    write_file(base_ + "\\a file", "not a directory");
    std::string lower_case = base_ + "\\lower";
    lower_case[0] = static_cast<char>(tolower(lower_case[0]));
    const std::string drive_root = base_.substr(0, 3);
    ASSERT_LT(base_.size(), 70u);
    const std::string long_name = base_ + "\\" + std::string(100 - base_.size(), 'x');
    const std::string cut_name = long_name.substr(0, 79);

    const FakeDisk one_megabyte{true, 8, 512, 256};
    const FakeDisk one_cluster_short{true, 8, 512, 255};
    const FakeDisk four_gigabytes{true, 8, 512, 0x100000};  // wraps to 0 in 32 bits
    const FakeDisk failing{false};
    const ExpectedBox exists{DIR_EXISTS, MB_ICONQUESTION};
    const ExpectedBox cannot_create{CANNOT_CREATE, MB_ICONEXCLAMATION};
    const ExpectedBox no_space{NO_FREE_SPACE, MB_ICONEXCLAMATION};

    const struct {
        const char* name;
        std::string text;
        short min_space_kb;
        FakeDisk disk;
        std::vector<int> answers;
        std::vector<ExpectedBox> boxes;
        bool closes;
        std::string root_asked;  // empty: free space not read
        std::string created;     // empty: nothing to look for
        std::string dest_dir;
    } cases[] = {
        {"new directory", base_ + "\\new", 1024, four_gigabytes, {}, {}, true, "C:\\", base_ + "\\new", base_ + "\\new"},
        {"lower-case drive letter", lower_case, 1024, four_gigabytes, {}, {}, true, "C:\\", lower_case, lower_case},
        {"drive root, OK", drive_root, 1024, four_gigabytes, {IDOK}, {exists}, true, "C:\\", "", drive_root},
        {"existing, Cancel", base_, 1024, four_gigabytes, {IDCANCEL}, {exists}, false, "", "", base_},
        {"existing, OK, too little space", base_, 1024, one_cluster_short, {IDOK}, {exists, no_space}, false, "C:\\",
         "", base_},
        {"existing, OK, enough space", base_, 1024, one_megabyte, {IDOK}, {exists}, true, "C:\\", "", base_},
        {"free space exactly equal", base_ + "\\equal", 1024, one_megabyte, {}, {}, true, "C:\\", base_ + "\\equal",
         base_ + "\\equal"},
        {"one cluster short", base_ + "\\short", 1024, one_cluster_short, {}, {no_space}, false, "C:\\", "",
         base_ + "\\short"},
        {"more than 4 GB free", base_ + "\\big", 32767, four_gigabytes, {}, {}, true, "C:\\", base_ + "\\big",
         base_ + "\\big"},
        {"no minimum, free space unreadable", base_ + "\\nomin", 0, failing, {}, {}, true, "C:\\", base_ + "\\nomin",
         base_ + "\\nomin"},
        {"free space unreadable", base_ + "\\nodisk", 1024, failing, {}, {no_space}, false, "C:\\", "",
         base_ + "\\nodisk"},
        {"negative minimum", base_ + "\\negative", -1, four_gigabytes, {}, {no_space}, false, "C:\\", "",
         base_ + "\\negative"},
        {"parent missing", base_ + "\\missing\\new", 1024, four_gigabytes, {}, {cannot_create}, false, "C:\\", "",
         base_ + "\\missing\\new"},
        {"a file at the path", base_ + "\\a file", 1024, four_gigabytes, {}, {cannot_create}, false, "C:\\", "",
         base_ + "\\a file"},
        {"UNC path", "\\\\server\\share\\dir", 1024, four_gigabytes, {}, {cannot_create}, false, "", "",
         "\\\\server\\share\\dir"},
        {"relative path", "dir\\sub", 1024, four_gigabytes, {}, {cannot_create}, false, "", "", "dir\\sub"},
        {"drive without backslash", "C:dir", 1024, four_gigabytes, {}, {cannot_create}, false, "", "", "C:dir"},
        {"too short", "C:", 1024, four_gigabytes, {}, {cannot_create}, false, "", "", "C:"},
        {"empty", "", 1024, four_gigabytes, {}, {cannot_create}, false, "", "", ""},
        {"longer than 79 characters", long_name, 1024, four_gigabytes, {}, {}, true, "C:\\", cut_name, cut_name},
    };

    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        state.min_space_kb = c.min_space_kb;
        fake_disk = c.disk;
        roots_asked.clear();
        const bool existed_before = directory_exists_at(c.text);

        const NextOutcome outcome = press_next(c.text, c.answers);

        ASSERT_EQ(outcome.boxes.size(), c.boxes.size());
        for (size_t i = 0; i < c.boxes.size(); ++i) {
            EXPECT_EQ(outcome.boxes[i].text, c.boxes[i].text);
            EXPECT_EQ(outcome.boxes[i].caption, CAPTION);
            EXPECT_EQ(outcome.boxes[i].icon, c.boxes[i].icon);
            const std::vector<int> buttons = c.boxes[i].icon == MB_ICONQUESTION ? std::vector<int>{IDOK, IDCANCEL}
                                                                                 : std::vector<int>{IDOK};
            EXPECT_EQ(outcome.boxes[i].buttons, buttons);
        }
        if (c.closes) {
            EXPECT_EQ(outcome.result, PAGE_NEXT);
            EXPECT_FALSE(outcome.page_stayed);
        } else {
            EXPECT_TRUE(outcome.page_stayed);
            EXPECT_EQ(outcome.result_while_open, PAGE_NEXT);
            EXPECT_EQ(outcome.path_shown_after, c.text);
            if (!existed_before) {
                EXPECT_FALSE(directory_exists_at(c.text));
            }
        }
        EXPECT_EQ(roots_asked, c.root_asked.empty() ? std::vector<std::string>{}
                                                    : std::vector<std::string>{c.root_asked});
        if (!c.created.empty()) {
            EXPECT_TRUE(directory_exists_at(c.created));
        }
        EXPECT_EQ(state.dest_dir, c.dest_dir);
    }
}

}  // namespace
