#include "render/gif_writer.h"

#include "colours.h"
#include "platform.h"
#include <tavro/display.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>

namespace {

constexpr int PALETTE_BITS = 5;  // 32 entries: the 24 colours, then unused ones
constexpr int PALETTE_SIZE = 1 << PALETTE_BITS;
constexpr std::uint8_t TRANSPARENT = COLOUR_COUNT;  // the first unused entry
constexpr int MAX_SUB_BLOCK = 255;

struct Rect {
    int left;
    int top;
    int right;   // exclusive
    int bottom;  // exclusive
};

// Eight bytes at once, in whatever order the machine keeps them.
std::uint64_t load_8(const std::uint8_t* bytes)
{
    std::uint64_t value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

// How many of the first limit bytes equal value, counting from the start.
std::size_t same_run(const std::uint8_t* bytes, std::size_t limit, std::uint8_t value)
{
    const std::uint64_t pattern = 0x0101010101010101ULL * value;
    std::size_t n = 0;
    while (n + 8 <= limit && load_8(bytes + n) == pattern) {
        n += 8;
    }
    while (n < limit && bytes[n] == value) {
        ++n;
    }
    return n;
}

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

// GIF's variable-width LZW over 5-bit indices. The dictionary is a table with a
// slot for every (code, index) pair, so each pixel costs one look-up; runs of one
// index, most of a frame once unchanged pixels are transparent, skip even that.
class LzwEncoder {
public:
    // Appends the image data: the minimum code size, sub-blocks of codes, the terminator.
    void encode(const std::uint8_t* indices, std::size_t count, std::vector<std::uint8_t>& out)
    {
        codes_.clear();
        bits_ = 0;
        bit_count_ = 0;
        reset();
        put(CLEAR);
        std::uint32_t prefix = indices[0];
        std::size_t i = 1;
        while (i < count) {
            std::uint8_t index = indices[i];
            if (prefix == index) {
                // The codes for ever longer runs of this index form a chain: take
                // the longest one that the run fills, then go on as usual.
                const std::vector<std::uint16_t>& run = runs_[index];
                const std::size_t length = 1 + same_run(indices + i, std::min(run.size() - 1, count - i), index);
                i += length - 1;
                prefix = run[length - 1];
                if (i == count) {
                    break;
                }
                index = indices[i];
            }
            std::uint16_t& slot = next_[prefix * PALETTE_SIZE + index];
            if (slot != 0) {
                prefix = slot;
                ++i;
                continue;
            }
            put(prefix);
            if (next_code_ >= MAX_CODE) {
                put(CLEAR);
                reset();
            } else {
                slot = static_cast<std::uint16_t>(next_code_);
                if (runs_[index].back() == prefix) {
                    runs_[index].push_back(slot);
                }
                ++next_code_;
            }
            prefix = index;
            ++i;
        }
        put(prefix);
        put(END);
        if (bit_count_ > 0) {
            codes_.push_back(static_cast<std::uint8_t>(bits_));
        }
        out.push_back(PALETTE_BITS);
        for (std::size_t at = 0; at < codes_.size(); at += MAX_SUB_BLOCK) {
            const std::size_t length = std::min<std::size_t>(MAX_SUB_BLOCK, codes_.size() - at);
            out.push_back(static_cast<std::uint8_t>(length));
            out.insert(out.end(), codes_.begin() + static_cast<std::ptrdiff_t>(at),
                       codes_.begin() + static_cast<std::ptrdiff_t>(at + length));
        }
        out.push_back(0);
    }

private:
    static constexpr std::uint32_t CLEAR = PALETTE_SIZE;
    static constexpr std::uint32_t END = CLEAR + 1;
    static constexpr std::uint32_t MAX_CODE = 4095;

    void reset()
    {
        // Only the codes handed out since the last reset have entries to forget.
        std::fill(next_.begin(), next_.begin() + static_cast<std::ptrdiff_t>(next_code_) * PALETTE_SIZE, 0);
        next_code_ = END + 1;
        width_ = PALETTE_BITS + 1;
        for (std::uint16_t index = 0; index < PALETTE_SIZE; ++index) {
            runs_[index].assign(1, index);
        }
    }

    // Codes go out least significant bit first; the width grows once the
    // decoder's next entry would no longer fit.
    void put(std::uint32_t code)
    {
        bits_ |= code << bit_count_;
        bit_count_ += width_;
        while (bit_count_ >= 8) {
            codes_.push_back(static_cast<std::uint8_t>(bits_));
            bits_ >>= 8;
            bit_count_ -= 8;
        }
        if (next_code_ >= (1u << width_) && width_ < 12) {
            ++width_;
        }
    }

    std::vector<std::uint16_t> next_ = std::vector<std::uint16_t>(std::size_t{MAX_CODE + 1} * PALETTE_SIZE, 0);
    // runs_[i][n - 1]: the code for n pixels of index i.
    std::array<std::vector<std::uint16_t>, PALETTE_SIZE> runs_;
    std::uint32_t next_code_ = MAX_CODE + 1;  // the first reset clears the whole table
    int width_ = PALETTE_BITS + 1;
    std::uint32_t bits_ = 0;
    int bit_count_ = 0;
    std::vector<std::uint8_t> codes_;
};

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
    int best = 0;
    int best_distance = INT_MAX;
    for (int i = 0; i < COLOUR_COUNT; ++i) {
        const int dr = r - colour_values[i].r;
        const int dg = g - colour_values[i].g;
        const int db = b - colour_values[i].b;
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
    head.push_back(0x80 | (7 << 4) | (PALETTE_BITS - 1));
    head.push_back(0);  // background colour
    head.push_back(0);  // no aspect ratio given
    for (int i = 0; i < PALETTE_SIZE; ++i) {
        const tavro::Rgb colour = i < COLOUR_COUNT ? colour_values[i] : tavro::Rgb{};
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
