#include <gtest/gtest.h>

#include "background/background_window.h"
#include "background/draw_bitmap.h"
#include "resources/resource_ids.h"
#include "support/background_gdi_count.h"
#include "support/background_pixels.h"
#include "support/setup_fixture.h"

namespace {

constexpr POINT TOP_LOGO = {20, 10};
constexpr int BOTTOM_LOGO_RISE = 60;

// Lets Wine hand what was painted on to the X server before it is read back.
void settle()
{
    const DWORD until = GetTickCount() + 150;
    MSG message{};
    while (static_cast<LONG>(until - GetTickCount()) > 0) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        Sleep(10);
    }
}

void repaint(const RECT* area)
{
    InvalidateRect(state.background_window, area, FALSE);
    UpdateWindow(state.background_window);
}

COLORREF gradient_at_row(int y)
{
    const float factor = band_height_factor(state.screen_cy);
    for (int band = 0; band < BAND_COUNT; ++band) {
        const BandRows rows = band_rows(factor, band);
        if (y >= rows.top && y < rows.bottom) return band_colour(band);
    }
    return CLR_INVALID;
}

class BackgroundWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_setup_state();
        screen_size(static_cast<short>(GetSystemMetrics(SM_CXSCREEN)),
                    static_cast<short>(GetSystemMetrics(SM_CYSCREEN)));
    }

    void TearDown() override
    {
        if (state.background_window != nullptr) DestroyWindow(state.background_window);
        UnregisterClassA("SetupMain", state.instance);
    }

    static void screen_size(short cx, short cy)
    {
        state.screen_cx = cx;
        state.screen_cy = cy;
    }

    // The client area as the screen shows it now.
    static PixelGrid client_pixels()
    {
        settle();
        RECT client{};
        GetClientRect(state.background_window, &client);
        MapWindowPoints(state.background_window, nullptr, reinterpret_cast<POINT*>(&client), 2);
        return capture_screen(client);
    }

    // Counts the pixels of the logo area that show neither the logo nor, where
    // the logo is magenta, the gradient behind it.
    static int logo_mismatches(const PixelGrid& shown, WORD bitmap_id, POINT at)
    {
        const PixelGrid picture = load_bitmap_pixels(state.instance, bitmap_id);
        EXPECT_GT(picture.width, 0) << bitmap_id;
        int wrong = 0;
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                const COLORREF own = picture.at(x, y);
                const COLORREF want = own == TRANSPARENT_COLOUR ? gradient_at_row(at.y + y) : own;
                wrong += shown.at(at.x + x, at.y + y) != want;
            }
        }
        return wrong;
    }

    // Counts the pixels of an area that do not show the bare gradient.
    static int gradient_mismatches(const PixelGrid& shown, const RECT& area)
    {
        int wrong = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) wrong += shown.at(x, y) != gradient_at_row(y);
        }
        return wrong;
    }
};

TEST_F(BackgroundWindowTest, CoversTheScreenWithTheGradientAndBothLogosAtTwoSizes)
{
    const SIZE sizes[] = {{state.screen_cx, state.screen_cy}, {800, 600}};
    for (const SIZE& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
        screen_size(static_cast<short>(size.cx), static_cast<short>(size.cy));
        state.first_paint = 1;
        ASSERT_EQ(create_background_window(), 1);
        HWND window = state.background_window;
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(state.first_paint, 0);

        RECT frame{};
        GetWindowRect(window, &frame);
        EXPECT_EQ(frame.left, 0);
        EXPECT_EQ(frame.top, 0);
        EXPECT_EQ(frame.right, size.cx);
        EXPECT_EQ(frame.bottom, size.cy);
        // The platform adds WS_CLIPSIBLINGS to every top-level window.
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & ~WS_CLIPSIBLINGS & 0xFFFF0000u, 0x90800000u);
        EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
        char title[16] = {};
        GetWindowTextA(window, title, sizeof(title));
        EXPECT_STREQ(title, "Setup");
        WNDCLASSA window_class{};
        ASSERT_TRUE(GetClassInfoA(state.instance, "SetupMain", &window_class));
        EXPECT_EQ(window_class.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
        EXPECT_EQ(window_class.hbrBackground, nullptr);
        EXPECT_EQ(window_class.hCursor, LoadCursorA(nullptr, IDC_ARROW));

        const PixelGrid shown = client_pixels();
        // The border takes the outermost pixel on each side.
        ASSERT_EQ(shown.height, size.cy - 2);
        EXPECT_EQ(shown.at(0, 0), RGB(0, 0, 255));
        EXPECT_EQ(shown.at(shown.width - 1, shown.height - 1), RGB(0, 0, 1));
        int wrong_rows = 0;
        for (int y = 0; y < shown.height; ++y) {
            wrong_rows += shown.at(0, y) != gradient_at_row(y) || shown.at(shown.width - 1, y) != gradient_at_row(y);
        }
        EXPECT_EQ(wrong_rows, 0);
        EXPECT_EQ(logo_mismatches(shown, IDB_TOP_LOGO, TOP_LOGO), 0);
        EXPECT_EQ(logo_mismatches(shown, IDB_BOTTOM_LOGO, {20, size.cy - BOTTOM_LOGO_RISE}), 0);

        DestroyWindow(window);
        state.background_window = nullptr;
    }
}

TEST_F(BackgroundWindowTest, OemInstallationNeverShowsTheBottomLogo)
{
    state.oem = 1;
    ASSERT_EQ(create_background_window(), 1);
    const RECT bottom_logo{20, state.screen_cy - BOTTOM_LOGO_RISE, 20 + 490, state.screen_cy - BOTTOM_LOGO_RISE + 43};
    EXPECT_EQ(gradient_mismatches(client_pixels(), bottom_logo), 0);

    repaint(nullptr);
    const PixelGrid shown = client_pixels();
    EXPECT_EQ(gradient_mismatches(shown, bottom_logo), 0);
    EXPECT_EQ(logo_mismatches(shown, IDB_TOP_LOGO, TOP_LOGO), 0);
}

TEST_F(BackgroundWindowTest, RepaintOfTheTopLogosRightEndRedrawsIt)
{
    ASSERT_EQ(create_background_window(), 1);
    // Wholly in the logo's right-hand hundred columns.
    const RECT right_end{330, 12, 419, 58};
    repaint(&right_end);
    EXPECT_EQ(logo_mismatches(client_pixels(), IDB_TOP_LOGO, TOP_LOGO), 0);
}

TEST_F(BackgroundWindowTest, RepaintsLeaveNoGdiObjectBehind)
{
    ASSERT_EQ(create_background_window(), 1);
    repaint(nullptr);
    const GdiCount before = count_gdi_objects();

    // The count sees an object that is left behind.
    HBRUSH probe = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(count_gdi_objects().by_type[OBJ_BRUSH], before.by_type[OBJ_BRUSH] + 1);
    DeleteObject(probe);

    for (int i = 0; i < 100; ++i) repaint(nullptr);
    const GdiCount after = count_gdi_objects();
    EXPECT_EQ(after.total, before.total);
    for (DWORD type : {OBJ_BRUSH, OBJ_PEN, OBJ_BITMAP, OBJ_MEMDC, OBJ_DC}) {
        EXPECT_EQ(after.by_type[type], before.by_type[type]) << "object type " << type;
    }
    EXPECT_EQ(logo_mismatches(client_pixels(), IDB_BOTTOM_LOGO, {20, state.screen_cy - BOTTOM_LOGO_RISE}), 0);
}

TEST_F(BackgroundWindowTest, MissingLogosLeaveTheGradient)
{
    state.instance = GetModuleHandleA("kernel32.dll");
    ASSERT_EQ(create_background_window(), 1);
    const PixelGrid shown = client_pixels();
    EXPECT_EQ(gradient_mismatches(shown, RECT{0, 0, 600, 80}), 0);
    EXPECT_EQ(gradient_mismatches(shown, RECT{0, shown.height - 70, 600, shown.height}), 0);
}

TEST_F(BackgroundWindowTest, SetupInitAndDestroyMessagesChangeNothing)
{
    ASSERT_EQ(create_background_window(), 1);
    HWND window = state.background_window;
    EXPECT_EQ(SendMessageA(window, WM_SETUP_INIT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(window, WM_DESTROY, 0, 0), 0);
    EXPECT_TRUE(IsWindow(window));
    MSG message{};
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(logo_mismatches(client_pixels(), IDB_TOP_LOGO, TOP_LOGO), 0);
}

}  // namespace
