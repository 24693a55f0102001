#include "cli/cli_output.h"

#include <string>
#include <string_view>
#include <vector>

#include "core/number_text.h"
#include "main_window/quest_modes.h"

namespace quorvane::cli {

namespace {

// How a caption's text reads as a number.
enum class ValueKind { Plain, Grouped, Gold };

struct ResultLine {
  ResultLabel label;
  const char* caption;   // the caption of the window's heading for this value
  const char* jsonName;
  ValueKind kind;
};

constexpr std::string_view kGoldSuffix = "M gp";

// The lines the window shows: level and XP always, the gold while "Sell Maces" is ticked,
// the scalps and maces always, and the other items up to the next stage above the chosen part.
std::vector<ResultLine> ShownLines(const CliOptions& o) {
  const bool sell = o.sellMaces;
  const int part = o.part;  // -1 none, 0 maces, 1 belts, 2 books, 3 rings
  std::vector<ResultLine> lines;
  if (o.target) lines.push_back({ResultLabel::ScalpsNdd, "Scalps Needed", "scalpsNeeded", ValueKind::Plain});
  lines.push_back({ResultLabel::ResLVL, "Level Reached:", "levelReached", ValueKind::Plain});
  lines.push_back({ResultLabel::ResExp, "Exact XP:", "exactXp", ValueKind::Grouped});
  lines.push_back({ResultLabel::xpgain, "XP gained:", "xpGained", ValueKind::Grouped});
  lines.push_back({ResultLabel::remXP, "XP to next level:", "xpToNextLevel", ValueKind::Grouped});
  if (sell) lines.push_back({ResultLabel::ResGP, "Gp from Maces:", "gpFromMaces", ValueKind::Gold});
  lines.push_back({ResultLabel::ScalpsLeft, "Scalps remained", "scalpsRemained", ValueKind::Plain});
  lines.push_back({ResultLabel::MacesLeft, "Maces remained", "macesRemained", ValueKind::Plain});
  if (!sell) {
    // Without a part every pair but the gold shows.
    const QuestPartView* view = FindQuestPartView(part);
    lines.push_back({ResultLabel::BeltsLeft, "Belts Remained", "beltsRemained", ValueKind::Plain});
    if (!view || view->booksLeft) lines.push_back({ResultLabel::BooksLeft, "Books Remained", "booksRemained", ValueKind::Plain});
    if (!view || view->ringsLeft) lines.push_back({ResultLabel::RingsLeft, "Rings Remained", "ringsRemained", ValueKind::Plain});
    if (!view || view->finals) lines.push_back({ResultLabel::Finals, "Final Reward", "finalReward", ValueKind::Plain});
  }
  return lines;
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      static const char* const kHex = "0123456789abcdef";
      out += "\\u00";
      out += kHex[(c >> 4) & 0xf];
      out += kHex[c & 0xf];
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// The caption as a JSON number; a caption that does not read as one stays a string.
std::string JsonValue(const std::string& caption, ValueKind kind) {
  std::string text = caption;
  if (kind == ValueKind::Grouped) std::erase(text, '.');
  if (kind == ValueKind::Gold) {
    if (!text.ends_with(kGoldSuffix)) return JsonString(caption);
    text.resize(text.size() - kGoldSuffix.size());
  }
  const FieldNumber n = ReadFieldNumber(text, kind == ValueKind::Gold);
  if (n.status != NumberStatus::Ok || n.tooLarge) return JsonString(caption);
  return kind == ValueKind::Gold ? FormatPlain(n.value) : FormatPlain(n.whole);
}

}  // namespace

void WriteResultLines(std::ostream& out, const CliOptions& options, const CliView& view) {
  for (const ResultLine& line : ShownLines(options)) {
    const std::string_view caption = line.caption;
    out << caption << (caption.ends_with(':') ? " " : ": ") << view.Caption(line.label) << '\n';
  }
}

void WriteResultJson(std::ostream& out, const CliOptions& options, const CliView& view) {
  out << "{\n";
  const std::vector<ResultLine> lines = ShownLines(options);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    out << "  \"" << lines[i].jsonName << "\": " << JsonValue(view.Caption(lines[i].label), lines[i].kind)
        << (i + 1 < lines.size() ? ",\n" : "\n");
  }
  out << "}\n";
}

}  // namespace quorvane::cli
