#include "toolkit/win32/accessibility.h"

#include <objbase.h>
#include <oleacc.h>

namespace quorvane::ui::win32 {

namespace {

// IAccPropServices: the name becomes the one that the control's accessible object reports.
class DynamicAnnotation final : public AccessibleNames {
 public:
  DynamicAnnotation() {
    // COM for this thread, once. A thread that has it already in another mode keeps it, and a
    // system that has no annotation service leaves the controls with their own names.
    const HRESULT initialised = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    (void)initialised;
    void* services = nullptr;
    if (SUCCEEDED(
            CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices, &services)))
      services_ = static_cast<IAccPropServices*>(services);
  }
  // Kept for the process's life: it is released with COM itself when the process ends.

  void setName(HWND control, const std::wstring& name) override {
    if (services_)
      services_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME, name.c_str());
  }

  void clearName(HWND control) override {
    if (!services_) return;
    MSAAPROPID properties[] = {PROPID_ACC_NAME};
    services_->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, properties, 1);
  }

 private:
  IAccPropServices* services_ = nullptr;
};

AccessibleNames*& Installed() {
  static AccessibleNames* names = nullptr;
  return names;
}

}  // namespace

AccessibleNames* SetAccessibleNames(AccessibleNames* names) {
  AccessibleNames* previous = Installed();
  Installed() = names;
  return previous;
}

AccessibleNames& CurrentAccessibleNames() {
  if (AccessibleNames* names = Installed()) return *names;
  static DynamicAnnotation system;
  return system;
}

}  // namespace quorvane::ui::win32
