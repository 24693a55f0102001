#pragma once

// The plan and the comparison as tables: their columns, their rows with each value as shown and
// as a plain number, and their CSV and tab-separated text. The command line prints them; the
// Plan and Compare windows show, copy and save the same rows.

#include <optional>
#include <string>
#include <vector>

#include "command/calculate_command.h"
#include "command/messages.h"

namespace quorvane {

struct ResultColumn {
  const char* caption;  // the heading as shown
  const char* name;     // the JSON and CSV name
  bool text = false;    // left-aligned and quoted in JSON; numbers are right-aligned
};
struct ResultCell {
  std::string shown;  // as the aligned text and the windows show it
  std::string plain;  // for JSON and CSV: a plain number, or the text itself
};
struct ResultRow {
  std::vector<ResultCell> cells;       // only the first when the row ended with a message
  std::optional<std::string> message;  // "Title: Text" in place of the row's values
};
// The heading of the message column, where a table has one.
inline constexpr char kMessageColumnCaption[] = "Message";

struct ResultTable {
  std::vector<ResultColumn> columns;
  std::vector<ResultRow> rows;
  bool messageColumn = false;  // rows may carry a message (CSV: a last column "message")
};

// The plan's columns and rows: level, scalps needed, scalps more than the row before (the first
// row counts from 0).
const std::vector<ResultColumn>& PlanColumns();
ResultTable PlanTable(const PlanReport& plan);

// The comparison: the projection of the scalps owned for every way of handing them in (maces,
// belts, books, rings good, rings evil, sell maces), each exactly as one press of "Calculate"
// projects it with that way chosen on the other fields of `input`. Nothing is shown or written.
struct Comparison {
  ResultTable table;                                  // with a message column
  std::vector<std::optional<ShownMessage>> messages;  // of each way, none for results
  // Every way ended with the same message: the input is refused, and only that message counts.
  bool refused() const;
  // Results only when no way ended with a message.
  CalculateOutcome outcome() const;
  // The messages, each once, in the order of the ways.
  std::vector<ShownMessage> distinctMessages() const;
};
const std::vector<ResultColumn>& ComparisonColumns();
Comparison RunComparison(const CalculateInput& input, const LevelTableFile& table);

// The hand-in steps behind a result: one row per stage step that hands something in or raises the
// level, in the order the projection takes them. The item is named as in CSV ("scalps", "maces",
// "belts", "books", "rings"), counts and levels are plain, the XP grouped as the Results frame
// groups it. A report without results has no rows.
const std::vector<ResultColumn>& StepsColumns();
ResultTable StepsTable(const StepsReport& report);

// CSV: a header line of the names, then one line per row of the plain values (with the
// message column where the table has one).
std::string CsvText(const ResultTable& table);
// Tab-separated: a header line of the captions, then one line per row of the plain values, so
// that a spreadsheet pastes them into columns (a message in the last column where the table has
// one).
std::string TabSeparatedText(const ResultTable& table);
// The cells of each row as shown, one per column (a message in the message column where the
// table has one): what a window's table shows.
std::vector<std::vector<std::string>> ShownCells(const ResultTable& table);

}  // namespace quorvane
