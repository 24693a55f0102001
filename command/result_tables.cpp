#include "command/result_tables.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string_view>

#include "core/number_text.h"

namespace quorvane {

namespace {

std::string Plain(std::int64_t value) { return FormatPlain(value); }

// One way of handing in the scalps: the quest part, side and "Sell Maces" it chooses.
struct Way {
  const char* name;
  int part;  // -1 none
  int side;  // -1 none
  bool sellMaces;
};
constexpr std::array<Way, 6> kWays{{{"maces", 0, -1, false},
                                    {"belts", 1, -1, false},
                                    {"books", 2, -1, false},
                                    {"rings good", 3, 0, false},
                                    {"rings evil", 3, 1, false},
                                    {"sell maces", -1, -1, true}}};

// A CSV field, quoted when it holds a separator, a quote or a line end.
std::string CsvField(std::string text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + '"';
}

// A tab-separated field: tabs and line ends would split it, so they become blanks.
std::string TabField(std::string text) {
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
  return text;
}

constexpr char kMessageName[] = "message";

}  // namespace

const std::vector<ResultColumn>& PlanColumns() {
  static const std::vector<ResultColumn> columns{
      {"Level", "level"}, {"Scalps Needed", "scalpsNeeded"}, {"Scalps More", "scalpsMore"}};
  return columns;
}

ResultTable PlanTable(const PlanReport& plan) {
  ResultTable table{PlanColumns(), {}, false};
  std::int64_t before = 0;
  for (const PlanRow& row : plan.rows) {
    const std::int64_t needed = row.results.scalpsNeeded.value_or(0);
    const std::string level = Plain(row.level);
    table.rows.push_back(
        {{{level, level}, {Plain(needed), Plain(needed)}, {Plain(needed - before), Plain(needed - before)}}, {}});
    before = needed;
  }
  return table;
}

// Short headings, so that a row of the largest values the game reaches fits 80 columns.
const std::vector<ResultColumn>& ComparisonColumns() {
  static const std::vector<ResultColumn> columns{{"Way", "way", true},
                                                 {"Level", "levelReached"},
                                                 {"Exact XP", "exactXp"},
                                                 {"XP to next", "xpToNextLevel"},
                                                 {"Final Reward", "finalReward"},
                                                 {"Gold", "gpFromMaces"}};
  return columns;
}

Comparison RunComparison(const CalculateInput& input, const LevelTableFile& table) {
  // Every way chooses a quest part, so each would read the table: it is read once for all.
  LevelTableFile readOnce = table;
  if (!readOnce.read) readOnce.read = std::make_shared<const TableLoad>(LoadLevelTable(table.path));
  Comparison comparison;
  comparison.table = ResultTable{ComparisonColumns(), {}, true};
  for (const Way& way : kWays) {
    // The fields with this way chosen and "Lvl to reach:" unticked: a projection.
    CalculateInput one = input;
    one.questPart = way.part;
    one.side = way.side;
    one.sellMaces = way.sellMaces ? 1 : 0;
    one.searchTarget = 0;
    const CalculateReport report = RunCalculate(one, readOnce);
    ResultRow row;
    row.cells.push_back({way.name, way.name});
    if (report.outcome == CalculateOutcome::Results) {
      const CalculateResults& r = *report.results;
      row.cells.push_back({r.levelShown, Plain(r.levelReached)});
      row.cells.push_back({GroupedXp(r.exactXp), Plain(r.exactXp)});
      row.cells.push_back({GroupedXp(r.xpToNextLevel), Plain(r.xpToNextLevel)});
      row.cells.push_back({Plain(r.items.finalRewards), Plain(r.items.finalRewards)});
      row.cells.push_back({GoldCaption(r.items.goldMillions), FormatPlain(r.items.goldMillions)});
      comparison.messages.emplace_back();
    } else {
      // A way ends with a message, or, stopped, with none; either way without its values.
      const ShownMessage message = report.message.value_or(ShownMessage{});
      row.message = message.line();
      comparison.messages.emplace_back(message);
    }
    comparison.table.rows.push_back(std::move(row));
  }
  return comparison;
}

const std::vector<ResultColumn>& StepsColumns() {
  static const std::vector<ResultColumn> columns{
      {"Item", "item", true},    {"Hand-ins", "handIns"},  {"Items", "itemsHandedIn"}, {"XP Each", "xpEach"},
      {"XP Gained", "xpGained"}, {"Level", "levelBefore"}, {"To", "levelAfter"},       {"XP After", "xpAfter"}};
  return columns;
}

ResultTable StepsTable(const StepsReport& report) {
  static constexpr std::array<const char*, 5> kItemNames{"scalps", "maces", "belts", "books", "rings"};
  ResultTable table{StepsColumns(), {}, false};
  for (const HandInStep& step : report.steps) {
    const std::string item = kItemNames[static_cast<std::size_t>(step.item)];
    const auto plain = [](std::int64_t value) { return ResultCell{Plain(value), Plain(value)}; };
    const auto grouped = [](std::int64_t value) { return ResultCell{GroupedXp(value), Plain(value)}; };
    table.rows.push_back({{{item, item},
                           plain(step.handIns),
                           plain(step.itemsHandedIn),
                           grouped(step.xpPerHandIn),
                           grouped(step.xpGained),
                           plain(step.levelBefore),
                           plain(step.levelAfter),
                           grouped(step.xpAfter)},
                          {}});
  }
  return table;
}

bool Comparison::refused() const {
  if (messages.empty()) return false;
  return std::all_of(messages.begin(), messages.end(), [&](const std::optional<ShownMessage>& m) {
    return m && m->title == messages.front()->title && m->text == messages.front()->text;
  });
}

CalculateOutcome Comparison::outcome() const {
  const bool any = std::any_of(messages.begin(), messages.end(), [](const auto& m) { return m.has_value(); });
  return any ? CalculateOutcome::Message : CalculateOutcome::Results;
}

std::vector<ShownMessage> Comparison::distinctMessages() const {
  std::vector<ShownMessage> distinct;
  for (const std::optional<ShownMessage>& m : messages) {
    if (!m) continue;
    const bool seen = std::any_of(distinct.begin(), distinct.end(),
                                  [&](const ShownMessage& d) { return d.title == m->title && d.text == m->text; });
    if (!seen) distinct.push_back(*m);
  }
  return distinct;
}

namespace {

// The table as lines of fields between separators: the heading of each column, then the rows,
// each field written by `field`.
std::string SeparatedText(const ResultTable& table, char separator, bool captions, const char* messageHeading,
                          std::string (*field)(std::string)) {
  std::string out;
  for (std::size_t i = 0; i < table.columns.size(); ++i)
    out += (i == 0 ? "" : std::string(1, separator)) + (captions ? table.columns[i].caption : table.columns[i].name);
  out += table.messageColumn ? separator + std::string(messageHeading) + "\n" : "\n";
  for (const ResultRow& row : table.rows) {
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
      if (i > 0) out += separator;
      if (i < row.cells.size()) out += field(row.cells[i].plain);
    }
    if (table.messageColumn) out += separator + field(row.message.value_or(""));
    out += '\n';
  }
  return out;
}

}  // namespace

std::string CsvText(const ResultTable& table) { return SeparatedText(table, ',', false, kMessageName, CsvField); }

std::string TabSeparatedText(const ResultTable& table) {
  return SeparatedText(table, '\t', true, kMessageColumnCaption, TabField);
}

std::vector<std::vector<std::string>> ShownCells(const ResultTable& table) {
  std::vector<std::vector<std::string>> cells;
  for (const ResultRow& row : table.rows) {
    std::vector<std::string> line;
    for (std::size_t i = 0; i < table.columns.size(); ++i)
      line.push_back(i < row.cells.size() ? row.cells[i].shown : "");
    if (table.messageColumn) line.push_back(row.message.value_or(""));
    cells.push_back(std::move(line));
  }
  return cells;
}

}  // namespace quorvane
