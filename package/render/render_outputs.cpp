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

bool RenderOutputs::finished(const Output& output, bool complete, const std::string& prefix, std::ostream& errors)
{
    if (!complete) {
        errors << prefix << "cannot write " << output.name << ": " << last_reason() << '\n';
    }
    return complete;
}

bool RenderOutputs::put_in_place(const Output& output, const std::string& prefix, std::string& written,
                                 std::ostream& errors)
{
    std::string reason;
    if (output.file && !output.file->commit(reason)) {
        errors << prefix << "cannot write " << output.name << ": " << reason << '\n';
        return false;
    }
    written += ", wrote " + output.name;
    return true;
}

void RenderOutputs::log_line(std::string_view line)
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

bool RenderOutputs::commit(const Canvas& last_frame, const std::string& prefix, std::string& written,
                           std::ostream& errors)
{
    // Every output is finished first; none is put in place unless all are complete, so that a
    // failed run leaves each earlier output as it was.
    bool complete = true;
    if (!png_.name.empty()) {
        errno = 0;
        const bool png_complete = write_png(png_.path(), last_frame.pixel_rows(), 0, 0, CLIENT_WIDTH, CLIENT_HEIGHT);
        complete = finished(png_, png_complete, prefix, errors) && complete;
    }
    if (gif_writer_) {
        errno = 0;
        complete = finished(gif_, gif_writer_->close(), prefix, errors) && complete;
    }
    if (log_stream_ == &log_file_) {
        errno = 0;
        flush_log();
        log_file_.close();
        complete = finished(log_, !log_file_.fail(), prefix, errors) && complete;
    } else if (log_stream_) {
        errno = 0;
        log_stream_->flush();
        if (log_stream_->fail()) {
            errors << prefix << "cannot write the log to standard output: " << last_reason() << '\n';
            complete = false;
        }
    }
    if (!complete) {
        return false;
    }
    for (const Output* output : {&png_, &gif_, &log_}) {
        if (!output->name.empty() && !put_in_place(*output, prefix, written, errors)) {
            return false;
        }
    }
    if (log_stream_ && log_stream_ != &log_file_) {
        written += ", wrote the log to standard output";
    }
    return true;
}

}  // namespace tavro
