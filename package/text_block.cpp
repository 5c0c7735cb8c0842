// Texts kept in plain heap memory: what a host without movable memory of its own gives.
#include "text_block.h"

#include <cstring>
#include <new>

namespace tavro {

namespace {

class HeapTextBlock final : public TextBlock {
public:
    explicit HeapTextBlock(std::unique_ptr<char[]> bytes) : bytes_(std::move(bytes)) {}
    char* lock() override { return bytes_.get(); }
    void unlock() override {}

private:
    std::unique_ptr<char[]> bytes_;
};

}  // namespace

std::unique_ptr<TextBlock> Host::allocate_text(std::size_t size)
{
    std::unique_ptr<char[]> bytes(new (std::nothrow) char[size]);
    if (!bytes) {
        return nullptr;
    }
    return std::make_unique<HeapTextBlock>(std::move(bytes));
}

}  // namespace tavro

std::unique_ptr<tavro::TextBlock> copy_text(const char* text)
{
    const std::size_t size = std::strlen(text) + 1;
    std::unique_ptr<tavro::TextBlock> block = tavro::platform_host().allocate_text(size);
    char* bytes = block ? block->lock() : nullptr;
    if (bytes == nullptr) {
        return nullptr;
    }
    std::memcpy(bytes, text, size);
    block->unlock();
    return block;
}
