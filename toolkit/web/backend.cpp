#include "toolkit/web/backend.h"

#include <emscripten/val.h>

#include <deque>
#include <map>
#include <string>

#include "toolkit/form.h"
#include "toolkit/web/bridge.h"
#include "toolkit/web/keys.h"
#include "toolkit/web/window.h"

namespace quorvane::ui::web {

using emscripten::val;

namespace {

class WebBackend final : public Backend {
 public:
  std::unique_ptr<WindowPeer> createWindow(const WindowDescription& description, PeerEvents& events) override {
    const int id = ++lastId_;
    auto window = std::make_unique<Peer>(description, events, id, *this);
    windows_[id] = window.get();
    return window;
  }
  void post(std::function<void()> work) override { posted_.push_back(std::move(work)); }
  int run() override {
    running_ = true;
    quitting_ = false;
    while (!quitting_) {
      while (!posted_.empty() && !quitting_) {
        auto work = std::move(posted_.front());
        posted_.pop_front();
        work();
      }
      if (quitting_) break;
      qv_wait_event();
      ProgramResumed();
      dispatch(val::global("QuorvanePeer")["event"]);
    }
    running_ = false;
    // The page's input goes to the page again.
    val::global("QuorvanePeer").set("mode", std::string("ended"));
    return status_;
  }
  void setClipboardText(const std::string& text) override { SetPageClipboardText(text); }
  void quit(int status) override {
    if (!running_) return;
    quitting_ = true;
    status_ = status;
  }

 private:
  // A window that leaves the backend's list when it goes.
  class Peer final : public WebWindow {
   public:
    Peer(const WindowDescription& d, PeerEvents& e, int id, WebBackend& backend)
        : WebWindow(d, e, id), backend_(backend), id_(id) {}
    ~Peer() override { backend_.windows_.erase(id_); }

   private:
    WebBackend& backend_;
    int id_;
  };

  void dispatch(val event) {
    const auto found = windows_.find(event["window"].as<int>());
    if (found == windows_.end()) return;
    PeerEvents& events = found->second->events();
    const std::string type = event["type"].as<std::string>();
    if (type == "press") {
      events.userPressed(event["control"].as<int>());
    } else if (type == "change") {
      events.userChanged(event["control"].as<int>(), event["value"].as<int>());
    } else if (type == "menu") {
      event.set("taken",
                events.userAskedForMenu(PixelsToTwips(event["left"].as<int>()), PixelsToTwips(event["top"].as<int>())));
    } else if (type == "menu-item") {
      events.userChoseMenuItem(event["item"].as<int>());
    } else if (type == "resize") {
      events.userResized(PixelsToTwips(event["height"].as<int>()));
      event.set("taken", true);
    } else if (type == "close") {
      events.closedByUser();
    } else if (type == "key") {
      KeyEvent key = PageKey(event["name"].as<std::string>());
      key.shift = event["shift"].as<bool>();
      key.control = event["control"].as<bool>();
      key.alt = event["alt"].as<bool>();
      const bool taken = events.userKey(key);
      event.set("taken", taken);
    }
  }

  std::map<int, WebWindow*> windows_;
  std::deque<std::function<void()>> posted_;
  int lastId_ = 0;
  bool running_ = false;
  bool quitting_ = false;
  int status_ = 0;
};

}  // namespace

void Install() {
  static WebBackend backend;
  // The page sends the keys by these names only.
  val names = val::array();
  for (const std::string& name : PageKeyNames()) names.call<void>("push", name);
  val::global("QuorvanePeer").set("keyNames", names);
  SetBackend(&backend);
}

}  // namespace quorvane::ui::web
