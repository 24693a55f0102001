#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace quorvane::cli {

// The exit statuses of quorvane-cli.
constexpr int kExitResults = 0;
constexpr int kExitMessage = 1;
constexpr int kExitUsage = 2;

// What quorvane-cli does for the arguments after its name: the results (or the help, the version)
// go to `out`, the command's messages, the usage and the Working window's captions to `err`.
// Returns the exit status.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace quorvane::cli
