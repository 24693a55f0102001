// Properties of the projection and the search on many random cases: random rising level tables
// (full, short, with levels only a few XP apart, with huge gaps), random start points, quest
// choices and steps.
#include <QtTest>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "core/level_table.h"
#include "core/projection.h"
#include "core/search.h"

using namespace quorvane;

namespace {

// Keeps the answer the search writes into the main window; the Working window is not shown.
class AnswerDisplay : public SearchDisplay {
 public:
  void setCandidate(const std::string&, const std::string&, const std::string&) override {}
  void setLevelReached(const std::string&) override {}
  void repaintNow() override {}
  void closeWindow() override {}
  void setScalpsNeeded(const std::string& scalps) override { scalpsNeeded.push_back(scalps); }

  std::vector<std::string> scalpsNeeded;
};

LevelTable Load(const std::vector<Xp>& xp) {
  std::string text;
  for (std::size_t i = 0; i < xp.size(); ++i) text += std::to_string(i + 1) + "," + std::to_string(xp[i]) + "\n";
  const TableLoad load = ParseLevelTable(text);
  if (!load.ok()) qFatal("random table does not load");
  return load.table;
}

// A rising table of `count` levels; some neighbours only a few XP apart, so that one bundle
// passes several levels.
LevelTable RandomTable(std::mt19937_64& rng, int count, Xp maxGap) {
  std::vector<Xp> xp{0};
  std::uniform_int_distribution<int> kind(0, 9);
  std::uniform_int_distribution<Xp> tiny(1, 10);
  std::uniform_int_distribution<Xp> gap(1000, maxGap);
  while (static_cast<int>(xp.size()) < count) xp.push_back(xp.back() + (kind(rng) == 0 ? tiny(rng) : gap(rng)));
  return Load(xp);
}

template <typename T>
T Pick(std::mt19937_64& rng, std::initializer_list<T> values) {
  std::uniform_int_distribution<std::size_t> d(0, values.size() - 1);
  return *(values.begin() + d(rng));
}

int Between(std::mt19937_64& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

struct SearchCase {
  LevelTable table;
  SearchInput input;
  QString describe() const {
    return QString("start level %1 xp %2, target %3, step %4, part %5, sell %6, side %7, table of %8")
        .arg(input.start.startLevel)
        .arg(input.start.startXp)
        .arg(input.targetLevel)
        .arg(input.step)
        .arg(static_cast<int>(input.start.part))
        .arg(input.start.sellMaces)
        .arg(static_cast<int>(input.start.side))
        .arg(table.levelCount());
  }
};

// A search up to 40 levels up: short tables, full tables, and starts close to the level cap.
SearchCase RandomSearch(std::mt19937_64& rng) {
  SearchCase c;
  const int shape = Between(rng, 0, 3);
  const int count = shape == 0 ? Between(rng, 4, 60) : 190;
  c.table = RandomTable(rng, count, 3'000'000);
  const int top = std::min(count - 2, kLevelCap - 2);  // the target's next level is in the table
  const int start = shape == 3 ? Between(rng, std::max(1, top - 8), top) : Between(rng, 1, top);
  const int target = Between(rng, start + 1, std::min(start + 40, top + 1));
  const Xp xp = std::uniform_int_distribution<Xp>(c.table.levelXp(start), c.table.levelXp(start + 1) - 1)(rng);
  const QuestPart part = Pick(
      rng, {QuestPart::None, QuestPart::GiveMaces, QuestPart::GiveBelts, QuestPart::GiveBooks, QuestPart::GiveRings});
  const Side side = Pick(rng, {Side::Good, Side::Evil, Side::None});
  c.input.start = ProjectionInput{0, xp, start, part, Between(rng, 0, 3) == 0, side, nullptr};
  for (std::int64_t* owned :
       {&c.input.start.macesOwned, &c.input.start.beltsOwned, &c.input.start.booksOwned, &c.input.start.ringsOwned})
    *owned = Pick<std::int64_t>(rng, {0, 0, 0, 1, 4, 30, 1000});
  c.input.targetLevel = target;
  c.input.step = SearchStep(static_cast<ZeroLeft>(Between(rng, 0, 4)), side);
  c.input.showWorkingWindow = false;
  return c;
}

}  // namespace

class TestCoreProperties : public QObject {
  Q_OBJECT

 private slots:
  // A found answer is a multiple of the step and reaches the target; one step fewer does not.
  void searchAnswerIsTheFirstThatReaches() {
    std::mt19937_64 rng(77);
    int found = 0;
    for (int i = 0; i < 1000; ++i) {
      SearchCase c = RandomSearch(rng);
      c.input.start.table = &c.table;
      AnswerDisplay display;
      const SearchResult r = SearchScalpsNeeded(c.input, display);
      if (r.outcome != SearchOutcome::Found) continue;
      ++found;
      const QByteArray what = c.describe().toUtf8();
      QVERIFY2(r.scalps % c.input.step == 0, what);
      QVERIFY2(r.projection.currentXp >= c.table.levelXp(c.input.targetLevel), what);
      QVERIFY2(r.projection.currentLevel >= c.input.targetLevel, what);
      QVERIFY2(display.scalpsNeeded == std::vector<std::string>{std::to_string(r.scalps)}, what);
      if (r.scalps > 0) {
        ProjectionInput lower = c.input.start;
        lower.scalpsOwned = r.scalps - c.input.step;
        const ProjectionResult l = RunProjection(lower);
        QVERIFY2(l.outcome == ProjectionOutcome::Finished, what);
        QVERIFY2(l.currentXp < c.table.levelXp(c.input.targetLevel), what);
      }
    }
    QVERIFY(found > 300);
  }

  // A projection never loses XP, ends in the level its XP lies in, and with more scalps never
  // ends lower or with less XP (nor finishes where fewer scalps already had to stop).
  void moreScalpsNeverReachLess() {
    std::mt19937_64 rng(5);
    for (int i = 0; i < 1500; ++i) {
      const int count = Between(rng, 0, 2) == 0 ? Between(rng, 3, 190) : 190;
      const LevelTable table = RandomTable(rng, count, Pick<Xp>(rng, {20'000, 3'000'000, 2'000'000'000}));
      const int start = Between(rng, 1, std::min(count - 1, kLevelCap - 1));
      const Xp xp = std::uniform_int_distribution<Xp>(table.levelXp(start), table.levelXp(start + 1) - 1)(rng);
      const Side side = Pick(rng, {Side::Good, Side::Evil});
      const QuestPart part = Pick(rng, {QuestPart::None, QuestPart::GiveMaces, QuestPart::GiveBelts,
                                        QuestPart::GiveBooks, QuestPart::GiveRings});
      const std::int64_t scalps =
          static_cast<std::int64_t>(std::pow(10.0, std::uniform_real_distribution<>(0, 9)(rng)));
      const std::int64_t more = scalps + Pick<std::int64_t>(rng, {1, 4, 5, 25, 75, 375, 750, 1125, 100000});
      const auto owned = [&] { return Pick<std::int64_t>(rng, {0, 0, 0, 2, 7, 1000, 1'000'000'000, kMaxItemsOwned}); };
      ProjectionInput in{scalps,  xp,      start,   part,   Between(rng, 0, 4) == 0, side, &table,
                         owned(), owned(), owned(), owned()};
      const ProjectionResult a = RunProjection(in);
      const std::vector<HandInStep> steps = ProjectionSteps(in);
      in.scalpsOwned = more;
      const ProjectionResult b = RunProjection(in);
      const QByteArray what = QString("table of %1, level %2, xp %3, scalps %4 then %5, part %6, sell %7, side %8")
                                  .arg(count)
                                  .arg(start)
                                  .arg(xp)
                                  .arg(scalps)
                                  .arg(more)
                                  .arg(static_cast<int>(part))
                                  .arg(in.sellMaces)
                                  .arg(static_cast<int>(side))
                                  .toUtf8();
      QVERIFY2(a.currentXp >= xp && a.currentLevel >= start, what);
      // The steps, stage after stage, each from the level and XP the one before ended at.
      const std::int64_t perHandIn[] = {5, 5, 3, 5, RingsPerHandIn(side)};
      const std::int64_t factor[] = {1000, 1000, 3000, 3750, RingXPFactor(side)};
      int level = start;
      Xp stepXp = xp;
      for (std::size_t k = 0; k < steps.size(); ++k) {
        const HandInStep& s = steps[k];
        const auto kind = static_cast<std::size_t>(s.item);
        QVERIFY2((k == 0 || s.item >= steps[k - 1].item) && s.levelBefore == level, what);
        QVERIFY2(s.levelAfter == level + 1 || (s.levelAfter == level && s.handIns > 0), what);
        QVERIFY2(s.itemsHandedIn == s.handIns * perHandIn[kind] && s.xpPerHandIn == level * factor[kind], what);
        QVERIFY2(s.xpGained == s.handIns * s.xpPerHandIn && s.xpAfter == stepXp + s.xpGained, what);
        level = s.levelAfter;
        stepXp = s.xpAfter;
      }
      QVERIFY2(level == a.currentLevel && stepXp == a.currentXp, what);
      if (a.outcome == ProjectionOutcome::Finished) {
        QVERIFY2(table.findLevel(a.currentXp) == a.currentLevel, what);
      }
      if (a.outcome != ProjectionOutcome::Finished) {
        QVERIFY2(b.outcome != ProjectionOutcome::Finished, what);
      } else if (b.outcome == ProjectionOutcome::Finished) {
        QVERIFY2(b.currentLevel >= a.currentLevel, what);
        QVERIFY2(b.currentXp >= a.currentXp, what);
      }
    }
  }
};

QTEST_APPLESS_MAIN(TestCoreProperties)
#include "test_core_properties.moc"
