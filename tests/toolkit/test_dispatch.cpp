// The neutral window layer on a back-end without windows: the dispatch rule as the user's actions
// and the code's settings reach it, the tab order, the keyboard, the typed handles, where the
// controls go, and the discarding of a window.

#include <QtTest>

#include <QPointF>

#include <map>

#include "tests/toolkit/fake_backend.h"
#include "tests/toolkit/test_window.h"
#include "toolkit/controls.h"
#include "toolkit/reflow.h"

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
    for (const char* n : {"A", "B", "C", "D", "Go", "Stop"})
      form_->setClickHandler(
          n, [this, n](int i) { log_ << (i < 0 ? QString(n) : QString::fromStdString(MemberName(n, i))); });
  }

  // The user's change reaches the model before the handler runs; the peer is told that the
  // group's other members are cleared, and only those of its own group.
  void userChangesThenHandlerRuns() {
    form_->setClickHandler("A", [this](int i) {
      log_ << QString("A(%1) sees A(0)=%2 A(2)=%3")
                  .arg(i)
                  .arg(form_->control("A(0)").value())
                  .arg(form_->control("A(2)").value());
    });
    backend_.last->events.userChanged(row("A(2)"), 1);
    backend_.last->events.userChanged(row("A(2)"), 1);  // selected already: nothing
    backend_.last->events.userChanged(row("C"), 1);
    backend_.last->events.userPressed(row("Go"));
    QCOMPARE(log_, QStringList({"A(2) sees A(0)=0 A(2)=1", "C", "Go"}));
    QCOMPARE(backend_.last->values[row("A(0)")], 0);
    QCOMPARE(backend_.last->values[row("B(0)")], 1);
  }

  // The code's settings: a change runs the handler at once, the same value nothing; "!" is the
  // user's change. The values that follow, of the groups and check boxes named.
  void settings_data() {
    // clang-format off
    QTest::addColumn<QStringList>("settings");
    QTest::addColumn<QStringList>("handlers");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("options set as they are") << QStringList{"A(0)=1", "A(1)=0"} << QStringList{} << QStringList{"A(0)=1", "A(1)=0"};
    QTest::newRow("option false clears the group") << QStringList{"A(0)=0"} << QStringList{} << QStringList{"A(0)=0", "A(1)=0", "A(2)=0", "B(0)=1"};
    QTest::newRow("check boxes set as they are") << QStringList{"C=0", "D=1"} << QStringList{} << QStringList{"C=0", "D=1"};
    QTest::newRow("check boxes changed") << QStringList{"D=0", "C=1"} << QStringList{"D", "C"} << QStringList{"C=1", "D=0"};
    QTest::newRow("a cleared group selected again") << QStringList{"A(0)=0", "!A(1)=1", "A(2)=1"} << QStringList{"A(1)", "A(2)"} << QStringList{"A(1)=0", "A(2)=1"};
    // clang-format on
  }
  void settings() {
    QFETCH(QStringList, settings);
    QFETCH(QStringList, handlers);
    QFETCH(QStringList, values);
    for (const QString& setting : settings) {
      const QStringList s = setting.mid(setting.startsWith('!') ? 1 : 0).split('=');
      if (setting.startsWith('!'))
        backend_.last->events.userChanged(row(qPrintable(s[0])), s[1].toInt());
      else
        form_->control(S(s[0])).setValue(s[1].toInt());
    }
    QCOMPARE(log_, handlers);
    for (const QString& value : values)
      QCOMPARE(form_->control(S(value.section('=', 0, 0))).value(), value.section('=', 1).toInt());
  }

  // A(1)'s handler selects B(1) and ticks C; both run inside it, and each group is cleared alone.
  void settingsRunNested() {
    form_->setClickHandler("A", [this](int i) {
      log_ << QString("A(%1) begins").arg(i);
      form_->control("B(1)").setValue(1), form_->control("C").setValue(1);
      log_ << QString("A(%1) ends").arg(i);
    });
    form_->control("A(1)").setValue(1);
    QCOMPARE(log_, QStringList({"A(1) begins", "B(1)", "C", "A(1) ends"}));
    QVERIFY(form_->control("A(0)").value() == 0 && form_->control("B(0)").value() == 0);
  }

  // Visible (also while the window is hidden), Caption, Text, Locked and the window's size and
  // place run no handler.
  void propertiesRunNothing() {
    form_->hide();
    form_->control("A(1)").setVisible(false), form_->control("C").setVisible(false);
    form_->control("C").setCaption("changed"), form_->control("Box").setText("changed");
    form_->control("Box").setLocked(true), form_->control("Box").refresh();
    form_->setOuterWidthTwips(3000), form_->moveTwips(150, 300);
    QVERIFY(log_.isEmpty());
    QVERIFY(!form_->control("A(1)").visible() && form_->control("A(0)").visible() && form_->control("Box").locked());
    QCOMPARE(form_->control("C").caption(), std::string("changed"));
  }

  void tabOrder_data() {
    // clang-format off
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<QStringList>("stops");
    QTest::newRow("start-up") << "" << true << QStringList{"A(0)", "B(0)", "C", "D", "Box", "Go", "Narrow(0)", "Stop", "A(0)"};
    QTest::newRow("backwards") << "" << false << QStringList{"Stop", "Narrow(0)", "Go", "Box", "D", "C", "B(0)", "A(0)"};
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
    QTest::newRow("Shift+Tab wraps") << "+Tab" << "A(0)" << "Stop" << QStringList{} << true;
    QTest::newRow("Tab into a text box selects it") << "Tab" << "D" << "Box" << QStringList{} << true;
    QTest::newRow("Enter in a text box: the default button") << "Enter" << "Box" << "Box" << QStringList{"Go"} << true;
    QTest::newRow("Esc: the cancel button, not the default") << "Escape" << "C" << "C" << QStringList{"Stop"} << true;
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

  // The context menu: the keys and the right-click that open it, where it opens, and the item
  // that Ctrl and its key run; a window without a menu takes none of these.
  void contextMenu_data() {
    // clang-format off
    QTest::addColumn<QString>("keys");  // "fn10" (function key 10), Menu, a letter with Ctrl ("^c"), or "right-click"
    QTest::addColumn<QString>("from");
    QTest::addColumn<bool>("selection");  // the text box holds a selection
    QTest::addColumn<bool>("withMenu");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QStringList>("ran");
    QTest::addColumn<QPointF>("at");  // where the menu opened; (-1, -1) for nowhere
    QTest::newRow("Shift and function key 10 under the focus") << "+fn10" << "Box" << false << true << true << QStringList{} << QPointF(4300, 525);
    QTest::newRow("the Menu key, in a frame") << "Menu" << "C" << false << true << true << QStringList{} << QPointF(240, 1815);
    QTest::newRow("function key 10 alone is not the menu's") << "fn10" << "Box" << false << true << false << QStringList{} << QPointF(-1, -1);
    QTest::newRow("a right-click where the mouse is") << "right-click" << "C" << false << true << true << QStringList{} << QPointF(50, 60);
    QTest::newRow("Ctrl+C runs its item") << "^c" << "C" << false << true << true << QStringList{"copy"} << QPointF(-1, -1);
    QTest::newRow("Ctrl+C in a text box without a selection") << "^c" << "Box" << false << true << true << QStringList{"copy"} << QPointF(-1, -1);
    QTest::newRow("Ctrl+C copies a selection natively") << "^c" << "Box" << true << true << false << QStringList{} << QPointF(-1, -1);
    QTest::newRow("Ctrl and a letter of no item") << "^v" << "C" << false << true << false << QStringList{} << QPointF(-1, -1);
    QTest::newRow("no menu: Shift and function key 10 not taken") << "+fn10" << "C" << false << false << false << QStringList{} << QPointF(-1, -1);
    QTest::newRow("no menu: no right-click menu") << "right-click" << "C" << false << false << false << QStringList{} << QPointF(-1, -1);
    QTest::newRow("no menu: Ctrl+C is the control's") << "^c" << "C" << false << false << false << QStringList{} << QPointF(-1, -1);
    // clang-format on
  }
  void contextMenu() {
    QFETCH(QString, keys);
    QFETCH(QString, from);
    QFETCH(bool, selection);
    QFETCH(bool, withMenu);
    QFETCH(bool, taken);
    QFETCH(QStringList, ran);
    QFETCH(QPointF, at);
    WindowDescription d = quorvane::test::TestWindow();
    if (withMenu)
      d.contextMenu = {MenuItem(MenuItemId{"mnuCopy"}, "Copy All", 'c'), MenuItem(MenuItemId{"mnuMore"}, "More...")};
    Form form(d);
    FakePeer& peer = *backend_.last;
    QStringList log;
    if (withMenu) {
      form.setMenuHandler(MenuItemId{"mnuCopy"}, [&] { log << "copy"; });
      form.setMenuHandler(MenuItemId{"mnuMore"}, [&] { log << "more"; });
      QVERIFY_THROWS_EXCEPTION(ControlLookupError, form.setMenuHandler(MenuItemId{"mnuNone"}, [] {}));
    }
    peer.focus = form.indexOf(S(from));
    if (selection) peer.selection = peer.focus;
    bool took = false;
    if (keys == "right-click") {
      took = peer.events.userAskedForMenu(50, 60);
    } else {
      KeyEvent key;
      key.shift = keys.startsWith('+');
      key.control = keys.startsWith('^');
      const QString k = keys.mid(key.shift || key.control ? 1 : 0);
      key.key = k == "fn10" ? Key::Function10 : k == "Menu" ? Key::Menu : Key::Character;
      if (key.key == Key::Character) key.character = k.at(0).toLatin1();
      took = form.userKey(key);
    }
    QCOMPARE(took, taken);
    QCOMPARE(log, ran);
    QCOMPARE(peer.menusShown, at.x() < 0 ? 0 : 1);
    if (peer.menusShown == 0) return;
    QCOMPARE(QPointF(peer.menuLeft, peer.menuTop), at);
    QCOMPARE(peer.menu.size(), std::size_t{2});
    QCOMPARE(
        peer.menu[0].caption + "|" + peer.menu[0].shortcut + "|" + peer.menu[1].caption + "|" + peer.menu[1].shortcut,
        std::string("Copy All|Ctrl+C|More...|"));
    // The item the user chooses runs its handler.
    peer.events.userChoseMenuItem(1);
    QCOMPARE(log, QStringList{"more"});
  }

  // A table shows one cell per column, and the layer keeps what it shows.
  void tableRows() {
    WindowDescription d = quorvane::test::TestWindow();
    d.controls.push_back(Control(ControlKind::Table, "Grid", "", "", 120, 3300, 4000, 1000, 15)
                             .withColumns({{"One", 600, false}, {"Two", 600, true}}));
    Form form(d);
    const Table grid = Find<Table>(form, "Grid");
    grid.setRows({{"a", "1", "extra"}, {"b"}});
    const std::vector<std::vector<std::string>> kept{{"a", "1"}, {"b", ""}};
    QVERIFY(grid.rows() == kept);
    QVERIFY(backend_.last->rows[form.indexOf("Grid")] == kept);
    QCOMPARE(form.nextTabStop(form.indexOf("Stop"), true), form.indexOf("Grid"));
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

  // Twips at a dpi, to the nearest pixel; the names of array members.
  void unitsAndNames() {
    const struct {
      double twips;
      int dpi, pixels;
    } lengths[] = {{6765, 96, 451}, {3495, 96, 233},   {7605, 96, 507},  {255, 96, 17},
                   {7.5, 96, 1},    {-1500, 96, -100}, {6765, 144, 677}, {-1500, 120, -125}};
    for (const auto& l : lengths) QCOMPARE(TwipsToPixels(l.twips, l.dpi), l.pixels);
    const struct {
      const char *name, *base;
      int index;
    } names[] = {
        {"Option1(3)", "Option1", 3}, {"Line1(12)", "Line1", 12}, {"Check1", "Check1", -1}, {"Odd(x)", "Odd(x)", -1}};
    for (const auto& n : names) {
      QCOMPARE(SplitArrayName(n.name).base, std::string(n.base));
      QCOMPARE(SplitArrayName(n.name).index, n.index);
      if (n.index >= 0) QCOMPARE(MemberName(n.base, n.index), std::string(n.name));
    }
  }

  // Where the controls go in a window that the user makes higher or lower (0: as built): nested
  // frames add up, lines are as thick as their pixels, anchors follow their container's bottom.
  // In pixels at 144 dpi each container's place is rounded on its own.
  void layout_data() {
    // clang-format off
    QTest::addColumn<double>("height");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRectF>("twips");
    QTest::addColumn<QRect>("pixels");
    QTest::newRow("nested frames add up") << 0.0 << "B(1)" << QRectF(2040, 960, 1200, 255) << QRect(204, 96, 120, 26);
    QTest::newRow("a line as thick as its pixels") << 0.0 << "Rule" << QRectF(105, 3420, 3000, 30) << QRect(11, 342, 300, 3);
    QTest::newRow("a vertical line") << 0.0 << "Bar" << QRectF(5900, 100, 15, 3900) << QRect(590, 10, 2, 390);
    QTest::newRow("anchored to the top: stays") << 5500.0 << "Go" << QRectF(4300, 720, 1000, 315) << QRect(430, 72, 100, 32);
    QTest::newRow("to the bottom: moves") << 5500.0 << "Note" << QRectF(4300, 4600, 1000, 255) << QRect(430, 460, 100, 26);
    QTest::newRow("to the bottom, lower") << 4000.0 << "Note" << QRectF(4300, 3100, 1000, 255) << QRect(430, 310, 100, 26);
    QTest::newRow("stretched: grows") << 5500.0 << "Panel" << QRectF(105, 3300, 4000, 1900) << QRect(11, 330, 400, 190);
    QTest::newRow("in a frame that grows") << 5500.0 << "Ok" << QRectF(210, 4600, 1000, 315) << QRect(22, 460, 100, 32);
    QTest::newRow("in a frame that stays") << 5500.0 << "C" << QRectF(240, 1560, 1500, 255) << QRect(24, 156, 150, 26);
    // clang-format on
  }
  void layout() {
    QFETCH(double, height);
    QFETCH(QString, control);
    QFETCH(QRectF, twips);
    QFETCH(QRect, pixels);
    WindowDescription d = quorvane::test::TestWindow();
    d.heightOnly = true, d.border = Border::Sizable, d.minClientHeight = 3000;
    d.controls[static_cast<std::size_t>(row("C"))].keepsToBottom();
    d.controls.push_back(Control(ControlKind::Frame, "Panel", "", "", 105, 3300, 4000, 900, 14).growsWithHeight());
    d.controls.push_back(
        Control(ControlKind::CommandButton, "Ok", "Panel", "", 105, 300, 1000, 315, 15).keepsToBottom());
    d.controls.push_back(Line("Rule", "Panel", 0, 120, 3000, 120, Rgb(0, 0, 0), 2));
    d.controls.push_back(Line("Bar", "", 5900, 4000, 5900, 100, Rgb(0, 0, 0), 1));
    d.controls.push_back(Control(ControlKind::Label, "Note", "", "", 4300, 3600, 1000, 255, 16).keepsToBottom());
    Form form(d);
    if (height > 0) backend_.last->events.userResized(height);
    const auto at = static_cast<std::size_t>(form.indexOf(S(control)));
    const TwipRect r = backend_.last->places.at(at).inWindow;
    QCOMPARE(QRectF(r.left, r.top, r.width, r.height), twips);
    const PixelRect p = WindowPixels(backend_.last->places, 144).at(at);
    QCOMPARE(QRect(p.left, p.top, p.width, p.height), pixels);
    QCOMPARE(LeastClientHeight(d), 3000.0);
    d.minClientHeight = 0;
    QCOMPARE(LeastClientHeight(d), 4500.0);
  }

  // A window on a screen this many pixels wide (its frame 8 pixels): on a narrow one its columns
  // stack where it is wider, it fills the width, and a table narrows to it instead of shrinking.
  void reflow() {
    const struct {
      const char *row, *window;
      int screen;
      double width;
      const char* control;
      QRectF place;
      QSizeF client;
      double scale;
      int font;
    } rows[] = {
        // clang-format off
        {"a wide screen: as described", "test", 1100, 6000, "Go", {4300, 720, 1000, 315}, {6000, 4500}, 1, 0},
        {"narrow, the window fits: scaled to the width", "test", 500, 6000, "Go", {4300, 720, 1000, 315}, {6000, 4500}, 1.22549, 14},
        {"narrower than the window: columns stack", "test", 360, 6000, "Go", {120, 3840, 1000, 315}, {4245, 6375}, 1.23711, 13},
        {"a text box grows to a touch target", "test", 360, 6000, "Box", {120, 3352.5, 1095, 300}, {4245, 6375}, 1.23711, 13},
        {"a frame's contents stay in it", "test", 360, 6000, "B(1)", {2040, 960, 1200, 255}, {4245, 6375}, 1.23711, 13},
        {"narrowed by its code: the right part stays out", "test", 360, 4200, "Go", {4300, 720, 1000, 315}, {4200, 4500}, 1.25, 13},
        {"sized by the user: no stacking, scaled down", "sizable", 360, 6000, "Go", {4300, 720, 1000, 315}, {6000, 4500}, 0.882353, 19},
        {"a table narrows to the screen", "table", 360, 6000, "Grid", {120, 120, 5040, 3000}, {5280, 3675}, 1, 16},
        {"a button kept to the right moves with it", "table", 360, 6000, "Close", {4160, 3240, 1000, 315}, {5280, 3675}, 1, 16},
        {"no narrower than the other buttons need", "table", 150, 6000, "Close", {1240, 3240, 1000, 315}, {2360, 3675}, 0.907258, 18},
        // clang-format on
    };
    for (const auto& row : rows) {
      WindowDescription d = quorvane::test::TestWindow();
      d.heightOnly = std::string(row.window) == "sizable";
      if (std::string(row.window) == "table") {
        d.clientHeight = 3675;
        d.controls = {
            Control(ControlKind::Table, "Grid", "", "", 120, 120, 5760, 3000, 0).growsWithWidth(),
            Control(ControlKind::CommandButton, "Copy", "", "Copy", 120, 3240, 1000, 315, 1),
            Control(ControlKind::CommandButton, "Close", "", "Close", 4880, 3240, 1000, 315, 2).keepsToRight()};
      }
      const Reflowed r = Reflow(d, LayOut(d), row.width, d.clientHeight, row.screen * 15.0, 120);
      const TwipRect& p = r.places.at(static_cast<std::size_t>(Form(d).indexOf(row.control))).inWindow;
      QVERIFY2(QRectF(p.left, p.top, p.width, p.height) == row.place &&
                   QSizeF(r.clientWidth, r.clientHeight) == row.client && qAbs(r.scale - row.scale) < 1e-5 &&
                   LeastTextBoxFontPixels(r) == row.font &&
                   qFuzzyCompare(1 + LeastTouchPixels(r) * r.scale, r.narrow ? 25.0 : 1.0),
               row.row);
    }
  }

  // The centring in twips.
  void centring() {
    form_->setOuterWidthTwips(3000);
    form_->centreOnScreen();
    QCOMPARE(form_->outerWidthTwips(), 3000.0);
    QCOMPARE(form_->leftTwips(), (15360.0 - 3000) / 2);
  }

  void messageBoxHookReceivesTitleAndText() {
    QStringList seen;
    const MessageBoxHook previous = SetMessageBoxHook(
        [&](const std::string& title, const std::string& text) { seen << QString::fromStdString(title + "|" + text); });
    form_->messageBox("No title given.");
    form_->messageBox("Named.", "Error");
    SetMessageBoxHook(previous);
    QCOMPARE(seen, QStringList({"Quorvane|No title given.", "Error|Named."}));
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
