#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace quorvane::cli {

// The command line, standing for the main window's controls. Texts are the field texts as typed;
// the Calculate command checks them exactly as it checks the window's fields.
// What the command line asks for: one press of "Calculate", a plan of the scalps needed for every
// level up to the target, the projection of the scalps owned for every way of handing them in, or
// the hand-in steps behind the results of one press.
enum class CliMode { Single, Plan, Compare, Steps };
enum class CliFormat { Text, Json, Csv };

struct CliOptions {
  std::optional<std::string> xp;      // "Character XP:" with this text in Text1
  std::optional<std::string> level;   // "Level Now:" with this text in LevelNow
  std::optional<std::string> scalps;  // Text2, the scalps owned
  std::optional<std::string> target;  // "Lvl to reach:" ticked, with this text in TargetLVL
  std::array<std::string, 4> owned;   // the maces, belts, books and rings owned ("Items Owned...")
  int part = -1;                      // the Option1 member selected, -1 for none
  int side = -1;                      // the Option2 member selected, -1 for none
  bool sellMaces = false;             // Check1
  int zeroLeft = 0;                   // the Option4 member selected
  std::optional<std::string> table;   // another level table than the executable folder's
  CliMode mode = CliMode::Single;
  CliFormat format = CliFormat::Text;
  bool progress = false;
};

enum class ParseAction { Run, Help, Version, UsageError };

struct ParseResult {
  ParseAction action = ParseAction::Run;
  CliOptions options;
  std::string error;  // what is wrong, for a usage error
};

// Reads the arguments after the program name. --help and --version act as soon as they are met.
ParseResult ParseArguments(const std::vector<std::string>& args);

// The synopsis, printed with a usage error.
std::string UsageText();
// The synopsis with every option explained (--help).
std::string HelpText();

}  // namespace quorvane::cli
