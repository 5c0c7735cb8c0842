#include "check/png_reader.h"

#include <zlib.h>

#include "check/input_file.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace tavro {

namespace {

constexpr unsigned char SIGNATURE[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr std::uint32_t LARGEST_CHUNK = 0x7FFFFFFF;
constexpr std::uint64_t MOST_PIXELS = std::uint64_t{1} << 26;  // far beyond any picture of the package
constexpr unsigned char COLOUR_TYPE_RGB = 2;
constexpr unsigned char COLOUR_TYPE_RGBA = 6;

std::uint32_t get_u32(const unsigned char* bytes)
{
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 | std::uint32_t{bytes[2]} << 8 | bytes[3];
}

std::string colour_type_name(int type)
{
    switch (type) {
    case 0:
        return "grey";
    case 3:
        return "palette";
    case 4:
        return "grey and alpha";
    default:
        return "unknown (" + std::to_string(type) + ")";
    }
}

// The header's problem, if any: only what the reader knows how to read is accepted, and a
// size is refused before anything is made for it.
std::string header_problem(const unsigned char* header)
{
    const std::uint64_t width = get_u32(header);
    const std::uint64_t height = get_u32(header + 4);
    if (width == 0 || height == 0 || width > MOST_PIXELS || height > MOST_PIXELS || width * height > MOST_PIXELS) {
        return "its size " + std::to_string(width) + " x " + std::to_string(height) + " is not supported";
    }
    const int depth = header[8];
    const int colour_type = header[9];
    if (colour_type != COLOUR_TYPE_RGB && colour_type != COLOUR_TYPE_RGBA) {
        return "its colours are " + colour_type_name(colour_type) + "; only 8-bit RGB and RGBA pictures are read";
    }
    if (depth != 8) {
        return "it has " + std::to_string(depth) + "-bit samples; only 8-bit RGB and RGBA pictures are read";
    }
    if (header[10] != 0 || header[11] != 0) {
        return "it is damaged: unknown compression or filter method";
    }
    if (header[12] != 0) {
        return "it is interlaced; only pictures that are not are read";
    }
    return {};
}

int paeth(int left, int up, int up_left)
{
    const int estimate = left + up - up_left;
    const int to_left = std::abs(estimate - left);
    const int to_up = std::abs(estimate - up);
    const int to_up_left = std::abs(estimate - up_left);
    if (to_left <= to_up && to_left <= to_up_left) {
        return left;
    }
    return to_up <= to_up_left ? up : up_left;
}

// Undoes each row's filter in place; false on an unknown filter type.
bool unfilter(std::vector<unsigned char>& raw, std::size_t row_bytes, int height, int pixel_bytes, int& bad_row)
{
    const std::vector<unsigned char> zero_row(row_bytes, 0);
    for (int row = 0; row < height; ++row) {
        unsigned char* line = &raw[std::size_t(row) * (row_bytes + 1)];
        const int filter = line[0];
        unsigned char* x = line + 1;
        const unsigned char* up = row == 0 ? zero_row.data() : x - (row_bytes + 1);
        for (std::size_t i = 0; i < row_bytes; ++i) {
            const int left = i >= std::size_t(pixel_bytes) ? x[i - pixel_bytes] : 0;
            const int up_left = i >= std::size_t(pixel_bytes) ? up[i - pixel_bytes] : 0;
            int predicted = 0;
            switch (filter) {
            case 0:
                break;
            case 1:
                predicted = left;
                break;
            case 2:
                predicted = up[i];
                break;
            case 3:
                predicted = (left + up[i]) / 2;
                break;
            case 4:
                predicted = paeth(left, up[i], up_left);
                break;
            default:
                bad_row = row;
                return false;
            }
            x[i] = static_cast<unsigned char>(x[i] + predicted);
        }
    }
    return true;
}

constexpr std::size_t INFLATE_STEP = std::size_t{1} << 20;

// A zlib stream being inflated, ended with its owner.
struct Inflater {
    z_stream stream{};
    bool started = inflateInit(&stream) == Z_OK;
    ~Inflater()
    {
        if (started) {
            inflateEnd(&stream);
        }
    }
};

// Inflates exactly size bytes; false when the data is damaged or of another size. The output
// grows with what the data really holds, so a small file declaring a large picture makes no
// large buffer.
bool inflate_exactly(const std::vector<unsigned char>& packed, std::vector<unsigned char>& raw, std::size_t size)
{
    Inflater inflater;
    z_stream& stream = inflater.stream;
    if (!inflater.started) {
        return false;
    }
    stream.next_in = const_cast<unsigned char*>(packed.data());
    stream.avail_in = static_cast<uInt>(packed.size());
    raw.clear();
    int result = Z_OK;
    // One byte more than size shows data beyond it.
    while (result == Z_OK && raw.size() <= size) {
        const std::size_t done = raw.size();
        raw.resize(std::min(size + 1, done + INFLATE_STEP));
        stream.next_out = raw.data() + done;
        stream.avail_out = static_cast<uInt>(raw.size() - done);
        result = inflate(&stream, Z_NO_FLUSH);
        raw.resize(raw.size() - stream.avail_out);
        if (raw.size() == done && result == Z_OK) {
            break;  // no progress: the data ends early
        }
    }
    return result == Z_STREAM_END && raw.size() == size;
}

// What the chunks hold, pointing into the file's bytes.
struct Chunks {
    const unsigned char* header = nullptr;       // IHDR's 13 bytes
    const unsigned char* transparent = nullptr;  // the RGB colour tRNS makes transparent
    std::vector<unsigned char> packed;           // the IDATs' data, joined
};

// Walks the chunks from the signature to IEND, checking each one's length and check sum and
// that the header comes first and is one the decoder reads; false with problem set otherwise.
bool walk_chunks(const unsigned char* file, std::size_t size, Chunks& chunks, std::string& problem)
{
    for (std::size_t at = sizeof SIGNATURE;;) {
        if (size - at < 12) {
            problem = "it is cut short";
            return false;
        }
        const std::uint32_t length = get_u32(&file[at]);
        const std::string type(reinterpret_cast<const char*>(&file[at + 4]), 4);
        if (length > LARGEST_CHUNK || size - at - 12 < length) {
            problem = "it is cut short";
            return false;
        }
        const unsigned char* data = &file[at + 8];
        const uLong crc = crc32(crc32(0L, Z_NULL, 0), &file[at + 4], length + 4);
        if (crc != get_u32(data + length)) {
            problem = "it is damaged: chunk " + type + " fails its check";
            return false;
        }
        if ((type == "IHDR") != (chunks.header == nullptr)) {
            problem = "it is damaged: the header is not the first chunk";
            return false;
        }
        if (type == "IHDR") {
            if (length != 13) {
                problem = "it is damaged: the header is " + std::to_string(length) + " bytes long";
                return false;
            }
            chunks.header = data;
            problem = header_problem(data);
            if (!problem.empty()) {
                return false;
            }
        } else if (type == "IDAT") {
            chunks.packed.insert(chunks.packed.end(), data, data + length);
        } else if (type == "IEND") {
            return true;
        } else if (type == "tRNS") {
            // An RGB picture may name one colour as transparent; an RGBA one has its alpha already.
            if (chunks.header[9] != COLOUR_TYPE_RGB || length != 6) {
                problem = "it is damaged: its tRNS chunk does not fit its colours";
                return false;
            }
            chunks.transparent = data;
        } else if (type[0] >= 'A' && type[0] <= 'Z' && type != "PLTE") {
            problem = "it holds a chunk " + type + " that is not understood";
            return false;
        }
        at += 12 + std::size_t{length};
    }
}

// Inflates and unfilters the image data and turns it into 0xAARRGGBB pixels.
std::optional<Picture> decode_pixels(const Chunks& chunks, std::string& problem)
{
    const unsigned char* header = chunks.header;
    const unsigned char* transparent = chunks.transparent;
    Picture picture;
    const std::uint32_t width = get_u32(header);
    const std::uint32_t height = get_u32(header + 4);
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    const int pixel_bytes = header[9] == COLOUR_TYPE_RGBA ? 4 : 3;
    const std::size_t row_bytes = std::size_t{width} * pixel_bytes;
    std::vector<unsigned char> raw;
    if (chunks.packed.empty() || !inflate_exactly(chunks.packed, raw, (row_bytes + 1) * height)) {
        problem = "it is damaged: its image data is missing, broken or of the wrong size";
        return std::nullopt;
    }
    int bad_row = 0;
    if (!unfilter(raw, row_bytes, picture.height, pixel_bytes, bad_row)) {
        problem = "it is damaged: row " + std::to_string(bad_row) + " has an unknown filter type";
        return std::nullopt;
    }

    picture.pixels.reserve(std::size_t{width} * height);
    for (std::uint32_t row = 0; row < height; ++row) {
        const unsigned char* x = &raw[row * (row_bytes + 1) + 1];
        for (std::uint32_t column = 0; column < width; ++column, x += pixel_bytes) {
            std::uint32_t alpha = pixel_bytes == 4 ? x[3] : 0xFF;
            // Each of the key's samples is 16 bits, of which an 8-bit picture uses the low byte.
            if (transparent && transparent[0] == 0 && transparent[1] == x[0] && transparent[2] == 0 &&
                transparent[3] == x[1] && transparent[4] == 0 && transparent[5] == x[2]) {
                alpha = 0;
            }
            picture.pixels.push_back(alpha << 24 | std::uint32_t{x[0]} << 16 | std::uint32_t{x[1]} << 8 | x[2]);
        }
    }
    return picture;
}

}  // namespace

std::optional<Picture> decode_png(const std::string& bytes, std::string& problem)
{
    const auto* file = reinterpret_cast<const unsigned char*>(bytes.data());
    if (bytes.size() < sizeof SIGNATURE || std::memcmp(file, SIGNATURE, sizeof SIGNATURE) != 0) {
        problem = "it is not a PNG file";
        return std::nullopt;
    }
    Chunks chunks;
    if (!walk_chunks(file, bytes.size(), chunks, problem)) {
        return std::nullopt;
    }
    return decode_pixels(chunks, problem);
}

std::optional<Picture> read_png(const std::string& path, std::string& problem)
{
    const std::optional<std::string> bytes = read_input_file(path, problem);
    return bytes ? decode_png(*bytes, problem) : std::nullopt;
}

}  // namespace tavro
