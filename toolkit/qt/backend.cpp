#include "toolkit/qt/backend.h"

#include <QCoreApplication>
#include <QtGlobal>
#include <QTimer>

#include "toolkit/form.h"
#include "toolkit/qt/window.h"

namespace quorvane::ui::qt {

namespace {

class QtBackend final : public Backend {
 public:
  std::unique_ptr<WindowPeer> createWindow(const WindowDescription& description, PeerEvents& events) override {
    return std::make_unique<QtWindow>(description, events);
  }
  void post(std::function<void()> work) override {
    QTimer::singleShot(0, QCoreApplication::instance(), std::move(work));
  }
};

}  // namespace

void BeforeApplication() {
  // On X11, a repaint-now of a few captions reaches the screen sooner through the connection
  // than through shared memory, where every update waits for the server to have taken the one
  // before: a search with the Working window shown repaints thousands of times a second. (A
  // user's own setting of the variable stands.)
  if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
}

void Install() {
  static QtBackend backend;
  SetBackend(&backend);
}

QWidget* WindowWidget(Form& form) { return dynamic_cast<QtWindow*>(&form.peer()); }

QWidget* ControlWidget(const ControlRef& control) {
  auto* window = dynamic_cast<QtWindow*>(&control.form().peer());
  return window ? window->controlWidget(control.index()) : nullptr;
}

QWidget* ControlWidget(Form& form, const std::string& name) { return ControlWidget(form.control(name)); }

}  // namespace quorvane::ui::qt
