#pragma once

#include <ostream>

#include "cli/cli_options.h"
#include "cli/cli_view.h"

namespace quorvane::cli {

// The result labels the window shows for the chosen options, in the window's order, one
// "Caption: value" line each, the values as the Calculate command wrote them.
void WriteResultLines(std::ostream& out, const CliOptions& options, const CliView& view);

// The same results as one JSON object: camel-case names and plain numbers (the grouped XP
// captions read back without their "." separators, the gold in millions of gp).
void WriteResultJson(std::ostream& out, const CliOptions& options, const CliView& view);

}  // namespace quorvane::cli
