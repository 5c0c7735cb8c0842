// Win32 host: a text kept in a movable global memory block (GlobalAlloc with
// GMEM_MOVEABLE), locked with GlobalLock only while it is read or written and
// freed with GlobalFree.
//
// Dependencies: kernel32.
// Known limits: none beyond the platform's own.
#pragma once

#include "seam/host.h"

#include <windows.h>

#include <memory>

namespace tavro {

class GlobalTextBlock final : public TextBlock {
public:
    // A block of size bytes; null when the platform has no memory for it.
    static std::unique_ptr<GlobalTextBlock> allocate(std::size_t size);
    ~GlobalTextBlock() override;
    GlobalTextBlock(const GlobalTextBlock&) = delete;
    GlobalTextBlock& operator=(const GlobalTextBlock&) = delete;

    char* lock() override;
    void unlock() override;

private:
    explicit GlobalTextBlock(HGLOBAL memory) : memory_(memory) {}

    HGLOBAL memory_;
};

}  // namespace tavro
