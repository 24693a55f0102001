#include <QApplication>

#include "main_window/main_form.h"
#include "toolkit/qt/backend.h"

int main(int argc, char* argv[]) {
  quorvane::ui::qt::BeforeApplication();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(quorvane::ui::kAppTitle));
  // Lets desktop shells match the windows to the installed menu entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.quorvane.Quorvane"));
  // The run ends when the last window of the program has closed (an About box that is still open
  // outlives the main window).
  QApplication::setQuitOnLastWindowClosed(true);
  quorvane::ui::qt::Install();

  // Closing the main window ends its life at once.
  auto* mainForm = new quorvane::MainForm;
  mainForm->setClosedHandler([mainForm] { mainForm->discardLater([mainForm] { delete mainForm; }); });
  mainForm->show();
  return app.exec();
}
