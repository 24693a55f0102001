#include "toolkit/web/keys.h"

#include <iterator>
#include <stdexcept>

namespace quorvane::ui::web {

namespace {

struct NamedKey {
  const char* name;
  Key key;
};

// The browser's name of function key 10 (KeyboardEvent.key).
constexpr char kFunctionKey10[] = {'F', '1', '0', '\0'};

constexpr NamedKey kNamedKeys[] = {
    {"Tab", Key::Tab},          {"Enter", Key::Enter}, {"Escape", Key::Escape},  {"ArrowLeft", Key::Left},
    {"ArrowRight", Key::Right}, {"ArrowUp", Key::Up},  {"ArrowDown", Key::Down}, {kFunctionKey10, Key::Function10},
    {"ContextMenu", Key::Menu},
};

// Every key but a character has exactly one name.
constexpr bool NamedOnce(Key key) {
  int names = 0;
  for (const NamedKey& named : kNamedKeys) names += named.key == key ? 1 : 0;
  return names == (key == Key::Character ? 0 : 1);
}
static_assert(NamedOnce(Key::Tab) && NamedOnce(Key::Enter) && NamedOnce(Key::Escape) && NamedOnce(Key::Left) &&
              NamedOnce(Key::Right) && NamedOnce(Key::Up) && NamedOnce(Key::Down) && NamedOnce(Key::Character) &&
              NamedOnce(Key::Function10) && NamedOnce(Key::Menu) && std::size(kNamedKeys) == 9);

}  // namespace

std::vector<std::string> PageKeyNames() {
  std::vector<std::string> names;
  for (const NamedKey& named : kNamedKeys) names.emplace_back(named.name);
  return names;
}

KeyEvent PageKey(const std::string& name) {
  KeyEvent event;
  for (const NamedKey& named : kNamedKeys) {
    if (name != named.name) continue;
    event.key = named.key;
    return event;
  }
  const bool character = name.size() == 1 && ((name[0] >= 'a' && name[0] <= 'z') || (name[0] >= '0' && name[0] <= '9'));
  if (!character) throw std::invalid_argument("the page sent a key of no known name: \"" + name + "\"");
  event.key = Key::Character;
  event.character = name[0];
  return event;
}

}  // namespace quorvane::ui::web
