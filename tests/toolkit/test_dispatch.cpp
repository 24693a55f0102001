// The neutral window layer on a back-end without windows: the event dispatch rule, the tab order,
// the typed handles and the discarding of a window.

#include <QtTest>

#include "tests/toolkit/fake_backend.h"
#include "tests/toolkit/test_window.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

using namespace quorvane::ui;
using quorvane::test::FakeBackend;
using quorvane::test::TestWindow;


class TestDispatch : public QObject {
  Q_OBJECT

  FakeBackend backend;
  std::unique_ptr<Form> form;
  QStringList log;

  int row(const char* name) { return form->indexOf(name); }
  QString name(int row) { return row < 0 ? QString() : QString::fromStdString(form->description().controls[row].name); }
  PeerEvents& user() { return backend.last->events; }
  // Names of the controls that Tab (or Shift+Tab) reaches, `count` steps from the first stop.
  QStringList walk(bool forward, int count) {
    QStringList seen;
    int at = form->nextTabStop(-1, forward);
    for (int i = 0; i < count && at >= 0; ++i, at = form->nextTabStop(at, forward)) seen << name(at);
    return seen;
  }

 private slots:
  void initTestCase() { SetBackend(&backend); }

  void init() {
    form = std::make_unique<Form>(TestWindow());
    log.clear();
    for (const char* n : {"A", "B", "C", "D", "Go", "Narrow"}) {
      form->setClickHandler(n, [this, n](int index) {
        log << (index < 0 ? QString(n) : QString::fromStdString(MemberName(n, index)));
      });
    }
  }

  void twipsToPixels_data() {
    QTest::addColumn<double>("twips");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("pixels");
    QTest::newRow("main window width, 96 dpi") << 6765.0 << 96 << 451;
    QTest::newRow("main window width, 144 dpi") << 6765.0 << 144 << 677;
    QTest::newRow("row height, 192 dpi") << 255.0 << 192 << 34;
    QTest::newRow("negative left, 120 dpi") << -1500.0 << 120 << -125;
  }
  void twipsToPixels() {
    QFETCH(double, twips);
    QFETCH(int, dpi);
    QFETCH(int, pixels);
    QCOMPARE(TwipsToPixels(twips, dpi), pixels);
  }

  // The user's change reaches the model before the handler runs; the peer is told the group's
  // other members are cleared.
  void userChangesThenHandlerRuns() {
    form->setClickHandler("A", [this](int index) {
      log << QString("A(%1) sees A(0)=%2").arg(index).arg(form->control("A(0)").value());
    });
    user().userChanged(row("A(2)"), 1);
    user().userChanged(row("A(2)"), 1);  // already selected: nothing
    user().userChanged(row("C"), 1);
    user().userPressed(row("Go"));
    QCOMPARE(log, QStringList({"A(2) sees A(0)=0", "C", "Go"}));
    QCOMPARE(backend.last->values[row("A(0)")], 0);
    QCOMPARE(backend.last->values[row("B(0)")], 1);  // the nested group is another group
  }

  void settingOptionTrueRunsHandlerNested() {
    form->setClickHandler("A", [this](int index) {
      log << QString("A(%1) begins").arg(index);
      form->control("B", 1).setValue(1);
      form->control("C").setValue(1);
      log << QString("A(%1) ends").arg(index);
    });
    form->control("A", 1).setValue(1);
    QCOMPARE(log, QStringList({"A(1) begins", "B(1)", "C", "A(1) ends"}));
    QCOMPARE(form->control("B(0)").value(), 0);
    QCOMPARE(form->control("A(0)").value(), 0);
  }

  void settingWithoutChangeRunsNothing_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("value");
    QTest::newRow("option true on selected") << "A(0)" << 1;
    QTest::newRow("option false on unselected") << "A(1)" << 0;
    QTest::newRow("check box same value") << "D" << 1;
  }
  void settingWithoutChangeRunsNothing() {
    QFETCH(QString, control);
    QFETCH(int, value);
    form->control(control.toStdString()).setValue(value);
    QCOMPARE(form->control(control.toStdString()).value(), value);
    QVERIFY2(log.isEmpty(), qPrintable(log.join(", ")));
  }

  void propertiesRunNothing() {
    form->control("C").setVisible(false);
    form->control("Box").setText("changed");
    form->control("Box").setLocked(true);
    form->control("Value").setCaption("1");
    form->setOuterWidthTwips(3000);
    form->centreOnScreen();
    QVERIFY(log.isEmpty());
    QCOMPARE(form->outerWidthTwips(), 3000.0);
    QCOMPARE(form->leftTwips(), (15360.0 - 3000) / 2);
  }

  // Typed handles: a wrong name or a control of another kind fails when the form looks it up.
  void typedLookups_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("asCheckBox");
    QTest::addColumn<bool>("found");
    QTest::newRow("check box") << "C" << true << true;
    QTest::newRow("text box") << "Box" << false << true;
    QTest::newRow("misspelt") << "Bx" << false << false;
    QTest::newRow("another kind") << "Box" << true << false;
  }
  void typedLookups() {
    QFETCH(QString, control);
    QFETCH(bool, asCheckBox);
    QFETCH(bool, found);
    bool threw = false;
    try {
      if (asCheckBox) Find<CheckBox>(*form, control.toStdString()).setValue(1);
      else Find<TextBox>(*form, control.toStdString()).setText("x");
    } catch (const ControlLookupError&) {
      threw = true;
    }
    QCOMPARE(threw, !found);
    bool arrayThrew = false;
    try {
      FindOptionArray(*form, "A", 4);  // A(3) is not described
    } catch (const ControlLookupError&) {
      arrayThrew = true;
    }
    QVERIFY(arrayThrew);
    QCOMPARE(FindOptionArray(*form, "A", 3).selected(), 0);
  }

  void tabOrder_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<QStringList>("stops");
    const QStringList all{"A(0)", "B(0)", "C", "D", "Box", "Go", "Narrow(0)", "A(0)"};
    QTest::newRow("start-up") << "" << true << all;
    QTest::newRow("backwards") << "" << false << QStringList{"Narrow(0)", "Go", "Box", "D", "C", "B(0)", "A(0)"};
    QTest::newRow("group stop follows the selection") << "A(2)" << true
                                                      << QStringList{"A(2)", "B(0)", "C", "D", "Box", "Go", "Narrow(0)"};
    QTest::newRow("hidden frame hides its contents") << "hide Inner" << true
                                                     << QStringList{"A(0)", "C", "D", "Box", "Go", "Narrow(0)", "A(0)"};
    QTest::newRow("outside the narrowed window") << "narrow" << true << QStringList{"A(0)", "B(0)", "C", "D", "A(0)"};
    QTest::newRow("no member selected") << "clear A" << true << QStringList{"A(0)", "B(0)", "C"};
  }
  void tabOrder() {
    QFETCH(QString, change);
    QFETCH(bool, forward);
    QFETCH(QStringList, stops);
    if (change == "A(2)") form->control("A(2)").setValue(1);
    if (change == "hide Inner") form->control("Inner").setVisible(false);
    if (change == "narrow") form->setOuterWidthTwips(4000);
    if (change == "clear A") form->control("A(0)").setValue(0);
    QCOMPARE(walk(forward, static_cast<int>(stops.size())), stops);
    QCOMPARE(backend.last->focus, row("A(0)"));  // the focus started on the first stop
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
