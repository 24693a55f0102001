#include "toolkit/backend.h"

#include <stdexcept>

namespace quorvane::ui {

namespace {

Backend*& InstalledBackend() {
  static Backend* backend = nullptr;
  return backend;
}

}  // namespace

void SetBackend(Backend* backend) { InstalledBackend() = backend; }

Backend& CurrentBackend() {
  if (!InstalledBackend()) throw std::logic_error("no window back-end is installed");
  return *InstalledBackend();
}

}  // namespace quorvane::ui
