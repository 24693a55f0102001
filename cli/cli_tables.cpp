#include "cli/cli_tables.h"

#include <sstream>

#include "cli/cli_output.h"
#include "cli/cli_view.h"
#include "command/result_tables.h"

namespace quorvane::cli {

CalculateOutcome WritePlan(std::ostream& out, std::ostream& messages, std::ostream& progress, const CliOptions& options,
                           const LevelTableFile& levelTable) {
  // The message waits until the rows before it are written.
  std::ostringstream message;
  CliView view(options, message, progress);
  const PlanReport plan = RunPlan(view, levelTable);
  const ResultTable table = PlanTable(plan);
  if (!table.rows.empty()) WriteTable(out, options.format, table);
  out.flush();
  messages << message.str() << std::flush;
  return plan.outcome;
}

CalculateOutcome WriteSteps(std::ostream& out, std::ostream& messages, std::ostream& progress,
                            const CliOptions& options, const LevelTableFile& levelTable) {
  CliView view(options, messages, progress);
  const StepsReport report = RunSteps(view, levelTable);
  if (report.outcome == CalculateOutcome::Results) WriteTable(out, options.format, StepsTable(report));
  return report.outcome;
}

CalculateOutcome WriteComparison(std::ostream& out, std::ostream& messages, const CliOptions& options,
                                 const LevelTableFile& levelTable) {
  std::ostringstream unused;
  const CliView view(options, unused, unused);
  const Comparison comparison = RunComparison(view.read(), levelTable);
  if (!comparison.refused()) WriteTable(out, options.format, comparison.table);
  out.flush();
  for (const ShownMessage& m : comparison.distinctMessages()) messages << m.line() << '\n';
  messages.flush();
  return comparison.outcome();
}

}  // namespace quorvane::cli
