// The full-screen window behind the pages (class SetupMain): a blue gradient
// of 255 bands with the top logo and, unless oem is set, the bottom logo.
#pragma once

#include <windows.h>

constexpr int BAND_COUNT = 255;

// Creates, shows and first paints the window; 1 when it exists, else 0.
int create_background_window();
LRESULT CALLBACK background_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Rows of a band in pixels, top included, bottom excluded.
struct BandRows {
    int top;
    int bottom;
};

// Height of one band: screen_cy / 255, rounded to single precision.
float band_height_factor(short screen_cy);
BandRows band_rows(float factor, int band);
// Blue 255 for the first band down to blue 1 for the last.
COLORREF band_colour(int band);
