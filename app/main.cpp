#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/startup.h"
#include "platform/program_folder.h"
#include "toolkit/description.h"
#include "toolkit/qt/backend.h"

namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// Qt cannot open a window without a display, and aborts with its own advice (reinstalling):
// without one, and without a platform chosen for it (QT_QPA_PLATFORM or -platform, which may
// need none), the program says what `make run` says and ends.
bool DesktopSessionMissing(int argc, char* argv[]) {
  if (IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM")) return false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) return false;
  }
  const std::string message =
      "Quorvane is a desktop program and needs a desktop session: no display was found\n"
      "(neither DISPLAY nor WAYLAND_DISPLAY is set). Start it in a terminal of your desktop;\n"
      "quorvane-cli, beside it in " +
      quorvane::ExecutableFolder() + ", works without one.\n";
  std::fputs(message.c_str(), stderr);
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (DesktopSessionMissing(argc, argv)) return 1;
  quorvane::ui::qt::BeforeApplication();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(quorvane::ui::kAppTitle));
  // Lets desktop shells match the windows to the installed menu entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.quorvane.Quorvane"));
  quorvane::ui::qt::Install();
  return quorvane::RunProgram();
}
