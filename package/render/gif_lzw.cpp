#include "render/gif_lzw.h"

#include <algorithm>
#include <cstring>

namespace tavro {

namespace {

constexpr int MAX_SUB_BLOCK = 255;

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

}  // namespace

void LzwEncoder::encode(const std::uint8_t* indices, std::size_t count, std::vector<std::uint8_t>& out)
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
        std::uint16_t& slot = next_[prefix * GIF_PALETTE_SIZE + index];
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
    out.push_back(GIF_PALETTE_BITS);
    for (std::size_t at = 0; at < codes_.size(); at += MAX_SUB_BLOCK) {
        const std::size_t length = std::min<std::size_t>(MAX_SUB_BLOCK, codes_.size() - at);
        out.push_back(static_cast<std::uint8_t>(length));
        out.insert(out.end(), codes_.begin() + static_cast<std::ptrdiff_t>(at),
                   codes_.begin() + static_cast<std::ptrdiff_t>(at + length));
    }
    out.push_back(0);
}

void LzwEncoder::reset()
{
    // Only the codes handed out since the last reset have entries to forget.
    std::fill(next_.begin(), next_.begin() + static_cast<std::ptrdiff_t>(next_code_) * GIF_PALETTE_SIZE, 0);
    next_code_ = END + 1;
    width_ = GIF_PALETTE_BITS + 1;
    for (std::uint16_t index = 0; index < GIF_PALETTE_SIZE; ++index) {
        runs_[index].assign(1, index);
    }
}

void LzwEncoder::put(std::uint32_t code)
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

}  // namespace tavro
