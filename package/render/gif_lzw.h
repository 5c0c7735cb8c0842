// GIF's variable-width LZW over 5-bit indices. The dictionary is a table with a
// slot for every (code, index) pair, so each pixel costs one look-up; runs of one
// index, most of a frame once unchanged pixels are transparent, skip even that.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavro {

constexpr int GIF_PALETTE_BITS = 5;  // 32 entries: the 24 colours, then unused ones
constexpr int GIF_PALETTE_SIZE = 1 << GIF_PALETTE_BITS;

class LzwEncoder {
public:
    // Appends the image data: the minimum code size, sub-blocks of codes, the terminator.
    void encode(const std::uint8_t* indices, std::size_t count, std::vector<std::uint8_t>& out);

private:
    static constexpr std::uint32_t CLEAR = GIF_PALETTE_SIZE;
    static constexpr std::uint32_t END = CLEAR + 1;
    static constexpr std::uint32_t MAX_CODE = 4095;

    void reset();
    // Codes go out least significant bit first; the width grows once the
    // decoder's next entry would no longer fit.
    void put(std::uint32_t code);

    std::vector<std::uint16_t> next_ = std::vector<std::uint16_t>(std::size_t{MAX_CODE + 1} * GIF_PALETTE_SIZE, 0);
    // runs_[i][n - 1]: the code for n pixels of index i.
    std::array<std::vector<std::uint16_t>, GIF_PALETTE_SIZE> runs_;
    std::uint32_t next_code_ = MAX_CODE + 1;  // the first reset clears the whole table
    int width_ = GIF_PALETTE_BITS + 1;
    std::uint32_t bits_ = 0;
    int bit_count_ = 0;
    std::vector<std::uint8_t> codes_;
};

}  // namespace tavro
