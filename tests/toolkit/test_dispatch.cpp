// The neutral window layer on a back-end without windows: the dispatch rule as the user's actions
// reach it, the tab order, the typed handles and the discarding of a window.

#include <QtTest>

#include <map>

#include "tests/toolkit/fake_backend.h"
#include "tests/toolkit/test_window.h"
#include "toolkit/controls.h"

using namespace quorvane::ui;
using quorvane::test::FakePeer;
static std::string S(const QString& s) { return s.toStdString(); }

class TestDispatch : public QObject {
  Q_OBJECT

  quorvane::test::FakeBackend backend_;
  std::unique_ptr<Form> form_;
  QStringList log_;

  int row(const char* name) { return form_->indexOf(name); }
  QString name(int row) { return QString::fromStdString(form_->description().controls[row].name); }

 private slots:
  void initTestCase() { SetBackend(&backend_); }

  void init() {
    form_ = std::make_unique<Form>(quorvane::test::TestWindow());
    log_.clear();
    for (const char* n : {"A", "B", "C", "D", "Go"})
      form_->setClickHandler(
          n, [this, n](int i) { log_ << (i < 0 ? QString(n) : QString::fromStdString(MemberName(n, i))); });
  }

  // The user's change reaches the model before the handler runs; the peer is told that the
  // group's other members are cleared, and only those of its own group.
  void userChangesThenHandlerRuns() {
    form_->setClickHandler(
        "A", [this](int i) { log_ << QString("A(%1) sees A(0)=%2").arg(i).arg(form_->control("A(0)").value()); });
    backend_.last->events.userChanged(row("A(2)"), 1);
    backend_.last->events.userChanged(row("A(2)"), 1);  // selected already: nothing
    backend_.last->events.userChanged(row("C"), 1);
    backend_.last->events.userPressed(row("Go"));
    QCOMPARE(log_, QStringList({"A(2) sees A(0)=0", "C", "Go"}));
    QCOMPARE(backend_.last->values[row("A(0)")], 0);
    QCOMPARE(backend_.last->values[row("B(0)")], 1);
  }

  void tabOrder_data() {
    // clang-format off
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<QStringList>("stops");
    QTest::newRow("start-up") << "" << true << QStringList{"A(0)", "B(0)", "C", "D", "Box", "Go", "Narrow(0)", "A(0)"};
    QTest::newRow("backwards") << "" << false << QStringList{"Narrow(0)", "Go", "Box", "D", "C", "B(0)", "A(0)"};
    QTest::newRow("group stop follows the selection") << "A(2)" << true << QStringList{"A(2)", "B(0)", "C"};
    QTest::newRow("hidden frame hides its contents") << "hide Inner" << true << QStringList{"A(0)", "C", "D"};
    QTest::newRow("outside the narrowed window") << "narrow" << true << QStringList{"A(0)", "B(0)", "C", "D", "A(0)"};
    QTest::newRow("no member selected") << "clear A" << true << QStringList{"A(0)", "B(0)", "C"};
    // clang-format on
  }
  void tabOrder() {
    QFETCH(QString, change);
    QFETCH(bool, forward);
    QFETCH(QStringList, stops);
    QCOMPARE(backend_.last->focus, row("A(0)"));  // the focus starts on the first stop
    if (change == "A(2)") form_->control("A(2)").setValue(1);
    if (change == "hide Inner") form_->control("Inner").setVisible(false);
    if (change == "narrow") form_->setOuterWidthTwips(4000);
    if (change == "clear A") form_->control("A(0)").setValue(0);
    QStringList seen;
    for (int at = form_->nextTabStop(-1, forward); seen.size() < stops.size() && at >= 0;
         at = form_->nextTabStop(at, forward))
      seen << name(at);
    QCOMPARE(seen, stops);
  }

  // The keyboard's rules: where the focus goes, what is selected and which handler runs.
  void keyboard_data() {
    // clang-format off
    QTest::addColumn<QString>("keys");  // a key, with + for Shift and ! for Alt
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QStringList>("handlers");
    QTest::addColumn<bool>("taken");
    QTest::newRow("Tab") << "Tab" << "A(0)" << "B(0)" << QStringList{} << true;
    QTest::newRow("Shift+Tab wraps") << "+Tab" << "A(0)" << "Narrow(0)" << QStringList{} << true;
    QTest::newRow("Tab into a text box selects it") << "Tab" << "D" << "Box" << QStringList{} << true;
    QTest::newRow("Enter in a text box: the default button") << "Enter" << "Box" << "Box" << QStringList{"Go"} << true;
    QTest::newRow("Esc: the cancel button") << "Escape" << "C" << "C" << QStringList{"Go"} << true;
    QTest::newRow("Down: the member below, selected") << "Down" << "A(0)" << "A(1)" << QStringList{"A(1)"} << true;
    QTest::newRow("Right as Down") << "Right" << "A(1)" << "A(2)" << QStringList{"A(2)"} << true;
    QTest::newRow("Up wraps to the last") << "Up" << "A(0)" << "A(2)" << QStringList{"A(2)"} << true;
    QTest::newRow("Left back, to the selected one") << "Left" << "A(1)" << "A(0)" << QStringList{} << true;
    QTest::newRow("a group of one stays") << "Down" << "Narrow(0)" << "Narrow(0)" << QStringList{} << true;
    QTest::newRow("arrows on a check box are its own") << "Down" << "C" << "C" << QStringList{} << false;
    QTest::newRow("Alt and the access key clicks") << "!d" << "Box" << "D" << QStringList{"D"} << true;
    QTest::newRow("the access key alone off a text box") << "d" << "C" << "D" << QStringList{"D"} << true;
    QTest::newRow("the access key alone types in a text box") << "d" << "Box" << "Box" << QStringList{} << false;
    QTest::newRow("a letter that is no access key") << "!q" << "C" << "C" << QStringList{} << false;
    // clang-format on
  }
  void keyboard() {
    QFETCH(QString, keys);
    QFETCH(QString, from);
    QFETCH(QString, focus);
    QFETCH(QStringList, handlers);
    QFETCH(bool, taken);
    KeyEvent key;
    key.shift = keys.startsWith('+');
    key.alt = keys.startsWith('!');
    const QString k = keys.mid(key.shift || key.alt ? 1 : 0);
    const std::map<QString, Key> named{{"Tab", Key::Tab},    {"Enter", Key::Enter}, {"Escape", Key::Escape},
                                       {"Up", Key::Up},      {"Down", Key::Down},   {"Left", Key::Left},
                                       {"Right", Key::Right}};
    if (named.count(k))
      key.key = named.at(k);
    else
      key.character = k.at(0).toLatin1();
    backend_.last->focus = row(qPrintable(from));
    QCOMPARE(form_->userKey(key), taken);
    QCOMPARE(name(backend_.last->focus), focus);
    QCOMPARE(log_, handlers);
    if (!handlers.isEmpty() && handlers.first().startsWith("A")) QCOMPARE(form_->control(S(focus)).value(), 1);
    if (focus == "Box" && from != "Box") QCOMPARE(backend_.last->selected, row("Box"));
  }

  // A control is on the screen while it and its frames are visible; the peer hears of changes only.
  void visibilityThroughFrames() {
    FakePeer& peer = *backend_.last;
    form_->control("B(1)").setVisible(false);
    form_->control("Inner").setVisible(false);
    QCOMPARE(peer.shownControls[row("B(0)")], false);
    form_->control("Inner").setVisible(true);
    QCOMPARE(peer.shownControls[row("B(0)")], true);
    QCOMPARE(peer.shownControls[row("B(1)")], false);  // its own flag stands
    QVERIFY(form_->control("B(1)").visible() == false && form_->control("Inner").visible());
  }

  // A wrong name, or a control of another kind, fails when the form looks it up.
  void typedLookups() {
    QVERIFY_THROWS_EXCEPTION(ControlLookupError, Find<TextBox>(*form_, "Bx"));
    QVERIFY_THROWS_EXCEPTION(ControlLookupError, Find<CheckBox>(*form_, "Box"));
    QVERIFY_THROWS_EXCEPTION(ControlLookupError, FindOptionArray(*form_, "A", 4));  // A(3) is not described
    Find<CheckBox>(*form_, "C").setValue(1);
    QCOMPARE(log_, QStringList({"C"}));
    QCOMPARE(FindOptionArray(*form_, "A", 3).selected(), 0);
  }

  // Twips at the window's dpi, and the centring that uses them.
  void geometry() {
    QCOMPARE(TwipsToPixels(6765, 144), 677);
    QCOMPARE(TwipsToPixels(-1500, 120), -125);
    form_->setOuterWidthTwips(3000);
    form_->centreOnScreen();
    QCOMPARE(form_->outerWidthTwips(), 3000.0);
    QCOMPARE(form_->leftTwips(), (15360.0 - 3000) / 2);
  }

  // A window closed while its message box is open goes only once the box's loop has ended.
  void discardWaitsForTheMessageBox() {
    bool discarded = false;
    backend_.last->whileMessageShown = [&] {
      form_->discardLater([&] { discarded = true; });
      backend_.runPosted();
      QVERIFY(!discarded);
    };
    form_->messageBox("Open");
    QVERIFY(!discarded);
    backend_.runPosted();
    QVERIFY(discarded);
  }
};

QTEST_GUILESS_MAIN(TestDispatch)
#include "test_dispatch.moc"
