#include "diagnostics.h"

#include <optional>

namespace tavro::studio {

namespace {

struct Located {
    std::string file;
    int line = 0;
    int column = 0;
    std::string kind;  // error, fatal error, warning, note
    std::string message;
};

// "file:line:column: kind: message"
std::optional<Located> locate(std::string_view text)
{
    for (const std::string_view kind : {"fatal error", "error", "warning", "note"}) {
        const std::string marker = ": " + std::string(kind) + ": ";
        const std::size_t at = text.find(marker);
        if (at == std::string_view::npos) {
            continue;
        }
        const std::string_view place = text.substr(0, at);
        const std::size_t second = place.rfind(':');
        if (second == std::string_view::npos) {
            continue;
        }
        const std::size_t first = place.rfind(':', second - 1);
        if (first == std::string_view::npos || second == 0) {
            continue;
        }
        try {
            Located located;
            located.file = std::string(place.substr(0, first));
            located.line = std::stoi(std::string(place.substr(first + 1, second - first - 1)));
            located.column = std::stoi(std::string(place.substr(second + 1)));
            located.kind = std::string(kind);
            located.message = std::string(text.substr(at + marker.size()));
            return located;
        } catch (const std::exception&) {
            continue;
        }
    }
    return std::nullopt;
}

std::string last_part(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string without_paths(std::string line, const std::vector<std::string>& folders)
{
    for (const std::string& folder : folders) {
        std::size_t at = 0;
        while ((at = line.find(folder, at)) != std::string::npos) {
            std::size_t end = at;
            while (end < line.size() && line[end] != ' ' && line[end] != ':' && line[end] != '\'' && line[end] != '"' &&
                   line[end] != ')' && line[end] != ',') {
                ++end;
            }
            const std::string shown = "<" + last_part(line.substr(at, end - at)) + ">";
            line.replace(at, end - at, shown);
            at += shown.size();
        }
    }
    return line;
}

std::vector<Diagnostic> parse_diagnostics(std::string_view output, std::string_view file_name)
{
    std::vector<Diagnostic> diagnostics;
    Located header_error;  // waits for the student's line that led to it
    bool waiting = false;
    const auto place_header_error = [&](int line, int column) {
        const std::string file = last_part(header_error.file);
        const std::string shown = file.empty() || file[0] == '<' ? file : "<" + file + ">";
        diagnostics.push_back({line, column, header_error.kind + " in " + shown + ": " + header_error.message});
        waiting = false;
    };
    std::size_t start = 0;
    while (start < output.size()) {
        const std::size_t end = std::min(output.find('\n', start), output.size());
        const std::optional<Located> located = locate(output.substr(start, end - start));
        start = end + 1;
        if (!located) {
            continue;
        }
        const bool own = located->file == file_name;
        const bool problem = located->kind == "error" || located->kind == "fatal error";
        if (waiting && (problem || own)) {
            problem ? place_header_error(1, 1) : place_header_error(located->line, located->column);
            if (!problem) {
                continue;
            }
        }
        if (own) {
            diagnostics.push_back({located->line, located->column, located->kind + ": " + located->message});
        } else if (problem) {
            header_error = *located;
            waiting = true;
        }
    }
    if (waiting) {
        place_header_error(1, 1);
    }
    return diagnostics;
}

}  // namespace tavro::studio
