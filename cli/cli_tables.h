#pragma once

#include <ostream>
#include <string>

#include "cli/cli_options.h"
#include "command/calculate_command.h"

namespace quorvane::cli {

// The plan: a search for every level from the next one up to the target, one row each (level,
// scalps needed, scalps more than the row before). A message that ends the plan goes to
// `messages` after the rows found before it are written to `out`.
CalculateOutcome WritePlan(std::ostream& out, std::ostream& messages, std::ostream& progress, const CliOptions& options,
                           const LevelTableFile& levelTable);

// The comparison: the projection of the scalps owned for every way of handing them in, one row
// each, exactly as the command projects them one at a time. When every way ends with the same
// message (the input is refused) only that message is written; otherwise a way that ends with a
// message shows it in its row, and the message also goes to `messages`, each message once.
// Results only when no way ended with a message.
// The hand-in steps behind the results of one press (StepsTable), or its message to `messages`.
CalculateOutcome WriteSteps(std::ostream& out, std::ostream& messages, std::ostream& progress,
                            const CliOptions& options, const LevelTableFile& levelTable);

CalculateOutcome WriteComparison(std::ostream& out, std::ostream& messages, const CliOptions& options,
                                 const LevelTableFile& levelTable);

}  // namespace quorvane::cli
