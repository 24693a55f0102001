#include "cli/cli_output.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "command/quest_modes.h"
#include "core/number_text.h"
#include "main_window/main_form_description.h"

namespace quorvane::cli {

namespace {

// Which of the command's results a line shows, and how.
enum class ValueKind { Plain, Grouped, Gold };

struct ResultLine {
  ResultLabel label;  // its caption is that of the window's heading for this value
  const char* jsonName;
  ValueKind kind;
};

// The lines the window shows: level and XP always, the gold while "Sell Maces" is ticked,
// the scalps and maces always, and the other items up to the next stage above the chosen part.
std::vector<ResultLine> ShownLines(const CliOptions& o) {
  const bool sell = o.sellMaces;
  const int part = o.part;  // -1 none, 0 maces, 1 belts, 2 books, 3 rings
  std::vector<ResultLine> lines;
  if (o.target) lines.push_back({ResultLabel::ScalpsNeeded, "scalpsNeeded", ValueKind::Plain});
  lines.push_back({ResultLabel::Level, "levelReached", ValueKind::Plain});
  lines.push_back({ResultLabel::ExactXp, "exactXp", ValueKind::Grouped});
  lines.push_back({ResultLabel::XpGained, "xpGained", ValueKind::Grouped});
  lines.push_back({ResultLabel::XpToNextLevel, "xpToNextLevel", ValueKind::Grouped});
  if (sell) lines.push_back({ResultLabel::Gold, "gpFromMaces", ValueKind::Gold});
  lines.push_back({ResultLabel::ScalpsLeft, "scalpsRemained", ValueKind::Plain});
  lines.push_back({ResultLabel::MacesLeft, "macesRemained", ValueKind::Plain});
  if (!sell) {
    // Without a part every pair but the gold shows.
    const QuestPartView* view = FindQuestPartView(part);
    lines.push_back({ResultLabel::BeltsLeft, "beltsRemained", ValueKind::Plain});
    if (!view || view->booksLeft) lines.push_back({ResultLabel::BooksLeft, "booksRemained", ValueKind::Plain});
    if (!view || view->ringsLeft) lines.push_back({ResultLabel::RingsLeft, "ringsRemained", ValueKind::Plain});
    if (!view || view->finals) lines.push_back({ResultLabel::FinalRewards, "finalReward", ValueKind::Plain});
  }
  return lines;
}

std::int64_t WholeValue(const CalculateResults& r, ResultLabel label) {
  switch (label) {
    case ResultLabel::Level: return r.levelReached;
    case ResultLabel::ExactXp: return r.exactXp;
    case ResultLabel::XpGained: return r.xpGained;
    case ResultLabel::XpToNextLevel: return r.xpToNextLevel;
    case ResultLabel::ScalpsLeft: return r.items.scalpsRemained;
    case ResultLabel::MacesLeft: return r.items.macesRemained;
    case ResultLabel::BeltsLeft: return r.items.beltsRemained;
    case ResultLabel::BooksLeft: return r.items.booksRemained;
    case ResultLabel::RingsLeft: return r.items.ringsRemained;
    case ResultLabel::FinalRewards: return r.items.finalRewards;
    case ResultLabel::ScalpsNeeded: return r.scalpsNeeded.value_or(0);
    case ResultLabel::Gold: break;
  }
  return 0;
}

// The value as the window's label shows it.
std::string ShownValue(const CalculateResults& r, const ResultLine& line) {
  switch (line.kind) {
    case ValueKind::Gold: return GoldCaption(r.items.goldMillions);
    case ValueKind::Grouped: return GroupedXp(WholeValue(r, line.label));
    case ValueKind::Plain: break;
  }
  if (line.label == ResultLabel::Level) return r.levelShown;
  return FormatPlain(WholeValue(r, line.label));
}

std::string JsonValue(const CalculateResults& r, const ResultLine& line) {
  if (line.kind == ValueKind::Gold) return FormatPlain(r.items.goldMillions);
  return FormatPlain(WholeValue(r, line.label));
}

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + '"';
}

void WriteAlignedTable(std::ostream& out, const std::vector<ResultColumn>& columns,
                       const std::vector<ResultRow>& rows) {
  std::vector<std::size_t> widths;
  for (const ResultColumn& column : columns) widths.push_back(std::string_view(column.caption).size());
  for (const ResultRow& row : rows) {
    for (std::size_t i = 0; i < row.cells.size() && i < widths.size(); ++i) {
      widths[i] = std::max(widths[i], row.cells[i].shown.size());
    }
  }
  const auto line = [&](const std::vector<std::string>& cells, const std::optional<std::string>& message) {
    std::string text;
    for (std::size_t i = 0; i < cells.size(); ++i) {
      const std::string padding(widths[i] - std::min(widths[i], cells[i].size()), ' ');
      if (i > 0) text += "  ";
      text += columns[i].text ? cells[i] + padding : padding + cells[i];
    }
    if (message) text += "  " + *message;
    while (!text.empty() && text.back() == ' ') text.pop_back();
    out << text << '\n';
  };
  std::vector<std::string> captions;
  for (const ResultColumn& column : columns) captions.emplace_back(column.caption);
  line(captions, std::nullopt);
  for (const ResultRow& row : rows) {
    std::vector<std::string> cells;
    for (std::size_t i = 0; i < row.cells.size() && i < columns.size(); ++i) cells.push_back(row.cells[i].shown);
    line(cells, row.message);
  }
}

void WriteJsonTable(std::ostream& out, const std::vector<ResultColumn>& columns, const std::vector<ResultRow>& rows) {
  out << "{\n  \"rows\": [";
  for (std::size_t r = 0; r < rows.size(); ++r) {
    out << (r == 0 ? "\n    {" : ",\n    {");
    const ResultRow& row = rows[r];
    for (std::size_t i = 0; i < row.cells.size() && i < columns.size(); ++i) {
      const std::string& value = row.cells[i].plain;
      out << (i == 0 ? "" : ", ") << JsonString(columns[i].name) << ": "
          << (columns[i].text ? JsonString(value) : value);
    }
    if (row.message) out << ", \"message\": " << JsonString(*row.message);
    out << '}';
  }
  out << (rows.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

}  // namespace

void WriteTable(std::ostream& out, CliFormat format, const ResultTable& table) {
  switch (format) {
    case CliFormat::Text: WriteAlignedTable(out, table.columns, table.rows); break;
    case CliFormat::Json: WriteJsonTable(out, table.columns, table.rows); break;
    case CliFormat::Csv: out << CsvText(table); break;
  }
}

namespace {

// The JSON and CSV names and values of the results, the items owned after them when any is.
std::vector<std::pair<std::string, std::string>> NamedValues(const CliOptions& options,
                                                             const CalculateResults& results) {
  static constexpr const char* kOwnedNames[] = {"macesOwned", "beltsOwned", "booksOwned", "ringsOwned"};
  std::vector<std::pair<std::string, std::string>> values;
  for (const ResultLine& line : ShownLines(options)) values.emplace_back(line.jsonName, JsonValue(results, line));
  if (!ItemsOwnedLines(results).empty()) {
    for (std::size_t i = 0; i < results.itemsOwned.size(); ++i)
      values.emplace_back(kOwnedNames[i], FormatPlain(results.itemsOwned[i]));
  }
  return values;
}

}  // namespace

void WriteResultCsv(std::ostream& out, const CliOptions& options, const CalculateResults& results) {
  const auto values = NamedValues(options, results);
  for (std::size_t i = 0; i < values.size(); ++i) out << (i == 0 ? "" : ",") << values[i].first;
  out << '\n';
  for (std::size_t i = 0; i < values.size(); ++i) out << (i == 0 ? "" : ",") << values[i].second;
  out << '\n';
}

void WriteResultLines(std::ostream& out, const CliOptions& options, const CalculateResults& results) {
  for (const ResultLine& line : ShownLines(options))
    out << main_form::ResultLine(line.label, ShownValue(results, line)) << '\n';
  for (const std::string& line : ItemsOwnedLines(results)) out << line << '\n';
}

void WriteResultJson(std::ostream& out, const CliOptions& options, const CalculateResults& results) {
  out << "{\n";
  const auto values = NamedValues(options, results);
  for (std::size_t i = 0; i < values.size(); ++i)
    out << "  \"" << values[i].first << "\": " << values[i].second << (i + 1 < values.size() ? ",\n" : "\n");
  out << "}\n";
}

}  // namespace quorvane::cli
