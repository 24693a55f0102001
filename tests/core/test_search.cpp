#include <QtTest>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "core/level_table.h"
#include "platform/program_folder.h"
#include "core/search.h"

using namespace quorvane;

Q_DECLARE_METATYPE(quorvane::ZeroLeft)
Q_DECLARE_METATYPE(quorvane::Side)

namespace {

// Records what the windows would show: the Working window's captions at every repaint, its
// captions at the end, whether it was closed, and the scalps written to the main window.
struct Captions {
  std::string start = "0", end = "189", scalps = "0", reached = "Level Reached";
  bool operator==(const Captions&) const = default;
};

class RecordingDisplay : public SearchDisplay {
 public:
  void setCandidate(const std::string& s, const std::string& e, const std::string& c) override {
    now.start = s;
    now.end = e;
    now.scalps = c;
  }
  void setLevelReached(const std::string& caption) override { now.reached = caption; }
  void repaintNow() override { repaints.push_back(now); }
  void closeWindow() override { closed = true; }
  void setScalpsNeeded(const std::string& s) override { scalpsNeeded = s; }

  bool operator==(const RecordingDisplay& o) const {
    return now == o.now && repaints == o.repaints && closed == o.closed && scalpsNeeded == o.scalpsNeeded;
  }

  Captions now;
  std::vector<Captions> repaints;
  bool closed = false;
  std::string scalpsNeeded;
};

const LevelTable& Shipped() {
  static const LevelTable table = LoadLevelTable(DefaultLevelTablePath()).table;
  return table;
}

SearchInput Input(const LevelTable& t, int level, int target, QuestPart part, Side side, std::int64_t step) {
  SearchInput in;
  in.start = ProjectionInput{0, t.levelXp(level), level, part, false, side, &t};
  in.targetLevel = target;
  in.step = step;
  return in;
}

}  // namespace

class TestSearch : public QObject {
  Q_OBJECT

 private slots:
  void steps_data() {
    // clang-format off
    QTest::addColumn<ZeroLeft>("choice");
    QTest::addColumn<Side>("side");
    QTest::addColumn<qint64>("step");
    QTest::newRow("scalps") << ZeroLeft::Scalps << Side::Good << qint64(5);
    QTest::newRow("maces") << ZeroLeft::Maces << Side::Good << qint64(25);
    QTest::newRow("belts") << ZeroLeft::Belts << Side::Evil << qint64(75);
    QTest::newRow("books") << ZeroLeft::Books << Side::None << qint64(375);
    QTest::newRow("rings good") << ZeroLeft::Rings << Side::Good << qint64(750);
    QTest::newRow("rings evil") << ZeroLeft::Rings << Side::Evil << qint64(1125);
    QTest::newRow("rings without side") << ZeroLeft::Rings << Side::None << qint64(1125);
    // clang-format on
  }
  void steps() {
    QFETCH(ZeroLeft, choice);
    QFETCH(Side, side);
    QFETCH(qint64, step);
    QCOMPARE(SearchStep(choice, side), step);
  }

  // The answer is the first multiple of the step whose projection reaches the target level's
  // start; a projection that lands exactly on it counts.
  void answerIsFirstReachingMultiple() {
    // Level 2 begins 5,000 XP above level 1: exactly one bundle of 5 scalps at level 1 x 1000 ... x5.
    const TableLoad load = ParseLevelTable("1,0\n2,5000\n3,100000\n4,900000\n");
    const LevelTable& t = load.table;
    SearchInput in = Input(t, 1, 2, QuestPart::None, Side::None, 5);
    in.start.sellMaces = true;
    RecordingDisplay d;
    const SearchResult r = SearchScalpsNeeded(in, d);
    QCOMPARE(r.outcome, SearchOutcome::Found);
    QCOMPARE(r.scalps, 25);  // 5 bundles x 1000 = 5000, exactly level 2's start
    QCOMPARE(r.projection.currentXp, 5000);
    QCOMPARE(d.scalpsNeeded, std::string("25"));
    QVERIFY(d.closed);
    in.start.startXp = 1;  // one XP more: still 5 bundles, now past the start
    RecordingDisplay e;
    QCOMPARE(SearchScalpsNeeded(in, e).scalps, 25);
    in.start.startXp = 4001;  // one bundle is enough
    RecordingDisplay f;
    QCOMPARE(SearchScalpsNeeded(in, f).scalps, 5);
  }

  // Candidate 0 is always tried and repainted first; with an interval the window is repainted
  // at the candidates that are multiples of it.
  void repaintPoints_data() {
    // clang-format off
    QTest::addColumn<qint64>("step");
    QTest::addColumn<bool>("useInterval");
    QTest::addColumn<double>("interval");
    QTest::addColumn<qint64>("every");  // scalps between repaints
    QTest::newRow("step 5, interval 100") << qint64(5) << true << 100.0 << qint64(100);
    QTest::newRow("step 75, interval 100") << qint64(75) << true << 100.0 << qint64(300);
    QTest::newRow("step 25, interval 2.5") << qint64(25) << true << 2.5 << qint64(25);
    QTest::newRow("step 5, interval 7") << qint64(5) << true << 7.0 << qint64(35);
    QTest::newRow("step 5, no interval") << qint64(5) << false << 100.0 << qint64(5);
    // clang-format on
  }
  void repaintPoints() {
    QFETCH(qint64, step);
    QFETCH(bool, useInterval);
    QFETCH(double, interval);
    QFETCH(qint64, every);
    SearchInput in = Input(Shipped(), 60, 75, QuestPart::GiveRings, Side::Good, step);
    in.useUpdateInterval = useInterval;
    in.updateInterval = interval;
    RecordingDisplay d;
    const SearchResult r = SearchScalpsNeeded(in, d);
    QCOMPARE(r.outcome, SearchOutcome::Found);
    QVERIFY(r.scalps > 10 * every);
    QCOMPARE(std::int64_t(d.repaints.size()), r.scalps / every + 1);
    for (std::size_t i = 0; i < d.repaints.size(); ++i) {
      const Captions& c = d.repaints[i];
      QCOMPARE(c.scalps, std::to_string(std::int64_t(i) * every));
      QCOMPARE(c.start, std::string("60"));
      QCOMPARE(c.end, std::string("75"));
      // "Level reached: " appears from the second candidate on.
      if (i == 0) {
        QCOMPARE(c.reached, std::string("Level Reached"));
      } else {
        QVERIFY(c.reached.rfind("Level reached: ", 0) == 0);
      }
    }
  }

  void hiddenWindowGivesSameAnswer() {
    SearchInput in = Input(Shipped(), 70, 90, QuestPart::GiveBooks, Side::None, 75);
    RecordingDisplay shown;
    const SearchResult a = SearchScalpsNeeded(in, shown);
    in.showWorkingWindow = false;
    RecordingDisplay hidden;
    const SearchResult b = SearchScalpsNeeded(in, hidden);
    QCOMPARE(a.scalps, b.scalps);
    QCOMPARE(hidden.scalpsNeeded, shown.scalpsNeeded);
    QVERIFY(hidden.repaints.empty());
    QVERIFY(!hidden.closed);
    QCOMPARE(hidden.now, Captions());
    QVERIFY(b.projections < 100);  // galloping, not one projection a candidate
  }

  // A candidate that passes level 190 ends the search there, and the window keeps the captions
  // of that candidate.
  void levelCapEndsSearch() {
    std::string text;
    for (int n = 1; n <= 190; ++n)
      text +=
          std::to_string(n) + "," + std::to_string(n < 189 ? n * 1'000'000LL : 188'000'000LL + (n - 188) * 10) + "\n";
    const LevelTable t = ParseLevelTable(text).table;
    SearchInput in = Input(t, 188, 189, QuestPart::GiveMaces, Side::None, 25);
    RecordingDisplay fast, straight;
    const SearchResult a = SearchScalpsNeeded(in, fast);
    const SearchResult b = SearchScalpsNeededStraight(in, straight);
    QCOMPARE(a.outcome, SearchOutcome::StoppedAtLevelCap);
    QCOMPARE(b.outcome, SearchOutcome::StoppedAtLevelCap);
    QCOMPARE(a.scalps, b.scalps);
    QVERIFY(fast == straight);
    QVERIFY(!fast.closed);
    QCOMPARE(fast.scalpsNeeded, std::string());
    QCOMPARE(fast.now.scalps, std::to_string(a.scalps));
  }

  // The fast search shows and answers exactly what trying every candidate in turn does.
  void matchesStraightSearch() {
    std::mt19937_64 rng(7);
    const QuestPart parts[] = {QuestPart::None, QuestPart::GiveMaces, QuestPart::GiveBelts, QuestPart::GiveBooks,
                               QuestPart::GiveRings};
    const std::int64_t steps[] = {5, 25, 75, 375, 750, 1125};
    const double intervals[] = {100, 1, 7, 2.5, 1000, 375, 0.3};
    // The shipped table, one cut short, and one with levels close together near the top.
    std::vector<LevelTable> tables{Shipped()};
    {
      std::string cut;
      // Cut after level 120, with levels 111 to 120 a few XP apart: passing 110 runs off the end.
      for (int n = 1; n <= 120; ++n) {
        const Xp xp = n <= 110 ? Shipped().levelXp(n) : Shipped().levelXp(110) + (n - 110) * 7;
        cut += std::to_string(n) + "," + std::to_string(xp) + "\n";
      }
      tables.push_back(ParseLevelTable(cut).table);
      std::string close;
      for (int n = 1; n <= 190; ++n)
        close +=
            std::to_string(n) + "," + std::to_string(n <= 150 ? n * 3'000'000LL : 450'000'000LL + (n - 150) * 7) + "\n";
      tables.push_back(ParseLevelTable(close).table);
    }
    int outcomes[3] = {0, 0, 0};
    for (int i = 0; i < 300; ++i) {
      const LevelTable& t = tables[rng() % tables.size()];
      const int top = std::min(t.levelCount() - 1, 189);
      const int level = 1 + static_cast<int>(rng() % static_cast<std::uint64_t>(top - 1));
      const int target =
          level + 1 + static_cast<int>(rng() % std::min<std::uint64_t>(12, static_cast<std::uint64_t>(top - level)));
      const QuestPart part = parts[rng() % 5];
      SearchInput in =
          Input(t, level, target, part,
                part == QuestPart::GiveRings ? (rng() % 2 ? Side::Good : Side::Evil) : Side::None, steps[rng() % 6]);
      in.start.sellMaces = part == QuestPart::None;
      // Items owned in a third of the cases, some enough to reach the target with no scalps.
      for (std::int64_t* owned :
           {&in.start.macesOwned, &in.start.beltsOwned, &in.start.booksOwned, &in.start.ringsOwned})
        *owned = rng() % 3 == 0 ? static_cast<std::int64_t>(rng() % 400) : 0;
      in.start.startXp += static_cast<Xp>(rng() % static_cast<std::uint64_t>(t.levelXp(level + 1) - t.levelXp(level)));
      in.showWorkingWindow = rng() % 4 != 0;
      in.useUpdateInterval = rng() % 4 != 0;
      in.updateInterval = intervals[rng() % 7];
      RecordingDisplay fast, straight;
      const SearchResult a = SearchScalpsNeeded(in, fast);
      const SearchResult b = SearchScalpsNeededStraight(in, straight);
      const QString where = QString("case %1: level %2 -> %3, step %4").arg(i).arg(level).arg(target).arg(in.step);
      QVERIFY2(a.outcome == b.outcome, qPrintable(where));
      QVERIFY2(a.scalps == b.scalps, qPrintable(where));
      QVERIFY2(a.projection.currentXp == b.projection.currentXp, qPrintable(where));
      QVERIFY2(fast == straight, qPrintable(where));
      ++outcomes[static_cast<int>(a.outcome)];
    }
    // Every ending was met.
    QVERIFY2(outcomes[0] > 0 && outcomes[1] > 0 && outcomes[2] > 0,
             qPrintable(QString("%1 %2 %3").arg(outcomes[0]).arg(outcomes[1]).arg(outcomes[2])));
  }
};

QTEST_APPLESS_MAIN(TestSearch)
#include "test_search.moc"
