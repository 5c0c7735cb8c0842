// Short vertical one-pixel lines, gathered and then written in one tight loop.
// A snow frame draws 10,000 of them at scattered places: written one drawing
// call at a time, each store waits for its cache miss among the call's other
// work; written together, the misses overlap. Whoever gathers lines writes
// them before anything else touches the image.
#pragma once

#include "canvas/pixels/pixel_writer.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tavro {

class ColumnBatch {
public:
    // The part inside the image of the vertical one-pixel line from one point to another
    // (the end pixel left out): its first pixel's byte and its number of rows, 0 for none.
    struct Run {
        unsigned char* first = nullptr;
        int rows = 0;
    };
    static Run run_of(const ImageMemory& image, PenPoint from, PenPoint to)
    {
        const PixelCoord top = std::max<PixelCoord>(to.row < from.row ? to.row + 1 : from.row, 0);
        const PixelCoord bottom = std::min<PixelCoord>(to.row < from.row ? from.row + 1 : to.row, image.height);
        if (from.column < 0 || from.column >= image.width || top >= bottom || image.data == nullptr) {
            return Run{};
        }
        return Run{image.data + top * image.stride + from.column * PixelCoord{sizeof(std::uint32_t)},
                   static_cast<int>(bottom - top)};
    }

    // Rows stride bytes apart, starting at first; false once the batch is full and must be written.
    bool add(unsigned char* first, int rows, std::uint32_t word)
    {
        columns_[count_++] = Column{first, rows, word};
        return count_ < CAPACITY;
    }

    void write(std::ptrdiff_t stride)
    {
        for (std::size_t i = 0; i < count_; ++i) {
            const Column& column = columns_[i];
            unsigned char* at = column.first;
            for (int row = 0; row < column.rows; ++row, at += stride) {
                std::memcpy(at, &column.word, sizeof column.word);
            }
        }
        count_ = 0;
    }

private:
    static constexpr std::size_t CAPACITY = 256;

    struct Column {
        unsigned char* first;
        int rows;
        std::uint32_t word;
    };

    std::array<Column, CAPACITY> columns_{};
    std::size_t count_ = 0;
};

}  // namespace tavro
