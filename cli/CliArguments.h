// A subcommand's arguments: its options (each either a flag or one that takes a value, possibly
// given more than once) and the plain arguments between them.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

struct CliArguments {
    std::vector<std::string> plain;
    std::map<std::string, std::vector<std::string>> values;
    std::set<std::string> flags;

    bool Has(const std::string& flag) const { return flags.count(flag) != 0; }
    // The last value given for `option`, if any.
    std::optional<std::string> Value(const std::string& option) const;
};

struct CliOptionKinds {
    std::set<std::string> withValue;
    std::set<std::string> flags;
};

// False, with the sentence that says why in `problem`, for an unknown option or a missing value.
// "--option=value" is read as "--option value"; "--" ends the options.
bool ParseCliArguments(std::span<const std::string> args, const CliOptionKinds& known, CliArguments& parsed,
                       std::string& problem);
