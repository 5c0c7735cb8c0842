// Texts copied into the memory blocks the host gives, and the blocks of plain heap memory that a
// host without movable memory of its own gives.
#include "core/text_block.h"

#include <cstring>
#include <new>

namespace tavro {

namespace {

// Blocks are sized in steps, so that most later texts fit a reused one.
constexpr std::size_t BLOCK_STEP = 64;

// The block and its bytes in one allocation: a logged run keeps a new line for every drawing call.
class HeapTextBlock final : public TextBlock {
public:
    static std::unique_ptr<TextBlock> make(std::size_t size)
    {
        void* memory = ::operator new(sizeof(HeapTextBlock) + size, std::nothrow);
        if (memory == nullptr) {
            return nullptr;
        }
        return std::unique_ptr<TextBlock>(new (memory) HeapTextBlock);
    }
    // Matches the allocation above, whose size is not the class's own.
    static void operator delete(void* memory) { ::operator delete(memory); }

    char* lock() override { return reinterpret_cast<char*>(this + 1); }
    void unlock() override {}

private:
    HeapTextBlock() = default;
};

}  // namespace

std::unique_ptr<TextBlock> Host::allocate_text(std::size_t size) { return HeapTextBlock::make(size); }

bool write_text(tavro::TextBlock& block, const char* text, std::size_t size)
{
    char* bytes = block.lock();
    if (bytes == nullptr) {
        return false;
    }
    std::memcpy(bytes, text, size);
    block.unlock();
    return true;
}

bool keep_text(std::unique_ptr<tavro::TextBlock>& block, std::size_t& capacity, const char* text, std::size_t size)
{
    if (block && size <= capacity && write_text(*block, text, size)) {
        return true;
    }
    block.reset();
    const std::size_t rounded = (size + BLOCK_STEP - 1) / BLOCK_STEP * BLOCK_STEP;
    block = tavro::platform_host().allocate_text(rounded);
    if (block && write_text(*block, text, size)) {
        capacity = rounded;
        return true;
    }
    block.reset();
    return false;
}

const char* ReusedTextBlock::lock_copy_of(const char* text)
{
    if (!keep_text(block_, capacity_, text, std::strlen(text) + 1)) {
        return nullptr;
    }
    return block_->lock();
}

}  // namespace tavro
