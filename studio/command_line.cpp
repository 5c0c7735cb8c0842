#include "command_line.h"

namespace tavro::studio {

std::string CommandLine::get(const std::string& name, const std::string& otherwise) const
{
    auto found = options.find(name);
    return found == options.end() ? otherwise : found->second;
}

CommandLine parse_command_line(const std::vector<std::string>& arguments, const std::map<std::string, VerbRules>& verbs)
{
    if (arguments.empty()) {
        throw UsageError("no verb given: try tavro-studio --help");
    }
    CommandLine line;
    line.verb = arguments[0];
    if (line.verb == "--help" || line.verb == "-h" || line.verb == "--version") {
        if (arguments.size() > 1) {
            throw UsageError(line.verb + " takes nothing after it");
        }
        return line;
    }
    auto rules = verbs.find(line.verb);
    if (rules == verbs.end()) {
        throw UsageError("unknown verb '" + line.verb + "': try tavro-studio --help");
    }
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.rfind("--", 0) != 0 || argument == "--") {
            line.operands.push_back(argument);
            continue;
        }
        std::string name = argument.substr(2);
        std::string value;
        bool has_value = false;
        if (auto equals = name.find('='); equals != std::string::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
            has_value = true;
        }
        if (name == "help") {
            line.options["help"];
            return line;
        }
        if (line.options.count(name)) {
            throw UsageError("--" + name + " is given twice");
        }
        if (rules->second.flags.count(name)) {
            if (has_value) {
                throw UsageError("--" + name + " takes no value");
            }
            line.options[name];
        } else if (rules->second.valued.count(name)) {
            if (!has_value) {
                if (i + 1 == arguments.size()) {
                    throw UsageError("--" + name + " needs a value");
                }
                value = arguments[++i];
            }
            line.options[name] = value;
        } else {
            throw UsageError(line.verb + " has no option --" + name);
        }
    }
    const auto& wanted = rules->second;
    if (line.operands.size() < wanted.operands) {
        throw UsageError(line.verb + " needs " + wanted.operand_names.at(line.operands.size()));
    }
    if (line.operands.size() > wanted.operands) {
        throw UsageError(line.verb + " does not take '" + line.operands[wanted.operands] + "'");
    }
    return line;
}

unsigned parse_count(const std::string& text, const std::string& option, unsigned low, unsigned high)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos ||
        std::stoul(text) < low || std::stoul(text) > high) {
        throw UsageError("--" + option + " takes a whole number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not '" + text + "'");
    }
    return static_cast<unsigned>(std::stoul(text));
}

std::pair<std::string, int> parse_listen(const std::string& text)
{
    auto colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0) {
        throw UsageError("--listen takes HOST:PORT, not '" + text + "'");
    }
    return {text.substr(0, colon), static_cast<int>(parse_count(text.substr(colon + 1), "listen's port", 0, 65535))};
}

}  // namespace tavro::studio
