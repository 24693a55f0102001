// Drives one press of "Calculate" with arbitrary field texts and choices against the shipped
// level table (or a copy cut after level 120), checks every rule CheckingView knows, and then
// checks that more scalps never reach a lower level or less XP. Aborts on any violation.
//
// Input: a line of choice characters, then one line per text field. Each choice character
// (a digit counts as its value, any other byte as its code) picks, modulo the number of
// choices: Option1 (0-3, 4 none), Option2 (0-1, 2 none), Option3 (0 XP mode, 1 level mode,
// 2 none), Option4 (0-4, 5 none), Check1, ReqLVL, chkScalpsUpd, chkWorking (0-2), the table
// (0 shipped, 1 cut), and how many scalps more the second press gets. The text lines are
// Text1, LevelNow, Text2, TargetLVL, ScalpsUpd, then the maces, belts, books and rings owned (the
// "Items Owned" window's counts); a missing line leaves the field as it starts, a count empty.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/level_table.h"
#include "command/calculate_command.h"
#include "platform/program_folder.h"
#include "tests/checking_view.h"

using namespace quorvane;

namespace {

struct Table {
  std::string path;
  LevelTable table;
};

const Table& TableFor(int choice) {
  static const std::vector<Table> tables = [] {
    std::vector<Table> t;
    for (const char* name : {"lvl-xp.txt", "lvl-xp-short.txt"}) {
      const std::string path = ExecutableFolder() + "/" + name;
      const TableLoad load = LoadLevelTable(path);
      if (!load.ok()) {
        std::fprintf(stderr, "cannot load %s\n", path.c_str());
        std::abort();
      }
      t.push_back({path, load.table});
    }
    return t;
  }();
  return tables[static_cast<std::size_t>(choice)];
}

[[noreturn]] void Violation(const std::string& what, const CheckingView& v) {
  std::fprintf(stderr, "INVARIANT BROKEN: %s\n", what.c_str());
  for (const auto& [title, text] : v.messages)
    std::fprintf(stderr, "  message: %s / %s\n", title.c_str(), text.c_str());
  std::abort();
}

// A search that repaints the Working window at every one of millions of candidates is slow by
// design; past this many repaints the press is given up (its start is still checked).
constexpr long long kRepaintBudget = 20000;

// Runs one press; false when it was given up.
bool Press(CheckingView& v, const Table& t, CalculateOutcome& outcome) {
  v.repaintBudget = kRepaintBudget;
  try {
    outcome = ExecuteCalculate(v, t.path);
  } catch (const RepaintBudgetExceeded&) {
    if (!v.problem.empty()) Violation(v.problem, v);
    return false;
  } catch (...) {
    Violation("an exception escaped the Calculate command", v);
  }
  const std::string problem = v.check(outcome, t.table);
  if (!problem.empty()) Violation(problem, v);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = input.find('\n', start);
    lines.push_back(input.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  const std::string_view choices = lines[0];
  auto choice = [&](std::size_t i, int count, int initial) {
    if (i >= choices.size()) return initial;
    const auto c = static_cast<unsigned char>(choices[i]);
    return (c >= '0' && c <= '9' ? c - '0' : c) % count;
  };

  CheckingView v;
  const int part = choice(0, 5, 3);
  const int side = choice(1, 3, 0);
  const int mode = choice(2, 3, 0);
  const int zeroLeft = choice(3, 6, 0);
  v.select(OptionGroup::QuestPart, part == 4 ? -1 : part);
  v.select(OptionGroup::Side, side == 2 ? -1 : side);
  v.select(OptionGroup::Entry, mode == 2 ? -1 : mode);
  v.select(OptionGroup::ZeroLeft, zeroLeft == 5 ? -1 : zeroLeft);
  v.checks[CheckField::SellMaces] = choice(4, 2, 0);
  v.checks[CheckField::SearchTarget] = choice(5, 2, 0);
  v.checks[CheckField::UpdateAtInterval] = choice(6, 2, 1);
  v.checks[CheckField::HideWorkingWindow] = choice(7, 3, 0);
  const Table& table = TableFor(choice(8, 2, 0));
  const std::int64_t more = 1 + choice(9, 64, 0) * 37;

  const TextField fields[] = {TextField::Xp, TextField::Level, TextField::Scalps, TextField::TargetLevel,
                              TextField::UpdateInterval};
  for (std::size_t i = 0; i < 5 && i + 1 < lines.size(); ++i) v.texts[fields[i]] = std::string(lines[i + 1]);
  for (std::size_t i = 0; i < v.itemsOwned.size() && i + 6 < lines.size(); ++i)
    v.itemsOwned[i] = std::string(lines[i + 6]);

  CalculateOutcome outcome{};
  if (!Press(v, table, outcome)) return 0;

  // More scalps never reach a lower level or less XP: press again with more scalps owned.
  if (outcome == CalculateOutcome::Results && v.checks[CheckField::SearchTarget] == 0) {
    const FieldNumber owned = ReadFieldNumber(v.texts[TextField::Scalps], false);
    if (owned.whole > INT64_MAX / 2) return 0;
    CheckingView w = v;
    w.messages.clear();
    w.texts[TextField::Scalps] = std::to_string(owned.whole + more);
    CalculateOutcome second{};
    if (!Press(w, table, second)) return 0;
    if (second == CalculateOutcome::Message) {
      if (w.messages[0].second != "Cannot check above 190lvl." &&
          w.messages[0].second.rfind("The level table", 0) != 0) {
        Violation("more scalps end in the message \"" + w.messages[0].second + "\"", w);
      }
    } else {
      const auto level = [](const CheckingView& x) {
        return ReadFieldNumber(x.caption(ResultLabel::Level), false).whole;
      };
      const auto exact = [](const CheckingView& x) {
        std::string s = x.caption(ResultLabel::ExactXp);
        std::erase(s, '.');
        return ReadFieldNumber(s, false).whole;
      };
      if (level(w) < level(v)) Violation("more scalps reach a lower level", w);
      if (exact(w) < exact(v)) Violation("more scalps reach less XP", w);
    }
  }
  return 0;
}
