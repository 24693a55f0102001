// The Calculate command on many random valid inputs against the shipped level table: every
// press ends in one message or in results that keep the rules CheckingView knows, and more
// scalps never reach a lower level or less XP.
#include <QtTest>

#include <cmath>
#include <random>
#include <string>

#include "core/level_table.h"
#include "platform/program_folder.h"
#include "command/calculate_command.h"
#include "tests/checking_view.h"

using namespace quorvane;

namespace {

const LevelTable& Shipped() {
  static const LevelTable table = LoadLevelTable(DefaultLevelTablePath()).table;
  return table;
}

int Between(std::mt19937_64& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

// A press as a player makes it: XP or level typed, scalps or a level to reach, any quest choice.
CheckingView RandomPress(std::mt19937_64& rng) {
  CheckingView v;
  const bool levelMode = Between(rng, 0, 1) == 1;
  const int level = Between(rng, 50, 189);
  v.select(OptionGroup::Entry, levelMode ? 1 : 0);
  if (levelMode) {
    v.texts[TextField::Level] = std::to_string(level);
  } else {
    const Xp lo = Shipped().levelXp(level);
    const Xp hi = std::min<Xp>(Shipped().levelXp(level + 1) - 1, 94'564'821'930);
    v.texts[TextField::Xp] = std::to_string(std::uniform_int_distribution<Xp>(lo, hi)(rng));
  }
  const bool sell = Between(rng, 0, 4) == 0;
  v.checks[CheckField::SellMaces] = sell ? 1 : 0;
  v.select(OptionGroup::QuestPart, Between(rng, sell ? -1 : 0, 3));
  v.select(OptionGroup::Side, Between(rng, 0, 1));
  v.select(OptionGroup::ZeroLeft, Between(rng, 0, 4));
  const std::int64_t scalps = static_cast<std::int64_t>(std::pow(10.0, std::uniform_real_distribution<>(0.7, 8)(rng)));
  v.texts[TextField::Scalps] = std::to_string(scalps);
  if (Between(rng, 0, 2) == 0) {
    v.checks[CheckField::SearchTarget] = 1;
    v.texts[TextField::TargetLevel] = std::to_string(Between(rng, level, std::min(level + 30, 189)));
    v.checks[CheckField::HideWorkingWindow] = Between(rng, 0, 1);
    v.texts[TextField::UpdateInterval] = std::to_string(Between(rng, 1, 1000));
  }
  return v;
}

QByteArray Describe(const CheckingView& v) {
  QString s;
  for (const auto& [field, text] : v.texts)
    s += QString("field %1=\"%2\" ").arg(static_cast<int>(field)).arg(text.c_str());
  for (const auto& [box, value] : v.checks) s += QString("check %1=%2 ").arg(static_cast<int>(box)).arg(value);
  for (const auto& [key, on] : v.options) {
    if (on) s += QString("option %1(%2) ").arg(static_cast<int>(key.first)).arg(key.second);
  }
  return s.toUtf8();
}

std::int64_t Ungrouped(std::string caption) {
  std::erase(caption, '.');
  return std::stoll(caption);
}

}  // namespace

class TestCalculateProperties : public QObject {
  Q_OBJECT

 private slots:
  void randomPressesKeepTheRules() {
    std::mt19937_64 rng(1906);
    int results = 0, searches = 0;
    for (int i = 0; i < 600; ++i) {
      CheckingView v = RandomPress(rng);
      const QByteArray what = Describe(v);
      const CalculateOutcome outcome = ExecuteCalculate(v, DefaultLevelTablePath());
      const std::string problem = v.check(outcome, Shipped());
      QVERIFY2(problem.empty(), (problem + " -- " + what.toStdString()).c_str());
      if (outcome == CalculateOutcome::Message) {
        // Valid input ends early only at the level cap, or with a target not above the level.
        const std::string text = v.messages.at(0).second;
        QVERIFY2(text == "Cannot check above 190lvl." || text == "You are already there! 0 scalps needed!", what);
        continue;
      }
      ++results;
      if (v.checks[CheckField::SearchTarget] == 1) {
        ++searches;
        continue;
      }
      // The same press with more scalps.
      CheckingView w = v;
      w.texts[TextField::Scalps] = std::to_string(std::stoll(v.texts[TextField::Scalps]) + Between(rng, 1, 5000));
      const CalculateOutcome second = ExecuteCalculate(w, DefaultLevelTablePath());
      QVERIFY2(w.check(second, Shipped()).empty(), what);
      if (second == CalculateOutcome::Results) {
        QVERIFY2(std::stoll(w.caption(ResultLabel::Level)) >= std::stoll(v.caption(ResultLabel::Level)), what);
        QVERIFY2(Ungrouped(w.caption(ResultLabel::ExactXp)) >= Ungrouped(v.caption(ResultLabel::ExactXp)), what);
      } else {
        QCOMPARE(w.messages.at(0).second, std::string("Cannot check above 190lvl."));
      }
    }
    QVERIFY(results > 300);
    QVERIFY(searches > 50);
  }
};

QTEST_APPLESS_MAIN(TestCalculateProperties)
#include "test_calculate_properties.moc"
