// tavro-studio's command line: a verb, its operands and its --options.
#pragma once

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace tavro::studio {

// A bad command line: one line naming the problem (status 2).
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct VerbRules {
    std::size_t operands = 0;
    std::vector<std::string> operand_names;  // for the message when one is missing
    std::set<std::string> valued;            // --name VALUE or --name=VALUE
    std::set<std::string> flags;             // --name
};

struct CommandLine {
    std::string verb;
    std::vector<std::string> operands;
    std::map<std::string, std::string> options;  // a flag maps to ""

    bool has(const std::string& name) const { return options.count(name) != 0; }
    std::string get(const std::string& name, const std::string& otherwise) const;
};

// arguments excludes the program's name; "--help" and "--version" are verbs of their own.
CommandLine parse_command_line(const std::vector<std::string>& arguments,
                               const std::map<std::string, VerbRules>& verbs);

// A whole number in [low, high], or UsageError naming the option.
unsigned parse_count(const std::string& text, const std::string& option, unsigned low, unsigned high);
// HOST:PORT, or UsageError.
std::pair<std::string, int> parse_listen(const std::string& text);

}  // namespace tavro::studio
