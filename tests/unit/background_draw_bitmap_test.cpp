#include <gtest/gtest.h>

#include <vector>

#include "background/draw_bitmap.h"
#include "resources/resource_ids.h"
#include "support/background_gdi_count.h"
#include "support/background_pixels.h"
#include "support/setup_fixture.h"

namespace {

constexpr COLORREF GROUND = RGB(0, 0, 77);

struct PixelWrite {
    int x;
    int y;
    COLORREF colour;
    bool operator==(const PixelWrite&) const = default;
};

int CALLBACK collect_pixel_write(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM param)
{
    if (record->iType == EMR_SETPIXELV) {
        const auto* write = reinterpret_cast<const EMRSETPIXELV*>(record);
        reinterpret_cast<std::vector<PixelWrite>*>(param)->push_back(
            {write->ptlPixel.x, write->ptlPixel.y, write->crColor});
    }
    return 1;
}

// The SetPixel calls of draw_bitmap, in their order, recorded by a metafile.
std::vector<PixelWrite> record_pixel_writes(WORD bitmap_id, const RECT& origin, int dissolve)
{
    HDC screen = GetDC(nullptr);
    HDC recorder = CreateEnhMetaFileA(screen, nullptr, nullptr, nullptr);
    ReleaseDC(nullptr, screen);
    draw_bitmap(recorder, bitmap_id, origin, dissolve);
    HENHMETAFILE recording = CloseEnhMetaFile(recorder);
    std::vector<PixelWrite> writes;
    EnumEnhMetaFile(nullptr, recording, collect_pixel_write, &writes, nullptr);
    DeleteEnhMetaFile(recording);
    return writes;
}

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

// Every visible pixel is written once: directly row by row, or in the pass
// that its cell of the 8 x 8 pattern gives and, within a pass, row by row.
TEST_F(DrawBitmapTest, PixelsAreWrittenInScanOrderOrPassByPass)
{
    const POINT at{3, 2};
    for (WORD id : {IDB_TOP_LOGO, IDB_BOTTOM_LOGO}) {
        const PixelGrid picture = load_bitmap_pixels(state.instance, id);
        ASSERT_GT(picture.width, 0);
        for (int dissolve : {0, 1}) {
            SCOPED_TRACE(testing::Message() << "bitmap " << id << " dissolve " << dissolve);
            std::vector<PixelWrite> expected;
            for (int pass = 0; pass < (dissolve ? DISSOLVE_PASSES : 1); ++pass) {
                for (int y = 0; y < picture.height; ++y) {
                    for (int x = 0; x < picture.width; ++x) {
                        if (dissolve && dissolve_order[y % 8][x % 8] != pass) continue;
                        if (picture.at(x, y) != TRANSPARENT_COLOUR) expected.push_back({at.x + x, at.y + y, picture.at(x, y)});
                    }
                }
            }
            const std::vector<PixelWrite> written = record_pixel_writes(id, RECT{at.x, at.y, 0, 0}, dissolve);
            ASSERT_EQ(written.size(), expected.size());
            EXPECT_TRUE(written == expected);
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
