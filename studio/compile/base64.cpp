#include "base64.h"

namespace tavro::studio {

std::string base64(std::string_view bytes)
{
    static constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t at = 0;
    for (; at + 2 < bytes.size(); at += 3) {
        const unsigned value = static_cast<unsigned char>(bytes[at]) << 16 |
                               static_cast<unsigned char>(bytes[at + 1]) << 8 |
                               static_cast<unsigned char>(bytes[at + 2]);
        text += alphabet[value >> 18];
        text += alphabet[(value >> 12) & 63];
        text += alphabet[(value >> 6) & 63];
        text += alphabet[value & 63];
    }
    if (at < bytes.size()) {
        const bool two = at + 1 < bytes.size();
        const unsigned value =
            static_cast<unsigned char>(bytes[at]) << 16 | (two ? static_cast<unsigned char>(bytes[at + 1]) << 8 : 0);
        text += alphabet[value >> 18];
        text += alphabet[(value >> 12) & 63];
        text += two ? alphabet[(value >> 6) & 63] : '=';
        text += '=';
    }
    return text;
}

}  // namespace tavro::studio
