// Texts kept in plain heap memory: what a host without movable memory of its own gives.
#include "platform.h"

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
