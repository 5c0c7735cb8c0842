// Text files read line by line: an answers file, a transcript.
#pragma once

#include <string>
#include <vector>

namespace tavro {

// The lines of text without their line feeds; a last line without one counts, and a carriage
// return ending a line (a line end written on Windows) is no part of it.
inline std::vector<std::string> split_lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

}  // namespace tavro
