#include <QApplication>

#include "app/startup.h"
#include "toolkit/description.h"
#include "toolkit/qt/backend.h"

int main(int argc, char* argv[]) {
  quorvane::ui::qt::BeforeApplication();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(quorvane::ui::kAppTitle));
  // Lets desktop shells match the windows to the installed menu entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.quorvane.Quorvane"));
  quorvane::ui::qt::Install();
  return quorvane::RunProgram();
}
