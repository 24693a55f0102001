#include "cli/cli_run.h"

#include "cli/cli_options.h"
#include "cli/cli_output.h"
#include "cli/cli_tables.h"
#include "cli/cli_view.h"
#include "command/calculate_command.h"
#include "core/level_table.h"
#include "platform/level_table_source.h"
#include "platform/program_folder.h"
#include "quorvane_version.h"

namespace quorvane::cli {

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const ParseResult parsed = ParseArguments(args);
  switch (parsed.action) {
    case ParseAction::Help: out << HelpText() << std::flush; return out ? kExitResults : kExitMessage;
    case ParseAction::Version:
      out << "quorvane-cli " << kVersionText << std::endl;
      return out ? kExitResults : kExitMessage;
    case ParseAction::UsageError:
      err << "quorvane-cli: " << parsed.error << "\n" << UsageText() << "Try 'quorvane-cli --help'.\n";
      return kExitUsage;
    case ParseAction::Run: break;
  }

  const CliOptions& options = parsed.options;
  const std::string tablePath = options.table.value_or(DefaultLevelTablePath());
  const LevelTableFile table{tablePath, LevelTableShownPath(tablePath)};
  int status = kExitResults;
  if (options.mode == CliMode::Plan) {
    if (WritePlan(out, err, err, options, table) != CalculateOutcome::Results) status = kExitMessage;
  } else if (options.mode == CliMode::Steps) {
    if (WriteSteps(out, err, err, options, table) != CalculateOutcome::Results) return kExitMessage;
  } else if (options.mode == CliMode::Compare) {
    if (WriteComparison(out, err, options, table) != CalculateOutcome::Results) status = kExitMessage;
  } else {
    CliView view(options, err, err);
    const CalculateReport report = RunCalculate(view, table);
    if (report.outcome != CalculateOutcome::Results) return kExitMessage;
    switch (options.format) {
      case CliFormat::Text: WriteResultLines(out, options, *report.results); break;
      case CliFormat::Json: WriteResultJson(out, options, *report.results); break;
      case CliFormat::Csv: WriteResultCsv(out, options, *report.results); break;
    }
  }
  out.flush();
  if (!out) {
    err << "quorvane-cli: the results could not be written to standard output.\n";
    return kExitMessage;
  }
  return status;
}

}  // namespace quorvane::cli
