#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "setup/page_framework.h"
#include "support/setup_fixture.h"
#include "support/ui_script.h"

namespace {

// A page that behaves as the common page procedure does.
LRESULT CALLBACK plain_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_CREATE:
        init_page_window(page, state.screen_cx, state.screen_cy);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_COMMAND:
        switch (wparam) {
        case IDC_NEXT:
            end_page(page, PAGE_NEXT);
            return 0;
        case IDC_BACK:
            end_page(page, PAGE_BACK);
            return 0;
        case IDC_CANCEL:
            cancel_page(page);
            return 0;
        }
        break;
    }
    return DefWindowProcA(page, message, wparam, lparam);
}

class PageFrameworkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_page_state();
    }
};

TEST_F(PageFrameworkTest, EscapeCancelsWithTheCancelMessageAndTheSameRunTwice)
{
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        MessageBoxWatcher boxes;
        std::string title;
        RECT frame{};
        int expected_width = 0;
        int expected_height = 0;
        TimerScript script({[&] {
            HWND page = find_thread_window("SETUP_SELTYPE");
            if (page == nullptr) return false;
            title = window_title(page);
            GetWindowRect(page, &frame);
            // The template's 280 by 183 dialog units, framed, plus one pixel.
            RECT size{0, 0, 280, 183};
            MapDialogRect(page, &size);
            AdjustWindowRectEx(&size, GetWindowLongA(page, GWL_STYLE), FALSE, GetWindowLongA(page, GWL_EXSTYLE));
            expected_width = size.right - size.left + 1;
            expected_height = size.bottom - size.top + 1;
            press_key(page, VK_ESCAPE);
            return true;
        }});
        EXPECT_EQ(run_page("SETUP_SELTYPE", plain_page_proc, IDD_SETUP_TYPE), PAGE_CANCEL);
        EXPECT_EQ(title, "Roller Kit Setup");
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.boxes()[0].text, "Roller Kit installation is not completed !");
        EXPECT_EQ(boxes.boxes()[0].caption, "Roller Kit Setup Program");
        EXPECT_EQ(boxes.boxes()[0].icon, static_cast<UINT>(MB_ICONEXCLAMATION));

        EXPECT_EQ(frame.right - frame.left, expected_width);
        EXPECT_EQ(frame.bottom - frame.top, expected_height);
        EXPECT_EQ(frame.left, (state.screen_cx - expected_width) / 2);
        EXPECT_EQ(frame.top, (state.screen_cy - expected_height) / 2);
    }
}

TEST_F(PageFrameworkTest, ButtonsGiveTheirResults)
{
    const struct {
        int button;
        short result;
    } cases[] = {{IDC_NEXT, PAGE_NEXT}, {IDC_BACK, PAGE_BACK}};
    for (const auto& c : cases) {
        TimerScript script({[&] {
            HWND page = find_thread_window("SETUP_SELTYPE");
            if (page == nullptr) return false;
            click(page, c.button);
            return true;
        }});
        EXPECT_EQ(run_page("SETUP_SELTYPE", plain_page_proc, IDD_SETUP_TYPE), c.result);
    }
}

TEST_F(PageFrameworkTest, EmptyProductNameLeavesTheBlank)
{
    state.product_name[0] = '\0';
    MessageBoxWatcher boxes;
    std::string title;
    TimerScript script({[&] {
        HWND page = find_thread_window("SETUP_BEGIN");
        if (page == nullptr) return false;
        title = window_title(page);
        click(page, IDC_CANCEL);
        return true;
    }});
    EXPECT_EQ(run_page("SETUP_BEGIN", plain_page_proc, IDD_WELCOME), PAGE_CANCEL);
    EXPECT_EQ(title, " Setup");
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, " installation is not completed !");
}

TEST_F(PageFrameworkTest, PageThatCannotBeCreatedEndsAsCancel)
{
    EXPECT_EQ(run_page("SETUP_NONE", plain_page_proc, 999), PAGE_CANCEL);
}

}  // namespace
