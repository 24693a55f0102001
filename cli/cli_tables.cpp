#include "cli/cli_tables.h"

#include <algorithm>
#include <array>
#include <sstream>
#include <vector>

#include "cli/cli_output.h"
#include "cli/cli_view.h"
#include "core/number_text.h"

namespace quorvane::cli {

namespace {

std::string Plain(std::int64_t value) { return FormatPlain(value); }

// One way of handing in the scalps: the quest part, side and "Sell Maces" as the options set them.
struct Way {
  const char* name;
  int part;
  int side;
  bool sellMaces;
};
constexpr std::array<Way, 6> kWays{{{"maces", 0, -1, false},
                                    {"belts", 1, -1, false},
                                    {"books", 2, -1, false},
                                    {"rings good", 3, 0, false},
                                    {"rings evil", 3, 1, false},
                                    {"sell maces", -1, -1, true}}};

}  // namespace

CalculateOutcome WritePlan(std::ostream& out, std::ostream& messages, std::ostream& progress, const CliOptions& options,
                           const std::string& tablePath) {
  static const std::vector<TableColumn> columns{
      {"Level", "level"}, {"Scalps Needed", "scalpsNeeded"}, {"Scalps More", "scalpsMore"}};
  // The message waits until the rows before it are written.
  std::ostringstream message;
  CliView view(options, message, progress);
  const PlanReport plan = RunPlan(view, tablePath);

  std::vector<TableRow> rows;
  std::int64_t before = 0;
  for (const PlanRow& row : plan.rows) {
    const std::int64_t needed = row.results.scalpsNeeded.value_or(0);
    const std::string level = Plain(row.level);
    rows.push_back(
        {{{level, level}, {Plain(needed), Plain(needed)}, {Plain(needed - before), Plain(needed - before)}}, {}});
    before = needed;
  }
  if (!rows.empty()) WriteTable(out, options.format, columns, rows, false);
  out.flush();
  messages << message.str() << std::flush;
  return plan.outcome;
}

CalculateOutcome WriteComparison(std::ostream& out, std::ostream& messages, const CliOptions& options,
                                 const std::string& tablePath) {
  // Short headings, so that a row of the largest values the game reaches fits 80 columns.
  static const std::vector<TableColumn> columns{{"Way", "way", true},
                                                {"Level", "levelReached"},
                                                {"Exact XP", "exactXp"},
                                                {"XP to next", "xpToNextLevel"},
                                                {"Final Reward", "finalReward"},
                                                {"Gold", "gpFromMaces"}};
  std::vector<TableRow> rows;
  std::vector<std::string> shown;  // the message of each way, empty for results
  for (const Way& way : kWays) {
    CliOptions one = options;
    one.part = way.part;
    one.side = way.side;
    one.sellMaces = way.sellMaces;
    std::ostringstream message;
    CliView view(one, message, message);
    const CalculateReport report = RunCalculate(view, tablePath);
    TableRow row;
    row.cells.push_back({way.name, way.name});
    if (report.outcome == CalculateOutcome::Results) {
      const CalculateResults& r = *report.results;
      row.cells.push_back({r.levelShown, Plain(r.levelReached)});
      row.cells.push_back({GroupedXp(r.exactXp), Plain(r.exactXp)});
      row.cells.push_back({GroupedXp(r.xpToNextLevel), Plain(r.xpToNextLevel)});
      row.cells.push_back({Plain(r.items.finalRewards), Plain(r.items.finalRewards)});
      row.cells.push_back({GoldCaption(r.items.goldMillions), FormatPlain(r.items.goldMillions)});
      shown.emplace_back();
    } else {
      std::string text = message.str();
      while (!text.empty() && text.back() == '\n') text.pop_back();
      row.message = text;
      shown.push_back(message.str());
    }
    rows.push_back(std::move(row));
  }

  bool allRefused = true, anyRefused = false;
  for (const std::string& m : shown) {
    allRefused = allRefused && !m.empty() && m == shown.front();
    anyRefused = anyRefused || !m.empty();
  }
  if (!allRefused) WriteTable(out, options.format, columns, rows, true);
  out.flush();
  // Each message once, in the order of the ways.
  std::vector<std::string> written;
  for (const std::string& m : shown) {
    if (m.empty() || std::find(written.begin(), written.end(), m) != written.end()) continue;
    messages << m;
    written.push_back(m);
  }
  messages.flush();
  return anyRefused ? CalculateOutcome::Message : CalculateOutcome::Results;
}

}  // namespace quorvane::cli
