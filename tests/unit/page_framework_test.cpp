#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "setup/page_framework.h"
#include "support/setup_fixture.h"
#include "support/ui_script.h"

namespace {

// Reads a name-or-ordinal field of a dialog template: the text, "" when
// there is none or an ordinal; moves past it.
std::string read_name_field(const WORD*& field)
{
    std::string text;
    if (*field == 0xFFFF) {
        field += 2;
        return text;
    }
    for (; *field != 0; ++field) text += static_cast<char>(*field);
    ++field;
    return text;
}

// The window class that the program's dialog template names, "" for none.
std::string template_class(WORD id)
{
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), RT_DIALOG);
    if (found == nullptr) return "<no template>";
    const auto* words = static_cast<const WORD*>(LockResource(LoadResource(nullptr, found)));
    // An extended template (version 1, signature 0xFFFF) has a longer header.
    constexpr size_t EXTENDED_HEADER_WORDS = 13;
    constexpr size_t PLAIN_HEADER_WORDS = 9;
    const bool extended = words[0] == 1 && words[1] == 0xFFFF;
    const WORD* field = words + (extended ? EXTENDED_HEADER_WORDS : PLAIN_HEADER_WORDS);
    read_name_field(field);  // the menu
    return read_name_field(field);
}

BOOL CALLBACK collect_id(HMODULE, LPCSTR, LPSTR name, LONG_PTR ids)
{
    if (IS_INTRESOURCE(name)) reinterpret_cast<std::vector<WORD>*>(ids)->push_back(LOWORD(name));
    return TRUE;
}

// A template whose class is not the one its page is run under makes no page.
TEST(PageTemplates, EveryClassNamedByATemplateIsItsPagesRowOfTheTable)
{
    std::vector<WORD> ids;
    EnumResourceNamesA(nullptr, RT_DIALOG, collect_id, reinterpret_cast<LONG_PTR>(&ids));
    ASSERT_FALSE(ids.empty());
    std::map<WORD, std::string> named;
    for (WORD id : ids) {
        const std::string class_name = template_class(id);
        if (!class_name.empty()) named[id] = class_name;
    }
    std::map<WORD, std::string> table;
    for (const PageTemplate& row : PAGE_TEMPLATES) table[row.template_id] = row.class_name;
    EXPECT_EQ(named, table);
    EXPECT_EQ(template_class(IDD_BROWSE), "") << "the directory browser is no page";
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
        EXPECT_EQ(run_page("SETUP_SELTYPE", default_page_proc, IDD_SETUP_TYPE), PAGE_CANCEL);
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
        EXPECT_EQ(run_page("SETUP_SELTYPE", default_page_proc, IDD_SETUP_TYPE), c.result);
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
    EXPECT_EQ(run_page("SETUP_BEGIN", default_page_proc, IDD_WELCOME), PAGE_CANCEL);
    EXPECT_EQ(title, " Setup");
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, " installation is not completed !");
}

TEST_F(PageFrameworkTest, PageThatCannotBeCreatedEndsAsCancel)
{
    EXPECT_EQ(run_page("SETUP_NONE", default_page_proc, 999), PAGE_CANCEL);
}

}  // namespace
