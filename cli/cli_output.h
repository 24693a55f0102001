#pragma once

#include <ostream>

#include "cli/cli_options.h"
#include "command/calculate_command.h"

namespace quorvane::cli {

// The result labels the window shows for the chosen options, in the window's order, one
// "Caption: value" line each, the values as the window shows them.
void WriteResultLines(std::ostream& out, const CliOptions& options, const CalculateResults& results);

// The same results as one JSON object: camel-case names and plain numbers (the XP without
// separators, the gold in millions of gp).
void WriteResultJson(std::ostream& out, const CliOptions& options, const CalculateResults& results);

}  // namespace quorvane::cli
