// Headless host on Windows: the text window's pixels drawn with GDI in a
// memory bitmap, in the stock fixed-pitch font as the Win32 host's text window.
#include "canvas/text_raster.h"

#include "canvas/gdi/gdi_objects.h"

#include <windows.h>

namespace tavro {

struct TextRaster::Pixels {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    ~Pixels()
    {
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
};

TextFaceMetrics TextRaster::face_metrics()
{
    HDC screen = GetDC(nullptr);
    TEXTMETRICA metrics{};
    {
        SelectedObject font(screen, GetStockObject(ANSI_FIXED_FONT), false);
        GetTextMetricsA(screen, &metrics);
    }
    ReleaseDC(nullptr, screen);
    const int height = metrics.tmHeight + metrics.tmExternalLeading;
    return TextFaceMetrics{static_cast<int>(metrics.tmAscent), height > 0 ? height : 12};
}

TextRaster::TextRaster(int width, int height) : pixels_(std::make_unique<Pixels>()), width_(width), height_(height)
{
    HDC screen = GetDC(nullptr);
    pixels_->bitmap = CreateCompatibleBitmap(screen, width > 0 ? width : 1, height > 0 ? height : 1);
    pixels_->dc = CreateCompatibleDC(screen);
    pixels_->previous = SelectObject(pixels_->dc, pixels_->bitmap);
    ReleaseDC(nullptr, screen);
}

TextRaster::~TextRaster() = default;

void TextRaster::draw(const TextLines& lines, int top, const TextFaceMetrics& metrics)
{
    HDC dc = pixels_->dc;
    const RECT all{0, 0, width_, height_};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SelectedObject font(dc, GetStockObject(ANSI_FIXED_FONT), false);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    for (const std::string& line : lines) {
        const RECT strip{0, top, width_, top + metrics.line_height};
        FillRect(dc, &strip, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        TextOutA(dc, TEXT_LEFT, top, line.data(), static_cast<int>(line.size()));
        top += metrics.line_height;
    }
}

Rgb TextRaster::pixel(int column, int row) const
{
    if (column < 0 || column >= width_ || row < 0 || row >= height_) {
        return Rgb{};
    }
    const COLORREF value = GetPixel(pixels_->dc, column, row);
    return Rgb{GetRValue(value), GetGValue(value), GetBValue(value)};
}

}  // namespace tavro
