#pragma once

// The windows that the layer owns. Windows made by Load<T>() belong to the layer. A window closed
// by the user or by its own code is unloaded at once (Loaded<T>() no longer finds it) and
// discarded from the event loop once no modal loop of it runs any more. The run ends when no
// loaded window is shown.

#include <memory>
#include <typeindex>

namespace quorvane::ui {

class Form;

struct LoadedWindows {
  // The loaded window of this type, or null.
  static Form* find(std::type_index type);
  // Takes the new window over as the loaded one of its type.
  static Form& adopt(std::type_index type, std::unique_ptr<Form> window);
  // Unloads the window: hides it, and discards it from the event loop once its modal loops ended.
  static void unload(Form& window);
  // Discards every window the layer holds, at the end of the run.
  static void discardAll();
  // Whether a loaded window is shown.
  static bool anyShown();
};

// Loads a window: the loaded window of type T, or a new one from its description. At most one of
// each type is loaded.
template <class T>
T& Load() {
  if (Form* loaded = LoadedWindows::find(typeid(T))) return static_cast<T&>(*loaded);
  return static_cast<T&>(LoadedWindows::adopt(typeid(T), std::make_unique<T>()));
}

// The loaded window of type T, or null.
template <class T>
T* Loaded() {
  return static_cast<T*>(LoadedWindows::find(typeid(T)));
}
// Unloads the loaded window of type T, if any.
template <class T>
void Unload() {
  if (Form* loaded = LoadedWindows::find(typeid(T))) LoadedWindows::unload(*loaded);
}

}  // namespace quorvane::ui
