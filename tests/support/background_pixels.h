// Pictures as arrays of colours: what the screen shows, what a bitmap holds.
#pragma once

#include <windows.h>

#include <vector>

struct PixelGrid {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;

    COLORREF at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// What the screen shows in the area, in screen coordinates, read back
// through the screen's device context.
PixelGrid capture_screen(const RECT& area);

// The pixels of a bitmap resource of the module, as a device of the
// screen's kind shows them; empty when it cannot be loaded.
PixelGrid load_bitmap_pixels(HINSTANCE module, WORD bitmap_id);

// A 32-bit DIB section filled with one colour, selected into a memory DC.
class PixelCanvas {
public:
    PixelCanvas(int width, int height, COLORREF fill);
    ~PixelCanvas();
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    HDC dc() const { return dc_; }
    PixelGrid pixels() const;

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ kept_ = nullptr;
    void* bits_ = nullptr;
};
