// Copies of texts in the memory blocks the host gives (see TextBlock).
#pragma once

#include "seam/host.h"

#include <memory>

namespace tavro {

// A block holding text and its terminator, unlocked; null when there is no memory for it.
std::unique_ptr<tavro::TextBlock> copy_text(const char* text);
// Copies size bytes of text (its terminator included) into block; false when it cannot be locked.
bool write_text(tavro::TextBlock& block, const char* text, std::size_t size);

}  // namespace tavro
