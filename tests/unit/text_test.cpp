#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "setup/text.h"
#include "support/setup_fixture.h"

namespace {

class TextTest : public ::testing::Test {
protected:
    void SetUp() override { reset_setup_state(); }
};

TEST_F(TextTest, RotatesThroughFourBuffersStartingWithTheFirst)
{
    const char* first = load_text(IDS_MAIN);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, state.text_ring[0]);
    EXPECT_STREQ(first, "Main");

    EXPECT_EQ(load_text(IDS_TITLE), state.text_ring[1]);
    EXPECT_EQ(load_text(IDS_STARTUP), state.text_ring[2]);
    EXPECT_EQ(load_text(IDS_PM_INFO), state.text_ring[3]);

    // The fifth call takes the first buffer again: the first result now reads
    // as the fifth text.
    EXPECT_EQ(load_text(IDS_COPYING), state.text_ring[0]);
    EXPECT_STREQ(first, "Copying ");
}

TEST_F(TextTest, UnknownIdGivesNullAndStillAdvances)
{
    EXPECT_EQ(load_text(IDS_MAIN), state.text_ring[0]);
    EXPECT_EQ(load_text(21), nullptr);
    EXPECT_EQ(state.text_ring_index, 1);
    EXPECT_EQ(load_text(IDS_TITLE), state.text_ring[2]);
}

TEST_F(TextTest, IdIsCutToSixteenBits)
{
    EXPECT_STREQ(load_text(0x10000 + IDS_MAIN), "Main");
}

TEST_F(TextTest, TwoTextsForOneCallAreBothIntact)
{
    const char* section = load_text(IDS_DIRECTORY_NAME);
    const char* key = load_text(IDS_ROOT_DIR + 8);
    EXPECT_STREQ(section, "DirectoryName");
    EXPECT_STREQ(key, "WinSystemDir");
}

struct StringCase {
    unsigned id;
    const char* text;
};

TEST_F(TextTest, StringTableHoldsEveryTextExactly)
{
    const StringCase table[] = {
        {1, "DiskLabel"},
        {2, "DirectoryName"},
        {3, "FileCounts"},
        {4, "Disk1"},
        {9, "Disk6"},
        {10, "RootDir"},
        {11, "SubDir1"},
        {16, "SubDir6"},
        {17, "WinDir"},
        {18, "WinSystemDir"},
        {19, "WinInfDir"},
        {20, "SETUP.INF Reading error !"},
        {22, "Main"},
        {23, "DefaultPath"},
        {25, "MinimumSpace"},
        {26, "GroupName"},
        {27, "GroupTitle"},
        {28, " installation is not completed !"},
        {29, "Setup Program"},
        {30, "ProductName"},
        {32, "The specified directory already exists !\nDo you still want to install into this directory ?"},
        {33, "Can not create directory !\nThe specified directory is either invalid or disk drive is write protected."},
        {34, "There is no enough free space in the specified disk drive !"},
        {36, "Copying "},
        {40, "PM Info"},
        {41, "Startup"},
        {42, "FileName"},
        {43, "Title"},
        {44, "This Wheel Mouse Driver is for Windows NT 4.0 only !"},
    };
    for (const auto& c : table) {
        const char* text = load_text(c.id);
        ASSERT_NE(text, nullptr) << c.id;
        EXPECT_STREQ(text, c.text) << c.id;
    }
    for (unsigned unused : {0u, 21u, 24u, 31u, 35u, 37u, 45u}) EXPECT_EQ(load_text(unused), nullptr) << unused;
}

TEST(SetupStateTest, StartsWithTheInitialValues)
{
    const SetupState fresh{};
    EXPECT_EQ(fresh.setup_typical, 1);
    for (int c : fresh.components) EXPECT_EQ(c, 1);
    EXPECT_EQ(fresh.restart_now, 1);
    EXPECT_EQ(fresh.oem, 0);
    EXPECT_EQ(fresh.first_paint, 1);
    EXPECT_EQ(fresh.text_ring_index, 4);
    EXPECT_EQ(fresh.page_result, PAGE_CANCEL);
    EXPECT_EQ(fresh.lz_source, 0);
    EXPECT_EQ(fresh.dest_dir[0], '\0');
    static_assert(sizeof(fresh.dest_dir) == 80 && sizeof(fresh.product_name) == 32 && sizeof(fresh.dir_names) == 800);
    static_assert(sizeof(fresh.min_space_kb) == 2 && sizeof(fresh.page_result) == 2 && sizeof(fresh.screen_cx) == 2);
    static_assert(sizeof(fresh.text_ring) == 4 * 128 && WM_SETUP_INIT == 1124);
}

}  // namespace
