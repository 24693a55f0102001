#include "cli/cli_options.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <set>
#include <string_view>

#include "command/quest_modes.h"

namespace quorvane::cli {

namespace {

constexpr std::array<const char*, 4> kParts{"maces", "belts", "books", "rings"};
constexpr std::array<const char*, 2> kSides{"good", "evil"};
constexpr std::array<const char*, 5> kZeroLeft{"scalps", "maces", "belts", "books", "rings"};
constexpr int kRings = 3;
// The items owned, in the order of the main window's "Items Owned" boxes.
constexpr std::array<std::string_view, 4> kOwned{"--maces", "--belts", "--books", "--rings"};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The index of `value` among `names` (case does not matter), or -1.
template <std::size_t N>
int IndexOf(const std::array<const char*, N>& names, const std::string& value) {
  const std::string lower = Lower(value);
  for (std::size_t i = 0; i < N; ++i) {
    if (lower == names[i]) return static_cast<int>(i);
  }
  return -1;
}

template <std::size_t N>
std::string Choices(const std::array<const char*, N>& names) {
  std::string text;
  for (const char* name : names) text += std::string(text.empty() ? "" : ", ") + name;
  return text;
}

// A word of the command line as a usage message quotes it: at most its first
// kQuotedLimit bytes (never cut inside a UTF-8 character), then "...".
constexpr std::size_t kQuotedLimit = 32;
std::string Quoted(const std::string& word) {
  if (word.size() <= kQuotedLimit) return "'" + word + "'";
  std::size_t end = kQuotedLimit;
  while (end > 0 && (static_cast<unsigned char>(word[end]) & 0xC0) == 0x80) --end;
  return "'" + word.substr(0, end) + "...'";
}

ParseResult Usage(std::string error) {
  ParseResult result;
  result.action = ParseAction::UsageError;
  result.error = std::move(error);
  return result;
}

// The highest zero-left item the window offers for the chosen quest part: only "Scalps" while
// "Sell Maces" is ticked, otherwise the scalps and the items the chosen part makes (all five
// when no part is chosen).
int HighestZeroLeftOffered(const CliOptions& o) {
  if (o.sellMaces) return 0;
  const QuestPartView* view = FindQuestPartView(o.part);
  return view ? view->lastOffered : 4;
}

}  // namespace

ParseResult ParseArguments(const std::vector<std::string>& args) {
  ParseResult result;
  CliOptions& o = result.options;
  std::set<std::string> seen;
  std::optional<std::string> partText, sideText, zeroLeftText;
  std::array<std::optional<std::string>, kOwned.size()> ownedText;
  std::optional<ParseAction> asked;  // --help or --version, whichever came first

  for (std::size_t i = 0; i < args.size(); ++i) {
#if defined(_WIN32)
    // "/?" is how Windows programs are asked for their help.
    const std::string& arg = args[i] == "/?" ? std::string("--help") : args[i];
#else
    const std::string& arg = args[i];
#endif
    if (arg.rfind("--", 0) != 0 || arg.size() == 2) return Usage("unexpected argument " + Quoted(arg));
    const std::size_t eq = arg.find('=');
    const std::string name = arg.substr(0, eq);
    std::optional<std::string> inlineValue;
    if (eq != std::string::npos) inlineValue = arg.substr(eq + 1);

    if (name == "--help" || name == "--version") {
      if (inlineValue) return Usage("option '" + name + "' takes no value");
      if (!asked) asked = name == "--help" ? ParseAction::Help : ParseAction::Version;
      continue;
    }
    if (name == "--sell-maces" || name == "--json" || name == "--csv" || name == "--plan" || name == "--compare" ||
        name == "--steps" || name == "--progress") {
      if (inlineValue) return Usage("option '" + name + "' takes no value");
      if (!seen.insert(name).second) return Usage("option '" + name + "' given twice");
      continue;
    }

    std::optional<std::string>* slot = nullptr;
    if (name == "--xp")
      slot = &o.xp;
    else if (name == "--level")
      slot = &o.level;
    else if (name == "--scalps")
      slot = &o.scalps;
    else if (name == "--target")
      slot = &o.target;
    else if (name == "--table")
      slot = &o.table;
    else if (const auto item = std::find(kOwned.begin(), kOwned.end(), name); item != kOwned.end())
      slot = &ownedText[static_cast<std::size_t>(item - kOwned.begin())];
    else if (name == "--part")
      slot = &partText;
    else if (name == "--side")
      slot = &sideText;
    else if (name == "--zero-left")
      slot = &zeroLeftText;
    else
      return Usage("unknown option " + Quoted(name));

    if (!seen.insert(name).second) return Usage("option '" + name + "' given twice");
    if (inlineValue) {
      *slot = *inlineValue;
    } else {
      // The next argument is the value whatever it looks like, so "--scalps -5" passes "-5".
      if (i + 1 >= args.size()) return Usage("option '" + name + "' needs a value");
      *slot = args[++i];
    }
  }
  // Help and version come once the whole command line is known to be well formed.
  if (asked) return ParseResult{*asked, {}, {}};

  const auto given = [&seen](const char* name) { return seen.count(name) > 0; };
  o.sellMaces = given("--sell-maces");
  o.progress = given("--progress");
  if (given("--json") && given("--csv")) return Usage("give --json or --csv, not both");
  o.format = given("--json") ? CliFormat::Json : given("--csv") ? CliFormat::Csv : CliFormat::Text;
  if (given("--plan") && given("--compare")) return Usage("give --plan or --compare, not both");
  for (const char* other : {"--plan", "--compare"}) {
    if (given("--steps") && given(other)) return Usage("give --steps or " + std::string(other) + ", not both");
  }
  o.mode = given("--plan")      ? CliMode::Plan
           : given("--compare") ? CliMode::Compare
           : given("--steps")   ? CliMode::Steps
                                : CliMode::Single;
  for (std::size_t i = 0; i < ownedText.size(); ++i) o.owned[i] = ownedText[i].value_or("");

  if (o.xp && o.level) return Usage("give --xp or --level, not both");
  if (!o.xp && !o.level) return Usage("give the character's XP (--xp) or level (--level)");
  if (o.table && o.table->empty()) return Usage("--table names no file: the path given is empty");

  if (o.mode == CliMode::Compare) {
    for (const char* name : {"--part", "--side", "--sell-maces", "--target", "--zero-left", "--progress"}) {
      if (given(name))
        return Usage("--compare tries every way of handing in; " + std::string(name) + " cannot be given with it");
    }
    return result;
  }
  if (o.mode == CliMode::Plan && given("--scalps"))
    return Usage("--plan searches the scalps needed for every level; --scalps cannot be given with it");
  if (o.mode == CliMode::Plan && !o.target) o.target = "189";

  if (partText && Lower(*partText) != "none") {
    o.part = IndexOf(kParts, *partText);
    if (o.part < 0) return Usage("--part takes none, " + Choices(kParts) + ", not " + Quoted(*partText));
  }
  if (o.part >= 0 && o.sellMaces) return Usage("--part and --sell-maces cannot be given together");
  if (sideText) {
    o.side = IndexOf(kSides, *sideText);
    if (o.side < 0) return Usage("--side takes " + Choices(kSides) + ", not " + Quoted(*sideText));
    if (o.part != kRings) return Usage("--side needs --part rings");
  } else if (o.part == kRings) {
    o.side = 0;  // choosing the rings selects Good, as in the window
  }
  if (zeroLeftText) {
    o.zeroLeft = IndexOf(kZeroLeft, *zeroLeftText);
    if (o.zeroLeft < 0) return Usage("--zero-left takes " + Choices(kZeroLeft) + ", not " + Quoted(*zeroLeftText));
    if (o.zeroLeft > HighestZeroLeftOffered(o)) {
      // Both indices are known to be in range here: o.part >= 0 unless selling, o.zeroLeft >= 0.
      const std::string mode =
          o.sellMaces ? "--sell-maces" : "--part " + std::string(kParts[static_cast<std::size_t>(o.part)]);
      return Usage("--zero-left " + std::string(kZeroLeft[static_cast<std::size_t>(o.zeroLeft)]) +
                   " is not offered with " + mode);
    }
  }
  return result;
}

std::string UsageText() {
  return "Usage: quorvane-cli (--xp N | --level N)\n"
         "                    (--part maces|belts|books|rings | --sell-maces)\n"
         "                    [--scalps N] [--side good|evil] [--target N]\n"
         "                    [--zero-left scalps|maces|belts|books|rings] [--table FILE]\n"
         "                    [--maces N] [--belts N] [--books N] [--rings N]\n"
         "                    [--steps] [--json | --csv] [--progress]\n"
         "       quorvane-cli --plan (--xp N | --level N) (--part PART | --sell-maces)\n"
         "                    [--side SIDE] [--target N] [--zero-left ITEM]\n"
         "                    [--maces N] [--belts N] [--books N] [--rings N]\n"
         "                    [--table FILE] [--json | --csv]\n"
         "       quorvane-cli --compare (--xp N | --level N) [--scalps N]\n"
         "                    [--maces N] [--belts N] [--books N] [--rings N]\n"
         "                    [--table FILE] [--json | --csv]\n"
         "       quorvane-cli --help | --version\n";
}

// Every line fits an 80-column console, with the cursor still on the line (at most 79 characters).
std::string HelpText() {
  return UsageText() +
         "\n"
         "Projects the level a character reaches by handing in scalps and the items made\n"
         "from them, or, with --target, searches the scalps needed to reach a level.\n"
         "Every value is checked as the window checks what is typed into its fields.\n"
         "\n"
         "  --xp N            the character's XP (\"Character XP:\")\n"
         "  --level N         the character's level (\"Level Now:\")\n"
         "  --scalps N        the scalps owned (\"Scalps Owned\"); may be omitted when an\n"
         "                    item is owned\n"
         "  --maces N, --belts N, --books N, --rings N\n"
         "                    the items already owned (\"Items Owned...\"), 0 when omitted:\n"
         "                    each stage hands them in with those made from the scalps\n"
         "  --part PART       the quest parts done (\"Give ... for XP\"): maces, belts,\n"
         "                    books or rings; one of --part and --sell-maces is needed\n"
         "  --side SIDE       good or evil, with --part rings only; good when omitted\n"
         "  --sell-maces      sell the maces for gold (\"Sell Maces\"); not with --part\n"
         "  --target N        search the scalps needed to reach level N (\"Lvl to reach:\")\n"
         "  --zero-left ITEM  the search tries only counts that leave none of ITEM\n"
         "                    (\"Search with 0 left:\"): scalps (the default), or an item\n"
         "                    the chosen part makes; the maces with --part maces, up to\n"
         "                    the rings with --part rings; only scalps with --sell-maces;\n"
         "                    with items owned, a count left by the step may be above 0\n"
         "  --plan            search every level from the next one up to the target (189\n"
         "                    when --target is omitted): one row per level with the\n"
         "                    scalps needed and the scalps more than the row before (the\n"
         "                    first row counts from 0); a level the search cannot reach\n"
         "                    ends the plan with its message\n"
         "  --compare         project the scalps owned for every way of handing them in:\n"
         "                    maces, belts, books, rings good, rings evil, sell maces\n"
         "  --steps           print the hand-in steps behind the results (\"Hand-ins...\"):\n"
         "                    one row per stage step that hands items in or raises the\n"
         "                    level: the hand-ins, their XP, and the level and XP after\n"
         "  --table FILE      the level table to read instead of lvl-xp.txt beside the\n"
         "                    program\n"
         "  --json            print the results as one JSON object with plain numbers; a\n"
         "                    plan or comparison as one object with an array \"rows\"\n"
         "  --csv             print a header line of names, then one line of plain\n"
         "                    numbers per row\n"
         "  --progress        print the Working window's captions to standard error while\n"
         "                    a search runs\n"
         "  --help            print this help\n"
         "  --version         print the version\n"
         "\n"
         "Results go to standard output, one \"Caption: value\" line per result the window\n"
         "shows for the chosen parts, XP grouped with \".\" as the window writes it; a plan\n"
         "or comparison is an aligned table. With --json the names are in camel case\n"
         "(levelReached, exactXp, xpGained, xpToNextLevel, gpFromMaces in millions of gp,\n"
         "scalpsRemained, ..., scalpsNeeded for a search). With any item owned, the\n"
         "results end with the four counts (\"Maces Owned: N\" ...; macesOwned, ...).\n"
         "In a comparison a way whose projection ends with a message shows that message\n"
         "in its row. The steps' columns are item, handIns, itemsHandedIn, xpEach,\n"
         "xpGained, levelBefore, levelAfter and xpAfter.\n"
         "\n"
         "Exit status: 0 results printed; 1 the calculation refused the input, with the\n"
         "message printed to standard error as \"Title: Text\"; 2 the command line is not\n"
         "usable.\n";
}

}  // namespace quorvane::cli
