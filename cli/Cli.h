// huewright-cli: the palette library and its checks on the command line. Exit status 0 on success,
// 1 when `check` finds a palette that fails, 2 for a usage error or a file that cannot be read.
#pragma once

#include <iosfwd>
#include <span>
#include <string>

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitCheckFailed = 1;
inline constexpr int kExitError = 2;

// `args` excludes the program name.
int RunCli(std::span<const std::string> args, std::ostream& out, std::ostream& err);
