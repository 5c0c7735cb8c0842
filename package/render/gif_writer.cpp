#include "gif_writer.h"

#include "colours.h"
#include <tavro/display.h>
#include "platform.h"

#include <gif_lib.h>

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>
#include <climits>

namespace {

constexpr int PALETTE_SIZE = 32;  // a power of two that holds the 24 colours

struct Rect {
    int left;
    int top;
    int right;   // exclusive
    int bottom;  // exclusive
};

}  // namespace

struct GifWriter::File {
    GifFileType* gif = nullptr;
    ~File()
    {
        if (gif) {
            int error = 0;
            EGifCloseFile(gif, &error);
        }
    }
};

std::uint8_t palette_index(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    int best = 0;
    int best_distance = INT_MAX;
    for (int i = 0; i < COLOUR_COUNT; ++i) {
        const int dr = r - colour_values[i].r;
        const int dg = g - colour_values[i].g;
        const int db = b - colour_values[i].b;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < best_distance) {
            best = i;
            best_distance = distance;
            if (distance == 0) {
                break;
            }
        }
    }
    return static_cast<std::uint8_t>(best);
}

GifWriter::GifWriter(const std::string& path, int width, int height, int delay_centiseconds)
    : file_(std::make_unique<File>()), width_(width), height_(height), delay_(delay_centiseconds)
{
    int error = 0;
    const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (descriptor < 0) {
        return;
    }
    file_->gif = EGifOpenFileHandle(descriptor, &error);  // owns the descriptor from here on
    if (!file_->gif) {
        ::close(descriptor);
        return;
    }
    GifColorType colours[PALETTE_SIZE] = {};
    for (int i = 0; i < COLOUR_COUNT; ++i) {
        colours[i] = {colour_values[i].r, colour_values[i].g, colour_values[i].b};
    }
    ColorMapObject* map = GifMakeMapObject(PALETTE_SIZE, colours);
    failed_ = !map || EGifPutScreenDesc(file_->gif, width, height, 8, 0, map) == GIF_ERROR;
    GifFreeMapObject(map);
    // Loop for ever.
    static const GifByteType application[] = "NETSCAPE2.0";
    static const GifByteType loop[] = {1, 0, 0};
    failed_ = failed_ || EGifPutExtensionLeader(file_->gif, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
              EGifPutExtensionBlock(file_->gif, 11, application) == GIF_ERROR ||
              EGifPutExtensionBlock(file_->gif, 3, loop) == GIF_ERROR ||
              EGifPutExtensionTrailer(file_->gif) == GIF_ERROR;
}

GifWriter::~GifWriter() = default;

bool GifWriter::is_open() const { return file_->gif && !failed_; }

bool GifWriter::add_frame(const tavro::Canvas& canvas)
{
    if (!is_open()) {
        return false;
    }
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width_) * height_);
    // Neighbouring pixels mostly share a colour: look each run up once.
    tavro::Rgb last = canvas.pixel(0, 0);
    std::uint8_t last_index = palette_index(last.r, last.g, last.b);
    for (int row = 0; row < height_; ++row) {
        for (int column = 0; column < width_; ++column) {
            const tavro::Rgb c = canvas.pixel(column, row);
            if (c != last) {
                last = c;
                last_index = palette_index(c.r, c.g, c.b);
            }
            pixels[static_cast<std::size_t>(row) * width_ + column] = last_index;
        }
    }
    Rect changed{0, 0, width_, height_};
    if (!previous_.empty()) {
        changed = {width_, height_, 0, 0};
        for (int row = 0; row < height_; ++row) {
            for (int column = 0; column < width_; ++column) {
                const std::size_t at = static_cast<std::size_t>(row) * width_ + column;
                if (pixels[at] != previous_[at]) {
                    changed.left = std::min(changed.left, column);
                    changed.right = std::max(changed.right, column + 1);
                    changed.top = std::min(changed.top, row);
                    changed.bottom = std::max(changed.bottom, row + 1);
                }
            }
        }
        if (changed.left >= changed.right) {
            changed = {0, 0, 1, 1};  // nothing moved: one pixel keeps the frame's time
        }
    }
    GraphicsControlBlock control{DISPOSE_DO_NOT, false, delay_, NO_TRANSPARENT_COLOR};
    GifByteType extension[4];
    const std::size_t length = EGifGCBToExtension(&control, extension);
    const int w = changed.right - changed.left;
    const int h = changed.bottom - changed.top;
    failed_ = EGifPutExtension(file_->gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) ==
                  GIF_ERROR ||
              EGifPutImageDesc(file_->gif, changed.left, changed.top, w, h, false, nullptr) == GIF_ERROR;
    for (int row = changed.top; row < changed.bottom && !failed_; ++row) {
        GifPixelType* line = &pixels[static_cast<std::size_t>(row) * width_ + changed.left];
        failed_ = EGifPutLine(file_->gif, line, w) == GIF_ERROR;
    }
    previous_ = std::move(pixels);
    ++frames_;
    return !failed_;
}

bool GifWriter::close()
{
    if (!file_->gif) {
        return false;
    }
    int error = 0;
    const bool closed = EGifCloseFile(file_->gif, &error) != GIF_ERROR;
    file_->gif = nullptr;
    return closed && !failed_;
}
