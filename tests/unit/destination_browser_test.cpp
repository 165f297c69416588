#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pages/common_dialog_api.h"
#include "pages/destination_page.h"
#include "resources/resource_ids.h"
#include "setup/page_framework.h"
#include "support/setup_fixture.h"
#include "support/test_files.h"
#include "support/ui_script.h"

#include <dlgs.h>  // after windows.h, which it needs

namespace {

constexpr int DIRECTORY_LIST = lst2;
constexpr int DRIVE_LIST = cmb2;
constexpr int DRIVE_LABEL = stc4;
const std::string START_PATH = "C:\\Program Files\\Roller Kit";

BOOL CALLBACK match_browser(HWND window, LPARAM param)
{
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32770") == 0 && IsWindowVisible(window) && GetDlgItem(window, DIRECTORY_LIST) != nullptr) {
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
    }
    return TRUE;
}

// The browser once its hook has filled the path field.
HWND find_browser()
{
    HWND browser = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), match_browser, reinterpret_cast<LPARAM>(&browser));
    if (browser == nullptr || GetFocus() != GetDlgItem(browser, IDC_PATH)) return nullptr;
    return browser;
}

std::string current_directory()
{
    char path[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, path);
    return path;
}

// A double click on an entry of the directory list, as the dialog sees it.
bool open_directory_entry(HWND browser, const char* entry)
{
    HWND list = GetDlgItem(browser, DIRECTORY_LIST);
    const LRESULT index = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry));
    if (index == LB_ERR) return false;
    SendMessageA(list, LB_SETCURSEL, index, 0);
    PostMessageA(browser, WM_COMMAND, MAKEWPARAM(DIRECTORY_LIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
    return true;
}

bool choose_drive(HWND browser, const char* entry)
{
    HWND drives = GetDlgItem(browser, DRIVE_LIST);
    const LRESULT index = SendMessageA(drives, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry));
    if (index == CB_ERR) return false;
    SendMessageA(drives, CB_SETCURSEL, index, 0);
    PostMessageA(browser, WM_COMMAND, MAKEWPARAM(DRIVE_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(drives));
    return true;
}

// The page is back in front once the browser has gone.
HWND find_page()
{
    HWND page = find_thread_window("SETUP_SELDIR");
    return page != nullptr && IsWindowEnabled(page) ? page : nullptr;
}

class DestinationBrowserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_page_state();
        copy_text(state.dest_dir, START_PATH.c_str());
        state.min_space_kb = 1024;
        saved_directory_ = current_directory();
    }

    void TearDown() override { SetCurrentDirectoryA(saved_directory_.c_str()); }

    static short run_destination_page()
    {
        return run_page("SETUP_SELDIR", destination_page_proc, IDD_DESTINATION);
    }

    // Steps that open the browser from the page.
    static TimerScript::Step click_browse()
    {
        return [] {
            HWND page = find_page();
            if (page == nullptr) return false;
            click(page, IDC_BROWSE);
            return true;
        };
    }

    std::string saved_directory_;
};

TEST_F(DestinationBrowserTest, OpensOnItsTemplateFollowsTheNavigationAndCancelKeepsTheDestination)
{
    const std::string base = make_temp_dir("browse");
    const std::string too_long = base + "\\" + std::string(80, 'z');
    ASSERT_TRUE(CreateDirectoryA(too_long.c_str(), nullptr));

    std::string field;
    DWORD selection = 0;
    std::string drive_label;
    bool path_field_is_edit = false;
    RECT client{};
    RECT template_size{0, 0, 169, 170};
    std::string navigated_to;
    std::string field_after_navigation;
    std::string drive_changed_to;
    std::string field_after_drive;
    std::string field_after_long_directory;
    std::string page_path_after;

    MessageBoxWatcher boxes;
    TimerScript script({click_browse(),
                        [&] {
                            HWND browser = find_browser();
                            if (browser == nullptr) return false;
                            field = control_text(browser, IDC_PATH);
                            selection = static_cast<DWORD>(SendDlgItemMessageA(browser, IDC_PATH, EM_GETSEL, 0, 0));
                            drive_label = control_text(browser, DRIVE_LABEL);
                            char kind[16] = {};
                            GetClassNameA(GetDlgItem(browser, IDC_PATH), kind, sizeof kind);
                            path_field_is_edit = lstrcmpiA(kind, "Edit") == 0;
                            GetClientRect(browser, &client);
                            MapDialogRect(browser, &template_size);
                            return open_directory_entry(browser, "[windows]");
                        },
                        [&] {
                            HWND browser = find_browser();
                            if (browser == nullptr || control_text(browser, IDC_PATH) == START_PATH) return false;
                            navigated_to = current_directory();
                            field_after_navigation = control_text(browser, IDC_PATH);
                            return choose_drive(browser, "[-z-]");
                        },
                        [&] {
                            HWND browser = find_browser();
                            if (browser == nullptr || control_text(browser, IDC_PATH) == navigated_to) return false;
                            drive_changed_to = current_directory();
                            field_after_drive = control_text(browser, IDC_PATH);
                            // A current directory that the field cannot hold leaves it as it was.
                            SetCurrentDirectoryA(too_long.c_str());
                            HWND list = GetDlgItem(browser, DIRECTORY_LIST);
                            PostMessageA(browser, WM_COMMAND, MAKEWPARAM(DIRECTORY_LIST, LBN_SELCHANGE),
                                         reinterpret_cast<LPARAM>(list));
                            return true;
                        },
                        [&] {
                            HWND browser = find_browser();
                            if (browser == nullptr) return false;
                            field_after_long_directory = control_text(browser, IDC_PATH);
                            click(browser, IDCANCEL);
                            return true;
                        },
                        [&] {
                            HWND page = find_page();
                            if (page == nullptr) return false;
                            page_path_after = control_text(page, IDC_PATH);
                            click(page, IDC_BACK);
                            return true;
                        }});
    EXPECT_EQ(run_destination_page(), PAGE_BACK);
    SetCurrentDirectoryA(saved_directory_.c_str());
    remove_tree(base);
    ASSERT_TRUE(script.finished());

    EXPECT_EQ(field, START_PATH);
    EXPECT_EQ(LOWORD(selection), 0);
    EXPECT_EQ(HIWORD(selection), START_PATH.size());
    EXPECT_EQ(drive_label, "Dri&ves:");
    EXPECT_TRUE(path_field_is_edit);
    EXPECT_EQ(client.right, template_size.right);
    EXPECT_EQ(client.bottom, template_size.bottom);

    EXPECT_EQ(lstrcmpiA(navigated_to.c_str(), "C:\\windows"), 0) << navigated_to;
    EXPECT_EQ(field_after_navigation, navigated_to);
    EXPECT_EQ(toupper(drive_changed_to[0]), 'Z') << drive_changed_to;
    EXPECT_EQ(field_after_drive, drive_changed_to);
    EXPECT_EQ(field_after_long_directory, drive_changed_to);
    EXPECT_EQ(state.browse_path, drive_changed_to);

    EXPECT_EQ(state.dest_dir, START_PATH);
    EXPECT_EQ(page_path_after, START_PATH);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(DestinationBrowserTest, OkTakesTheDirectoryNavigatedTo)
{
    std::string after_first;
    std::string after_second;
    std::string page_path_after;
    TimerScript script({click_browse(),
                        [&] {
                            HWND browser = find_browser();
                            return browser != nullptr && open_directory_entry(browser, "[windows]");
                        },
                        [&] {
                            HWND browser = find_browser();
                            if (browser == nullptr || control_text(browser, IDC_PATH) == START_PATH) return false;
                            after_first = control_text(browser, IDC_PATH);
                            return open_directory_entry(browser, "[system32]");
                        },
                        [&] {
                            HWND browser = find_browser();
                            if (browser == nullptr || control_text(browser, IDC_PATH) == after_first) return false;
                            after_second = control_text(browser, IDC_PATH);
                            click(browser, IDOK);
                            return true;
                        },
                        [&] {
                            HWND page = find_page();
                            if (page == nullptr) return false;
                            page_path_after = control_text(page, IDC_PATH);
                            click(page, IDC_BACK);
                            return true;
                        }});
    EXPECT_EQ(run_destination_page(), PAGE_BACK);
    ASSERT_TRUE(script.finished());

    EXPECT_EQ(lstrcmpiA(after_first.c_str(), "C:\\windows"), 0) << after_first;
    EXPECT_EQ(lstrcmpiA(after_second.c_str(), "C:\\windows\\system32"), 0) << after_second;
    EXPECT_EQ(state.dest_dir, after_second);
    EXPECT_EQ(page_path_after, after_second);
}

TEST_F(DestinationBrowserTest, OkTakesTheEditedTextUncheckedAndCutTo79)
{
    const std::string long_text = "D:\\" + std::string(97, 'y');
    // The browser is opened three times from the same page; each round types
    // a text, presses OK and reads what the page shows.
    const std::vector<std::string> typed = {"Q:\\not\\checked", long_text, ""};
    std::vector<std::string> taken;
    std::vector<std::string> shown;
    std::vector<TimerScript::Step> steps;
    for (const std::string& text : typed) {
        steps.push_back(click_browse());
        steps.push_back([&text] {
            HWND browser = find_browser();
            if (browser == nullptr) return false;
            set_text(browser, IDC_PATH, text);
            click(browser, IDOK);
            return true;
        });
        steps.push_back([&] {
            HWND page = find_page();
            if (page == nullptr) return false;
            taken.push_back(state.dest_dir);
            shown.push_back(control_text(page, IDC_PATH));
            return true;
        });
    }
    // The empty destination is refused by Next.
    steps.push_back([] {
        HWND page = find_page();
        if (page == nullptr) return false;
        click(page, IDC_NEXT);
        return true;
    });
    steps.push_back([] {
        HWND page = find_page();
        if (page == nullptr) return false;
        click(page, IDC_BACK);
        return true;
    });

    MessageBoxWatcher boxes;
    TimerScript script(steps);
    EXPECT_EQ(run_destination_page(), PAGE_BACK);
    ASSERT_TRUE(script.finished());

    const std::vector<std::string> expected = {"Q:\\not\\checked", long_text.substr(0, 79), ""};
    EXPECT_EQ(taken, expected);
    EXPECT_EQ(shown, expected);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text,
              "Can not create directory !\nThe specified directory is either invalid or disk drive is write protected.");
    EXPECT_EQ(boxes.boxes()[0].caption, "Roller Kit Setup Program");
    EXPECT_EQ(boxes.boxes()[0].icon, static_cast<UINT>(MB_ICONEXCLAMATION));
}

// The browser loads the common dialogs when it first opens. A library that
// is missing, or lacks the entry point, leaves an empty table.
TEST(CommonDialogLoading, NeedsTheLibraryWithItsEntryPoint)
{
    CommonDialogApi api = {};
    EXPECT_EQ(load_common_dialog_api(api, "qxznone.dll"), 0);
    EXPECT_EQ(load_common_dialog_api(api, "lz32.dll"), 0);  // a library without it
    EXPECT_EQ(api.get_open_file_name, nullptr);
    EXPECT_EQ(load_common_dialog_api(api, "comdlg32.dll"), 1);
    EXPECT_EQ(api.get_open_file_name, reinterpret_cast<decltype(api.get_open_file_name)>(
                                          GetProcAddress(GetModuleHandleA("comdlg32.dll"), "GetOpenFileNameA")));
}

}  // namespace
