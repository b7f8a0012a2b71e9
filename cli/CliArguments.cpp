#include "cli/CliArguments.h"

std::optional<std::string> CliArguments::Value(const std::string& option) const {
    const auto found = values.find(option);
    if (found == values.end() || found->second.empty()) {
        return std::nullopt;
    }
    return found->second.back();
}

bool ParseCliArguments(std::span<const std::string> args, const CliOptionKinds& known, CliArguments& parsed,
                       std::string& problem) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            parsed.plain.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::optional<std::string> value;
        if (const auto equals = arg.find('='); arg.starts_with("--") && equals != std::string::npos) {
            value = arg.substr(equals + 1);
            arg.resize(equals);
        }
        if (known.flags.count(arg) && !value) {
            parsed.flags.insert(arg);
        } else if (known.withValue.count(arg)) {
            if (!value && i + 1 == args.size()) {
                problem = "The option " + arg + " needs a value.";
                return false;
            }
            parsed.values[arg].push_back(value ? *value : args[++i]);
        } else {
            problem = "There is no option " + arg + ".";
            return false;
        }
    }
    return true;
}
