#include "render/render_outputs.h"

#include "hosts/headless/headless_host.h"
#include "render/output_target.h"
#include "render/png_writer.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace tavro {

namespace fs = std::filesystem;

namespace {

constexpr int CENTISECONDS_PER_TICK = 10;

// The reason of the last failed call, when it left one.
std::string last_reason() { return errno != 0 ? std::strerror(errno) : "write failed"; }

}  // namespace

bool RenderOutputs::open_output(const std::string& given, Output& output, std::string& reason)
{
    // Absolute, as the report names it: the program may change its working folder.
    output.name = fs::absolute(given).string();
    const std::optional<OutputTarget> target = output_target(output.name, reason);
    if (!target) {
        return false;
    }
    if (target->kind == OutputTarget::Kind::stream) {
        writes_a_stream_ = true;
        return true;
    }
    output.file = std::make_unique<OutputFile>(target->path);
    return output.file->create(reason);
}

bool RenderOutputs::open(const RenderOptions& options, std::ostream& standard_output, const std::string& prefix,
                         std::ostream& errors)
{
    std::string reason;
    errno = 0;
    const auto failed = [&](const Output& output) {
        errors << prefix << "cannot write " << output.name << ": " << (reason.empty() ? last_reason() : reason) << '\n';
        return false;
    };
    if (!options.png.empty() && !open_output(options.png, png_, reason)) {
        return failed(png_);
    }
    if (!options.gif.empty()) {
        if (!open_output(options.gif, gif_, reason)) {
            return failed(gif_);
        }
        gif_writer_ = std::make_unique<GifWriter>(gif_.path(), tavro::CLIENT_WIDTH, tavro::CLIENT_HEIGHT,
                                                  static_cast<int>(options.gif_every * CENTISECONDS_PER_TICK));
        if (!gif_writer_->is_open()) {
            return failed(gif_);
        }
    }
    if (options.log == RENDER_STANDARD_OUTPUT) {
        log_stream_ = &standard_output;
        writes_a_stream_ = true;
    } else if (!options.log.empty()) {
        if (!open_output(options.log, log_, reason)) {
            return failed(log_);
        }
        // Large blocks: a logged run writes millions of short lines.
        log_buffer_ = std::make_unique<char[]>(LOG_BUFFER_SIZE);
        log_file_.open(log_.path());
        if (!log_file_.is_open()) {
            return failed(log_);
        }
        log_stream_ = &log_file_;
    }
    return true;
}

bool RenderOutputs::finish(const Output& output, bool complete, const std::string& prefix, std::string& written,
                           std::ostream& errors) const
{
    std::string reason = last_reason();
    if (complete && (!output.file || output.file->commit(reason))) {
        written += ", wrote " + output.name;
        return true;
    }
    errors << prefix << "cannot write " << output.name << ": " << reason << '\n';
    return false;
}

void RenderOutputs::log_line(const std::string& line)
{
    if (!log_buffer_) {
        *log_stream_ << line << '\n';
        return;
    }
    if (log_buffered_ + line.size() + 1 > LOG_BUFFER_SIZE) {
        flush_log();
        if (line.size() + 1 > LOG_BUFFER_SIZE) {
            *log_stream_ << line << '\n';
            return;
        }
    }
    char* end = log_buffer_.get() + log_buffered_;
    std::memcpy(end, line.data(), line.size());
    end[line.size()] = '\n';
    log_buffered_ += line.size() + 1;
}

void RenderOutputs::flush_log()
{
    log_stream_->write(log_buffer_.get(), static_cast<std::streamsize>(log_buffered_));
    log_buffered_ = 0;
}

void RenderOutputs::abandon()
{
    log_file_.close();
    gif_writer_.reset();
}

bool RenderOutputs::commit(const tavro::Canvas& last_frame, const std::string& prefix, std::string& written,
                           std::ostream& errors)
{
    bool all_written = true;
    if (!png_.name.empty()) {
        errno = 0;
        const bool complete =
            write_png(png_.path(), last_frame.pixel_rows(), 0, 0, tavro::CLIENT_WIDTH, tavro::CLIENT_HEIGHT);
        all_written = finish(png_, complete, prefix, written, errors) && all_written;
    }
    if (gif_writer_) {
        errno = 0;
        const bool complete = gif_writer_->close();
        all_written = finish(gif_, complete, prefix, written, errors) && all_written;
    }
    if (log_stream_ == &log_file_) {
        errno = 0;
        flush_log();
        log_file_.close();
        all_written = finish(log_, !log_file_.fail(), prefix, written, errors) && all_written;
    } else if (log_stream_) {
        errno = 0;
        log_stream_->flush();
        if (log_stream_->fail()) {
            errors << prefix << "cannot write the log to standard output: " << last_reason() << '\n';
            all_written = false;
        } else {
            written += ", wrote the log to standard output";
        }
    }
    return all_written;
}

}  // namespace tavro
