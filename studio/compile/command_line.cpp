#include "command_line.h"

namespace tavro::studio {

std::vector<std::string> split_logged_command(std::string_view line)
{
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < line.size()) {
        if (line[at] == ' ') {
            ++at;
            continue;
        }
        std::string word;
        if (line[at] == '"') {
            for (++at; at < line.size() && line[at] != '"'; ++at) {
                if (line[at] == '\\' && at + 1 < line.size() && line[at + 1] == '"') {
                    ++at;
                }
                word += line[at];
            }
            ++at;
        } else {
            const std::size_t end = std::min(line.find(' ', at), line.size());
            word = line.substr(at, end - at);
            at = end;
        }
        words.push_back(std::move(word));
    }
    return words;
}

std::vector<std::vector<std::string>> logged_commands(std::string_view log)
{
    constexpr std::string_view marker = "successfully executed ";
    std::vector<std::vector<std::string>> commands;
    std::size_t start = 0;
    while (start < log.size()) {
        const std::size_t end = std::min(log.find('\n', start), log.size());
        const std::string_view line = log.substr(start, end - start);
        const std::size_t found = line.find(marker);
        if (found != std::string_view::npos) {
            commands.push_back(split_logged_command(line.substr(found + marker.size())));
        }
        start = end + 1;
    }
    return commands;
}

std::vector<std::string> split_flags(std::string_view flags)
{
    std::vector<std::string> words;
    std::string word;
    for (std::size_t at = 0; at < flags.size(); ++at) {
        const char c = flags[at];
        if (c == '\\' && at + 1 < flags.size()) {
            word += flags[++at];
        } else if (c == ' ' || c == '\n' || c == '\t') {
            if (!word.empty()) {
                words.push_back(std::move(word));
                word.clear();
            }
        } else {
            word += c;
        }
    }
    if (!word.empty()) {
        words.push_back(std::move(word));
    }
    return words;
}

}  // namespace tavro::studio
