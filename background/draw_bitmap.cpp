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

struct Cell {
    int row;
    int column;
};

// The cell of the 8 x 8 pattern that each pass draws: dissolve_order inverted.
constexpr std::array<Cell, DISSOLVE_PASSES> cells_by_pass()
{
    std::array<Cell, DISSOLVE_PASSES> cells{};
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 8; ++column) cells[dissolve_order[row][column]] = {row, column};
    return cells;
}

constexpr std::array<Cell, DISSOLVE_PASSES> CELL_OF_PASS = cells_by_pass();

// A pass visits only its own pixels, row by row, in the order of a scan of
// the whole bitmap that skips the others, without that scan's 64 rounds.
void draw_dissolving(HDC target, HDC source, int width, int height, const RECT& origin)
{
    for (const Cell& cell : CELL_OF_PASS) {
        for (int y = cell.row; y < height; y += 8) {
            for (int x = cell.column; x < width; x += 8) copy_pixel(target, source, x, y, origin);
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
