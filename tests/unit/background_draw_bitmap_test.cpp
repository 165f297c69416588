#include <gtest/gtest.h>

#include "background/draw_bitmap.h"
#include "resources/resource_ids.h"
#include "support/background_gdi_count.h"
#include "support/background_pixels.h"
#include "support/setup_fixture.h"

namespace {

constexpr COLORREF GROUND = RGB(0, 0, 77);

class DrawBitmapTest : public ::testing::Test {
protected:
    void SetUp() override { reset_setup_state(); }
};

TEST_F(DrawBitmapTest, LogosAreDrawnWholeWithMagentaLeftOutInBothModes)
{
    const struct {
        WORD id;
        int width;
        int height;
    } logos[] = {{IDB_TOP_LOGO, 400, 50}, {IDB_BOTTOM_LOGO, 490, 43}};
    for (const auto& logo : logos) {
        const PixelGrid picture = load_bitmap_pixels(state.instance, logo.id);
        ASSERT_EQ(picture.width, logo.width);
        ASSERT_EQ(picture.height, logo.height);
        int transparent = 0;
        for (COLORREF c : picture.pixels) transparent += c == TRANSPARENT_COLOUR;
        ASSERT_GT(transparent, 0) << logo.id;
        ASSERT_LT(transparent, logo.width * logo.height) << logo.id;

        for (int dissolve : {0, 1}) {
            SCOPED_TRACE(testing::Message() << "bitmap " << logo.id << " dissolve " << dissolve);
            PixelCanvas canvas(logo.width + 30, logo.height + 20, GROUND);
            // Only left and top place the picture; right and bottom are ignored.
            const RECT origin{7, 5, 8, 6};
            draw_bitmap(canvas.dc(), logo.id, origin, dissolve);
            const PixelGrid drawn = canvas.pixels();
            int wrong = 0;
            for (int y = 0; y < drawn.height; ++y) {
                for (int x = 0; x < drawn.width; ++x) {
                    const int px = x - origin.left;
                    const int py = y - origin.top;
                    const bool inside = px >= 0 && py >= 0 && px < logo.width && py < logo.height;
                    COLORREF want = GROUND;
                    if (inside && picture.at(px, py) != TRANSPARENT_COLOUR) want = picture.at(px, py);
                    wrong += drawn.at(x, y) != want;
                }
            }
            EXPECT_EQ(wrong, 0);
        }
    }
}

TEST_F(DrawBitmapTest, MissingBitmapDrawsNothingAndKeepsNothing)
{
    PixelCanvas canvas(40, 40, GROUND);
    const GdiCount before = count_gdi_objects();
    ASSERT_GT(before.total, 0);
    draw_bitmap(canvas.dc(), 999, RECT{0, 0, 40, 40}, 1);
    const GdiCount after = count_gdi_objects();
    EXPECT_EQ(after.total, before.total);
    for (COLORREF c : canvas.pixels().pixels) ASSERT_EQ(c, GROUND);
}

}  // namespace
