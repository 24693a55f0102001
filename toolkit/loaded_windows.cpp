#include "toolkit/loaded_windows.h"

#include <algorithm>

#include "toolkit/backend.h"
#include "toolkit/form.h"

namespace quorvane::ui {

namespace {

struct Owned {
  std::type_index type;
  std::unique_ptr<Form> window;
  bool loaded;
};

std::vector<Owned>& OwnedWindows() {
  static std::vector<Owned> windows;
  return windows;
}

}  // namespace

Form* LoadedWindows::find(std::type_index type) {
  for (Owned& o : OwnedWindows())
    if (o.loaded && o.type == type) return o.window.get();
  return nullptr;
}

Form& LoadedWindows::adopt(std::type_index type, std::unique_ptr<Form> window) {
  window->owned_ = true;
  OwnedWindows().push_back(Owned{type, std::move(window), true});
  return *OwnedWindows().back().window;
}

void LoadedWindows::unload(Form& window) {
  auto& windows = OwnedWindows();
  const auto it =
      std::find_if(windows.begin(), windows.end(), [&](const Owned& o) { return o.window.get() == &window; });
  if (it == windows.end() || !it->loaded) return;
  it->loaded = false;
  window.hide();
  Form* const gone = &window;
  window.discardLater([gone] {
    auto& all = OwnedWindows();
    const auto at = std::find_if(all.begin(), all.end(), [&](const Owned& o) { return o.window.get() == gone; });
    if (at == all.end()) return;
    // Out of the list first: the window's destructor may look at the list.
    std::unique_ptr<Form> discarded = std::move(at->window);
    all.erase(at);
  });
  // The run ends when the last of the program's windows has closed.
  if (!anyShown()) CurrentBackend().quit(0);
}

void LoadedWindows::discardAll() {
  std::vector<Owned> windows = std::move(OwnedWindows());
  OwnedWindows().clear();
  windows.clear();
}

bool LoadedWindows::anyShown() {
  for (const Owned& o : OwnedWindows())
    if (o.loaded && o.window->isShown()) return true;
  return false;
}

}  // namespace quorvane::ui
