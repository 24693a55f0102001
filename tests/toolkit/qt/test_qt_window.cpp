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
  std::unique_ptr<Tested<Form>> form;
  QStringList log;

  void record(const QString& name) {
    form->setClickHandler(S(name), [this, name](int index) {
      log << (index < 0 ? name : Q(MemberName(S(name), index)));
    });
  }

 private slots:
  void initTestCase() { qt::Install(); }

  void init() {
    form = std::make_unique<Tested<Form>>(quorvane::test::TestWindow());
    log.clear();
    for (const char* name : {"A", "B", "C", "D", "Go", "Narrow"}) record(name);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form->widget()));
  }
  void cleanup() { form.reset(); }

  void twipsToPixels_data() {
    QTest::addColumn<double>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("main window client width") << 6765.0 << 451;
    QTest::newRow("narrow client width") << 3495.0 << 233;
    QTest::newRow("client height") << 7605.0 << 507;
    QTest::newRow("row height") << 255.0 << 17;
    QTest::newRow("half a pixel rounds up") << 7.5 << 1;
    QTest::newRow("negative left") << -1500.0 << -100;
  }
  void twipsToPixels() {
    QFETCH(double, twips);
    QFETCH(int, pixels);
    QCOMPARE(TwipsToPixels(twips), pixels);
  }

  void arrayNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("base");
    QTest::addColumn<int>("index");
    QTest::newRow("member") << "Option1(3)" << "Option1" << 3;
    QTest::newRow("two digits") << "Line1(12)" << "Line1" << 12;
    QTest::newRow("plain") << "Check1" << "Check1" << -1;
    QTest::newRow("not an index") << "Odd(x)" << "Odd(x)" << -1;
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
    QCOMPARE(form->size(), QSize(400, 300));
    QWidget* b1 = form->control("B", 1).widget();
    QCOMPARE(b1->objectName(), QString("B(1)"));
    QCOMPARE(b1->parentWidget(), form->control("Inner").widget());
    QCOMPARE(b1->geometry(), QRect(8, 40, 80, 17));
    QCOMPARE(form->caption("Inner"), QString("Inner"));
    QCOMPARE(form->text("Box"), QString("text"));
    // The text box is drawn over the label that shares its place.
    QWidget* box = form->control("Box").widget();
    QCOMPARE(form->widget()->childAt(box->geometry().center()), box);
  }

  void narrowButtonKeepsItsCaptionButShowsNone() {
    auto* narrow = qobject_cast<QRadioButton*>(form->control("Narrow", 0).widget());
    QVERIFY(narrow->text().isEmpty());
    QCOMPARE(form->caption("Narrow(0)"), QString("Narrow"));
    form->setCaption("Narrow(0)", "Other");
    QCOMPARE(form->caption("Narrow(0)"), QString("Other"));
    QVERIFY(narrow->text().isEmpty());
    // The caption of a wide button shows.
    QCOMPARE(qobject_cast<QRadioButton*>(form->control("A", 1).widget())->text(), QString("A one"));
  }

  void userClickChangesControlThenRunsHandler() {
    form->setClickHandler(std::string("A"), [this](int index) {
      log << QString("A(%1) sees A(0)=%2 A(%1)=%3")
                 .arg(index)
                 .arg(form->value("A(0)"))
                 .arg(form->control("A", index).value());
    });
    form->setClickHandler(std::string("C"), [this](int) { log << QString("C sees %1").arg(form->value("C")); });
    QTest::mouseClick(form->control("A", 2).widget(), Qt::LeftButton);
    QTest::mouseClick(form->control("C").widget(), Qt::LeftButton);
    QTest::mouseClick(form->control("C").widget(), Qt::LeftButton);
    QCOMPARE(log, QStringList({"A(2) sees A(0)=0 A(2)=1", "C sees 1", "C sees 0"}));
  }

  void userClickOnSelectedOptionRunsNothing() {
    QTest::mouseClick(form->control("A", 0).widget(), Qt::LeftButton);
    QCOMPARE(form->value("A(0)"), 1);
    QVERIFY(log.isEmpty());
  }

  void buttonClickRunsHandler() {
    QTest::mouseClick(form->control("Go").widget(), Qt::LeftButton);
    QCOMPARE(log, QStringList({"Go"}));
  }

  void settingOptionTrueRunsHandlerNested() {
    // A(1)'s handler selects B(1) and ticks C; both run inside it, before its last step.
    form->setClickHandler(std::string("A"), [this](int index) {
      log << QString("A(%1) begins").arg(index);
      form->control("B", 1).setValue(true);
      form->control("C").setValue(1);
      log << QString("A(%1) ends").arg(index);
    });
    form->control("A", 1).setValue(true);
    QCOMPARE(log, QStringList({"A(1) begins", "B(1)", "C", "A(1) ends"}));
    // Each group was cleared, and only its own.
    QCOMPARE(form->value("A(0)"), 0);
    QCOMPARE(form->value("A(1)"), 1);
    QCOMPARE(form->value("B(0)"), 0);
    QCOMPARE(form->value("B(1)"), 1);
  }

  void settingWithoutChangeRunsNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("option true on selected") << "A(0)" << 1 << 1;
    QTest::newRow("option false on selected") << "A(0)" << 0 << 0;
    QTest::newRow("option false on unselected") << "A(1)" << 0 << 0;
    QTest::newRow("check box same value 0") << "C" << 0 << 0;
    QTest::newRow("check box same value 1") << "D" << 1 << 1;
  }
  void settingWithoutChangeRunsNothing() {
    QFETCH(QString, name);
    QFETCH(int, value);
    QFETCH(int, expected);
    form->control(name).setValue(value);
    QCOMPARE(form->value(name), expected);
    QVERIFY2(log.isEmpty(), qPrintable(log.join(", ")));
  }

  void clearedOptionGroupCanBeSelectedAgain() {
    form->control("A", 0).setValue(false);
    for (int i = 0; i <= 2; ++i) QCOMPARE(form->control("A", i).value(), 0);
    QCOMPARE(form->value("B(0)"), 1);  // the nested group is not touched
    QTest::mouseClick(form->control("A", 1).widget(), Qt::LeftButton);
    QCOMPARE(form->value("A(1)"), 1);
    form->control("A", 2).setValue(true);
    QCOMPARE(form->value("A(1)"), 0);
    QCOMPARE(log, QStringList({"A(1)", "A(2)"}));
  }

  void checkBoxChangeRunsHandlerNested() {
    form->control("D").setValue(0);
    form->control("C").setValue(1);
    QCOMPARE(log, QStringList({"D", "C"}));
    QCOMPARE(form->value("C"), 1);
    QCOMPARE(form->value("D"), 0);
  }

  void propertiesAndGeometryRunNothing() {
    form->control("A", 1).setVisible(false);
    form->control("C").setVisible(false);
    form->setCaption("C", "changed");
    form->setText("Box", "changed");
    form->control("Box").setLocked(true);
    form->setOuterWidthTwips(3000);
    form->moveTwips(150, 300);
    form->control("Box").refresh();
    QVERIFY2(log.isEmpty(), qPrintable(log.join(", ")));
    QVERIFY(!form->control("A", 1).visible());
    QVERIFY(form->control("A", 0).visible());
    QCOMPARE(form->caption("C"), QString("changed"));
    QVERIFY(form->control("Box").locked());
    QVERIFY(qobject_cast<QLineEdit*>(form->control("Box").widget())->isReadOnly());
  }

  void lockedTextBoxKeepsTextAgainstTyping() {
    form->control("Box").setLocked(true);
    QTest::keyClicks(form->control("Box").widget(), "typed");
    QCOMPARE(form->text("Box"), QString("text"));
    form->control("Box").setLocked(false);
    QTest::keyClicks(form->control("Box").widget(), "!");
    QVERIFY(form->text("Box").contains('!'));
  }

  void visibleHoldsWhileWindowIsHidden() {
    form->hide();
    QVERIFY(form->control("A", 0).visible());
    form->control("A", 0).setVisible(false);
    QVERIFY(!form->control("A", 0).visible());
  }

  // An empty label inside a frame is read as empty, not as the frame's caption, and a screen
  // reader reads what is written into it later.
  void labelsAreReadAsTheirCaption() {
    QAccessibleInterface* value = QAccessible::queryAccessibleInterface(form->control("Value").widget());
    QVERIFY(value);
    QCOMPARE(value->role(), QAccessible::StaticText);
    QCOMPARE(value->text(QAccessible::Name), QString());
    form->control("Value").setCaption("1.234");
    QCOMPARE(value->text(QAccessible::Name), QString("1.234"));
  }

  void messageBoxHookReceivesTitleAndText() {
    QStringList seen;
    const MessageBoxHook previous = SetMessageBoxHook(
        [&](const std::string& title, const std::string& text) { seen << Q(title) + "|" + Q(text); });
    form->messageBox("No title given.");
    form->messageBox("Named.", "Error");
    SetMessageBoxHook(previous);
    QCOMPARE(seen, QStringList({"Quorvane|No title given.", "Error|Named."}));
  }

  void outerWidthAndMoveInTwips() {
    form->setOuterWidthTwips(3585);
    QCOMPARE(form->outerWidthTwips(), 3585.0);
    QCOMPARE(form->height(), 300);  // the height stays
    form->moveTwips(1500, 750);
    QCOMPARE(form->leftTwips(), 1500.0);
    QCOMPARE(form->topTwips(), 750.0);
    form->moveTwips(-1500, 0);
    QCOMPARE(form->leftTwips(), -1500.0);
  }
};

QTEST_MAIN(TestToolkit)
#include "test_qt_window.moc"
