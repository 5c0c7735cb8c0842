// GDI canvas: each draw command as the GDI calls on the image's memory context.
#include "canvas/gdi/gdi_canvas.h"

#include "canvas/image_canvas.h"
#include "canvas/gdi/gdi_objects.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <initializer_list>
#include <cstring>

namespace tavro {

namespace {

COLORREF colour_ref(Rgb colour) { return RGB(colour.r, colour.g, colour.b); }

// A device coordinate: origin plus an offset, held inside int's range rather than overflowing.
int device(int origin, long long offset)
{
    return static_cast<int>(std::clamp<long long>(origin + offset, INT_MIN, INT_MAX));
}

// Wine's GDI draws nothing with a pen billions of pixels wide. A pen reaches half its width from
// the shape's outline, which lies within the points given (its corners); once that covers every
// corner of the image from every one of them, a wider pen covers no more of the image.
int covering_pen_width(int width, std::initializer_list<POINT> points)
{
    long long reach = 0;
    for (const POINT& point : points) {
        for (const long long x : {0, Canvas::WIDTH}) {
            for (const long long y : {0, Canvas::HEIGHT}) {
                reach = std::max(reach, std::abs(point.x - x) + std::abs(point.y - y));
            }
        }
    }
    return static_cast<int>(std::min<long long>(width, 2 * reach + 2));
}

// A pen of the command's width (0 is one pixel) and, for width 0, a solid brush
// of the same colour, else the stock null brush, for as long as the shape takes.
class ShapeTools {
public:
    ShapeTools(HDC dc, int width, COLORREF colour)
        : pen_(dc, CreatePen(PS_SOLID, width, colour), true),
          brush_(dc, width == 0 ? CreateSolidBrush(colour) : GetStockObject(NULL_BRUSH), width == 0)
    {
    }

private:
    SelectedObject pen_;
    SelectedObject brush_;
};

void draw_line(HDC dc, int width, COLORREF colour, POINT from, POINT to)
{
    SelectedObject pen(dc, CreatePen(PS_SOLID, covering_pen_width(width, {from, to}), colour), true);
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, to.x, to.y);
}

void draw_text(HDC dc, const DrawCommand& command, COLORREF colour, int origin_x, int origin_y)
{
    const char* text = command.text != nullptr ? command.text : "";
    SetTextColor(dc, colour);
    const int previous_mode = GetBkMode(dc);
    SetBkMode(dc, TRANSPARENT);
    {
        SelectedObject font(dc,
                            CreateFontA(-command.point_size, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 0,
                                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                        DEFAULT_PITCH | FF_DONTCARE, "TAVRO-font"),
                            true);
        SIZE extent{};
        GetTextExtentPointA(dc, text, static_cast<int>(std::strlen(text)), &extent);
        const int line_height = extent.cy;
        const int left = device(origin_x, command.x1);
        // The anchor is the lower-left corner of the first line's cell.
        int line = -1;
        const char* start = text;
        for (;;) {
            const char* end = std::strchr(start, '\n');
            const int length = static_cast<int>(end != nullptr ? end - start : std::strlen(start));
            TextOutA(dc, left, device(origin_y, -static_cast<long long>(command.y1) + line * line_height), start,
                     length);
            if (end == nullptr) {
                break;
            }
            start = end + 1;
            ++line;
        }
    }
    SetBkMode(dc, previous_mode);
}

}  // namespace

// A top-down 32-bit bitmap whose memory holds 0x00RRGGBB words, selected into a context of its own.
class GdiCanvas::Snapshot {
public:
    explicit Snapshot(HDC model) : dc_(CreateCompatibleDC(model))
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = WIDTH;
        info.bmiHeader.biHeight = -HEIGHT;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap_ = CreateDIBSection(model, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~Snapshot()
    {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    Snapshot(const Snapshot&) = delete;
    Snapshot& operator=(const Snapshot&) = delete;

    PixelRows copy_of(HDC source)
    {
        if (bits_ == nullptr) {
            return PixelRows{};
        }
        BitBlt(dc_, 0, 0, WIDTH, HEIGHT, source, 0, 0, SRCCOPY);
        GdiFlush();
        return PixelRows{static_cast<const unsigned char*>(bits_), WIDTH * 4, WIDTH, HEIGHT};
    }

private:
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    void* bits_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

GdiCanvas::GdiCanvas(HDC reference)
{
    HDC screen = reference == nullptr ? GetDC(nullptr) : nullptr;
    HDC model = reference != nullptr ? reference : screen;
    bitmap_ = CreateCompatibleBitmap(model, WIDTH, HEIGHT);
    dc_ = CreateCompatibleDC(model);
    previous_bitmap_ = SelectObject(dc_, bitmap_);
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
}

GdiCanvas::~GdiCanvas()
{
    SelectObject(dc_, previous_bitmap_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
}

void GdiCanvas::render(const DrawCommand& command, Rgb colour, int origin_x, int origin_y)
{
    draw_queued_columns();
    const COLORREF ref = colour_ref(colour);
    const int left = device(origin_x, command.x1);
    const int top = device(origin_y, -static_cast<long long>(command.y1));
    const int right = device(origin_x, command.x2);
    const int bottom = device(origin_y, -static_cast<long long>(command.y2));
    switch (command.kind) {
    case DRAW_PIXEL:
        SetPixel(dc_, left, top, ref);
        break;
    case DRAW_LINE:
        draw_line(dc_, command.width, ref, {left, top}, {right, bottom});
        break;
    case DRAW_TRIANGLE: {
        const POINT points[3] = {{left, top},
                                 {right, bottom},
                                 {device(origin_x, command.x3), device(origin_y, -static_cast<long long>(command.y3))}};
        ShapeTools tools(dc_, covering_pen_width(command.width, {points[0], points[1], points[2]}), ref);
        Polygon(dc_, points, 3);
        break;
    }
    case DRAW_RECTANGLE: {
        ShapeTools tools(
            dc_, covering_pen_width(command.width, {{left, top}, {right, top}, {left, bottom}, {right, bottom}}), ref);
        Rectangle(dc_, left, top, device(right, 1), device(bottom, 1));
        break;
    }
    case DRAW_OVAL: {
        ShapeTools tools(
            dc_, covering_pen_width(command.width, {{left, top}, {right, top}, {left, bottom}, {right, bottom}}), ref);
        Ellipse(dc_, left, top, device(right, 1), device(bottom, 1));
        break;
    }
    case DRAW_TEXT:
        draw_text(dc_, command, ref, origin_x, origin_y);
        break;
    default:
        break;
    }
}

// GDI has no batch of lines: each is a line of its own.
void GdiCanvas::render_columns(const ColumnLine* lines, std::size_t count, int origin_x, int origin_y) const
{
    for (std::size_t i = 0; i < count; ++i) {
        const ColumnLine& line = lines[i];
        const int x = device(origin_x, line.x);
        draw_line(dc_, 1, colour_ref(line.colour), {x, device(origin_y, -static_cast<long long>(line.from_y))},
                  {x, device(origin_y, -static_cast<long long>(line.to_y))});
    }
}

void GdiCanvas::clear_white_framed()
{
    draw_queued_columns();
    // The context's own pen is the default one-pixel black pen: it draws the frame.
    SelectedObject brush(dc_, CreateSolidBrush(RGB(255, 255, 255)), true);
    Rectangle(dc_, 0, 0, WIDTH, HEIGHT);
}

Rgb GdiCanvas::pixel(int column, int row) const
{
    draw_queued_columns();
    const COLORREF value = GetPixel(dc_, column, row);
    Rgb result;
    result.r = GetRValue(value);
    result.g = GetGValue(value);
    result.b = GetBValue(value);
    return result;
}

PixelRows GdiCanvas::pixel_rows() const
{
    draw_queued_columns();
    if (!snapshot_) {
        snapshot_ = std::make_unique<Snapshot>(dc_);
    }
    return snapshot_->copy_of(dc_);
}

std::unique_ptr<Canvas> make_image_canvas() { return std::make_unique<GdiCanvas>(); }

}  // namespace tavro
