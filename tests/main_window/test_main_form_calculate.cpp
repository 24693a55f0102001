// "Calculate" on the main window as a user meets it: typing and clicking, the results frame, the
// messages, and the Working window of the scalps search with what reaches the screen.

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <string>

#include "../fake_calculate_view.h"
#include "../scratch_files.h"
#include "core/level_table.h"
#include "platform/program_folder.h"
#include "core/number_text.h"
#include "core/projection.h"
#include "main_window/main_form.h"
#include "tests/qt_form.h"
#include "toolkit/qt/backend.h"
#include "toolkit/qt/caption_label.h"
#include "working_window/working_form.h"

using namespace quorvane;
using TestedMainForm = quorvane::test::Tested<MainForm>;

namespace {

const LevelTable& ShippedTable() {
  static const LevelTable table = LoadLevelTable(DefaultLevelTablePath()).table;
  return table;
}

std::string XpOf(int level) { return FormatPlain(ShippedTable().levelXp(level)); }

// Records, in order, the caption of every Working window label each time it is painted: what the
// screen shows, whether the event loop runs or not.
class PaintLog : public QObject {
 public:
  PaintLog() { qApp->installEventFilter(this); }
  ~PaintLog() override { qApp->removeEventFilter(this); }

  // The captions `name` was painted with, repeats of the same caption in a row counted once.
  QStringList painted(const QString& name) const {
    QStringList out;
    for (const auto& [label, caption] : paints_)
      if (label == name && (out.isEmpty() || out.last() != caption)) out << caption;
    return out;
  }
  int count() const { return static_cast<int>(paints_.size()); }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Paint) {
      auto* label = qobject_cast<quorvane::ui::qt::CaptionLabel*>(o);
      if (label && label->window()->objectName() == QLatin1String("frmWorking"))
        paints_.emplace_back(label->objectName(), label->text());
    }
    return false;
  }

 private:
  std::vector<std::pair<QString, QString>> paints_;
};

}  // namespace

class TestMainFormCalculate : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TestedMainForm> form_;
  QStringList messages_;
  QString fieldsAtMessage_;  // "XP/level" as the fields show them while the last message box is open

  QWidget* widget(const QString& name) const { return form_->control(name).widget(); }
  QString caption(const QString& name) const { return form_->caption(name); }

  void click(const QString& name) {
    QWidget* w = widget(name);
    QVERIFY2(w->isVisible(), qPrintable(name + " can't be clicked while hidden"));
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
  }
  void type(const QString& name, const QString& text) {
    auto* e = qobject_cast<QLineEdit*>(widget(name));
    QVERIFY2(e && e->isVisible(), qPrintable(name));
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, text);
  }
  // A search typed and started as the user does it.
  void search(const std::string& xp, const QString& target) {
    type("Text1", QString::fromStdString(xp));
    click("ReqLVL");
    type("TargetLVL", target);
    click("ExecuteCmd");
  }

  // The first multiple of `step` whose projection from `level` reaches `target`: the search's
  // answer, found by trying every candidate.
  static std::int64_t scalpsNeeded(int level, int target, std::int64_t step) {
    const LevelTable& t = ShippedTable();
    for (std::int64_t s = 0;; s += step) {
      const ProjectionResult r =
          RunProjection({s, t.levelXp(level), level, QuestPart::GiveRings, false, Side::Good, &t});
      if (r.currentXp >= t.levelXp(target)) return s;
    }
  }

  static int levelReached(int level, std::int64_t scalps) {
    const LevelTable& t = ShippedTable();
    return RunProjection({scalps, t.levelXp(level), level, QuestPart::GiveRings, false, Side::Good, &t}).currentLevel;
  }

  static QStringList multiples(std::int64_t step, std::int64_t below) {
    QStringList out;
    for (std::int64_t s = 0; s < below; s += step) out << QString::number(s);
    return out;
  }

 private slots:
  void initTestCase() {
    QVERIFY(ShippedTable().hasLevel(190));
    ui::qt::Install();
    ui::SetMessageBoxHook([this](const std::string& title, const std::string& text) {
      messages_ << QString::fromStdString(title) + "|" + QString::fromStdString(text);
      fieldsAtMessage_ = form_->text("Text1") + "/" + form_->text("LevelNow");
    });
  }
  void init() {
    messages_.clear();
    form_ = std::make_unique<TestedMainForm>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_->widget()));
  }
  void cleanup() {
    // A Working window left open is closed, and discarded from the event loop, before its main
    // window goes.
    if (frmWorking* w = form_->workingWindow()) {
      const QPointer<QWidget> window = test::FormAccess(w).widget();
      w->close();
      QTRY_VERIFY(window.isNull());
    }
    form_.reset();
  }

  // A short search typed and clicked: the Working window counts on screen at its repaint points
  // and is gone at the end; the scalps needed and the results show in the main window.
  void searchWithClicks_data() {
    // clang-format off
    QTest::addColumn<bool>("interval");  // "Update window after:" 100 ticked
    QTest::newRow("every 100 scalps") << true;
    QTest::newRow("every candidate") << false;
    // clang-format on
  }
  void searchWithClicks() {
    QFETCH(bool, interval);
    if (!interval) click("chkScalpsUpd");
    const std::int64_t needed = scalpsNeeded(60, 63, 5);
    QVERIFY(needed > 300);

    PaintLog log;
    search(XpOf(60), "63");

    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
    QCOMPARE(form_->text("LevelNow"), QString("60"));
    QCOMPARE(caption("Label2"), QString("Scalps Needed"));
    QVERIFY(widget("ScalpsNdd")->isVisible());
    QCOMPARE(caption("ScalpsNdd"), QString::number(needed));
    QCOMPARE(caption("ResLVL"), QString("63"));
    QString exact = caption("ResExp");
    QVERIFY2(exact.contains('.') && exact.remove('.').toLongLong() >= ShippedTable().levelXp(63), qPrintable(exact));
    QCOMPARE(caption("ScalpsLeft"), QString("0"));
    QVERIFY(form_->workingWindow() == nullptr);

    // On screen: the count at the repaint points up to the answer only, although it is set for
    // every candidate; the level reached from the second candidate on.
    const QStringList counts = multiples(interval ? 100 : 5, needed + 1);
    QCOMPARE(log.painted("scalpscalced"), counts);
    QStringList reached = {"Level Reached"};
    for (const QString& c : counts.mid(1)) {
      const QString r = QString("Level reached: %1").arg(levelReached(60, c.toLongLong() - 5));
      if (reached.last() != r) reached << r;
    }
    QVERIFY(reached.size() >= 3);
    QCOMPARE(log.painted("lblLevelReached"), reached);
    QCOMPARE(log.painted("lblStart"), QStringList({"0", "60"}));
    QCOMPARE(log.painted("lblEnd"), QStringList({"189", "63"}));
  }

  // "Do not show the Working window.": the same answer, and no window.
  void searchWithoutWorkingWindow() {
    click("chkWorking");
    PaintLog log;
    search(XpOf(60), "63");
    QVERIFY(messages_.isEmpty());
    QCOMPARE(caption("ScalpsNdd"), QString::number(scalpsNeeded(60, 63, 5)));
    QCOMPARE(log.count(), 0);
    QVERIFY(form_->workingWindow() == nullptr);
  }

  // A projection typed and clicked fills the Results frame as the command computes it.
  void projectionWithClicks() {
    type("Text1", QString::fromStdString(XpOf(120)));
    type("Text2", "123456");
    click("Option1(2)");  // "Give Books for XP"
    click("ExecuteCmd");
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));

    FakeCalculateView expected;
    expected.texts[TextField::Xp] = XpOf(120);
    expected.texts[TextField::Scalps] = "123456";
    expected.select(OptionGroup::QuestPart, 2);
    expected.select(OptionGroup::Side, -1);
    QCOMPARE(ExecuteCalculate(expected, DefaultLevelTablePath()), CalculateOutcome::Results);

    QCOMPARE(form_->text("LevelNow"), QString("120"));
    for (ResultLabel l : {ResultLabel::Level, ResultLabel::ExactXp, ResultLabel::XpGained, ResultLabel::XpToNextLevel,
                          ResultLabel::ScalpsLeft, ResultLabel::MacesLeft, ResultLabel::BeltsLeft,
                          ResultLabel::BooksLeft, ResultLabel::RingsLeft, ResultLabel::FinalRewards}) {
      const auto it = expected.captions.find(l);
      QVERIFY(it != expected.captions.end());
      const char* names[] = {"ResLVL",    "ResExp",    "xpgain",    "remXP",     "ResGP",  "ScalpsLeft",
                             "MacesLeft", "BeltsLeft", "BooksLeft", "RingsLeft", "Finals", "ScalpsNdd"};
      QCOMPARE(caption(names[static_cast<int>(l)]), QString::fromStdString(it->second));
    }
    QVERIFY(caption("ResLVL").toInt() > 120);
    QVERIFY(caption("xpgain").contains('.'));
    QCOMPARE(caption("Finals"), QString("0"));
    for (const char* shown : {"ResLVL", "ResExp", "xpgain", "remXP", "ScalpsLeft", "BooksLeft", "RingsLeft"})
      QVERIFY2(widget(shown)->isVisible(), shown);
  }

  // A refused press shows its message through the message box and writes nothing.
  void messageWritesNothing_data() {
    // clang-format off
    QTest::addColumn<QString>("xp");
    QTest::addColumn<QString>("scalps");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("level");  // the level found from the XP, written before the check fails
    const QString xp60 = QString::fromStdString(XpOf(60));
    QTest::newRow("no xp") << "" << "100" << "Error|You have not typed any XP." << "";
    QTest::newRow("xp letters") << "25227500x" << "100" << "No Data In Fields|The XP field has letters, not numbers."
                                << "";
    QTest::newRow("scalps letters") << xp60 << "1OO" << "No Data In Fields|The Scalps field has letters, not numbers."
                                    << "60";
    QTest::newRow("few scalps") << xp60 << "4" << "Please!!!|Perhaps you should consider collecting some scalps first."
                                << "60";
    QTest::newRow("below 50") << "1000" << "100" << "Cheater!|Who are you kidding? 50lvl req for SH :-)" << "1";
    // clang-format on
  }
  void messageWritesNothing() {
    QFETCH(QString, xp);
    QFETCH(QString, scalps);
    QFETCH(QString, message);
    QFETCH(QString, level);
    type("Text1", xp);
    type("Text2", scalps);
    click("ExecuteCmd");
    QCOMPARE(messages_, QStringList({message}));
    for (const char* name : {"ResLVL", "ResExp", "xpgain", "remXP"})
      QCOMPARE(caption(name), QString("Click Calculate"));
    for (const char* name : {"ScalpsLeft", "MacesLeft", "BeltsLeft", "BooksLeft", "RingsLeft", "Finals", "ScalpsNdd"})
      QCOMPARE(caption(name), QString());
    QCOMPARE(form_->text("Text1"), xp);
    QCOMPARE(form_->text("LevelNow"), level);
    QCOMPARE(fieldsAtMessage_, xp + "/" + level);
  }

  // Level 189 with many scalps reaches the level cap: its message, the XP of the level written.
  void projectionLevelCap() {
    click("Option3(1)");
    type("LevelNow", "189");
    type("Text2", "5000000");
    click("ExecuteCmd");
    QCOMPARE(messages_, QStringList({"Be patient|Cannot check above 190lvl."}));
    QCOMPARE(form_->text("Text1"), QString::fromStdString(XpOf(189)));
    QCOMPARE(fieldsAtMessage_, QString::fromStdString(XpOf(189)) + "/189");
    QCOMPARE(caption("ResLVL"), QString("Click Calculate"));
  }

  // A search that runs into the level cap leaves the Working window open with its last captions;
  // the user's close box discards it, and the next search starts from a fresh window.
  void searchLevelCapLeavesWindowOpen() {
    // Levels 61 and up lie a few XP apart: the first scalps handed in go past level 190.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    std::string text;
    for (int level = 1; level <= 191; ++level) {
      const long long xp = level <= 60 ? 25227500LL - (60 - level) * 100000LL : 25227500LL + 1000 + level;
      text += std::to_string(level) + "," + std::to_string(xp) + "\n";
    }
    const std::string path = test::WriteFile(dir.filePath("lvl-xp.txt").toStdString(), text);
    form_->setLevelTablePath(path);
    search("25227500", "150");
    QCOMPARE(messages_, QStringList({"Be patient|Cannot check above 190lvl."}));
    QCOMPARE(caption("ScalpsNdd"), QString());
    frmWorking* w = form_->workingWindow();
    QVERIFY(w);
    const test::FormAccess working(w);
    // The window's widget lives exactly as long as the window.
    const QPointer<QWidget> window = working.widget();
    QVERIFY(window->isVisible());
    QCOMPARE(working.caption("scalpscalced"), QString("5"));
    QCOMPARE(working.caption("lblStart"), QString("60"));
    QCOMPARE(working.caption("lblEnd"), QString("150"));
    QCOMPARE(working.caption("lblLevelReached"), QString("Level reached: 60"));

    // Pressing again while it is open shows the same window, with its last captions first.
    messages_.clear();
    {
      PaintLog log;
      click("ExecuteCmd");
      QCOMPARE(messages_.size(), 1);
      QVERIFY(form_->workingWindow() == w);
      QCOMPARE(log.painted("lblLevelReached").value(0), QString("Level reached: 60"));
    }

    // Closed by the user: gone, and loaded afresh by the next search.
    QVERIFY(window->close());  // the close box
    QVERIFY(form_->workingWindow() == nullptr);
    QTRY_VERIFY(window.isNull());
    form_->setLevelTablePath(DefaultLevelTablePath());
    messages_.clear();
    PaintLog log;
    click("ExecuteCmd");
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
    QCOMPARE(log.painted("lblLevelReached").value(0), QString("Level Reached"));
    QCOMPARE(log.painted("lblEnd").value(0), QString("189"));
    QVERIFY(form_->workingWindow() == nullptr);
  }
};

QTEST_MAIN(TestMainFormCalculate)
#include "test_main_form_calculate.moc"
