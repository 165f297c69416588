#include "background/draw_bitmap.h"

#include "setup/setup_state.h"

namespace {

void copy_pixel(HDC target, HDC source, int x, int y, const RECT& origin)
{
    const COLORREF colour = GetPixel(source, x, y);
    if (colour != TRANSPARENT_COLOUR) SetPixel(target, origin.left + x, origin.top + y, colour);
}

void draw_directly(HDC target, HDC source, int width, int height, const RECT& origin)
{
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) copy_pixel(target, source, x, y, origin);
    }
}

void draw_dissolving(HDC target, HDC source, int width, int height, const RECT& origin)
{
    for (int pass = 0; pass < DISSOLVE_PASSES; ++pass) {
        for (int y = 0; y < height; ++y) {
            const auto& row = dissolve_order[y % 8];
            for (int x = 0; x < width; ++x) {
                if (row[x % 8] == pass) copy_pixel(target, source, x, y, origin);
            }
        }
    }
}

}  // namespace

void draw_bitmap(HDC target, WORD bitmap_id, const RECT& origin, int dissolve)
{
    HDC memory = CreateCompatibleDC(target);
    HBITMAP bitmap = LoadBitmapA(state.instance, MAKEINTRESOURCEA(bitmap_id));
    if (bitmap == nullptr) {
        DeleteDC(memory);
        return;
    }
    HGDIOBJ kept = SelectObject(memory, bitmap);
    BITMAP description{};
    GetObjectA(bitmap, sizeof(description), &description);

    if (dissolve)
        draw_dissolving(target, memory, description.bmWidth, description.bmHeight, origin);
    else
        draw_directly(target, memory, description.bmWidth, description.bmHeight, origin);

    SelectObject(memory, kept);
    DeleteObject(bitmap);
    DeleteDC(memory);
}
