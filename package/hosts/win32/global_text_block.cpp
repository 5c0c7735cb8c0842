// Win32 host: texts in movable global memory blocks.
#include "hosts/win32/global_text_block.h"

namespace tavro {

std::unique_ptr<GlobalTextBlock> GlobalTextBlock::allocate(std::size_t size)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<GlobalTextBlock>(new GlobalTextBlock(memory));
}

GlobalTextBlock::~GlobalTextBlock() { GlobalFree(memory_); }

char* GlobalTextBlock::lock() { return static_cast<char*>(GlobalLock(memory_)); }

void GlobalTextBlock::unlock() { GlobalUnlock(memory_); }

}  // namespace tavro
