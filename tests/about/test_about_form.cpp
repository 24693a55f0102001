// The About box: its contents after opening, one box for the program, the ways to close it, and
// its life beside the main window.

#include <QtTest>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "about/about_form.h"
#include "app/startup.h"
#include "main_window/main_form.h"
#include "tests/qt_form.h"
#include "toolkit/qt/backend.h"

using namespace quorvane;
using test::FormAccess;

namespace {

int AboutBoxesOnScreen() {
  int count = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "frmAbout" && w->isVisible()) ++count;
  return count;
}

QPushButton* Button(ui::Form* form, const char* name) {
  return qobject_cast<QPushButton*>(ui::qt::ControlWidget(*form, name));
}

// The window of a form, watched: null once the form is discarded.
QPointer<QWidget> Watch(ui::Form* form) { return ui::qt::WindowWidget(*form); }

}  // namespace

class TestAboutForm : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { ui::qt::Install(); }
  void init();
  void cleanup();
  void contentsAfterOpening();
  void tabOrderStartsOnOk();
  void programIconInEveryWindow();
  void twoClicksGiveOneBox();
  void closes_data();
  void closes();
  void systemInfoIsUnavailableHere();
  void outlivesTheMainWindow();

 private:
  QList<QPair<QString, QString>> messages_;
};

void TestAboutForm::init() {
  messages_.clear();
  ui::SetMessageBoxHook([this](const std::string& title, const std::string& text) {
    messages_.append({QString::fromStdString(title), QString::fromStdString(text)});
  });
}

void TestAboutForm::cleanup() {
  ui::SetMessageBoxHook({});
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible()) w->close();
  QCoreApplication::processEvents();
  QVERIFY(!LoadedAboutBox());
}

void TestAboutForm::contentsAfterOpening() {
  const FormAccess about(ShowAboutBox());
  const FormAccess* box = &about;
  QWidget* window = about.widget();
  QVERIFY(QTest::qWaitForWindowExposed(window));

  QCOMPARE(box->windowTitle(), QString("About Quorvane"));
  QCOMPARE(box->caption("lblTitle"), QString("Quorvane"));
  QCOMPARE(box->caption("lblVersion"), QString("Version 3.0.0"));
  QCOMPARE(box->caption("lblDescription"),
           QString("Used to project the level you would reach from your current lvl with an "
                   "amount of scalps. The programm allows for multiple sections of the quest, as "
                   "some do not do it all. You can also see the gold pieces you will have in the "
                   "end if you deside to sell your maces instead of giving them for some XP."));
  const QString disclaimer = box->caption("lblDisclaimer");
  QVERIFY2(disclaimer.startsWith("Warning: This program is given As Is and no responsibility do "
                                 "I have for anything that happens to your system by the use of "
                                 "this program. Report bugs to "),
           qPrintable(disclaimer));
  QVERIFY(disclaimer.endsWith("@example.org"));
  QCOMPARE(box->caption("cmdOK"), QString("OK"));
  QCOMPARE(box->caption("cmdSysInfo"), QString("&System Info..."));

  // A fixed dialog of 5730 x 3555 twips, without maximise and minimise buttons.
  QCOMPARE(window->size(), QSize(382, 237));
  QCOMPARE(window->minimumSize(), window->maximumSize());
  QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
  QVERIFY(!(window->windowFlags() & Qt::WindowMinimizeButtonHint));
  QVERIFY(!window->parentWidget());

  QVERIFY(!window->windowIcon().isNull());
  auto* picture = qobject_cast<QLabel*>(box->control("picIcon").widget());
  QVERIFY(picture);
  QVERIFY(!picture->pixmap().isNull());

  auto* title = box->control("lblTitle").widget();
  QCOMPARE(QFontInfo(title->font()).pixelSize(), 18);  // 13.5 pt at 96 dpi, as drawn
  QVERIFY(!title->font().bold());
  QCOMPARE(title->palette().color(QPalette::WindowText), QColor(Qt::black));

  // Opened in the middle of the screen.
  const QRect screen = window->screen()->geometry();
  QVERIFY2(qAbs(window->frameGeometry().center().x() - screen.center().x()) <= 2,
           qPrintable(
               QString("window at %1, screen %2").arg(window->frameGeometry().center().x()).arg(screen.center().x())));
  QVERIFY(qAbs(window->frameGeometry().center().y() - screen.center().y()) <= 2);
}

void TestAboutForm::tabOrderStartsOnOk() {
  const FormAccess about(ShowAboutBox());
  const FormAccess* box = &about;
  QVERIFY(QTest::qWaitForWindowActive(box->widget()));
  QWidget* ok = box->control("cmdOK").widget();
  QWidget* picture = box->control("picIcon").widget();
  QWidget* sysInfo = box->control("cmdSysInfo").widget();
  QCOMPARE(QApplication::focusWidget(), ok);
  for (QWidget* next : {picture, sysInfo, ok}) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), next);
  }
}

void TestAboutForm::programIconInEveryWindow() {
  MainForm mainForm;
  const FormAccess about(ShowAboutBox());
  const FormAccess* box = &about;
  const QList<QSize> sizes{{16, 16}, {32, 32}, {48, 48}};
  QCOMPARE(ui::qt::WindowWidget(mainForm)->windowIcon().availableSizes(), sizes);
  QCOMPARE(box->widget()->windowIcon().availableSizes(), sizes);
  auto* picture = qobject_cast<QLabel*>(box->control("picIcon").widget());
  QCOMPARE(picture->pixmap().size(), QSize(32, 32));
}

void TestAboutForm::twoClicksGiveOneBox() {
  MainForm mainForm;
  mainForm.show();
  auto* about = Button(&mainForm, "cmdAbout");

  about->click();
  AboutForm* first = LoadedAboutBox();
  QVERIFY(first);
  QVERIFY(ui::qt::WindowWidget(*first)->isVisible());
  // A caption that only a fresh load would reset shows whether the box was loaded again.
  FormAccess(first).control("lblVersion").setCaption("changed");

  ui::qt::WindowWidget(mainForm)->activateWindow();
  about->click();
  QCOMPARE(LoadedAboutBox(), first);
  QCOMPARE(AboutBoxesOnScreen(), 1);
  QCOMPARE(FormAccess(first).caption("lblVersion"), QString("changed"));
  QVERIFY(QTest::qWaitForWindowActive(ui::qt::WindowWidget(*first)));  // brought to the front

  // Unloaded by OK, the next click loads it afresh.
  QPointer<QWidget> unloaded = Watch(first);
  Button(first, "cmdOK")->click();
  QVERIFY(!LoadedAboutBox());
  about->click();
  AboutForm* second = LoadedAboutBox();
  QVERIFY(second);
  QCOMPARE(FormAccess(second).caption("lblVersion"), QString("Version 3.0.0"));
  QCOMPARE(AboutBoxesOnScreen(), 1);
  QTRY_VERIFY(!unloaded);
}

void TestAboutForm::closes_data() {
  QTest::addColumn<int>("key");  // 0 for a click on OK
  QTest::newRow("OK clicked") << 0;
  QTest::newRow("Enter") << int(Qt::Key_Return);
  QTest::newRow("Enter on the keypad") << int(Qt::Key_Enter);
  QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void TestAboutForm::closes() {
  QFETCH(int, key);
  AboutForm* form = ShowAboutBox();
  QPointer<QWidget> box = Watch(form);
  QVERIFY(QTest::qWaitForWindowActive(box));
  if (key == 0) {
    QTest::mouseClick(Button(form, "cmdOK"), Qt::LeftButton);
  } else {
    QTest::keyClick(box, Qt::Key(key));
  }
  QVERIFY(!LoadedAboutBox());
  QTRY_VERIFY(!box);  // discarded with its control values
  QCOMPARE(AboutBoxesOnScreen(), 0);
  QVERIFY(messages_.isEmpty());
}

void TestAboutForm::systemInfoIsUnavailableHere() {
#ifdef _WIN32
  QSKIP("Windows has the registry and may start the tool");
#endif
  AboutForm* box = ShowAboutBox();
  QWidget* window = ui::qt::WindowWidget(*box);
  QTest::mouseClick(Button(box, "cmdSysInfo"), Qt::LeftButton);
  QCOMPARE(messages_.size(), 1);
  QCOMPARE(messages_.front().first, QString("Quorvane"));
  QCOMPARE(messages_.front().second, QString("System Information Is Unavailable At This Time"));
  QCOMPARE(LoadedAboutBox(), box);
  QVERIFY(window->isVisible());

  // Enter presses the focused button, not the default one.
  messages_.clear();
  QVERIFY(QTest::qWaitForWindowActive(window));
  Button(box, "cmdSysInfo")->setFocus();
  QTest::keyClick(window, Qt::Key_Return);
  QCOMPARE(messages_.size(), 1);
  QCOMPARE(LoadedAboutBox(), box);
}

void TestAboutForm::outlivesTheMainWindow() {
  // The program's own run: it ends when the last window closes, and not before.
  QPointer<QWidget> mainForm;
  QPointer<QWidget> box;
  bool aboutOpenAfterMainClosed = false;
  bool okPressed = false;
  bool timedOut = false;
  QTimer::singleShot(0, qApp, [&] {
    MainForm* program = ui::Loaded<MainForm>();
    mainForm = Watch(program);
    Button(program, "cmdAbout")->click();
    box = Watch(LoadedAboutBox());
    program->close();
  });
  QTimer::singleShot(200, qApp, [&] {
    aboutOpenAfterMainClosed = !mainForm && box && box->isVisible();
    okPressed = true;
    if (box) Button(LoadedAboutBox(), "cmdOK")->click();
  });
  QTimer::singleShot(5000, qApp, [&] {
    timedOut = true;
    QCoreApplication::quit();
  });
  QCOMPARE(RunProgram(), 0);

  QVERIFY(aboutOpenAfterMainClosed);
  QVERIFY(okPressed);  // the run did not end with the main window
  QVERIFY(!timedOut);  // but it did end with the About box
  QVERIFY(!box);       // and the windows are gone
}

QTEST_MAIN(TestAboutForm)
#include "test_about_form.moc"
