// The seam, its canvas: the off-screen image a host gives the package, which renders each
// DrawCommand with the package's edge rules. Implemented by the Cairo, the pixel and the GDI canvas.
#pragma once

#include "seam/draw_command.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tavro {

// Four bytes aligned: a colour is loaded, passed and stored as one word.
struct alignas(4) Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

// An image's pixels as rows of 32-bit 0x00RRGGBB words, stride bytes apart.
struct PixelRows {
    const unsigned char* data = nullptr;  // null when the image has no memory
    int stride = 0;
    int width = 0;
    int height = 0;
};

// The graphics window's client area, the drawing area with its origin at (300, 250), on every host.
constexpr int CLIENT_WIDTH = 601;
constexpr int CLIENT_HEIGHT = 501;

// A one-pixel vertical line from logical (x, from_y) to (x, to_y), the end pixel left out: what a
// line command of width 0 or 1 with x1 == x2 draws.
struct ColumnLine {
    int x = 0;
    int from_y = 0;
    int to_y = 0;
    Rgb colour;
};

// The off-screen image: as wide as the client area, 540 pixels high.
class Canvas {
public:
    static constexpr int WIDTH = CLIENT_WIDTH;
    static constexpr int HEIGHT = 540;

    virtual ~Canvas() = default;
    // Draws one command whose colour is valid; logical (x, y) is pixel (origin_x + x, origin_y - y).
    virtual void render(const DrawCommand& command, Rgb colour, int origin_x, int origin_y) = 0;
    // Fills the whole image white, with a one-pixel black frame on its outermost rows and columns.
    virtual void clear_white_framed() = 0;
    virtual Rgb pixel(int column, int row) const = 0;
    // All pixels at once, for pictures of the image; valid until the next drawing call.
    virtual PixelRows pixel_rows() const = 0;

    // Queues a vertical line, drawn in order before anything else the canvas draws, clears or
    // shows. A snow frame draws 10,000 of them: handed over many at a time, a line costs little
    // more than its stores.
    void queue_column(int x, int from_y, int to_y, Rgb colour, int origin_x, int origin_y)
    {
        if (!queue_has_room(origin_x, origin_y)) {
            draw_queued_columns();
            queue_origin_x_ = origin_x;
            queue_origin_y_ = origin_y;
        }
        put_in_queue(x, from_y, to_y, colour);
    }
    // The two halves of queue_column, for a caller that keeps the drawing of the queue out of line.
    bool queue_has_room(int origin_x, int origin_y) const
    {
        return queued_ < COLUMN_QUEUE_SIZE && origin_x == queue_origin_x_ && origin_y == queue_origin_y_;
    }
    void put_in_queue(int x, int from_y, int to_y, Rgb colour)
    {
        ColumnLine& line = queue_[queued_++];
        line.x = x;
        line.from_y = from_y;
        line.to_y = to_y;
        std::memcpy(&line.colour, &colour, sizeof colour);  // one word: assigned, it is three bytes
    }

protected:
    // Draws lines in order, as render would draw each one. Readers bring queued lines in too, so
    // this is const like them.
    virtual void render_columns(const ColumnLine* lines, std::size_t count, int origin_x, int origin_y) const = 0;
    // Every other member of a canvas calls this first.
    void draw_queued_columns() const
    {
        if (queued_ > 0) {
            const std::size_t count = queued_;
            queued_ = 0;
            render_columns(queue_, count, queue_origin_x_, queue_origin_y_);
        }
    }

private:
    static constexpr std::size_t COLUMN_QUEUE_SIZE = 256;
    ColumnLine queue_[COLUMN_QUEUE_SIZE];
    mutable std::size_t queued_ = 0;
    int queue_origin_x_ = 0;
    int queue_origin_y_ = 0;
};

}  // namespace tavro
