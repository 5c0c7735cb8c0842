// Command lines as em++ logs them (EMCC_DEBUG=1) and as pkg-config prints flags.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavro::studio {

// The words of a command em++ logged: an argument with a space is in double quotes, its own
// double quotes escaped with a backslash.
std::vector<std::string> split_logged_command(std::string_view line);

// Every command em++ logged as run successfully, in order.
std::vector<std::vector<std::string>> logged_commands(std::string_view log);

// pkg-config's flags: words split at spaces, a backslash escaping the next character.
std::vector<std::string> split_flags(std::string_view flags);

}  // namespace tavro::studio
