#include "toolkit/qt/backend.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
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
  int run() override {
    running_ = true;
    const int status = QCoreApplication::exec();
    running_ = false;
    return status;
  }
  void setClipboardText(const std::string& text) override {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
  }
  void quit(int status) override {
    // Only the loop that run() started: a test's own loop, or none, is left alone.
    if (running_) QCoreApplication::exit(status);
  }

 private:
  bool running_ = false;
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
  // The window layer says when the run ends: when no window of the program is shown.
  QGuiApplication::setQuitOnLastWindowClosed(false);
  // The windows the layer still holds go before the application's widgets do.
  static const bool discardAtExit = [] {
    qAddPostRoutine([] { LoadedWindows::discardAll(); });
    return true;
  }();
  (void)discardAtExit;
}

QWidget* WindowWidget(Form& form) { return dynamic_cast<QtWindow*>(&form.peer()); }

QWidget* ControlWidget(const ControlRef& control) {
  auto* window = dynamic_cast<QtWindow*>(&control.form().peer());
  return window ? window->controlWidget(control.index()) : nullptr;
}

QWidget* ControlWidget(Form& form, const std::string& name) { return ControlWidget(form.control(name)); }

}  // namespace quorvane::ui::qt
