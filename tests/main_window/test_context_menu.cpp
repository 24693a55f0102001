// The main window's context menu on a back-end without windows, where the end-to-end runs do not
// reach: the plan's default target, the level cap, a way or every way refused, a message after
// the rows, a window opened again, and each window's Copy and Save... (a file that cannot be
// written among them); the Items Owned window's refused count, Cancel, Clear and remainders not
// shown. The figures are quorvane-cli's output for the same inputs.

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "items_window/items_form.h"
#include "items_window/items_form_ids.h"
#include "main_window/main_form.h"
#include "main_window/main_form_ids.h"
#include "plan_window/table_form.h"
#include "plan_window/table_form_ids.h"
#include "platform/program_folder.h"
#include "tests/toolkit/fake_backend.h"

using namespace quorvane;
using test::FakeBackend;
using Rows = std::vector<std::vector<std::string>>;

namespace {

constexpr char kNoRows[] = "";  // no window opens: a message box instead

}  // namespace

class TestContextMenu : public QObject {
  Q_OBJECT

  FakeBackend backend_;
  std::unique_ptr<MainForm> form_;
  QStringList messages_;

  // The inputs as a user gives them: XP (or "level N"), a quest part, scalps owned, the level to
  // reach if any.
  void enter(const QString& xp, int part, const QString& scalps, const QString& target) {
    const MainFormControls& c = form_->controls();
    if (xp.startsWith("level ")) {
      c.entry[1].setValue(true);
      c.level.setText(xp.mid(6).toStdString());
    } else {
      c.xp.setText(xp.toStdString());
    }
    c.questPart[part].setValue(true);
    c.scalps.setText(scalps.toStdString());
    if (!target.isEmpty()) {
      c.searchTarget.setValue(1);
      c.targetLevel.setText(target.toStdString());
    }
  }
  // The table window of a menu item, opened by it.
  TableForm* open(const QString& item) {
    if (item == "plan") return form_->mnuPlan_Click(), ui::Loaded<PlanForm>();
    if (item == "compare") return form_->mnuCompare_Click(), ui::Loaded<CompareForm>();
    return form_->mnuHandIns_Click(), ui::Loaded<HandInsForm>();
  }
  static ItemsOwnedTexts Counts(const QString& joined) {
    ItemsOwnedTexts counts;
    const QStringList texts = joined.split(',');
    for (std::size_t i = 0; i < counts.size(); ++i) counts[i] = texts.value(static_cast<int>(i)).toStdString();
    return counts;
  }
  static QString Joined(const Rows& rows) {
    QStringList lines;
    for (const auto& row : rows) {
      QStringList cells;
      for (const std::string& cell : row) cells << QString::fromStdString(cell);
      lines << cells.join('|');
    }
    return lines.join('\n');
  }

 private slots:
  void initTestCase() {
    ui::SetBackend(&backend_);
    ui::SetMessageBoxHook([this](const std::string& title, const std::string& text) {
      messages_ << QString::fromStdString(title + ": " + text);
    });
  }
  void init() {
    form_ = std::make_unique<MainForm>();
    form_->show();
    messages_.clear();
  }
  void cleanup() {
    ui::Unload<ItemsForm>();
    ui::Unload<PlanForm>();
    ui::Unload<CompareForm>();
    ui::Unload<HandInsForm>();
    form_.reset();
    backend_.runPosted();
  }

  void tables_data() {
    // clang-format off
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("xp");
    QTest::addColumn<int>("part");
    QTest::addColumn<QString>("scalps");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("rows");     // the window's first rows, cells split by '|'
    QTest::addColumn<QString>("message");  // after the rows, or the message box
    QTest::newRow("plan to 189 unless ticked") << "plan" << "31000000" << 2 << "" << ""
        << "54|90|90\n55|225|135" << "";
    QTest::newRow("plan to the cap") << "plan" << "31000000" << 2 << "" << "190"
        << kNoRows << "Be patient: Cannot check above 190lvl.";
    QTest::newRow("compare: a way at the cap") << "compare" << "level 185" << 3 << "600000" << ""
        << "maces||||||Be patient: Cannot check above 190lvl." << "";
    QTest::newRow("compare: projections with \"Lvl to reach:\" ticked") << "compare" << "level 185" << 3 << "600000" << "188"
        << "maces||||||Be patient: Cannot check above 190lvl.\nbelts||||||Be patient: Cannot check above 190lvl." << "";
    QTest::newRow("compare: every way refused") << "compare" << "31000000" << 3 << "4" << ""
        << kNoRows << "Please!!!: Perhaps you should consider collecting some scalps first.";
    QTest::newRow("hand-ins refused as Calculate refuses") << "hand-ins" << "31000000" << 2 << "" << ""
        << kNoRows << "No Data In Fields: You have not typed any number of scalps.";
    // clang-format on
  }
  void tables() {
    QFETCH(QString, item);
    QFETCH(QString, xp);
    QFETCH(int, part);
    QFETCH(QString, scalps);
    QFETCH(QString, target);
    QFETCH(QString, rows);
    QFETCH(QString, message);
    enter(xp, part, scalps, target);
    const bool plan = item == "plan";
    TableForm* window = open(item);
    if (rows.isEmpty()) {
      QVERIFY(!window);
      QCOMPARE(messages_, QStringList{message});
      // The same box as "Calculate" gives for the same inputs.
      messages_.clear();
      form_->ExecuteCmd_Click();
      if (!plan || target != "190") QCOMPARE(messages_, QStringList{message});
      return;
    }
    QVERIFY(window && window->isShown());
    QVERIFY(messages_.isEmpty());
    const ui::Table grid = ui::Find(*window, table_form::grdRows);
    QCOMPARE(Joined(grid.rows()).left(rows.size()), rows);
    QCOMPARE(QString::fromStdString(ui::Find(*window, table_form::lblMessage).caption()), message);
    if (plan && target.isEmpty()) QCOMPARE(grid.rows().back().front(), std::string("189"));
    // Nothing reaches the main window's results.
    QCOMPARE(form_->controls().result(ResultLabel::Level).caption(), std::string("Click Calculate"));
    // Opened again: the same window, with the rows of the new inputs.
    const std::size_t before = grid.rows().size();
    form_->controls().xp.setText("31500000");
    QCOMPARE(open(item), window);
    if (plan) QVERIFY(ui::Find(*window, table_form::grdRows).rows().size() <= before);
  }

  // The Items Owned window on the counts held: what OK or Cancel leaves held after a button or
  // typing. "take" follows a calculation of 31,000,000 XP and 5000 scalps handing in maces.
  void itemsOwned_data() {
    // clang-format off
    QTest::addColumn<QString>("held");     // before the window opens
    QTest::addColumn<QString>("action");   // "type:TEXTS", "take" or "clear"
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("after");    // held afterwards
    QTest::addColumn<QString>("message");  // OK refused: the window stays
    QTest::newRow("a refused count") << "1,,," << "type:2,x,," << "OK" << "1,,,"
        << "No Data In Fields: The Belts Owned field has letters, not numbers.";
    QTest::newRow("Cancel keeps the counts") << "1,2,3,4" << "type:9,9,9,9" << "Cancel" << "1,2,3,4" << "";
    QTest::newRow("Clear") << "1,2,3,4" << "clear" << "OK" << ",,," << "";
    QTest::newRow("remainders not shown keep their counts") << "0,3,4,5" << "take" << "OK" << "0,200,4,5" << "";
    // clang-format on
  }
  void itemsOwned() {
    QFETCH(QString, held);
    QFETCH(QString, action);
    QFETCH(QString, button);
    QFETCH(QString, after);
    QFETCH(QString, message);
    if (action == "take") enter("31000000", 0, "5000", ""), form_->ExecuteCmd_Click();
    form_->setItemsOwned(Counts(held));
    form_->mnuItemsOwned_Click();
    ItemsForm& items = *ui::Loaded<ItemsForm>();
    const auto box = [&](int i) { return ui::Find(items, items_form::txtOwned[i]); };
    if (action == "take") items.cmdTake_Click();
    if (action == "clear") items.cmdClear_Click();
    if (action.startsWith("type:"))
      for (int i = 0; i < 4; ++i) box(i).setText(Counts(action.mid(5))[static_cast<std::size_t>(i)]);
    button == "OK" ? items.cmdOK_Click() : items.cmdCancel_Click();
    QVERIFY(form_->itemsOwned() == Counts(after));
    QCOMPARE(messages_, message.isEmpty() ? QStringList{} : QStringList{message});
    QCOMPARE(ui::Loaded<ItemsForm>() != nullptr, !message.isEmpty());
    QCOMPARE(ui::Find(*form_, main_form::InqResults).caption(),
             after.contains(QRegularExpression("[1-9]")) ? "Results with Items Owned" : "Results");
  }

  // A level the table lacks ends the plan: the rows before it, then its message.
  void messageAfterTheRows() {
    QTemporaryDir dir;
    QFile shipped(QString::fromStdString(DefaultLevelTablePath()));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    QFile cut(dir.filePath("lvl-xp.txt"));
    QVERIFY(cut.open(QIODevice::WriteOnly));
    for (int line = 0; line < 60; ++line) cut.write(shipped.readLine());
    cut.close();
    form_->setLevelTablePath(cut.fileName().toStdString());
    enter("31000000", 2, "", "");
    form_->mnuPlan_Click();
    PlanForm* const plan = ui::Loaded<PlanForm>();
    QVERIFY(plan && messages_.isEmpty());
    QCOMPARE(ui::Find(*plan, table_form::grdRows).rows().back().front(), std::string("59"));
    QCOMPARE(QString::fromStdString(ui::Find(*plan, table_form::lblMessage).caption()),
             "Error: The level table " + cut.fileName() + " has no XP for level 61.");
  }

  // "Copy": tab-separated under the captions; "Save...": the CSV of --csv, and a file that could
  // not be written says so.
  void copyAndSave() {
    enter("31000000", 2, "", "56");
    form_->mnuPlan_Click();
    PlanForm& plan = *ui::Loaded<PlanForm>();
    plan.cmdCopy_Click();
    QCOMPARE(QString::fromStdString(backend_.clipboard),
             "Level\tScalps Needed\tScalps More\n54\t90\t90\n55\t225\t135\n56\t375\t150\n");
    test::FakePeer& peer = static_cast<test::FakePeer&>(plan.peer());
    plan.cmdSave_Click();
    QCOMPARE(peer.saved.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(peer.saved[0].contents),
             "level,scalpsNeeded,scalpsMore\n54,90,90\n55,225,135\n56,375,150\n");
    QCOMPARE(QString::fromStdString(peer.saved[0].suggestedName), "plan.csv");
    QVERIFY(messages_.isEmpty());
    peer.saveAnswer = {ui::SaveOutcome::Failed, "/full/plan.csv"};
    plan.cmdSave_Click();
    QCOMPARE(messages_, QStringList{"Quorvane: The file /full/plan.csv could not be written."});
  }
};

QTEST_GUILESS_MAIN(TestContextMenu)
#include "test_context_menu.moc"
