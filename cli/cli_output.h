#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "command/calculate_command.h"
#include "command/result_tables.h"

namespace quorvane::cli {

// The result labels the window shows for the chosen options, in the window's order, one
// "Caption: value" line each, the values as the window shows them; then, with any item owned,
// the lines "Copy Results" adds for them.
void WriteResultLines(std::ostream& out, const CliOptions& options, const CalculateResults& results);

// The same results as one JSON object: camel-case names and plain numbers (the XP without
// separators, the gold in millions of gp), with any item owned the four counts after them
// (macesOwned, beltsOwned, booksOwned, ringsOwned).
void WriteResultJson(std::ostream& out, const CliOptions& options, const CalculateResults& results);

// The same results as CSV: a header line of the JSON names, then a line of their values.
void WriteResultCsv(std::ostream& out, const CliOptions& options, const CalculateResults& results);

// A table of a plan or a comparison: aligned text (columns two blanks apart, a message taking
// the place of its row's values), one JSON object {"rows": [...]}, or CSV (CsvText). With a
// message column, JSON rows may carry "message".
void WriteTable(std::ostream& out, CliFormat format, const ResultTable& table);

}  // namespace quorvane::cli
