#include <QtTest>

#include "quorvane_version.h"

namespace {

struct Finished {
  int exitCode = -1;
  QString out;
  QString err;
};

Finished RunCli(const QStringList& args, const QString& workingDirectory = QString()) {
  QProcess p;
  p.setProgram(QStringLiteral(QUORVANE_CLI_PATH));
  p.setArguments(args);
  if (!workingDirectory.isEmpty()) p.setWorkingDirectory(workingDirectory);
  p.start();
  if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) {
    p.kill();
    p.waitForFinished();
    return {};
  }
  return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

QString Lines(const QStringList& lines) { return lines.join('\n') + '\n'; }

QJsonObject Json(const Finished& run) { return QJsonDocument::fromJson(run.out.toUtf8()).object(); }

// The fields of a CSV line, quotes undone.
QStringList CsvFields(const QString& line) {
  QStringList fields{""};
  bool quoted = false;
  for (int i = 0; i < line.size(); ++i) {
    if (line[i] == '"' && quoted && line.mid(i + 1, 1) == "\"")
      fields.last() += line[++i];
    else if (line[i] == '"')
      quoted = !quoted;
    else if (line[i] == ',' && !quoted)
      fields << "";
    else
      fields.last() += line[i];
  }
  return fields;
}

// The options of each way of handing in, in the order of the comparison's rows.
const QStringList kWays{
    "--part maces", "--part belts", "--part books", "--part rings --side good", "--part rings --side evil",
    "--sell-maces"};
const QStringList kWayNames{"maces", "belts", "books", "rings good", "rings evil", "sell maces"};
const int kZeroLeftOffered[]{1, 2, 3, 4, 4, 0};
const QStringList kZeroLeft{"scalps", "maces", "belts", "books", "rings"};

}  // namespace

class TestCli : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString linear_;  // levels 1..49 at n x 1000 XP, then 500,000,000 XP a level from 25,227,500 at level 50
  QString short_;   // the same table cut after level 52

  QString write(const QString& name, int lastLevel) {
    QFile file(dir_.filePath(name));
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(file.fileName()));
    for (int n = 1; n <= lastLevel; ++n) {
      const qint64 xp = n < 50 ? n * 1000LL : 25227500LL + (n - 50) * 500'000'000LL;
      file.write(QByteArray::number(n) + ',' + QByteArray::number(xp) + '\n');
    }
    if (!file.flush()) qFatal("cannot write %s", qPrintable(file.fileName()));
    return file.fileName();
  }
  // An XP inside `level` of the shipped table.
  qint64 xpIn(int level, QRandomGenerator& random) {
    QFile file(QFileInfo(QStringLiteral(QUORVANE_CLI_PATH)).dir().filePath("lvl-xp.txt"));
    if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read the shipped table");
    const QList<QByteArray> lines = file.readAll().split('\n');
    const qint64 start = lines[level - 1].split(',')[1].trimmed().toLongLong();
    return start + random.bounded(lines[level].split(',')[1].trimmed().toLongLong() - start);
  }
  QStringList withTable(const QString& args, const QString& table) {
    return args.split(' ', Qt::SkipEmptyParts) << "--table" << table;
  }

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    linear_ = write("linear.txt", 190);
    short_ = write("short.txt", 52);
    QVERIFY(QFile::link(dir_.filePath("none.txt"), dir_.filePath("link.txt")));
    QVERIFY(QFile::link("link.txt", dir_.filePath("relative-link.txt")));
  }

  // Hand-checked results; every hand-in at level 50 gives 50,000 XP a scalp or mace bundle,
  // 150,000 a belt bundle, 187,500 a book bundle and 200,000 a ring hand-in.
  void results_data() {
    // clang-format off
    QTest::addColumn<QString>("args");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("expected");
    const QStringList rings{"Level Reached: 50", "Exact XP: 71.077.500", "XP gained: 45.850.000",
                            "XP to next level: 454.150.000", "Scalps remained: 4", "Maces remained: 4",
                            "Belts Remained: 1", "Books Remained: 1", "Rings Remained: 0", "Final Reward: 4"};
    // 200 scalp bundles and 40 mace bundles; the 40 belts stay.
    const QStringList maces{"Level Reached: 50", "Exact XP: 37.227.500", "XP gained: 12.000.000",
                            "XP to next level: 488.000.000", "Scalps remained: 0", "Maces remained: 0",
                            "Belts Remained: 40"};
    QTest::newRow("maces") << "--xp 25227500 --scalps 1000 --part maces" << "linear" << maces;
    QTest::newRow("maces, short table") << "--xp 25227500 --scalps 1000 --part maces" << "short" << maces;
    // 10,000 bundles reach level 51, 2,000 more at 51,000; 2,400 mace and 800 belt bundles at level 51.
    QTest::newRow("belts with a level-up")
        << "--xp 25227500 --scalps 60000 --part belts" << "linear"
        << QStringList{"Level Reached: 51", "Exact XP: 872.027.500", "XP gained: 846.800.000",
                       "XP to next level: 153.200.000", "Scalps remained: 0", "Maces remained: 0",
                       "Belts Remained: 0", "Books Remained: 800"};
    QTest::newRow("books") << "--xp 25227500 --scalps 3124 --part books" << "linear"
                           << QStringList{"Level Reached: 50", "Exact XP: 70.277.500", "XP gained: 45.050.000",
                                          "XP to next level: 454.950.000", "Scalps remained: 4", "Maces remained: 4",
                                          "Belts Remained: 1", "Books Remained: 1", "Rings Remained: 8"};
    QTest::newRow("rings good") << "--level 50 --scalps 3124 --part rings --side good" << "linear" << rings;
    QTest::newRow("rings take good by default") << "--level 50 --scalps 3124 --part rings" << "linear" << rings;
    QTest::newRow("rings evil") << "--level 50 --scalps 3124 --part rings --side Evil" << "linear"
                                << QStringList{"Level Reached: 50", "Exact XP: 70.877.500", "XP gained: 45.650.000",
                                               "XP to next level: 454.350.000", "Scalps remained: 4",
                                               "Maces remained: 4", "Belts Remained: 1", "Books Remained: 1",
                                               "Rings Remained: 2", "Final Reward: 2"};
    QTest::newRow("sell maces") << "--xp 25227500 --scalps 1003 --sell-maces" << "linear"
                                << QStringList{"Level Reached: 50", "Exact XP: 35.227.500", "XP gained: 10.000.000",
                                               "XP to next level: 490.000.000", "Gp from Maces: 2.0568M gp",
                                               "Scalps remained: 3", "Maces remained: 0"};
    // Each 25 scalps give 6 bundles, 300,000 XP: 41,670 scalps give 8,334 scalp and 1,666 mace
    // bundles, exactly the 500,000,000 to level 51; 41,665 fall 50,000 short.
    QTest::newRow("search") << "--xp 25227500 --part maces --target 51" << "linear"
                            << QStringList{"Scalps Needed: 41670", "Level Reached: 51", "Exact XP: 525.227.500",
                                           "XP gained: 500.000.000", "XP to next level: 500.000.000",
                                           "Scalps remained: 0", "Maces remained: 4", "Belts Remained: 1666"};
    // With no maces left the counts go up 25 at a time: 41,650 give 9,996 bundles, 200,000 XP
    // short; 41,675 give 8,335 scalp and 1,665 mace bundles to level 51, then 2 mace bundles at 51,000.
    QTest::newRow("search, zero maces left") << "--xp=25227500 --part=maces --target=51 --zero-left=maces" << "linear"
                                             << QStringList{"Scalps Needed: 41675", "Level Reached: 51",
                                                            "Exact XP: 525.329.500", "XP gained: 500.102.000",
                                                            "XP to next level: 499.898.000", "Scalps remained: 0",
                                                            "Maces remained: 0", "Belts Remained: 1667"};
    // The items owned join each stage (625 maces, 127 belts, 45 books, 14 rings).
    const QString owned = "--level 50 --scalps 3124 --part rings --maces 1 --belts 2 --books 3 --rings 5";
    QTest::newRow("steps, every item owned")
        << owned + " --steps" << "linear"
        << QStringList{"Item    Hand-ins  Items  XP Each   XP Gained  Level  To    XP After",
                       "scalps       624   3120   50.000  31.200.000     50  50  56.427.500",
                       "maces        125    625   50.000   6.250.000     50  50  62.677.500",
                       "belts         42    126  150.000   6.300.000     50  50  68.977.500",
                       "books          9     45  187.500   1.687.500     50  50  70.665.000",
                       "rings          7     14  200.000   1.400.000     50  50  72.065.000"};
    // clang-format on
  }
  void results() {
    QFETCH(QString, args);
    QFETCH(QString, table);
    QFETCH(QStringList, expected);
    const Finished run = RunCli(withTable(args, table == "short" ? short_ : linear_));
    QCOMPARE(run.err, QString());
    QCOMPARE(run.out, Lines(expected));
    QCOMPARE(run.exitCode, 0);
  }

  // The command's messages, as "Title: Text" on standard error, end the run with status 1.
  void messages_data() {
    // clang-format off
    QTest::addColumn<QString>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("no quest option") << "--xp 25227500 --scalps 1000" << "Error: You have not chosen any quest options.";
    QTest::newRow("no scalps") << "--xp 25227500 --part books"
                               << "No Data In Fields: You have not typed any number of scalps.";
    QTest::newRow("scalps 4") << "--xp 25227500 --scalps 4 --sell-maces"
                              << "Please!!!: Perhaps you should consider collecting some scalps first.";
    QTest::newRow("xp below level 50") << "--xp 25227499 --scalps 100 --part rings"
                                       << "Cheater!: Who are you kidding? 50lvl req for SH :-)";
    QTest::newRow("xp letters") << "--xp 25227500k --scalps 100 --part rings"
                                << "No Data In Fields: The XP field has letters, not numbers.";
    QTest::newRow("empty level") << "--level= --scalps 100 --part rings" << "Error: You have not typed your level.";
    QTest::newRow("target reached") << "--level 50 --part maces --target 50"
                                    << "Oops: You are already there! 0 scalps needed!";
    QTest::newRow("target 190") << "--level 50 --part maces --target 190" << "Be patient: Cannot check above 190lvl.";
    QTest::newRow("missing table") << "--level 50 --part maces --target 60 --table {dir}/none.txt"
                                   << "Error: The level table {dir}/none.txt is missing.";
    // A linked table is named by the file the link leads to, the one to edit.
    QTest::newRow("linked table") << "--level 50 --part maces --target 60 --table {dir}/link.txt"
                                  << "Error: The level table {dir}/none.txt is missing.";
    QTest::newRow("link to a link") << "--level 50 --part maces --target 60 --table {dir}/relative-link.txt"
                                    << "Error: The level table {dir}/none.txt is missing.";
    // A pipe has no file name: the table is named as given.
    QTest::newRow("piped table") << "--level 50 --part maces --target 60 --table /dev/stdin"
                                 << "Error: The level table /dev/stdin cannot be read: it is not a regular file.";
    QTest::newRow("plan without quest option") << "--plan --xp 25227500" << "Error: You have not chosen any quest options.";
    QTest::newRow("plan from the target") << "--plan --level 189 --part books"
                                          << "Oops: You are already there! 0 scalps needed!";
    QTest::newRow("plan to 190") << "--plan --level 50 --part books --target 190" << "Be patient: Cannot check above 190lvl.";
    QTest::newRow("compare few scalps") << "--compare --xp 25227500 --scalps 4"
                                        << "Please!!!: Perhaps you should consider collecting some scalps first.";
    QTest::newRow("count refused") << "--xp 25227500 --part maces --belts 1.5" << "Error: The Belts Owned field must hold a whole number.";
    QTest::newRow("steps of no scalps") << "--steps --xp 25227500 --part maces"
                                        << "No Data In Fields: You have not typed any number of scalps.";
    QTest::newRow("compare at the cap") << "--compare --level 185 --scalps 3000000"
                                        << "Be patient: Cannot check above 190lvl.";
    // clang-format on
  }
  void messages() {
    QFETCH(QString, args);
    QFETCH(QString, message);
    args.replace("{dir}", dir_.path());
    QStringList list = args.split(' ');
    if (!args.contains("--table")) list << "--table" << linear_;
    const Finished run = RunCli(list);
    QCOMPARE(run.err, message.replace("{dir}", dir_.path()) + '\n');
    QCOMPARE(run.out, QString());
    QCOMPARE(run.exitCode, 1);
  }

  // What the window's controls cannot express is refused with the usage and status 2.
  void usage_data() {
    // clang-format off
    QTest::addColumn<QString>("args");
    QTest::addColumn<QString>("error");
    QTest::newRow("nothing") << "" << "give the character's XP (--xp) or level (--level)";
    QTest::newRow("xp and level") << "--xp 25227500 --level 50" << "give --xp or --level, not both";
    QTest::newRow("part and sell maces") << "--xp 1 --part maces --sell-maces"
                                         << "--part and --sell-maces cannot be given together";
    QTest::newRow("side without part") << "--xp 1 --side good" << "--side needs --part rings";
    QTest::newRow("side with books") << "--xp 1 --part books --side evil" << "--side needs --part rings";
    QTest::newRow("unknown part") << "--xp 1 --part swords" << "--part takes none, maces, belts, books, rings, not 'swords'";
    QTest::newRow("zero left not offered") << "--xp 1 --part belts --zero-left books"
                                           << "--zero-left books is not offered with --part belts";
    QTest::newRow("zero left when selling") << "--xp 1 --sell-maces --zero-left maces"
                                            << "--zero-left maces is not offered with --sell-maces";
    QTest::newRow("unknown option") << "--xp 1 --scalp 5" << "unknown option '--scalp'";
    QTest::newRow("a long unknown option, quoted short") << "--xp 1 --" + QString(100000, 'x')
                                                        << "unknown option '--" + QString(30, 'x') + "...'";
    QTest::newRow("missing value") << "--xp" << "option '--xp' needs a value";
    QTest::newRow("value on a switch") << "--xp 1 --json=yes" << "option '--json' takes no value";
    QTest::newRow("given twice") << "--xp 1 --scalps 5 --scalps 6" << "option '--scalps' given twice";
    QTest::newRow("stray argument") << "--xp 1 5" << "unexpected argument '5'";
    QTest::newRow("help with a stray word") << "--help extra" << "unexpected argument 'extra'";
    QTest::newRow("empty table path") << "--xp 1 --part maces --table=" << "--table names no file: the path given is empty";
    QTest::newRow("plan and compare") << "--xp 1 --plan --compare" << "give --plan or --compare, not both";
    QTest::newRow("steps and plan") << "--xp 1 --steps --plan" << "give --steps or --plan, not both";
    QTest::newRow("json and csv") << "--xp 1 --part maces --json --csv" << "give --json or --csv, not both";
    QTest::newRow("compare with a part") << "--xp 1 --scalps 5 --compare --part maces"
                                         << "--compare tries every way of handing in; --part cannot be given with it";
    QTest::newRow("compare with a target") << "--xp 1 --scalps 5 --compare --target 60"
                                           << "--compare tries every way of handing in; --target cannot be given with it";
    QTest::newRow("compare with progress") << "--xp 1 --scalps 5 --compare --progress"
                                           << "--compare tries every way of handing in; --progress cannot be given with it";
    QTest::newRow("plan with scalps") << "--xp 1 --part maces --plan --scalps 5"
                                      << "--plan searches the scalps needed for every level; --scalps cannot be given with it";
    // clang-format on
  }
  void usage() {
    QFETCH(QString, args);
    QFETCH(QString, error);
    const Finished run = RunCli(args.split(' ', Qt::SkipEmptyParts));
    QCOMPARE(run.err.section('\n', 0, 0), "quorvane-cli: " + error);
    QVERIFY(run.err.section('\n', 1, 1).startsWith("Usage: quorvane-cli (--xp N | --level N)"));
    QCOMPARE(run.out, QString());
    QCOMPARE(run.exitCode, 2);
  }

  void json_data() {
    // clang-format off
    QTest::addColumn<QString>("args");
    QTest::addColumn<QVariantMap>("expected");
    QTest::newRow("rings evil") << "--level 50 --scalps 3124 --part rings --side evil"
                                << QVariantMap{{"levelReached", 50}, {"exactXp", 70877500}, {"xpGained", 45650000},
                                               {"xpToNextLevel", 454350000}, {"scalpsRemained", 4},
                                               {"macesRemained", 4}, {"beltsRemained", 1}, {"booksRemained", 1},
                                               {"ringsRemained", 2}, {"finalReward", 2}};
    QTest::newRow("sell maces") << "--xp 25227500 --scalps 1003 --sell-maces"
                                << QVariantMap{{"levelReached", 50}, {"exactXp", 35227500}, {"xpGained", 10000000},
                                               {"xpToNextLevel", 490000000}, {"gpFromMaces", 2.0568},
                                               {"scalpsRemained", 3}, {"macesRemained", 0}};
    QTest::newRow("search") << "--xp 25227500 --part maces --target 51"
                            << QVariantMap{{"scalpsNeeded", 41670}, {"levelReached", 51}, {"exactXp", 525227500},
                                           {"xpGained", 500000000}, {"xpToNextLevel", 500000000},
                                           {"scalpsRemained", 0}, {"macesRemained", 4}, {"beltsRemained", 1666}};
    QTest::newRow("items owned") << "--xp 25227500 --part books --books 12 --rings 3"
                                 << QVariantMap{{"levelReached", 50}, {"exactXp", 25602500}, {"xpGained", 375000},
                                                {"xpToNextLevel", 499625000}, {"scalpsRemained", 0}, {"macesRemained", 0},
                                                {"beltsRemained", 0}, {"booksRemained", 2}, {"ringsRemained", 5},
                                                {"macesOwned", 0}, {"beltsOwned", 0}, {"booksOwned", 12}, {"ringsOwned", 3}};
    // clang-format on
  }
  void json() {
    QFETCH(QString, args);
    QFETCH(QVariantMap, expected);
    const Finished run = RunCli(withTable(args + " --json", linear_));
    QCOMPARE(run.exitCode, 0);
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(run.out.toUtf8(), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QVERIFY(doc.isObject());
    const QJsonObject got = doc.object();
    QCOMPARE(got.keys(), QStringList(expected.keys()));
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
      QVERIFY2(got.value(it.key()).isDouble(), qPrintable(it.key()));
      QCOMPARE(got.value(it.key()).toDouble(), it.value().toDouble());
    }
  }

  // The Working window's captions at its repaint points: once when it opens, then every 100 scalps.
  void progress() {
    const QStringList args = withTable("--xp 25227500 --part maces --target 51 --progress", linear_);
    const Finished run = RunCli(args);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, RunCli(withTable("--xp 25227500 --part maces --target 51", linear_)).out);
    const QStringList lines = run.err.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1 + 417);
    QCOMPARE(lines[0], QString("Currently checking: 0 scalps | 0 | Level Reached | 189"));
    QCOMPARE(lines[1], QString("Currently checking: 0 scalps | 50 | Level Reached | 51"));
    QCOMPARE(lines[2], QString("Currently checking: 100 scalps | 50 | Level reached: 50 | 51"));
    QCOMPARE(lines.last(), QString("Currently checking: 41600 scalps | 50 | Level reached: 50 | 51"));
  }

  // Without --table the program reads lvl-xp.txt beside itself, wherever it is started from.
  void defaultTable() {
    const QString beside = QFileInfo(QStringLiteral(QUORVANE_CLI_PATH)).dir().filePath("lvl-xp.txt");
    const QStringList args{"--xp", "30000000", "--scalps", "5000", "--part", "books"};
    const Finished run = RunCli(args, dir_.path());
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.startsWith("Level Reached: "));
    QCOMPARE(run.out, RunCli(QStringList(args) << "--table" << beside).out);
  }

  // Every row of a plan is what a search for that level alone gives (shipped table, fixed seed).
  void planRowsAreSearches_data() {
    // clang-format off
    QTest::addColumn<QString>("args");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("target");
    QRandomGenerator random(16);
    for (int n = 0; n < 5; ++n) {
      const int level = 50 + random.bounded(135), target = qMin(189, level + 1 + random.bounded(8));
      const int way = random.bounded(6);
      const QString start = n % 2 ? QString("--level %1").arg(level) : QString("--xp %1").arg(xpIn(level, random));
      QTest::addRow("%d", n) << QString("%1 %2 --zero-left %3 --target %4")
                                    .arg(start, kWays[way], kZeroLeft[random.bounded(kZeroLeftOffered[way] + 1)])
                                    .arg(target)
                             << level << target;
    }
    // clang-format on
  }
  void planRowsAreSearches() {
    QFETCH(QString, args);
    QFETCH(int, from);
    QFETCH(int, target);
    const Finished plan = RunCli(QString("--plan --json " + args).split(' '));
    QCOMPARE(plan.exitCode, 0);
    const QJsonArray rows = Json(plan)["rows"].toArray();
    QCOMPARE(rows.size(), target - from);
    qint64 before = 0;
    for (int i = 0; i < rows.size(); ++i) {
      const QJsonObject row = rows[i].toObject();
      QCOMPARE(row["level"].toInt(), from + 1 + i);
      QString single = args;
      single.replace(QRegularExpression("--target \\d+"), QString("--target %1 --json").arg(from + 1 + i));
      const qint64 needed = Json(RunCli(single.split(' ')))["scalpsNeeded"].toInteger(-1);
      QCOMPARE(row["scalpsNeeded"].toInteger(), needed);
      QCOMPARE(row["scalpsMore"].toInteger(), needed - before);
      before = needed;
    }
  }

  // The search for a level the table lacks ends the plan after the rows before it.
  void planEndsWithMessage() {
    const Finished run = RunCli(withTable("--plan --xp 25227500 --part maces", short_));
    QCOMPARE(run.out, Lines({"Level  Scalps Needed  Scalps More", "   51          41670        41670"}));
    QCOMPARE(run.err, "Error: The level table " + short_ + " has no XP for level 53.\n");
    QCOMPARE(run.exitCode, 1);
  }

  // Every row of a comparison is the projection of that way alone, or its message.
  void compareRowsAreProjections_data() {
    // clang-format off
    QTest::addColumn<QString>("args");
    QRandomGenerator random(16);
    for (int n = 0; n < 4; ++n) {
      const int level = 50 + random.bounded(139);
      QTest::addRow("%d", n) << QString("--xp %1 --scalps %2").arg(xpIn(level, random)).arg(random.bounded(5, 400000));
    }
    QTest::newRow("some ways at the cap") << "--level 185 --scalps 600000";
    // clang-format on
  }
  void compareRowsAreProjections() {
    QFETCH(QString, args);
    const Finished compare = RunCli(QString("--compare --json " + args).split(' '));
    const QJsonArray rows = Json(compare)["rows"].toArray();
    QCOMPARE(rows.size(), kWays.size());
    int refused = 0;
    for (int i = 0; i < rows.size(); ++i) {
      const QJsonObject row = rows[i].toObject();
      QCOMPARE(row["way"].toString(), kWayNames[i]);
      const Finished single = RunCli(QString(args + " --json " + kWays[i]).split(' '));
      if (single.exitCode != 0) {
        QCOMPARE(row["message"].toString() + '\n', single.err);
        ++refused;
        continue;
      }
      const QJsonObject expected = Json(single);
      for (const char* name : {"levelReached", "exactXp", "xpToNextLevel", "finalReward"}) {
        QCOMPARE(row[name].toInteger(-1), expected[name].toInteger(0));
      }
      QCOMPARE(row["gpFromMaces"].toDouble(-1), expected["gpFromMaces"].toDouble(0));
    }
    QCOMPARE(compare.exitCode, refused ? 1 : 0);
  }

  // CSV: a header and a line per row, each with as many fields.
  void formats_data() {
    // clang-format off
    QTest::addColumn<QString>("args");
    QTest::addColumn<QString>("header");
    QTest::addColumn<int>("rows");
    QTest::newRow("plan") << "--plan --level 180 --part books" << "level,scalpsNeeded,scalpsMore" << 9;
    QTest::newRow("compare") << "--compare --level 185 --scalps 600000"
                             << "way,levelReached,exactXp,xpToNextLevel,finalReward,gpFromMaces,message" << 6;
    QTest::newRow("one search") << "--level 180 --part maces --target 181"
                                << "scalpsNeeded,levelReached,exactXp,xpGained,xpToNextLevel,scalpsRemained,"
                                   "macesRemained,beltsRemained" << 1;
    QTest::newRow("one search, a ring owned") << "--level 180 --part maces --target 181 --rings 1"
                                              << "scalpsNeeded,levelReached,exactXp,xpGained,xpToNextLevel,scalpsRemained,"
                                                 "macesRemained,beltsRemained,macesOwned,beltsOwned,booksOwned,ringsOwned" << 1;
    QTest::newRow("steps") << "--steps --level 180 --part maces --scalps 100000"
                           << "item,handIns,itemsHandedIn,xpEach,xpGained,levelBefore,levelAfter,xpAfter" << 3;
    // clang-format on
  }
  void formats() {
    QFETCH(QString, args);
    QFETCH(QString, header);
    QFETCH(int, rows);
    const QStringList csv = RunCli(QString(args + " --csv").split(' ')).out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(csv.size(), 1 + rows);
    QCOMPARE(csv[0], header);
    for (const QString& line : csv) QCOMPARE(line.count(','), header.count(','));
  }

  // A comparison's message cells keep a table path holding separators, quotes and control
  // characters whole: 75,000 scalps take every way but the maces and selling past level 52.
  void messageCells_data() {
    // clang-format off
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("format");
    QString controls;
    for (char16_t c = 1; c < 0x20; ++c) controls += QChar(c);
    QTest::newRow("csv: a comma") << "Smith, John" << "--csv";
    QTest::newRow("csv: quotes") << "\"Jr\"" << "--csv";
    QTest::newRow("json: every control character") << controls << "--json";
    // clang-format on
  }
  void messageCells() {
    QFETCH(QString, folder);
    QFETCH(QString, format);
    QVERIFY(QDir(dir_.path()).mkpath(folder));
    const QString table = dir_.path() + '/' + folder + "/short.txt";
    QVERIFY(QFile::exists(table) || QFile::copy(short_, table));
    const QStringList args{"--compare", format, "--level", "50", "--scalps", "75000", "--table"};
    const Finished run = RunCli(QStringList(args) << table);
    const QString message = "Error: The level table " + table + " has no XP for level 53.";
    QCOMPARE(run.err, message + '\n');
    QStringList cells;
    if (format == "--json") {
      QJsonParseError error;
      const QJsonDocument doc = QJsonDocument::fromJson(run.out.toUtf8(), &error);
      QCOMPARE(error.error, QJsonParseError::NoError);
      // No control character written raw (Qt's parser lets them pass): the lines of a plain path.
      QVERIFY(!run.out.contains(QRegularExpression("[\\x{1}-\\x{9}\\x{b}-\\x{1f}]")));
      QCOMPARE(run.out.count('\n'), RunCli(QStringList(args) << short_).out.count('\n'));
      for (const QJsonValue& row : doc["rows"].toArray()) cells << row["message"].toString();
    } else {
      for (const QString& line : run.out.split('\n', Qt::SkipEmptyParts).mid(1)) {
        const QStringList fields = CsvFields(line);
        QCOMPARE(fields.size(), 7);
        cells << fields.last();
      }
    }
    QCOMPARE(cells, QStringList({"", message, message, message, message, ""}));
  }

  // The help and the tables fit an 80-column console, where an 80th character would move the
  // cursor to the next line (the comparison with the widest values the game reaches).
  void fitsEightyColumns_data() {
    // clang-format off
    QTest::addColumn<QString>("args");
    QTest::newRow("help") << "--help";
    QTest::newRow("usage") << "--xp";
    QTest::newRow("compare") << "--compare --level 185 --scalps 600000";
    QTest::newRow("plan") << "--plan --level 180 --part books";
    QTest::newRow("steps") << "--steps --level 50 --part rings --side evil --target 189 --zero-left rings";
    // clang-format on
  }
  void fitsEightyColumns() {
    QFETCH(QString, args);
    const Finished run = RunCli(args.split(' '));  // the shipped table beside the program
    QVERIFY(!(run.out + run.err).isEmpty());
    for (const QString& line : (run.out + run.err).split('\n')) QVERIFY2(line.size() < 80, qPrintable(line));
  }

  void helpAndVersion() {
    const Finished version = RunCli({"--version"});
    QCOMPARE(version.out, QString("quorvane-cli %1\n").arg(quorvane::kVersionText));
    QCOMPARE(version.exitCode, 0);
    const Finished help = RunCli({"--xp", "1", "--help"});
    QVERIFY(help.out.startsWith("Usage: quorvane-cli"));
    QVERIFY(help.out.contains("--zero-left"));
    QVERIFY(help.out.contains("one of --part and --sell-maces is needed"));
    QVERIFY(help.out.contains("(--part maces|belts|books|rings | --sell-maces)"));
    QCOMPARE(help.err, QString());
    QCOMPARE(help.exitCode, 0);
  }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
