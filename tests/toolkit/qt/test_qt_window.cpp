// The window layer on Qt: the widgets built from a description and placed where the layer says,
// what they report of the user's clicks and keys, and what screen readers read.

#include <QAccessible>
#include <QApplication>
#include <QRadioButton>
#include <QtTest>

#include <memory>

#include "tests/qt_form.h"
#include "tests/toolkit/test_window.h"
#include "toolkit/form.h"
#include "toolkit/qt/backend.h"

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

  // A window that the user makes higher: the widgets go where the layer places them.
  void resizingPlacesTheWidgets() {
    WindowDescription d = quorvane::test::TestWindow();
    d.border = Border::Sizable, d.heightOnly = true;
    d.controls.back().keepsToBottom();  // Narrow(0)
    Tested<Form> form(d);
    form.show();
    form.widget()->resize(400, 350);
    QCOMPARE(form.control("Narrow", 0).widget()->geometry(), QRect(287, 130, 16, 17));
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

  // The widgets report the user's clicks: an option button, a check box twice, the selected option
  // button again (nothing), a button, and a member of a group the code cleared.
  void userClicksReachTheLayer() {
    form_->setClickHandler(std::string("C"), [this](int) { log_ << QString("C sees %1").arg(form_->value("C")); });
    for (const char* name : {"A(2)", "C", "C", "A(2)", "Go"})
      QTest::mouseClick(form_->control(name).widget(), Qt::LeftButton);
    form_->control("A", 2).setValue(false);
    QTest::mouseClick(form_->control("A", 1).widget(), Qt::LeftButton);
    QCOMPARE(log_, QStringList({"A(2)", "C sees 1", "C sees 0", "Go", "A(1)"}));
    QCOMPARE(form_->value("A(1)"), 1);
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
