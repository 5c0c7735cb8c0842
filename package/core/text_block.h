// Copies of texts in the memory blocks the host gives (see TextBlock).
#pragma once

#include "seam/host.h"

#include <memory>

namespace tavro {

// Copies size bytes of text (its terminator included) into block; false when it cannot be locked.
bool write_text(tavro::TextBlock& block, const char* text, std::size_t size);
// Copies size bytes of text into block, reusing it when they fit its capacity, otherwise into a
// new block of a capacity rounded up (so that most later texts fit it); false when there is no
// memory for it, the block then gone.
bool keep_text(std::unique_ptr<tavro::TextBlock>& block, std::size_t& capacity, const char* text, std::size_t size);

// One block kept from text to text: a steady run's texts stop allocating.
class ReusedTextBlock {
public:
    // The block holding a copy of text, locked until unlock; null when there is no memory for it.
    const char* lock_copy_of(const char* text);
    void unlock() { block_->unlock(); }

private:
    std::unique_ptr<tavro::TextBlock> block_;
    std::size_t capacity_ = 0;
};

}  // namespace tavro
