#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "command/calculate_command.h"

namespace quorvane::cli {

// The result labels the window shows for the chosen options, in the window's order, one
// "Caption: value" line each, the values as the window shows them.
void WriteResultLines(std::ostream& out, const CliOptions& options, const CalculateResults& results);

// The same results as one JSON object: camel-case names and plain numbers (the XP without
// separators, the gold in millions of gp).
void WriteResultJson(std::ostream& out, const CliOptions& options, const CalculateResults& results);

// The same results as CSV: a header line of the JSON names, then a line of their values.
void WriteResultCsv(std::ostream& out, const CliOptions& options, const CalculateResults& results);

// A table of a plan or a comparison.
struct TableColumn {
  const char* caption;  // the heading of the aligned text
  const char* name;     // the JSON and CSV name
  bool text = false;    // left-aligned and quoted in JSON; numbers are right-aligned
};
struct TableCell {
  std::string shown;  // as the aligned text shows it
  std::string plain;  // for JSON and CSV: a plain number, or the text itself
};
struct TableRow {
  std::vector<TableCell> cells;        // only the first when the row ended with a message
  std::optional<std::string> message;  // "Title: Text" in place of the row's values
};

// Aligned text (columns two blanks apart, a message taking the place of its row's values),
// one JSON object {"rows": [...]}, or CSV (a header line of the names, then one line per row).
// With `messageColumn`, JSON rows may carry "message" and CSV has a last column "message".
void WriteTable(std::ostream& out, CliFormat format, const std::vector<TableColumn>& columns,
                const std::vector<TableRow>& rows, bool messageColumn);

}  // namespace quorvane::cli
