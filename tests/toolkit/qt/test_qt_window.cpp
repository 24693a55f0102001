// The window layer on Qt: building the widgets from a description, and the event dispatch rule
// as a user meets it through the widgets.

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

#include "tests/qt_form.h"
#include "tests/toolkit/test_window.h"
#include "toolkit/form.h"
#include "toolkit/qt/backend.h"
#include "toolkit/qt/buttons.h"

using namespace quorvane::ui;
using quorvane::test::Q;
using quorvane::test::S;
using quorvane::test::Tested;

class TestToolkit : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<Tested<Form>> form_;
  QStringList log_;

  void record(const QString& name) {
    form_->setClickHandler(S(name),
                           [this, name](int index) { log_ << (index < 0 ? name : Q(MemberName(S(name), index))); });
  }

 private slots:
  void initTestCase() { qt::Install(); }

  void init() {
    form_ = std::make_unique<Tested<Form>>(quorvane::test::TestWindow());
    log_.clear();
    for (const char* name : {"A", "B", "C", "D", "Go", "Narrow"}) record(name);
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_->widget()));
  }
  void cleanup() { form_.reset(); }

  void twipsToPixels_data() {
    // clang-format off
    QTest::addColumn<double>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("main window client width") << 6765.0 << 451;
    QTest::newRow("narrow client width") << 3495.0 << 233;
    QTest::newRow("client height") << 7605.0 << 507;
    QTest::newRow("row height") << 255.0 << 17;
    QTest::newRow("half a pixel rounds up") << 7.5 << 1;
    QTest::newRow("negative left") << -1500.0 << -100;
    // clang-format on
  }
  void twipsToPixels() {
    QFETCH(double, twips);
    QFETCH(int, pixels);
    QCOMPARE(TwipsToPixels(twips), pixels);
  }

  void arrayNames_data() {
    // clang-format off
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("base");
    QTest::addColumn<int>("index");
    QTest::newRow("member") << "Option1(3)" << "Option1" << 3;
    QTest::newRow("two digits") << "Line1(12)" << "Line1" << 12;
    QTest::newRow("plain") << "Check1" << "Check1" << -1;
    QTest::newRow("not an index") << "Odd(x)" << "Odd(x)" << -1;
    // clang-format on
  }
  void arrayNames() {
    QFETCH(QString, name);
    QFETCH(QString, base);
    QFETCH(int, index);
    const ArrayName split = SplitArrayName(S(name));
    QCOMPARE(Q(split.base), base);
    QCOMPARE(split.index, index);
    if (index >= 0) QCOMPARE(Q(MemberName(S(base), index)), name);
  }

  void buildsFromDescription() {
    QCOMPARE(form_->size(), QSize(400, 300));
    QWidget* b1 = form_->control("B", 1).widget();
    QCOMPARE(b1->objectName(), QString("B(1)"));
    QCOMPARE(b1->parentWidget(), form_->control("Inner").widget());
    QCOMPARE(b1->geometry(), QRect(8, 40, 80, 17));
    QCOMPARE(form_->caption("Inner"), QString("Inner"));
    QCOMPARE(form_->text("Box"), QString("text"));
    // The text box is drawn over the label that shares its place.
    QWidget* box = form_->control("Box").widget();
    QCOMPARE(form_->widget()->childAt(box->geometry().center()), box);
  }

  void narrowButtonKeepsItsCaptionButShowsNone() {
    auto* narrow = qobject_cast<QRadioButton*>(form_->control("Narrow", 0).widget());
    QVERIFY(narrow->text().isEmpty());
    QCOMPARE(form_->caption("Narrow(0)"), QString("Narrow"));
    form_->setCaption("Narrow(0)", "Other");
    QCOMPARE(form_->caption("Narrow(0)"), QString("Other"));
    QVERIFY(narrow->text().isEmpty());
    // The caption of a wide button shows.
    QCOMPARE(qobject_cast<QRadioButton*>(form_->control("A", 1).widget())->text(), QString("A one"));
  }

  void userClickChangesControlThenRunsHandler() {
    form_->setClickHandler(std::string("A"), [this](int index) {
      log_ << QString("A(%1) sees A(0)=%2 A(%1)=%3")
                  .arg(index)
                  .arg(form_->value("A(0)"))
                  .arg(form_->control("A", index).value());
    });
    form_->setClickHandler(std::string("C"), [this](int) { log_ << QString("C sees %1").arg(form_->value("C")); });
    QTest::mouseClick(form_->control("A", 2).widget(), Qt::LeftButton);
    QTest::mouseClick(form_->control("C").widget(), Qt::LeftButton);
    QTest::mouseClick(form_->control("C").widget(), Qt::LeftButton);
    QCOMPARE(log_, QStringList({"A(2) sees A(0)=0 A(2)=1", "C sees 1", "C sees 0"}));
  }

  void userClickOnSelectedOptionRunsNothing() {
    QTest::mouseClick(form_->control("A", 0).widget(), Qt::LeftButton);
    QCOMPARE(form_->value("A(0)"), 1);
    QVERIFY(log_.isEmpty());
  }

  void buttonClickRunsHandler() {
    QTest::mouseClick(form_->control("Go").widget(), Qt::LeftButton);
    QCOMPARE(log_, QStringList({"Go"}));
  }

  void settingOptionTrueRunsHandlerNested() {
    // A(1)'s handler selects B(1) and ticks C; both run inside it, before its last step.
    form_->setClickHandler(std::string("A"), [this](int index) {
      log_ << QString("A(%1) begins").arg(index);
      form_->control("B", 1).setValue(true);
      form_->control("C").setValue(1);
      log_ << QString("A(%1) ends").arg(index);
    });
    form_->control("A", 1).setValue(true);
    QCOMPARE(log_, QStringList({"A(1) begins", "B(1)", "C", "A(1) ends"}));
    // Each group was cleared, and only its own.
    QCOMPARE(form_->value("A(0)"), 0);
    QCOMPARE(form_->value("A(1)"), 1);
    QCOMPARE(form_->value("B(0)"), 0);
    QCOMPARE(form_->value("B(1)"), 1);
  }

  void settingWithoutChangeRunsNothing_data() {
    // clang-format off
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("option true on selected") << "A(0)" << 1 << 1;
    QTest::newRow("option false on selected") << "A(0)" << 0 << 0;
    QTest::newRow("option false on unselected") << "A(1)" << 0 << 0;
    QTest::newRow("check box same value 0") << "C" << 0 << 0;
    QTest::newRow("check box same value 1") << "D" << 1 << 1;
    // clang-format on
  }
  void settingWithoutChangeRunsNothing() {
    QFETCH(QString, name);
    QFETCH(int, value);
    QFETCH(int, expected);
    form_->control(name).setValue(value);
    QCOMPARE(form_->value(name), expected);
    QVERIFY2(log_.isEmpty(), qPrintable(log_.join(", ")));
  }

  void clearedOptionGroupCanBeSelectedAgain() {
    form_->control("A", 0).setValue(false);
    for (int i = 0; i <= 2; ++i) QCOMPARE(form_->control("A", i).value(), 0);
    QCOMPARE(form_->value("B(0)"), 1);  // the nested group is not touched
    QTest::mouseClick(form_->control("A", 1).widget(), Qt::LeftButton);
    QCOMPARE(form_->value("A(1)"), 1);
    form_->control("A", 2).setValue(true);
    QCOMPARE(form_->value("A(1)"), 0);
    QCOMPARE(log_, QStringList({"A(1)", "A(2)"}));
  }

  void checkBoxChangeRunsHandlerNested() {
    form_->control("D").setValue(0);
    form_->control("C").setValue(1);
    QCOMPARE(log_, QStringList({"D", "C"}));
    QCOMPARE(form_->value("C"), 1);
    QCOMPARE(form_->value("D"), 0);
  }

  void propertiesAndGeometryRunNothing() {
    form_->control("A", 1).setVisible(false);
    form_->control("C").setVisible(false);
    form_->setCaption("C", "changed");
    form_->setText("Box", "changed");
    form_->control("Box").setLocked(true);
    form_->setOuterWidthTwips(3000);
    form_->moveTwips(150, 300);
    form_->control("Box").refresh();
    QVERIFY2(log_.isEmpty(), qPrintable(log_.join(", ")));
    QVERIFY(!form_->control("A", 1).visible());
    QVERIFY(form_->control("A", 0).visible());
    QCOMPARE(form_->caption("C"), QString("changed"));
    QVERIFY(form_->control("Box").locked());
    QVERIFY(qobject_cast<QLineEdit*>(form_->control("Box").widget())->isReadOnly());
  }

  // The keys reach the layer's rules through the widgets, and the focus they move is drawn.
  void keysThroughTheWidgets() {
    QVERIFY(QTest::qWaitForWindowActive(form_->widget()));
    QWidget* first = form_->control("A(0)").widget();
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), form_->control("A(1)").widget());
    QCOMPARE(form_->value("A(1)"), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form_->control("B(0)").widget());
    QVERIFY(form_->widget()->testAttribute(Qt::WA_KeyboardFocusChange));
    QCOMPARE(log_, QStringList({"A(1)"}));
  }

  void lockedTextBoxKeepsTextAgainstTyping() {
    form_->control("Box").setLocked(true);
    QTest::keyClicks(form_->control("Box").widget(), "typed");
    QCOMPARE(form_->text("Box"), QString("text"));
    form_->control("Box").setLocked(false);
    QTest::keyClicks(form_->control("Box").widget(), "!");
    QVERIFY(form_->text("Box").contains('!'));
  }

  void visibleHoldsWhileWindowIsHidden() {
    form_->hide();
    QVERIFY(form_->control("A", 0).visible());
    form_->control("A", 0).setVisible(false);
    QVERIFY(!form_->control("A", 0).visible());
  }

  // An empty label inside a frame is read as empty, not as the frame's caption, and a screen
  // reader reads what is written into it later.
  void labelsAreReadAsTheirCaption() {
    QAccessibleInterface* value = QAccessible::queryAccessibleInterface(form_->control("Value").widget());
    QVERIFY(value);
    QCOMPARE(value->role(), QAccessible::StaticText);
    QCOMPARE(value->text(QAccessible::Name), QString());
    form_->control("Value").setCaption("1.234");
    QCOMPARE(value->text(QAccessible::Name), QString("1.234"));
  }

  void messageBoxHookReceivesTitleAndText() {
    QStringList seen;
    const MessageBoxHook previous =
        SetMessageBoxHook([&](const std::string& title, const std::string& text) { seen << Q(title) + "|" + Q(text); });
    form_->messageBox("No title given.");
    form_->messageBox("Named.", "Error");
    SetMessageBoxHook(previous);
    QCOMPARE(seen, QStringList({"Quorvane|No title given.", "Error|Named."}));
  }

  void outerWidthAndMoveInTwips() {
    form_->setOuterWidthTwips(3585);
    QCOMPARE(form_->outerWidthTwips(), 3585.0);
    QCOMPARE(form_->height(), 300);  // the height stays
    form_->moveTwips(1500, 750);
    QCOMPARE(form_->leftTwips(), 1500.0);
    QCOMPARE(form_->topTwips(), 750.0);
    form_->moveTwips(-1500, 0);
    QCOMPARE(form_->leftTwips(), -1500.0);
  }
};

QTEST_MAIN(TestToolkit)
#include "test_qt_window.moc"
