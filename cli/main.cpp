// quorvane-cli: the Calculate command in a terminal, with options standing for the window's
// controls.

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_output.h"
#include "cli/cli_tables.h"
#include "cli/cli_view.h"
#include "core/level_table.h"
#include "platform/level_table_source.h"
#include "platform/program_folder.h"
#include "command/calculate_command.h"
#include "quorvane_version.h"

#if defined(_WIN32)
#include "cli/windows_console.h"
#include "core/utf16.h"
#endif

namespace {

constexpr int kExitResults = 0;
constexpr int kExitMessage = 1;
constexpr int kExitUsage = 2;

int Run(const std::vector<std::string>& args) {
  using namespace quorvane;
  using namespace quorvane::cli;

  const ParseResult parsed = ParseArguments(args);
  switch (parsed.action) {
    case ParseAction::Help: std::cout << HelpText() << std::flush; return std::cout ? kExitResults : kExitMessage;
    case ParseAction::Version:
      std::cout << "quorvane-cli " << kVersionText << std::endl;
      return std::cout ? kExitResults : kExitMessage;
    case ParseAction::UsageError:
      std::cerr << "quorvane-cli: " << parsed.error << "\n" << UsageText() << "Try 'quorvane-cli --help'.\n";
      return kExitUsage;
    case ParseAction::Run: break;
  }

  const CliOptions& options = parsed.options;
  const std::string tablePath = options.table.value_or(DefaultLevelTablePath());
  const LevelTableFile table{tablePath, LevelTableShownPath(tablePath)};
  int status = kExitResults;
  if (options.mode == CliMode::Plan) {
    if (WritePlan(std::cout, std::cerr, std::cerr, options, table) != CalculateOutcome::Results) status = kExitMessage;
  } else if (options.mode == CliMode::Steps) {
    if (WriteSteps(std::cout, std::cerr, std::cerr, options, table) != CalculateOutcome::Results) return kExitMessage;
  } else if (options.mode == CliMode::Compare) {
    if (WriteComparison(std::cout, std::cerr, options, table) != CalculateOutcome::Results) status = kExitMessage;
  } else {
    CliView view(options, std::cerr, std::cerr);
    const CalculateReport report = RunCalculate(view, table);
    if (report.outcome != CalculateOutcome::Results) return kExitMessage;
    switch (options.format) {
      case CliFormat::Text: WriteResultLines(std::cout, options, *report.results); break;
      case CliFormat::Json: WriteResultJson(std::cout, options, *report.results); break;
      case CliFormat::Csv: WriteResultCsv(std::cout, options, *report.results); break;
    }
  }
  std::cout.flush();
  if (!std::cout) {
    std::cerr << "quorvane-cli: the results could not be written to standard output.\n";
    return kExitMessage;
  }
  return status;
}

}  // namespace

#if defined(_WIN32)
// The arguments in UTF-16: Windows gives main() narrow ones in the ANSI code page, where a
// --table path outside it is lost.
int wmain(int argc, wchar_t** argv) {
  const quorvane::cli::ConsoleText console;
  try {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(quorvane::Utf8(argv[i]));
    return Run(args);
  } catch (const std::exception& e) {
    std::cerr << "quorvane-cli: " << e.what() << '\n';
    return kExitMessage;
  }
}
#else
int main(int argc, char** argv) {
  try {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& e) {
    std::cerr << "quorvane-cli: " << e.what() << '\n';
    return kExitMessage;
  }
}
#endif
