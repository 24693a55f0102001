#include "toolkit/qt/backend.h"

#include <QCoreApplication>
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
