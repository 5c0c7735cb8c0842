#include "render/gif_writer.h"

#include "core/control.h"
#include "seam/host.h"
#include "render/gif_lzw.h"
#include <tavro/display.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>

namespace tavro {

namespace {

constexpr std::uint8_t TRANSPARENT = COLOUR_COUNT;  // the first unused entry

struct Rect {
    int left;
    int top;
    int right;   // exclusive
    int bottom;  // exclusive
};

// How many of the first limit words are the same in both rows, counting from the start.
std::size_t same_words(const std::uint32_t* a, const std::uint32_t* b, std::size_t limit)
{
    constexpr std::size_t BLOCK = 8;
    std::size_t n = 0;
    while (n + BLOCK <= limit && std::memcmp(a + n, b + n, BLOCK * sizeof *a) == 0) {
        n += BLOCK;
    }
    while (n < limit && a[n] == b[n]) {
        ++n;
    }
    return n;
}

LzwEncoder& lzw_encoder()
{
    static LzwEncoder encoder;  // its table is large; one serves every writer
    return encoder;
}

void put_u16(std::vector<std::uint8_t>& out, int value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

// The smallest rectangle holding every pixel that differs from the previous frame.
Rect changed_rect(const tavro::PixelRows& image, const std::vector<std::uint32_t>& previous, int width, int height)
{
    Rect changed{width, height, 0, 0};
    for (int row = 0; row < height; ++row) {
        const auto* now = reinterpret_cast<const std::uint32_t*>(image.data + std::ptrdiff_t{row} * image.stride);
        const std::uint32_t* before = &previous[std::size_t(row) * width];
        if (std::memcmp(now, before, std::size_t(width) * sizeof *now) == 0) {
            continue;
        }
        int left = 0;
        while (now[left] == before[left]) {
            ++left;
        }
        int right = width;
        while (now[right - 1] == before[right - 1]) {
            --right;
        }
        changed.left = std::min(changed.left, left);
        changed.right = std::max(changed.right, right);
        changed.top = std::min(changed.top, row);
        changed.bottom = row + 1;
    }
    return changed;
}

}  // namespace

std::uint8_t palette_index(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    static const std::array<tavro::Rgb, COLOUR_COUNT> colours = [] {
        std::array<tavro::Rgb, COLOUR_COUNT> values{};
        for (int i = 0; i < COLOUR_COUNT; ++i) {
            values[i] = tavro::control::named_colour(i);
        }
        return values;
    }();
    int best = 0;
    int best_distance = INT_MAX;
    for (int i = 0; i < COLOUR_COUNT; ++i) {
        const int dr = r - colours[i].r;
        const int dg = g - colours[i].g;
        const int db = b - colours[i].b;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < best_distance) {
            best = i;
            best_distance = distance;
            if (distance == 0) {
                break;
            }
        }
    }
    return static_cast<std::uint8_t>(best);
}

GifWriter::GifWriter(const std::string& path, int width, int height, int delay_centiseconds)
    : width_(width), height_(height), delay_(delay_centiseconds)
{
    // A frame must hold a pixel, and the format stores sizes in 16 bits.
    if (width < 1 || height < 1 || width > 0xFFFF || height > 0xFFFF) {
        return;
    }
    file_.reset(std::fopen(path.c_str(), "wb"));
    if (!file_) {
        return;
    }
    std::vector<std::uint8_t> head{'G', 'I', 'F', '8', '9', 'a'};
    put_u16(head, width);
    put_u16(head, height);
    // A global colour table of 2^5 entries, 8 bits per primary in the source.
    head.push_back(0x80 | (7 << 4) | (GIF_PALETTE_BITS - 1));
    head.push_back(0);  // background colour
    head.push_back(0);  // no aspect ratio given
    for (int i = 0; i < GIF_PALETTE_SIZE; ++i) {
        const tavro::Rgb colour = i < COLOUR_COUNT ? tavro::control::named_colour(i) : tavro::Rgb{};
        head.insert(head.end(), {colour.r, colour.g, colour.b});
    }
    // Loop for ever.
    static const char application[] = "NETSCAPE2.0";
    head.insert(head.end(), {0x21, 0xFF, 11});
    head.insert(head.end(), application, application + 11);
    head.insert(head.end(), {3, 1, 0, 0, 0});
    put(head);
}

GifWriter::~GifWriter()
{
    if (file_) {
        close();
    }
}

bool GifWriter::is_open() const { return file_ && !failed_; }

void GifWriter::put(const std::vector<std::uint8_t>& bytes)
{
    failed_ = failed_ || std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size();
}

bool GifWriter::add_frame(const tavro::Canvas& canvas)
{
    if (!is_open()) {
        return false;
    }
    const tavro::PixelRows image = canvas.pixel_rows();
    if (image.data == nullptr || width_ > image.width || height_ > image.height) {
        failed_ = true;  // frames are cut from the image, so they cannot be larger
        return false;
    }
    const bool first = previous_.empty();
    if (first) {
        previous_.resize(std::size_t(width_) * height_);
    }
    Rect changed = first ? Rect{0, 0, width_, height_} : changed_rect(image, previous_, width_, height_);
    if (changed.left >= changed.right) {
        changed = {0, 0, 1, 1};  // nothing moved: one pixel keeps the frame's time
    }
    const int w = changed.right - changed.left;
    const int h = changed.bottom - changed.top;
    indices_.resize(std::size_t(w) * h);
    std::uint8_t* index = indices_.data();
    // Colours come in runs: look each run up once.
    std::uint32_t last_word = 0;
    std::uint8_t last_index = palette_index(0, 0, 0);
    for (int row = changed.top; row < changed.bottom; ++row) {
        const auto* now =
            reinterpret_cast<const std::uint32_t*>(image.data + std::ptrdiff_t{row} * image.stride) + changed.left;
        std::uint32_t* before = &previous_[std::size_t(row) * width_ + changed.left];
        for (std::size_t i = 0; i < std::size_t(w);) {
            if (!first) {
                const std::size_t unchanged = same_words(now + i, before + i, w - i);
                std::memset(index, TRANSPARENT, unchanged);
                index += unchanged;
                i += unchanged;
                if (i == std::size_t(w)) {
                    break;
                }
            }
            const std::uint32_t word = now[i++];
            if (word != last_word) {
                last_word = word;
                last_index = palette_index(static_cast<std::uint8_t>(word >> 16), static_cast<std::uint8_t>(word >> 8),
                                           static_cast<std::uint8_t>(word));
            }
            *index++ = last_index;
        }
        std::memcpy(before, now, std::size_t(w) * sizeof *now);
    }

    bytes_.clear();
    // Graphic control: leave the frame in place, its delay, the transparent entry.
    bytes_.insert(bytes_.end(), {0x21, 0xF9, 4, (1 << 2) | 1});
    put_u16(bytes_, std::clamp(delay_, 0, 0xFFFF));  // the longest delay the format holds
    bytes_.insert(bytes_.end(), {TRANSPARENT, 0});
    bytes_.push_back(0x2C);
    put_u16(bytes_, changed.left);
    put_u16(bytes_, changed.top);
    put_u16(bytes_, w);
    put_u16(bytes_, h);
    bytes_.push_back(0);  // no local colour table, not interlaced
    lzw_encoder().encode(indices_.data(), indices_.size(), bytes_);
    put(bytes_);
    ++frames_;
    return !failed_;
}

bool GifWriter::close()
{
    if (!file_) {
        return false;
    }
    put({0x3B});
    const bool closed = std::fclose(file_.release()) == 0;
    return closed && !failed_;
}

}  // namespace tavro
