#include "text_window_image.h"

#include "cairo_text.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tavro {

namespace {

void select_window_font(cairo_t* context) {
    select_cairo_font(context, TextWindowImage::FONT_FACE, TextWindowImage::CHARACTER_HEIGHT);
}

}  // namespace

TextWindowImage::TextWindowImage() {
    CairoSurface scratch(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1));
    CairoContext context = make_context(scratch.get());
    select_window_font(context.get());
    const CairoLineMetrics metrics = cairo_line_metrics(context.get());
    // A face without height would make every line land on the same row.
    line_height_ = metrics.height > 0 ? metrics.height : CHARACTER_HEIGHT;
    ascent_ = metrics.ascent;
}

void TextWindowImage::resize(int width, int height) {
    width_ = width > 0 ? width : 0;
    height_ = height > 0 ? height : 0;
    capacity_ = static_cast<std::size_t>((height_ + line_height_ - 1) / line_height_);
    image_.reset();
    clear();
}

void TextWindowImage::put_line(const std::string& text) {
    if (capacity_ == 0) {
        return;
    }
    if (shown_.size() == capacity_) {
        shown_.pop_front();
    }
    shown_.push_back(text);
    stale_ = true;
}

void TextWindowImage::clear() {
    shown_.clear();
    stale_ = true;
}

std::vector<std::string> TextWindowImage::visible_lines() const { return {shown_.begin(), shown_.end()}; }

Rgb TextWindowImage::pixel(int column, int row) const {
    if (column < 0 || column >= width_ || row < 0 || row >= height_) {
        return Rgb{};
    }
    if (stale_) {
        draw();
    }
    const unsigned char* data = cairo_image_surface_get_data(image_.get());
    if (data == nullptr) {
        return Rgb{};
    }
    const int stride = cairo_image_surface_get_stride(image_.get());
    std::uint32_t value = 0;
    std::memcpy(&value, data + static_cast<std::ptrdiff_t>(row) * stride + column * 4, sizeof value);
    return Rgb{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
               static_cast<std::uint8_t>(value)};
}

void TextWindowImage::draw() const {
    if (!image_) {
        image_.reset(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width_, height_));
    }
    {
        CairoContext context = make_context(image_.get());
        cairo_set_source_rgb(context.get(), 1.0, 1.0, 1.0);
        cairo_paint(context.get());
        select_window_font(context.get());
        const CairoLineMetrics metrics{ascent_, line_height_};
        int top = height_ - static_cast<int>(shown_.size()) * line_height_;
        for (const std::string& line : shown_) {
            cairo_set_source_rgb(context.get(), 1.0, 1.0, 1.0);
            cairo_rectangle(context.get(), 0, top, width_, line_height_);
            cairo_fill(context.get());
            cairo_set_source_rgb(context.get(), 0.0, 0.0, 0.0);
            show_cairo_line(context.get(), metrics, TEXT_LEFT, top, line);
            top += line_height_;
        }
    }
    cairo_surface_flush(image_.get());
    stale_ = false;
}

}  // namespace tavro
