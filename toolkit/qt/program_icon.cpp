#include "toolkit/qt/program_icon.h"

// The icons sit in a static library; registering them here makes sure they are linked in
// whichever window asks first. Qt's macro must be used outside any namespace.
static void RegisterIconResources() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(quorvane);
    return true;
  }();
  (void)registered;
}

namespace quorvane {

QString ProgramIconPath(int size) { return QStringLiteral(":/icons/quorvane-%1.png").arg(size); }

QIcon ProgramIcon() {
  RegisterIconResources();
  QIcon icon;
  for (const int size : {16, 32, 48}) icon.addFile(ProgramIconPath(size), QSize(size, size));
  return icon;
}

}  // namespace quorvane
