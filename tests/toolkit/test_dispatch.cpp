// The neutral window layer on a back-end without windows: the dispatch rule as the user's actions
// reach it, the tab order, the typed handles and the discarding of a window.

#include <QtTest>

#include "tests/toolkit/fake_backend.h"
#include "tests/toolkit/test_window.h"
#include "toolkit/controls.h"

using namespace quorvane::ui;

class TestDispatch : public QObject {
  Q_OBJECT

  quorvane::test::FakeBackend backend;
  std::unique_ptr<Form> form;
  QStringList log;

  int row(const char* name) { return form->indexOf(name); }
  QString name(int row) { return QString::fromStdString(form->description().controls[row].name); }

 private slots:
  void initTestCase() { SetBackend(&backend); }

  void init() {
    form = std::make_unique<Form>(quorvane::test::TestWindow());
    log.clear();
    for (const char* n : {"A", "B", "C", "Go"})
      form->setClickHandler(n, [this, n](int i) { log << (i < 0 ? QString(n) : QString::fromStdString(MemberName(n, i))); });
  }

  // The user's change reaches the model before the handler runs; the peer is told that the
  // group's other members are cleared, and only those of its own group.
  void userChangesThenHandlerRuns() {
    form->setClickHandler("A", [this](int i) { log << QString("A(%1) sees A(0)=%2").arg(i).arg(form->control("A(0)").value()); });
    backend.last->events.userChanged(row("A(2)"), 1);
    backend.last->events.userChanged(row("A(2)"), 1);  // selected already: nothing
    backend.last->events.userChanged(row("C"), 1);
    backend.last->events.userPressed(row("Go"));
    QCOMPARE(log, QStringList({"A(2) sees A(0)=0", "C", "Go"}));
    QCOMPARE(backend.last->values[row("A(0)")], 0);
    QCOMPARE(backend.last->values[row("B(0)")], 1);
  }

  void tabOrder_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<QStringList>("stops");
    QTest::newRow("start-up") << "" << true << QStringList{"A(0)", "B(0)", "C", "D", "Box", "Go", "Narrow(0)", "A(0)"};
    QTest::newRow("backwards") << "" << false << QStringList{"Narrow(0)", "Go", "Box", "D", "C", "B(0)", "A(0)"};
    QTest::newRow("group stop follows the selection") << "A(2)" << true << QStringList{"A(2)", "B(0)", "C"};
    QTest::newRow("hidden frame hides its contents") << "hide Inner" << true << QStringList{"A(0)", "C", "D"};
    QTest::newRow("outside the narrowed window") << "narrow" << true << QStringList{"A(0)", "B(0)", "C", "D", "A(0)"};
    QTest::newRow("no member selected") << "clear A" << true << QStringList{"A(0)", "B(0)", "C"};
  }
  void tabOrder() {
    QFETCH(QString, change);
    QFETCH(bool, forward);
    QFETCH(QStringList, stops);
    QCOMPARE(backend.last->focus, row("A(0)"));  // the focus starts on the first stop
    if (change == "A(2)") form->control("A(2)").setValue(1);
    if (change == "hide Inner") form->control("Inner").setVisible(false);
    if (change == "narrow") form->setOuterWidthTwips(4000);
    if (change == "clear A") form->control("A(0)").setValue(0);
    QStringList seen;
    for (int at = form->nextTabStop(-1, forward); seen.size() < stops.size() && at >= 0; at = form->nextTabStop(at, forward))
      seen << name(at);
    QCOMPARE(seen, stops);
  }

  // A wrong name, or a control of another kind, fails when the form looks it up.
  void typedLookups() {
    QVERIFY_THROWS_EXCEPTION(ControlLookupError, Find<TextBox>(*form, "Bx"));
    QVERIFY_THROWS_EXCEPTION(ControlLookupError, Find<CheckBox>(*form, "Box"));
    QVERIFY_THROWS_EXCEPTION(ControlLookupError, FindOptionArray(*form, "A", 4));  // A(3) is not described
    Find<CheckBox>(*form, "C").setValue(1);
    QCOMPARE(log, QStringList({"C"}));
    QCOMPARE(FindOptionArray(*form, "A", 3).selected(), 0);
  }

  // Twips at the window's dpi, and the centring that uses them.
  void geometry() {
    QCOMPARE(TwipsToPixels(6765, 144), 677);
    QCOMPARE(TwipsToPixels(-1500, 120), -125);
    form->setOuterWidthTwips(3000);
    form->centreOnScreen();
    QCOMPARE(form->outerWidthTwips(), 3000.0);
    QCOMPARE(form->leftTwips(), (15360.0 - 3000) / 2);
  }

  // A window closed while its message box is open goes only once the box's loop has ended.
  void discardWaitsForTheMessageBox() {
    bool discarded = false;
    backend.last->whileMessageShown = [&] {
      form->discardLater([&] { discarded = true; });
      backend.runPosted();
      QVERIFY(!discarded);
    };
    form->messageBox("Open");
    QVERIFY(!discarded);
    backend.runPosted();
    QVERIFY(discarded);
  }
};

QTEST_GUILESS_MAIN(TestDispatch)
#include "test_dispatch.moc"
