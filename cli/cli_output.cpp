#include "cli/cli_output.h"

#include <string>
#include <string_view>
#include <vector>

#include "core/number_text.h"
#include "command/quest_modes.h"

namespace quorvane::cli {

namespace {

// Which of the command's results a line shows, and how.
enum class ValueKind { Plain, Grouped, Gold };

struct ResultLine {
  ResultLabel label;
  const char* caption;   // the caption of the window's heading for this value
  const char* jsonName;
  ValueKind kind;
};

// The lines the window shows: level and XP always, the gold while "Sell Maces" is ticked,
// the scalps and maces always, and the other items up to the next stage above the chosen part.
std::vector<ResultLine> ShownLines(const CliOptions& o) {
  const bool sell = o.sellMaces;
  const int part = o.part;  // -1 none, 0 maces, 1 belts, 2 books, 3 rings
  std::vector<ResultLine> lines;
  if (o.target) lines.push_back({ResultLabel::ScalpsNeeded, "Scalps Needed", "scalpsNeeded", ValueKind::Plain});
  lines.push_back({ResultLabel::Level, "Level Reached:", "levelReached", ValueKind::Plain});
  lines.push_back({ResultLabel::ExactXp, "Exact XP:", "exactXp", ValueKind::Grouped});
  lines.push_back({ResultLabel::XpGained, "XP gained:", "xpGained", ValueKind::Grouped});
  lines.push_back({ResultLabel::XpToNextLevel, "XP to next level:", "xpToNextLevel", ValueKind::Grouped});
  if (sell) lines.push_back({ResultLabel::Gold, "Gp from Maces:", "gpFromMaces", ValueKind::Gold});
  lines.push_back({ResultLabel::ScalpsLeft, "Scalps remained", "scalpsRemained", ValueKind::Plain});
  lines.push_back({ResultLabel::MacesLeft, "Maces remained", "macesRemained", ValueKind::Plain});
  if (!sell) {
    // Without a part every pair but the gold shows.
    const QuestPartView* view = FindQuestPartView(part);
    lines.push_back({ResultLabel::BeltsLeft, "Belts Remained", "beltsRemained", ValueKind::Plain});
    if (!view || view->booksLeft) lines.push_back({ResultLabel::BooksLeft, "Books Remained", "booksRemained", ValueKind::Plain});
    if (!view || view->ringsLeft) lines.push_back({ResultLabel::RingsLeft, "Rings Remained", "ringsRemained", ValueKind::Plain});
    if (!view || view->finals) lines.push_back({ResultLabel::FinalRewards, "Final Reward", "finalReward", ValueKind::Plain});
  }
  return lines;
}

std::int64_t WholeValue(const CalculateResults& r, ResultLabel label) {
  switch (label) {
    case ResultLabel::Level: return r.LevelReached;
    case ResultLabel::ExactXp: return r.ExactXp;
    case ResultLabel::XpGained: return r.XpGained;
    case ResultLabel::XpToNextLevel: return r.XpToNextLevel;
    case ResultLabel::ScalpsLeft: return r.ScalpsRemained;
    case ResultLabel::MacesLeft: return r.MacesRemained;
    case ResultLabel::BeltsLeft: return r.BeltsRemained;
    case ResultLabel::BooksLeft: return r.BooksRemained;
    case ResultLabel::RingsLeft: return r.RingsRemained;
    case ResultLabel::FinalRewards: return r.FinalRewards;
    case ResultLabel::ScalpsNeeded: return r.ScalpsNeeded.value_or(0);
    case ResultLabel::Gold: break;
  }
  return 0;
}

// The value as the window's label shows it.
std::string ShownValue(const CalculateResults& r, const ResultLine& line) {
  switch (line.kind) {
    case ValueKind::Gold: return GoldCaption(r.GoldMillions);
    case ValueKind::Grouped: return GroupedXp(WholeValue(r, line.label));
    case ValueKind::Plain: break;
  }
  if (line.label == ResultLabel::Level) return r.LevelShown;
  return FormatPlain(WholeValue(r, line.label));
}

std::string JsonValue(const CalculateResults& r, const ResultLine& line) {
  if (line.kind == ValueKind::Gold) return FormatPlain(r.GoldMillions);
  return FormatPlain(WholeValue(r, line.label));
}

}  // namespace

void WriteResultLines(std::ostream& out, const CliOptions& options, const CalculateResults& results) {
  for (const ResultLine& line : ShownLines(options)) {
    const std::string_view caption = line.caption;
    out << caption << (caption.ends_with(':') ? " " : ": ") << ShownValue(results, line) << '\n';
  }
}

void WriteResultJson(std::ostream& out, const CliOptions& options, const CalculateResults& results) {
  out << "{\n";
  const std::vector<ResultLine> lines = ShownLines(options);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    out << "  \"" << lines[i].jsonName << "\": " << JsonValue(results, lines[i]) << (i + 1 < lines.size() ? ",\n" : "\n");
  }
  out << "}\n";
}

}  // namespace quorvane::cli
