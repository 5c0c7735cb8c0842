// The outputs of a headless run: the last frame as a PNG, the frames as a GIF, the log.
#pragma once

#include "render/gif_writer.h"
#include "render/render_options.h"
#include "render/scratch_files.h"

#include <fstream>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

namespace tavro {

class Canvas;

// A file is written beside its name's target and renamed onto it only once complete, so a
// failed run leaves no partial file; a stream (a pipe, a terminal, a device) is written
// straight into; the log may go to standard output.
class RenderOutputs {
public:
    // Opens each output asked for; on failure names it and the reason on errors.
    bool open(const RenderOptions& options, std::ostream& standard_output, const std::string& prefix,
              std::ostream& errors);

    GifWriter* gif() { return gif_writer_.get(); }
    bool logs() const { return log_stream_ != nullptr; }
    // Appends line and a newline to the log: to a file in large blocks, to a stream at once, so
    // that it keeps its place among the program's own output there.
    void log_line(std::string_view line);
    // True when an output goes to standard output or another stream, where a report would mix in.
    bool writes_a_stream() const { return writes_a_stream_; }

    // Closes every output file unfinished, so that the process can end at once and its exit
    // remove them (Windows removes no open file).
    void abandon();

    // Finishes each output from the last frame and, only when all are complete, puts the files in
    // place. Adds ", wrote NAME" to written for each; names each that failed and why on errors.
    // False when any failed, every earlier file under an output's name then left as it was.
    bool commit(const tavro::Canvas& last_frame, const std::string& prefix, std::string& written, std::ostream& errors);

private:
    struct Output {
        std::string name;                  // for messages: absolute, as given
        std::unique_ptr<OutputFile> file;  // a file replaced whole; none for a stream
        std::string path() const { return file ? file->temporary_path() : name; }
    };

    bool open_output(const std::string& given, Output& output, std::string& reason);
    // Names output on errors when it is not complete; returns whether it is.
    static bool finished(const Output& output, bool complete, const std::string& prefix, std::ostream& errors);
    // Renames a complete file into place, adding ", wrote NAME" to written.
    static bool put_in_place(const Output& output, const std::string& prefix, std::string& written,
                             std::ostream& errors);

    Output png_;
    Output gif_;
    Output log_;
    std::unique_ptr<GifWriter> gif_writer_;
    void flush_log();

    static constexpr std::size_t LOG_BUFFER_SIZE = 1 << 20;
    std::unique_ptr<char[]> log_buffer_;
    std::size_t log_buffered_ = 0;
    std::ofstream log_file_;
    std::ostream* log_stream_ = nullptr;
    bool writes_a_stream_ = false;
};

}  // namespace tavro
