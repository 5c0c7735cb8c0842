// GDI canvas: the package's 601 x 540 off-screen image as a bitmap selected
// into a memory device context, used by the Win32 host (and, on Windows, by
// tests that draw without a window).
//
// Implements Canvas::render with GDI's own shapes: solid pens of the command's
// width, a solid brush or the stock null brush, Rectangle and Ellipse with the
// +1 on the right and bottom that makes both corners part of the shape, Polygon,
// MoveToEx/LineTo (the end pixel is left out), SetPixel, and text in a font
// made for each command with the face "TAVRO-font".
//
// Dependencies: GDI32 only.
//
// Known limits: the face that "TAVRO-font" maps to is the platform font
// mapper's choice (Liberation Sans under Wine with fonts-liberation2).
#pragma once

#include "seam/canvas.h"

#include <windows.h>

#include <memory>

namespace tavro {

class GdiCanvas final : public Canvas {
public:
    // An image compatible with reference (a window's drawing context), or with
    // the screen when reference is null. Its pixels are undefined until cleared.
    explicit GdiCanvas(HDC reference = nullptr);
    ~GdiCanvas() override;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    void render(const DrawCommand& command, Rgb colour, int origin_x, int origin_y) override;
    void clear_white_framed() override;
    Rgb pixel(int column, int row) const override;
    // A copy of the image in a 32-bit device-independent bitmap, made at each call.
    PixelRows pixel_rows() const override;

    // The memory drawing context that holds the image, for copies to a window.
    HDC dc() const
    {
        draw_queued_columns();
        return dc_;
    }

private:
    void render_columns(const ColumnLine* lines, std::size_t count, int origin_x, int origin_y) const override;

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_bitmap_ = nullptr;

    class Snapshot;
    mutable std::unique_ptr<Snapshot> snapshot_;
};

}  // namespace tavro
