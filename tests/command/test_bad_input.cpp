// The catalogue of wrong input: every kind of text a player can type into each number field,
// and every kind of broken lvl-xp.txt, with the message box the player gets (or the results,
// where the input is taken). Every press is also checked against the rules of CheckingView.
#include <QtTest>

#include <cerrno>
#include <map>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "core/level_table.h"
#include "platform/program_folder.h"
#include "command/calculate_command.h"
#include "tests/checking_view.h"
#include "tests/scratch_files.h"
#include "tests/view_setup.h"

using namespace quorvane;

namespace {

const QString kHuge = "99999999999999999999999999";
const QString kNotANumber = "does not hold a number.";
const QString kLetters = "has letters, not numbers.";

// A wrong text for each field, and the field's setup with "@" where the text goes.
struct FieldCase {
  const char* field;
  const char* setup;
  const char* name;  // as the messages name the field
};
const FieldCase kFields[] = {
    {"Text1", "Text1=@;Text2=1000", "XP"},
    {"LevelNow", "Option3=1;LevelNow=@;Text2=1000", "Level"},
    {"Text2", "Text1=25227500;Text2=@", "Scalps"},
    {"TargetLVL", "Text1=25227500;ReqLVL=1;TargetLVL=@", "Requested LVL"},
    {"ScalpsUpd", "Text1=25227500;ReqLVL=1;TargetLVL=52;ScalpsUpd=@", "Update window after:"},
    {"Text2, a ring owned", "Text1=25227500;Option1=3;Rings Owned=1;Text2=@", "Scalps"},
    {"Maces Owned", "Text1=25227500;Option1=3;Text2=1000;Maces Owned=@", "Maces Owned"},
    {"Belts Owned", "Text1=25227500;Option1=3;Text2=1000;Belts Owned=@", "Belts Owned"},
    {"Books Owned", "Text1=25227500;Option1=3;Text2=1000;Books Owned=@", "Books Owned"},
    {"Rings Owned", "Text1=25227500;Option1=3;Text2=1000;Rings Owned=@", "Rings Owned"},
};

}  // namespace

class TestBadInput : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;

  std::string path(const char* name) const { return dir_.filePath(name).toStdString(); }
  std::string write(const char* name, const std::string& text) const { return test::WriteFile(path(name), text); }
  static std::string records(int first, int last, bool sameNumber = false) {
    const LevelTable t = LoadLevelTable(DefaultLevelTablePath()).table;
    std::string text;
    for (int n = first; n <= last; ++n) {
      const Xp xp = n <= t.levelCount() ? t.levelXp(n) : t.levelXp(t.levelCount()) + (n - t.levelCount()) * 1000;
      text += std::to_string(sameNumber ? 1 : n) + "," + std::to_string(xp) + "\n";
    }
    return text;
  }

  // The level table file of a row, made on demand.
  std::string tablePath(const QString& table) const {
    if (table.isEmpty()) return DefaultLevelTablePath();
    if (table == "missing") return path("no-such-file.txt");
    if (table == "under a file") return write("plain-file", "1,0\n") + "/lvl-xp.txt";
    if (table == "folder") {
      const std::string folder = path("a-folder");
      if (::mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) qFatal("cannot make %s", folder.c_str());
      return folder;
    }
    if (table == "empty") return write("empty.txt", "");
    if (table == "blank lines") return write("blank.txt", " \n\n\t\r\n");
    if (table == "letters") return write("letters.txt", "1,0\n2,92007\n3,abc\n");
    if (table == "trailing letters") return write("trailing.txt", "1,0\n2,92007xp\n");
    if (table == "fraction") return write("fraction.txt", "1,0\n2,92007.5\n");
    if (table == "odd field count") return write("odd.txt", records(1, 10) + "11\n");
    if (table == "empty field") return write("empty-field.txt", "1,0\n2,,92007\n");
    if (table == "not increasing") return write("falling.txt", "1,0\n2,92007\n3,92006\n");
    if (table == "repeated record") return write("repeated.txt", records(1, 10) + records(10, 10));
    if (table == "negative xp") return write("negative.txt", "1,-5\n");
    if (table == "xp too large") return write("large.txt", "1,0\n2,1000000000000001\n");
    if (table == "level number too large") return write("level-number.txt", "1,0\n32768,92007\n");
    if (table == "short") return write("short.txt", records(1, 60));
    if (table == "duplicate level numbers") return write("duplicates.txt", records(1, 190, true));
    if (table == "191 records and more") return write("long.txt", records(1, 191) + records(192, 250) + "garbage\n");
    if (table == "50 MB of records") {
      std::string text = records(1, 190);
      const std::string more = records(191, 1190);
      while (text.size() < 50'000'000) text += more;
      return write("50mb-records.txt", text);
    }
    if (table == "50 MB in one field") return write("50mb-field.txt", std::string(50'000'000, '7'));
    if (table == "binary garbage") {
      std::string garbage = "\x89PNG\r\n\x1a\n";  // a picture saved under the table's name
      for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919 + 13) % 256);
      return write("garbage.bin", garbage);
    }
    if (table == "nul byte")
      return write("nul.txt", std::string("1,0\n2,92\0"
                                          "007\n",
                                          13));
    if (table == "no comma") return write("no-comma.txt", "1,0\n2 92007\n");
    if (table == "utf-16, no comma")
      return write("utf-16.txt", std::string("\xFF\xFE"
                                             "1\0,\0"
                                             "0\0\r\0\n\0"
                                             "2\0 \0"
                                             "9\0",
                                             18));
    if (table == "utf-16 without its mark")
      return write("utf-16-le.txt", std::string("1\0,\0"
                                                "0\0\r\0\n\0",
                                                10));
    if (table == "utf-16 big-endian without its mark")
      return write("utf-16-be.txt", std::string("\0"
                                                "1\0,\0"
                                                "0\0\n",
                                                8));
    if (table == "name too long") return path((std::string(4000, 'x') + ".txt").c_str());
    if (table == "fifo") {
      const std::string fifo = path("fifo");
      if (::mkfifo(fifo.c_str(), 0644) != 0 && errno != EEXIST) qFatal("cannot make %s", fifo.c_str());
      return fifo;
    }
    if (table == "link loop") {
      const std::string loop = path("loop.txt");
      if (::symlink(loop.c_str(), loop.c_str()) != 0 && errno != EEXIST) qFatal("cannot make %s", loop.c_str());
      return loop;
    }
    if (table == "read error") return "/proc/self/mem";  // a regular file whose first byte cannot be read
    qFatal("unknown table %s", qPrintable(table));
  }

 private slots:
  void initTestCase() { QVERIFY(dir_.isValid()); }

  void catalogue_data() {
    // clang-format off
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("title");  // empty: the input is taken and results are shown
    QTest::addColumn<QString>("text");

    // Every field with every kind of wrong text.
    for (const FieldCase& f : kFields) {
      const QString name = f.name;
      const QString field = f.field;
      auto row = [&](const char* kind, const QString& input, const QString& title, const QString& text) {
        QTest::newRow(qPrintable(field + ": " + kind)) << QString() << QString(f.setup).replace("@", input) << title
                                                      << (!text.isEmpty() && text.front().isLower() ? "The " + name + " field " + text : text);
      };
      const bool xp = field == "Text1", level = field == "LevelNow", scalps = field == "Text2";
      const bool target = field == "TargetLVL", interval = field == "ScalpsUpd";
      // With an item owned, no scalps are 0 scalps; an item's count is 0 unless typed.
      const bool owning = field.startsWith("Text2,"), count = field.endsWith("Owned");

      if (xp) row("empty", "", "Error", "You have not typed any XP.");
      if (level) row("empty", "", "Error", "You have not typed your level.");
      if (scalps) row("empty", "", "No Data In Fields", "You have not typed any number of scalps.");
      if (target) row("empty", "", "Missing Data", "Put a number in the Requested LVL.");
      if (interval) row("empty", "", "No Data In Fields", kNotANumber);
      if (owning || count) row("empty, taken", "", "", "");
      if (count) row("blanks, taken", "   ", "", "");
      else row("blanks", "   ", "No Data In Fields", kNotANumber);
      row("letters", "abc", "No Data In Fields", kLetters);
      row("trailing letters", "60k", "No Data In Fields", kLetters);
      row("leading letters", "k60", "No Data In Fields", kLetters);
      row("point", ".", "No Data In Fields", kNotANumber);
      row("minus", "-", "No Data In Fields", kNotANumber);
      row("exponent", "1e5", "No Data In Fields", kLetters);
      row("hexadecimal", "0x10", "No Data In Fields", kLetters);
      row("decimal comma", "1,5", "No Data In Fields", kNotANumber);
      row("inner blank", "6 0", "No Data In Fields", kNotANumber);
      row("two signs", "--6", "No Data In Fields", kNotANumber);
      row("arabic-indic digits", QString::fromUtf8("\u0666\u0660"), "No Data In Fields", kLetters);
      row("fullwidth digits", QString::fromUtf8("\uff16\uff10"), "No Data In Fields", kLetters);
      row("superscript digit", QString::fromUtf8("6\u00b2"), "No Data In Fields", kLetters);
      row("non-breaking space", QString::fromUtf8("60\u00a0"), "No Data In Fields", kLetters);
      if (xp) {
        row("huge", kHuge, "No public data!", "Sorry, this prog calculates only until 190lvl (for now)");
        row("negative", "-25227500", "Cheater!", "Who are you kidding? 50lvl req for SH :-)");
        row("fraction", "25227500.5", "Error", "must hold a whole number.");
        row("zero", "0", "No Data In Fields", "You have not typed any XP.");
      }
      if (level) {
        row("huge", kHuge, "Error", "No support for higher than 190lvl.");
        row("negative", "-5", "Error", "must hold a level of 1 or more.");
        row("zero", "0", "Error", "must hold a level of 1 or more.");
        row("fraction", "57.5", "Error", "must hold a whole number.");
      }
      if (scalps) {
        row("huge", kHuge, "Error", "holds a number too large to calculate with.");
        row("negative", "-500", "Please!!!", "Perhaps you should consider collecting some scalps first.");
        row("zero", "0", "No Data In Fields", "You have not typed any number of scalps.");
        row("fraction", "10.5", "Error", "must hold a whole number.");
      }
      if (owning || count) {
        row("huge", kHuge, "Error", "holds a number too large to calculate with.");
        row("negative", "-2", "Error", "must hold a number of 0 or more.");
        row("zero, taken", "0", "", "");
        row("fraction", "2.5", "Error", "must hold a whole number.");
      }
      if (owning) row("fewer than a mace, taken", "3", "", "");
      if (count) {
        row("the largest count", "4611686018427387904", "Be patient", "Cannot check above 190lvl.");
        row("one above the largest count", "4611686018427387905", "Error", "holds a number too large to calculate with.");
      }
      if (target) {
        row("huge", kHuge, "Be patient", "Cannot check above 190lvl.");
        row("negative", "-60", "Oops", "You want to loose XP? Jesus!");
        row("zero", "0", "Missing Data", "Put a number in the Requested LVL.");
        row("fraction rounding to the present level", "50.4", "Oops", "You are already there! 0 scalps needed!");
        row("fraction rounding to 190", "189.5", "Be patient", "Cannot check above 190lvl.");
      }
      if (interval) {
        row("huge, taken", kHuge, "", "");
        row("negative", "-100", "Error", "must hold a number of scalps above 0.");
        row("zero", "0", "Error", "must hold a number of scalps above 0.");
        row("too small to tell from 0", "0." + QString(400, '0') + "1", "Error", "must hold a number of scalps above 0.");
        row("fraction, taken", "2.5", "", "");
      }
    }

    // The counts are read after the XP typed, in their order, before the scalps; a search hands them in too.
    QTest::newRow("counts: XP first") << QString() << "Text1=0;Maces Owned=x" << "No Data In Fields" << "You have not typed any XP.";
    QTest::newRow("counts: in order, before the scalps") << QString() << "Text1=25227500;Text2=x;Belts Owned=-1;Books Owned=x"
                                                          << "Error" << "The Belts Owned field must hold a number of 0 or more.";
    QTest::newRow("counts: a search, taken") << QString() << "Text1=25227500;ReqLVL=1;TargetLVL=60;Option1=3;Rings Owned=30"
                                             << "" << "";

    // Every kind of broken level table; {path} is the table's path.
    const QString go = "Text1=25227500;Text2=1000";
    const QString line = "Line %1 of {path} ";
    auto table = [&](const char* kind, const QString& title, const QString& text, const QString& setup = QString(),
                     const QString& what = QString()) {
      QTest::newRow(qPrintable(QString("lvl-xp.txt: ") + kind + what)) << QString(kind) << (setup.isEmpty() ? go : setup)
                                                                       << title << text;
    };
    table("missing", "Error", "The level table {path} is missing.");
    table("under a file", "Error", "The level table {path} is missing.");
    table("folder", "Error", "The level table {path} cannot be read: it is a folder.");
    table("fifo", "Error", "The level table {path} cannot be read: it is not a regular file.");
    table("link loop", "Error", "The level table {path} cannot be read: its links lead round in a loop.");
    table("read error", "Error", "The level table {path} cannot be read: reading it failed.");
    table("name too long", "Error", "The level table {start}..." + QString(56, 'x') + ".txt cannot be read: its path is too long.");
    table("utf-16 without its mark", "Error", "The level table {path} is UTF-16 text without its byte-order mark: save it as UTF-8, or as UTF-16 with the mark.");
    table("utf-16 big-endian without its mark", "Error", "The level table {path} is UTF-16 text without its byte-order mark: save it as UTF-8, or as UTF-16 with the mark.");
    table("empty", "Error", "The level table {path} holds no levels.");
    table("blank lines", "Error", "The level table {path} holds no levels.");
    table("letters", "Error", line.arg(3) + "holds something that is not a whole number.");
    table("trailing letters", "Error", line.arg(2) + "holds something that is not a whole number.");
    table("fraction", "Error", line.arg(2) + "holds something that is not a whole number.");
    table("odd field count", "Error", line.arg(11) + "has a level number without its XP.");
    table("empty field", "Error", line.arg(2) + "has an empty field.");
    table("not increasing", "Error", line.arg(3) + "has an XP value that is not above the one of the level before.");
    table("repeated record", "Error", line.arg(11) + "has an XP value that is not above the one of the level before.");
    table("negative xp", "Error", line.arg(1) + "has a negative XP value.");
    table("xp too large", "Error", line.arg(2) + "has an XP value above 1000000000000000.");
    table("level number too large", "Error", line.arg(2) + "has a level number outside -32768 to 32767.");
    table("50 MB in one field", "Error", line.arg(1) + "has a level number outside -32768 to 32767.");
    table("binary garbage", "Error", line.arg(1) + "holds something that is not a whole number.");
    table("nul byte", "Error", line.arg(2) + "holds something that is not a whole number.");
    table("no comma", "Error", line.arg(2) + "has a level number and XP without a comma between them.");
    table("utf-16, no comma", "Error", line.arg(2) + "has a level number and XP without a comma between them.");
    table("short", "Error", "The XP in the XP field matches no level of the level table {path}.",
          "Text1=94564821930;Text2=1000", ", XP past its end");
    table("short", "Error", "The level table {path} has no XP for level 100.", "Option3=1;LevelNow=100;Text2=1000",
        ", level past its end");
    // Taken: the level of a record is its place in the file, and records past level 191 are ignored.
    table("duplicate level numbers", "", "");
    table("191 records and more", "", "");
    table("50 MB of records", "", "");
    // clang-format on
  }

  void catalogue() {
    QFETCH(QString, table);
    QFETCH(QString, setup);
    QFETCH(QString, title);
    QFETCH(QString, text);
    CheckingView v;
    ApplySetup(v, setup);
    const std::string path = tablePath(table);
    QElapsedTimer clock;
    clock.start();
    const CalculateOutcome outcome = ExecuteCalculate(v, path);
    QVERIFY2(clock.elapsed() < 5000, "a press must not keep the player waiting");
    const TableLoad load = LoadLevelTable(path);
    const std::string problem = v.check(outcome, load.table);
    QVERIFY2(problem.empty(), problem.c_str());
    if (title.isEmpty()) {
      QCOMPARE(outcome, CalculateOutcome::Results);
      QVERIFY(v.messages.empty());
      return;
    }
    QCOMPARE(outcome, CalculateOutcome::Message);
    QCOMPARE(QString::fromStdString(v.messages.at(0).first), title);
    text.replace("{start}", QString::fromStdString(path).left(80));  // a long path shortened
    QCOMPARE(QString::fromStdString(v.messages.at(0).second), text.replace("{path}", QString::fromStdString(path)));
    QCOMPARE(v.caption(ResultLabel::Level), std::string("Click Calculate"));  // nothing written
  }
};

QTEST_APPLESS_MAIN(TestBadInput)
#include "test_bad_input.moc"
