#include "hosts/headless/text_window_image.h"

#include <cstddef>

namespace tavro {

TextWindowImage::TextWindowImage()
{
    const TextFaceMetrics metrics = TextRaster::face_metrics();
    line_height_ = metrics.line_height;
    ascent_ = metrics.ascent;
}

void TextWindowImage::resize(int width, int height)
{
    width_ = width > 0 ? width : 0;
    height_ = height > 0 ? height : 0;
    shown_ = TextLines(static_cast<std::size_t>((height_ + line_height_ - 1) / line_height_));
    raster_.reset();
    clear();
}

void TextWindowImage::put_line(std::string_view text)
{
    shown_.put(text);
    stale_ = true;
}

void TextWindowImage::clear()
{
    shown_.clear();
    stale_ = true;
}

std::vector<std::string> TextWindowImage::visible_lines() const { return {shown_.begin(), shown_.end()}; }

Rgb TextWindowImage::pixel(int column, int row) const
{
    if (column < 0 || column >= width_ || row < 0 || row >= height_) {
        return Rgb{};
    }
    if (stale_) {
        draw();
    }
    return raster_->pixel(column, row);
}

void TextWindowImage::draw() const
{
    if (!raster_) {
        raster_ = std::make_unique<TextRaster>(width_, height_);
    }
    raster_->draw(shown_, height_ - static_cast<int>(shown_.size()) * line_height_,
                  TextFaceMetrics{ascent_, line_height_});
    stale_ = false;
}

}  // namespace tavro
