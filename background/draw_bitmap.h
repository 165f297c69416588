// Moving a logo picture onto the screen pixel by pixel, with magenta as the
// transparent colour, either at once or in an ordered 8 x 8 dissolve.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

constexpr COLORREF TRANSPARENT_COLOUR = RGB(255, 0, 255);
constexpr int DISSOLVE_PASSES = 64;

// Row: y mod 8, column: x mod 8, entry: the pass in which such a pixel is drawn.
constexpr std::array<std::array<std::uint8_t, 8>, 8> dissolve_order = {{
    {44, 16, 24, 36, 46, 18, 26, 38},
    {48, 0, 8, 56, 50, 2, 10, 58},
    {28, 32, 40, 20, 30, 34, 42, 22},
    {12, 60, 52, 4, 14, 62, 54, 6},
    {47, 19, 27, 39, 45, 17, 25, 37},
    {51, 3, 11, 59, 49, 1, 9, 57},
    {31, 35, 43, 23, 29, 33, 41, 21},
    {15, 63, 55, 7, 13, 61, 53, 5},
}};

// Draws bitmap resource bitmap_id of state.instance with its top-left pixel
// at (origin.left, origin.top); dissolve non-zero fades it in over 64 passes.
// A bitmap that cannot be loaded draws nothing.
void draw_bitmap(HDC target, WORD bitmap_id, const RECT& origin, int dissolve);
