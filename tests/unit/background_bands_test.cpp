#include <gtest/gtest.h>

#include <cmath>

#include "background/background_window.h"
#include "background/draw_bitmap.h"

namespace {

TEST(BackgroundBandsTest, BandsCoverEveryRowForEveryScreenHeight)
{
    for (int height = 1; height <= 32767; ++height) {
        const float factor = band_height_factor(static_cast<short>(height));
        const int shortest = static_cast<int>(std::floor(factor));
        int row = 0;
        bool sound = true;
        for (int band = 0; band < BAND_COUNT && sound; ++band) {
            const BandRows rows = band_rows(factor, band);
            const int rows_tall = rows.bottom - rows.top;
            sound = rows.top == row && (rows_tall == shortest || rows_tall == shortest + 1);
            row = rows.bottom;
        }
        if (!sound || row != height) {
            ADD_FAILURE() << "height " << height << ": bands end at row " << row;
            return;
        }
    }
}

TEST(BackgroundBandsTest, ScreenOf768RowsHasBandsOfThreeOrFourRows)
{
    const float factor = band_height_factor(768);
    EXPECT_NEAR(factor, 3.011765, 5e-7);
    int taller = 0;
    for (int band = 0; band < BAND_COUNT; ++band) {
        const BandRows rows = band_rows(factor, band);
        ASSERT_GE(rows.bottom - rows.top, 3) << band;
        ASSERT_LE(rows.bottom - rows.top, 4) << band;
        taller += rows.bottom - rows.top == 4;
    }
    EXPECT_EQ(taller, 768 - 3 * BAND_COUNT);
    EXPECT_EQ(band_rows(factor, BAND_COUNT - 1).bottom, 768);
}

TEST(BackgroundBandsTest, LowScreenHasEmptyAndSingleRowBands)
{
    const float factor = band_height_factor(100);
    int empty = 0;
    for (int band = 0; band < BAND_COUNT; ++band) {
        const BandRows rows = band_rows(factor, band);
        empty += rows.bottom == rows.top;
    }
    EXPECT_EQ(empty, BAND_COUNT - 100);
}

TEST(BackgroundBandsTest, GradientRunsFromBlue255ToBlue1)
{
    EXPECT_EQ(band_colour(0), RGB(0, 0, 255));
    EXPECT_EQ(band_colour(BAND_COUNT - 1), RGB(0, 0, 1));
}

TEST(BackgroundBandsTest, DissolveDrawsEveryCellOfTheEightByEightGridOnce)
{
    bool seen[DISSOLVE_PASSES] = {};
    for (const auto& row : dissolve_order) {
        for (auto pass : row) {
            ASSERT_LT(pass, DISSOLVE_PASSES);
            EXPECT_FALSE(seen[pass]) << int(pass);
            seen[pass] = true;
        }
    }
}

}  // namespace
