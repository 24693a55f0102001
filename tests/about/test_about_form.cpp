// The About box: its contents after opening, one box for the program, the ways to close it, and
// its life beside the main window.

#include <QtTest>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "about/about_form.h"
#include "main_window/main_form.h"

using namespace quorvane;

namespace {

int AboutBoxesOnScreen() {
  int count = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<AboutForm*>(w) && w->isVisible()) ++count;
  return count;
}

QPushButton* Button(ui::Form* form, const char* name) {
  return qobject_cast<QPushButton*>(form->control(name).widget());
}

}  // namespace

class TestAboutForm : public QObject {
  Q_OBJECT

 private slots:
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
  ui::SetMessageBoxHook(
      [this](const QString& title, const QString& text) { messages_.append({title, text}); });
}

void TestAboutForm::cleanup() {
  ui::SetMessageBoxHook({});
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<ui::Form*>(w)) w->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QVERIFY(!LoadedAboutBox());
}

void TestAboutForm::contentsAfterOpening() {
  AboutForm* box = ShowAboutBox();
  QVERIFY(QTest::qWaitForWindowExposed(box));

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
  QCOMPARE(box->size(), QSize(382, 237));
  QCOMPARE(box->minimumSize(), box->maximumSize());
  QVERIFY(!(box->windowFlags() & Qt::WindowMaximizeButtonHint));
  QVERIFY(!(box->windowFlags() & Qt::WindowMinimizeButtonHint));
  QVERIFY(!box->parentWidget());

  QVERIFY(!box->windowIcon().isNull());
  auto* picture = qobject_cast<QLabel*>(box->control("picIcon").widget());
  QVERIFY(picture);
  QVERIFY(!picture->pixmap().isNull());

  auto* title = box->control("lblTitle").widget();
  QCOMPARE(QFontInfo(title->font()).pixelSize(), 18);  // 13.5 pt at 96 dpi, as drawn
  QVERIFY(!title->font().bold());
  QCOMPARE(title->palette().color(QPalette::WindowText), QColor(Qt::black));

  // Opened in the middle of the screen.
  const QRect screen = box->screen()->geometry();
  QVERIFY2(qAbs(box->frameGeometry().center().x() - screen.center().x()) <= 2,
           qPrintable(QString("window at %1, screen %2").arg(box->frameGeometry().center().x())
                          .arg(screen.center().x())));
  QVERIFY(qAbs(box->frameGeometry().center().y() - screen.center().y()) <= 2);
}

void TestAboutForm::tabOrderStartsOnOk() {
  AboutForm* box = ShowAboutBox();
  QVERIFY(QTest::qWaitForWindowActive(box));
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
  AboutForm* box = ShowAboutBox();
  const QList<QSize> sizes{{16, 16}, {32, 32}, {48, 48}};
  QCOMPARE(mainForm.windowIcon().availableSizes(), sizes);
  QCOMPARE(box->windowIcon().availableSizes(), sizes);
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
  QVERIFY(first->isVisible());
  // A caption that only a fresh load would reset shows whether the box was loaded again.
  first->setCaption("lblVersion", "changed");

  mainForm.activateWindow();
  about->click();
  QCOMPARE(LoadedAboutBox(), first);
  QCOMPARE(AboutBoxesOnScreen(), 1);
  QCOMPARE(first->caption("lblVersion"), QString("changed"));
  QVERIFY(QTest::qWaitForWindowActive(first));  // brought to the front

  // Unloaded by OK, the next click loads it afresh.
  QPointer<AboutForm> unloaded = first;
  Button(first, "cmdOK")->click();
  QVERIFY(!LoadedAboutBox());
  about->click();
  AboutForm* second = LoadedAboutBox();
  QVERIFY(second);
  QCOMPARE(second->caption("lblVersion"), QString("Version 3.0.0"));
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
  QPointer<AboutForm> box = ShowAboutBox();
  QVERIFY(QTest::qWaitForWindowActive(box));
  if (key == 0) {
    QTest::mouseClick(Button(box, "cmdOK"), Qt::LeftButton);
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
  QTest::mouseClick(Button(box, "cmdSysInfo"), Qt::LeftButton);
  QCOMPARE(messages_.size(), 1);
  QCOMPARE(messages_.front().first, QString("Quorvane"));
  QCOMPARE(messages_.front().second, QString("System Information Is Unavailable At This Time"));
  QCOMPARE(LoadedAboutBox(), box);
  QVERIFY(box->isVisible());

  // Enter presses the focused button, not the default one.
  messages_.clear();
  QVERIFY(QTest::qWaitForWindowActive(box));
  Button(box, "cmdSysInfo")->setFocus();
  QTest::keyClick(box, Qt::Key_Return);
  QCOMPARE(messages_.size(), 1);
  QCOMPARE(LoadedAboutBox(), box);
}

void TestAboutForm::outlivesTheMainWindow() {
  // Runs the program's event loop as the program does: it ends when the last window closes.
  QVERIFY(QGuiApplication::quitOnLastWindowClosed());
  QPointer<MainForm> mainForm = new MainForm;
  mainForm->setAttribute(Qt::WA_DeleteOnClose);
  mainForm->show();
  Button(mainForm, "cmdAbout")->click();
  QPointer<AboutForm> box = LoadedAboutBox();
  QVERIFY(box);

  bool aboutOpenAfterMainClosed = false;
  bool okPressed = false;
  bool timedOut = false;
  QTimer::singleShot(0, mainForm, [&] { mainForm->close(); });
  QTimer::singleShot(200, qApp, [&] {
    aboutOpenAfterMainClosed = !mainForm && box && box->isVisible();
    okPressed = true;
    if (box) Button(box, "cmdOK")->click();
  });
  QTimer::singleShot(5000, qApp, [&] {
    timedOut = true;
    QCoreApplication::quit();
  });
  QCoreApplication::exec();

  QVERIFY(aboutOpenAfterMainClosed);
  QVERIFY(okPressed);  // the run did not end with the main window
  QVERIFY(!timedOut);  // but it did end with the About box
}

QTEST_MAIN(TestAboutForm)
#include "test_about_form.moc"
