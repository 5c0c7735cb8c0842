// Texts kept in plain heap memory: what a host without movable memory of its own gives.
#include "core/text_block.h"

#include <cstring>
#include <new>

namespace tavro {

namespace {

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

std::unique_ptr<tavro::TextBlock> copy_text(const char* text)
{
    const std::size_t size = std::strlen(text) + 1;
    std::unique_ptr<tavro::TextBlock> block = tavro::platform_host().allocate_text(size);
    if (!block || !write_text(*block, text, size)) {
        return nullptr;
    }
    return block;
}

}  // namespace tavro
