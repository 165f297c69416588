#include "background_pixels.h"

namespace {

BITMAPINFO top_down_info(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

COLORREF from_dib(DWORD bgra) { return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF); }

PixelGrid grid_from_dib(const void* bits, int width, int height)
{
    PixelGrid grid{width, height, {}};
    grid.pixels.reserve(static_cast<size_t>(width) * height);
    const auto* source = static_cast<const DWORD*>(bits);
    for (int i = 0; i < width * height; ++i) grid.pixels.push_back(from_dib(source[i]));
    return grid;
}

}  // namespace

PixelCanvas::PixelCanvas(int width, int height, COLORREF fill) : width_(width), height_(height)
{
    const BITMAPINFO info = top_down_info(width, height);
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    kept_ = SelectObject(dc_, bitmap_);
    HBRUSH brush = CreateSolidBrush(fill);
    const RECT all{0, 0, width, height};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
}

PixelCanvas::~PixelCanvas()
{
    SelectObject(dc_, kept_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

PixelGrid PixelCanvas::pixels() const
{
    GdiFlush();
    return grid_from_dib(bits_, width_, height_);
}

PixelGrid capture_screen(const RECT& area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    PixelCanvas canvas(width, height, RGB(0, 0, 0));
    HDC screen = GetDC(nullptr);
    BitBlt(canvas.dc(), 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return canvas.pixels();
}

PixelGrid load_bitmap_pixels(HINSTANCE module, WORD bitmap_id)
{
    HBITMAP bitmap = LoadBitmapA(module, MAKEINTRESOURCEA(bitmap_id));
    if (bitmap == nullptr) return {};
    BITMAP description{};
    GetObjectA(bitmap, sizeof(description), &description);
    PixelCanvas canvas(description.bmWidth, description.bmHeight, RGB(0, 0, 0));
    HDC source = CreateCompatibleDC(nullptr);
    HGDIOBJ kept = SelectObject(source, bitmap);
    BitBlt(canvas.dc(), 0, 0, description.bmWidth, description.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, kept);
    DeleteDC(source);
    DeleteObject(bitmap);
    return canvas.pixels();
}
