#include <QtTest>

#include <limits>
#include <string>
#include <vector>

#include "core/level_table.h"
#include "platform/program_folder.h"
#include "core/projection.h"

using namespace quorvane;

Q_DECLARE_METATYPE(quorvane::QuestPart)
Q_DECLARE_METATYPE(quorvane::Side)
Q_DECLARE_METATYPE(quorvane::ProjectionOutcome)

namespace {

LevelTable TableOf(const std::vector<Xp>& xp) {
  std::string text;
  for (std::size_t i = 0; i < xp.size(); ++i) text += std::to_string(i + 1) + "," + std::to_string(xp[i]) + "\n";
  const TableLoad load = ParseLevelTable(text);
  if (!load.ok()) qFatal("test table does not load");
  return load.table;
}

const LevelTable& Shipped() {
  static const LevelTable table = [] {
    const TableLoad load = LoadLevelTable(DefaultLevelTablePath());
    if (!load.ok()) qFatal("shipped table does not load");
    return load.table;
  }();
  return table;
}

// Levels so far apart that no hand-in raises the level: every stage hands in all its bundles at level 1.
const LevelTable& Flat() {
  static const LevelTable table = TableOf({0, 900'000'000'000'000, 1'000'000'000'000'000});
  return table;
}

}  // namespace

class TestProjection : public QObject {
  Q_OBJECT

 private slots:
  // 3124 scalps make 624 maces (4 scalps over), 124 belts (4 maces over), 41 books (1 belt over)
  // and 8 rings (1 book over). At level 1 each stage adds its bundles x its factor.
  void stagesAndItemsPerQuestPart_data() {
    // clang-format off
    QTest::addColumn<QuestPart>("part");
    QTest::addColumn<bool>("sell");
    QTest::addColumn<Side>("side");
    QTest::addColumn<qint64>("xp");
    QTest::addColumn<QList<qint64>>("left");  // scalps, maces, belts, books, rings, final rewards
    QTest::addColumn<QList<qint64>>("owned");  // maces, belts, books, rings
    using L = QList<qint64>;
    QTest::newRow("sell maces") << QuestPart::None << true << Side::None << qint64(624000)
                                << QList<qint64>{4, 0, 0, 0, 0, 0} << QList<qint64>{};
    QTest::newRow("sell maces wins over rings") << QuestPart::GiveRings << true << Side::Good << qint64(624000)
                                                << QList<qint64>{4, 0, 0, 0, 0, 0} << QList<qint64>{};
    QTest::newRow("maces") << QuestPart::GiveMaces << false << Side::None << qint64(624000 + 124000)
                           << QList<qint64>{4, 4, 124, 0, 0, 0} << QList<qint64>{};
    QTest::newRow("belts") << QuestPart::GiveBelts << false << Side::None << qint64(748000 + 41 * 3000)
                           << QList<qint64>{4, 4, 1, 41, 0, 0} << QList<qint64>{};
    QTest::newRow("books") << QuestPart::GiveBooks << false << Side::None << qint64(871000 + 8 * 3750)
                           << QList<qint64>{4, 4, 1, 1, 8, 0} << QList<qint64>{};
    QTest::newRow("rings good") << QuestPart::GiveRings << false << Side::Good << qint64(901000 + 4 * 4000)
                                << QList<qint64>{4, 4, 1, 1, 0, 4} << QList<qint64>{};
    QTest::newRow("rings evil") << QuestPart::GiveRings << false << Side::Evil << qint64(901000 + 2 * 6000)
                                << QList<qint64>{4, 4, 1, 1, 2, 2} << QList<qint64>{};
    QTest::newRow("no part, no sale") << QuestPart::None << false << Side::None << qint64(871000)
                                      << QList<qint64>{4, 4, 1, 0, 0, 0} << QList<qint64>{};
    // Owning 3 maces, 2 belts, 4 books and a ring: 627 maces (125 hand-ins), 127 belts (42), 46
    // books (9), 10 rings (5 good, 3 evil).
    const QList<qint64> o{3, 2, 4, 1};
    QTest::newRow("owning, sell") << QuestPart::GiveRings << true << Side::Good << 624000LL << L{4, 0, 2, 4, 1, 0} << o;
    QTest::newRow("owning, maces") << QuestPart::GiveMaces << false << Side::None << 749000LL << L{4, 2, 127, 4, 1, 0} << o;
    QTest::newRow("owning, belts") << QuestPart::GiveBelts << false << Side::None << 875000LL << L{4, 2, 1, 46, 1, 0} << o;
    QTest::newRow("owning, books") << QuestPart::GiveBooks << false << Side::None << 908750LL << L{4, 2, 1, 1, 10, 0} << o;
    QTest::newRow("owning, good") << QuestPart::GiveRings << false << Side::Good << 928750LL << L{4, 2, 1, 1, 0, 5} << o;
    QTest::newRow("owning, evil") << QuestPart::GiveRings << false << Side::Evil << 926750LL << L{4, 2, 1, 1, 1, 3} << o;
    QTest::newRow("owning, no part") << QuestPart::None << false << Side::None << 875000LL << L{4, 2, 1, 4, 1, 0} << o;
    // clang-format on
  }
  void stagesAndItemsPerQuestPart() {
    QFETCH(QuestPart, part);
    QFETCH(bool, sell);
    QFETCH(Side, side);
    QFETCH(qint64, xp);
    QFETCH(QList<qint64>, left);
    QFETCH(QList<qint64>, owned);
    const auto h = [&owned](int i) { return owned.value(i); };  // 0 when not owned
    ProjectionInput in{3124, 0, 1, part, sell, side, &Flat(), h(0), h(1), h(2), h(3)};
    const ProjectionResult r = RunProjection(in);
    QCOMPARE(r.outcome, ProjectionOutcome::Finished);
    QCOMPARE(r.currentLevel, 1);
    QCOMPARE(r.currentXp, xp);
    const QList<qint64> made{r.macesMade, r.beltsMade, r.booksMade, r.ringsMade};
    QCOMPARE(made, (owned.isEmpty() ? QList<qint64>{624, 124, 41, 8} : QList<qint64>{624, 125, 42, 9}));
    const ItemResults items = DeriveItemResults(in, r);
    const QList<qint64> got{items.scalpsRemained, items.macesRemained, items.beltsRemained,
                            items.booksRemained,  items.ringsRemained, items.finalRewards};
    QCOMPARE(got, left);
    QCOMPARE(items.goldMillions, sell ? (owned.isEmpty() ? 624 : 627) * 0.010284 : 0.0);
  }

  // Counts owned outside 0 .. kMaxItemsOwned do not fit (the caller refuses them); the core takes
  // them at the nearest bound, where even the most scalps wrap no count.
  void itemsOwnedOutsideTheBound() {
    const qint64 top = std::numeric_limits<qint64>::max();
    ProjectionInput in{top, 0, 1, QuestPart::GiveBooks, false, Side::Good, &Flat(), -1, top, kMaxItemsOwned + 1, top};
    QVERIFY(!ItemsOwnedFit(in));
    const ItemResults past = DeriveItemResults(in, RunProjection(in));
    in.macesOwned = 0;
    in.beltsOwned = in.booksOwned = in.ringsOwned = kMaxItemsOwned;
    QVERIFY(ItemsOwnedFit(in));
    const ItemResults bound = DeriveItemResults(in, RunProjection(in));
    QCOMPARE(past.booksRemained, bound.booksRemained);
    QCOMPARE(past.ringsRemained, bound.ringsRemained);
    QVERIFY(bound.ringsRemained > kMaxItemsOwned);
  }

  void ringsLeftAndFinalRewards_data() {
    // clang-format off
    QTest::addColumn<Side>("side");
    QTest::addColumn<qint64>("rings");
    QTest::addColumn<qint64>("finals");
    QTest::newRow("good, 7 rings") << Side::Good << qint64(1) << qint64(3);
    QTest::newRow("evil, 7 rings") << Side::Evil << qint64(1) << qint64(2);
    // clang-format on
  }
  void ringsLeftAndFinalRewards() {
    QFETCH(Side, side);
    QFETCH(qint64, rings);
    QFETCH(qint64, finals);
    ProjectionInput in{7 * 375, 0, 1, QuestPart::GiveRings, false, side, &Flat()};
    const ProjectionResult r = RunProjection(in);
    QCOMPARE(r.ringsMade, 7);
    const ItemResults items = DeriveItemResults(in, r);
    QCOMPARE(items.ringsRemained, rings);
    QCOMPARE(items.finalRewards, finals);
  }

  void goldFromMaces() {
    ProjectionInput in{500, 0, 1, QuestPart::None, true, Side::None, &Flat()};
    const ItemResults items = DeriveItemResults(in, RunProjection(in));
    QCOMPARE(items.goldMillions, 100 * 0.010284);
  }

  // Level-by-level behaviour on small hand-checked tables.
  void levelSteps_data() {
    // clang-format off
    QTest::addColumn<QList<qint64>>("table");
    QTest::addColumn<int>("startLevel");
    QTest::addColumn<qint64>("startXp");
    QTest::addColumn<qint64>("scalps");
    QTest::addColumn<int>("level");
    QTest::addColumn<qint64>("xp");
    const QList<qint64> t{0, 1000, 3000, 6000, 10000, 100000};
    // 1 bundle (level 1) reaches 1000, 1 bundle (level 2) reaches 3000, 2 scalps stay over.
    QTest::newRow("two level-ups, then a partial step") << t << 1 << qint64(0) << qint64(12) << 3 << qint64(3000);
    // Items needed equal to the items left: the step is taken.
    QTest::newRow("items needed equal items left") << t << 1 << qint64(0) << qint64(10) << 3 << qint64(3000);
    QTest::newRow("one scalp short") << t << 1 << qint64(0) << qint64(9) << 2 << qint64(1000);
    QTest::newRow("fewer scalps than a bundle") << t << 1 << qint64(0) << qint64(4) << 1 << qint64(0);
    // A hand-in worth more than several level gaps: the level rises one per step, the extra
    // steps take 0 hand-ins.
    QTest::newRow("one hand-in passes several levels") << QList<qint64>{0, 100, 200, 300, 10000, 20000} << 1
                                                       << qint64(0) << qint64(5) << 4 << qint64(1000);
    // needed 2001 at 1000 a bundle: 2.001 rounds up to 3 bundles.
    QTest::newRow("quotient just above a whole number") << QList<qint64>{0, 2001, 100000} << 1 << qint64(0)
                                                        << qint64(15) << 2 << qint64(3000);
    QTest::newRow("quotient just above, one bundle short") << QList<qint64>{0, 2001, 100000} << 1 << qint64(0)
                                                           << qint64(14) << 1 << qint64(2000);
    // Start above the level's start: fewer bundles needed.
    QTest::newRow("start inside a level") << t << 2 << qint64(2500) << qint64(5) << 3 << qint64(4500);
    // clang-format on
  }
  void levelSteps() {
    QFETCH(QList<qint64>, table);
    QFETCH(int, startLevel);
    QFETCH(qint64, startXp);
    QFETCH(qint64, scalps);
    QFETCH(int, level);
    QFETCH(qint64, xp);
    const LevelTable t = TableOf(std::vector<Xp>(table.begin(), table.end()));
    ProjectionInput in{scalps, startXp, startLevel, QuestPart::None, true, Side::None, &t};
    const ProjectionResult r = RunProjection(in);
    QCOMPARE(r.outcome, ProjectionOutcome::Finished);
    QCOMPARE(r.currentLevel, level);
    QCOMPARE(r.currentXp, xp);
  }

  void ceilingOfHandInsIsExact() {
    // Level 100 with 100,000 XP a bundle and 100,000,000,001 XP to go: 1,000,000.00001 bundles
    // round up to 1,000,001 (in single precision the quotient would read 1,000,000).
    std::vector<Xp> xp;
    for (int i = 0; i < 100; ++i) xp.push_back(i * 1000);  // levels 1..100
    xp.push_back(99'000 + 100'000'000'001);                // level 101
    xp.push_back(900'000'000'000'000);
    const LevelTable t = TableOf(xp);
    ProjectionInput in{1'000'000 * 5, 99'000, 100, QuestPart::None, true, Side::None, &t};
    ProjectionResult r = RunProjection(in);
    QCOMPARE(r.currentLevel, 100);
    QCOMPARE(r.currentXp, 99'000 + 100'000'000'000);
    in.scalpsOwned = 1'000'001 * 5;
    r = RunProjection(in);
    QCOMPARE(r.currentLevel, 101);
    QCOMPARE(r.currentXp, 99'000 + 100'000'100'000);
  }

  // 1001 hand-ins at level 189 add exactly 189,189,000 XP, whether the level was typed or found.
  void largeIncrementsAreExact() {
    const LevelTable& t = Shipped();
    ProjectionInput in{1001 * 5, t.levelXp(189), 189, QuestPart::None, true, Side::None, &t};
    const ProjectionResult r = RunProjection(in);
    QCOMPARE(r.outcome, ProjectionOutcome::Finished);
    QCOMPARE(r.currentLevel, 189);
    QCOMPARE(r.currentXp - t.levelXp(189), 189189000);
  }

  void stopsAtLevelCap_data() {
    // clang-format off
    QTest::addColumn<int>("startLevel");
    QTest::addColumn<qint64>("scalps");
    QTest::addColumn<ProjectionOutcome>("outcome");
    QTest::newRow("189 with plenty") << 189 << qint64(1'000'000'000'000) << ProjectionOutcome::StoppedAtLevelCap;
    QTest::newRow("150 with plenty") << 150 << qint64(1'000'000'000'000) << ProjectionOutcome::StoppedAtLevelCap;
    QTest::newRow("189 with a few") << 189 << qint64(1000) << ProjectionOutcome::Finished;
    // clang-format on
  }
  void stopsAtLevelCap() {
    QFETCH(int, startLevel);
    QFETCH(qint64, scalps);
    QFETCH(ProjectionOutcome, outcome);
    const LevelTable& t = Shipped();
    ProjectionInput in{scalps, t.levelXp(startLevel), startLevel, QuestPart::GiveRings, false, Side::Good, &t};
    const ProjectionResult r = RunProjection(in);
    QCOMPARE(r.outcome, outcome);
    if (outcome == ProjectionOutcome::StoppedAtLevelCap) QCOMPARE(r.currentLevel, kLevelCap);
  }

  void shortTableGivesMissingLevel() {
    const LevelTable t = TableOf({0, 1000, 3000, 6000});
    ProjectionInput in{4, 3000, 3, QuestPart::None, true, Side::None, &t};
    ProjectionResult r = RunProjection(in);  // stays at level 3: needs only level 4's start
    QCOMPARE(r.outcome, ProjectionOutcome::Finished);
    QCOMPARE(r.currentLevel, 3);
    in.scalpsOwned = 5;  // reaches level 4, whose step needs level 5's start
    r = RunProjection(in);
    QCOMPARE(r.outcome, ProjectionOutcome::MissingLevel);
    QCOMPARE(r.missingLevel, 5);
    in.startLevel = 4;  // even 0 scalps read level 5
    in.scalpsOwned = 0;
    QCOMPARE(RunProjection(in).outcome, ProjectionOutcome::MissingLevel);
    in.startLevel = 0;  // no level 0 in any table
    QCOMPARE(RunProjection(in).outcome, ProjectionOutcome::MissingLevel);
  }
};

QTEST_APPLESS_MAIN(TestProjection)
#include "test_projection.moc"
