#include <QtTest>

#include <string>

#include "core/level_table.h"
#include "platform/program_folder.h"
#include "tests/scratch_files.h"

using namespace quorvane;

Q_DECLARE_METATYPE(quorvane::TableProblem)

class TestLevelTable : public QObject {
  Q_OBJECT

 private slots:
  void parsesRecordForms_data() {
    // clang-format off
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QList<qint64>>("xp");
    const QList<qint64> three{0, 1000, 3000};
    QTest::newRow("one record per line") << QByteArray("1,0\n2,1000\n3,3000\n") << three;
    QTest::newRow("record split over two lines") << QByteArray("1\n0\n2,1000\n3\n3000") << three;
    QTest::newRow("two records on one line") << QByteArray("1,0,2,1000\n3,3000") << three;
    QTest::newRow("blanks before and after fields") << QByteArray("  1 ,  0\n\t2,\t1000 \n 3 , 3000") << three;
    QTest::newRow("level numbers are ignored") << QByteArray("7,0\n-32768,1000\n32767,3000\n") << three;
    QTest::newRow("windows line ends") << QByteArray("1,0\r\n2,1000\r\n3,3000\r\n") << three;
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF" "1,0\n2,1000\n3,3000\n") << three;
    QTest::newRow("blank lines and trailing comma") << QByteArray("\n1,0,\n\n2,1000\n3,3000\n\n\n") << three;
    QTest::newRow("plus sign") << QByteArray("1,+0\n2,+1000\n3,3000") << three;
    const QString lines = "1,0\r\n2,1000\r\n3,3000\r\n";
    QByteArray little("\xFF\xFE", 2), big("\xFE\xFF", 2);
    for (const QChar c : lines) {
      little += static_cast<char>(c.unicode()) + QByteArray(1, '\0');
      big += QByteArray(1, '\0') + static_cast<char>(c.unicode());
    }
    QTest::newRow("utf-16 little-endian") << little << three;
    QTest::newRow("utf-16 big-endian") << big << three;
    // clang-format on
  }
  void parsesRecordForms() {
    QFETCH(QByteArray, text);
    QFETCH(QList<qint64>, xp);
    const TableLoad load = ParseLevelTable(text.toStdString());
    QVERIFY2(load.ok(), "the table should load");
    QCOMPARE(load.table.levelCount(), xp.size());
    for (int i = 0; i < xp.size(); ++i) QCOMPARE(load.table.levelXp(i + 1), xp[i]);
    QCOMPARE(load.table.levelXp(0), 0);
    QCOMPARE(load.table.levelXp(xp.size() + 1), 0);
  }

  void reportsBrokenFiles_data() {
    // clang-format off
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<TableProblem>("problem");
    QTest::addColumn<int>("line");
    QTest::newRow("empty") << QByteArray("") << TableProblem::Empty << 0;
    QTest::newRow("blanks only") << QByteArray("  \n\n \r\n") << TableProblem::Empty << 0;
    QTest::newRow("letters in xp") << QByteArray("1,0\n2,1000\n3,abc\n") << TableProblem::NotANumber << 3;
    QTest::newRow("letters in level number") << QByteArray("1,0\nx2,1000\n") << TableProblem::NotANumber << 2;
    QTest::newRow("trailing letters") << QByteArray("1,0\n2,1000xp\n") << TableProblem::NotANumber << 2;
    QTest::newRow("fraction") << QByteArray("1,0\n2,1000.5\n") << TableProblem::NotANumber << 2;
    QTest::newRow("exponent") << QByteArray("1,0\n2,1e5\n") << TableProblem::NotANumber << 2;
    QTest::newRow("inner blank") << QByteArray("1,0\n2,10 00\n") << TableProblem::NotANumber << 2;
    QTest::newRow("odd field count") << QByteArray("1,0\n2,1000\n3\n") << TableProblem::IncompleteRecord << 3;
    QTest::newRow("odd field count, split") << QByteArray("1,0\n2\n1000\n3\n\n") << TableProblem::IncompleteRecord << 4;
    QTest::newRow("equal values") << QByteArray("1,0\n2,1000\n3,1000\n") << TableProblem::NotIncreasing << 3;
    QTest::newRow("falling values") << QByteArray("1,0\n2,1000\n3,999\n") << TableProblem::NotIncreasing << 3;
    QTest::newRow("negative xp") << QByteArray("1,-5\n2,1000\n") << TableProblem::Negative << 1;
    QTest::newRow("xp beyond the limit") << QByteArray("1,0\n2,1000000000000001\n") << TableProblem::TooLarge << 2;
    QTest::newRow("xp beyond 64 bits") << QByteArray("1,0\n2,99999999999999999999999\n") << TableProblem::TooLarge << 2;
    QTest::newRow("level number beyond 16 bits") << QByteArray("1,0\n32768,1000\n") << TableProblem::LevelNumberRange << 2;
    QTest::newRow("empty field") << QByteArray("1,0\n2,,1000\n") << TableProblem::EmptyField << 2;
    QTest::newRow("leading comma") << QByteArray(",1,0\n") << TableProblem::EmptyField << 1;
    QTest::newRow("binary garbage") << QByteArray("1,0\n\x01\x02\xff,7\n") << TableProblem::NotANumber << 2;
    QTest::newRow("no comma") << QByteArray("1,0\n57 38740280\n") << TableProblem::NoSeparator << 2;
    QTest::newRow("no comma, tab and signs") << QByteArray("1,0\n\t+57\t-3 \n") << TableProblem::NoSeparator << 2;
    QTest::newRow("three numbers") << QByteArray("1,0\n57 387 40280\n") << TableProblem::NotANumber << 2;
    QTest::newRow("number and letters") << QByteArray("1,0\n57 xp\n") << TableProblem::NotANumber << 2;
    QTest::newRow("utf-16 letters") << QByteArray("\xFF\xFE" "1\0,\0" "0\0\n\0x\0", 12) << TableProblem::NotANumber << 2;
    QTest::newRow("utf-16 outside ascii") << QByteArray("\xFE\xFF\0" "1\0,\x03\x30", 8) << TableProblem::NotANumber << 1;
    QTest::newRow("utf-16 odd byte") << QByteArray("\xFF\xFE" "1\0,\0" "0\0\n\0" "5", 11) << TableProblem::NotANumber << 2;
    QTest::newRow("utf-16 mark cut short") << QByteArray("\xFF" "1,0\n") << TableProblem::NotANumber << 1;
    // clang-format on
  }
  void reportsBrokenFiles() {
    QFETCH(QByteArray, text);
    QFETCH(TableProblem, problem);
    QFETCH(int, line);
    const TableLoad load = ParseLevelTable(text.toStdString());
    QVERIFY(!load.ok());
    QCOMPARE(load.error->problem, problem);
    QCOMPARE(load.error->line, line);
  }

  void ignoresRecordsPastSlot191() {
    std::string text;
    for (int n = 1; n <= 250; ++n) text += std::to_string(n) + "," + std::to_string(n * 100) + "\n";
    text += "garbage after the records\n";
    const TableLoad load = ParseLevelTable(text);
    QVERIFY(load.ok());
    QCOMPARE(load.table.levelCount(), 191);
    QCOMPARE(load.table.levelXp(191), 19100);
    QCOMPARE(load.table.levelXp(192), 0);
  }

  void findLevel_data() {
    // clang-format off
    QTest::addColumn<qint64>("xp");
    QTest::addColumn<int>("level");  // 0: no level
    QTest::newRow("start of level 1") << qint64(0) << 1;
    QTest::newRow("below level 1") << qint64(-1) << 0;
    QTest::newRow("start of level 3") << qint64(3000) << 3;
    QTest::newRow("one below level 3") << qint64(2999) << 2;
    QTest::newRow("last level with a successor") << qint64(9999) << 4;
    QTest::newRow("at the last record") << qint64(10000) << 0;
    QTest::newRow("beyond the last record") << qint64(50000) << 0;
    // clang-format on
  }
  void findLevel() {
    QFETCH(qint64, xp);
    QFETCH(int, level);
    const TableLoad load = ParseLevelTable("1,0\n2,1000\n3,3000\n4,6000\n5,10000\n");
    QVERIFY(load.ok());
    const std::optional<int> found = load.table.findLevel(xp);
    QCOMPARE(found.value_or(0), level);
  }

  void emptyTableFindsNothing() {
    const LevelTable table;
    QCOMPARE(table.levelCount(), 0);
    QVERIFY(!table.findLevel(0).has_value());
    QCOMPARE(table.xpForLevel(1), 0);
  }

  void xpForLevelRoundsHalfToEven_data() {
    // clang-format off
    QTest::addColumn<double>("level");
    QTest::addColumn<qint64>("xp");
    QTest::newRow("whole") << 3.0 << qint64(3000);
    QTest::newRow("2.5 to 2") << 2.5 << qint64(1000);
    QTest::newRow("3.5 to 4") << 3.5 << qint64(6000);
    QTest::newRow("3.49 to 3") << 3.49 << qint64(3000);
    QTest::newRow("slot 0") << 0.0 << qint64(0);
    QTest::newRow("beyond the records") << 150.0 << qint64(0);
    QTest::newRow("beyond the slots") << 500.0 << qint64(0);
    QTest::newRow("negative") << -3.0 << qint64(0);
    // clang-format on
  }
  void xpForLevelRoundsHalfToEven() {
    QFETCH(double, level);
    QFETCH(qint64, xp);
    const TableLoad load = ParseLevelTable("1,0\n2,1000\n3,3000\n4,6000\n5,10000\n");
    QCOMPARE(load.table.xpForLevel(level), xp);
  }

  void roundHalfEven_data() {
    // clang-format off
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::newRow("57.5") << 57.5 << 58.0;
    QTest::newRow("58.5") << 58.5 << 58.0;
    QTest::newRow("-0.5") << -0.5 << 0.0;
    QTest::newRow("-1.5") << -1.5 << -2.0;
    QTest::newRow("188.50001") << 188.50001 << 189.0;
    // clang-format on
  }
  void roundHalfEven() {
    QFETCH(double, value);
    QFETCH(double, rounded);
    QCOMPARE(RoundHalfEven(value), rounded);
  }

  void loadsFromFile() {
    const std::string path = test::WriteFile(test::ScratchPath("table.txt"), "1,0\n2,1000\n");
    TableLoad load = LoadLevelTable(path);
    QVERIFY(load.ok());
    QCOMPARE(load.table.levelCount(), 2);
    std::remove(path.c_str());

    load = LoadLevelTable(test::ScratchPath("no-such-table.txt"));
    QVERIFY(!load.ok());
    QCOMPARE(load.error->problem, TableProblem::Missing);

    load = LoadLevelTable(test::ScratchPath());  // a folder
    QVERIFY(!load.ok());
    QCOMPARE(load.error->problem, TableProblem::Unreadable);
    QCOMPARE(load.error->reason, ReadFailure::Folder);
  }

  // The table shipped with the program, as the build copies it next to the executables.
  void shippedTable() {
    const TableLoad load = LoadLevelTable(DefaultLevelTablePath());
    QVERIFY2(load.ok(), DefaultLevelTablePath().c_str());
    const LevelTable& t = load.table;
    QCOMPARE(t.levelCount(), 190);
    QCOMPARE(t.levelXp(1), 0);
    QCOMPARE(t.levelXp(50), 25227500);
    QVERIFY(t.levelXp(189) < 94564821930);
    QVERIFY(t.levelXp(190) > 94564821930);
    for (int n = 1; n < 190; ++n) QVERIFY(t.levelXp(n + 1) > t.levelXp(n));
    // Above level 50 every level is worth more than one ring hand-in at that level.
    for (int n = 50; n < 190; ++n)
      QVERIFY2(t.levelXp(n + 1) - t.levelXp(n) > n * 6000LL, qPrintable(QString::number(n)));
    QCOMPARE(t.findLevel(25227500).value_or(0), 50);
    QCOMPARE(t.findLevel(25227499).value_or(0), 49);
  }
};

QTEST_APPLESS_MAIN(TestLevelTable)
#include "test_level_table.moc"
