#include "toolkit/win32/dpi.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "toolkit/win32/text.h"

namespace quorvane::ui::win32 {

namespace {

// A user32 function that only newer systems export, or null.
template <class Function>
Function User32Function(const char* name) {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (!user32) return nullptr;
  // Through the generic function pointer type: the address is only converted, never called as such.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

int DesktopDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

int WindowDpi(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (getDpiForWindow && window) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return DesktopDpi();
}

void AdjustRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
  using AdjustFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjustForDpi = User32Function<AdjustFn>("AdjustWindowRectExForDpi");
  if (adjustForDpi && adjustForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi))) return;
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

void DeclareDpiAwareness() {
  using SetContextFn = BOOL(WINAPI*)(HANDLE);
  using SetAwareFn = BOOL(WINAPI*)();
  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, by value: older headers lack the name.
  const HANDLE perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4));
  if (const auto setContext = User32Function<SetContextFn>("SetProcessDpiAwarenessContext")) {
    if (setContext(perMonitorV2)) return;
    // Refused also when the manifest has declared the awareness already: then it stands.
    if (GetLastError() == ERROR_ACCESS_DENIED) return;
  }
  if (const auto setAware = User32Function<SetAwareFn>("SetProcessDPIAware")) setAware();
}

FontSpec ResolveFont(const FontDescription& description, const FontSpec& base) {
  FontSpec spec = base;
  if (!description.family.empty()) spec.family = description.family;
  if (description.points > 0) spec.points = description.points;
  spec.bold = description.bold;
  spec.italic = description.italic;
  return spec;
}

namespace {

HFONT MakeFont(const std::wstring& face, int height, bool bold, bool italic) {
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = italic ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
  lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
  return CreateFontIndirectW(&font);
}

}  // namespace

HFONT CreateFontForDpi(const FontSpec& spec, int dpi, int smaller) {
  // Negative: the size of the characters themselves, as points give it, without the leading;
  // rounded down, so that a caption is never wider than the layout scaled.
  const int height = std::max(1, static_cast<int>(std::floor(spec.points * dpi / 72.0 + 1e-9)) - smaller);
  return MakeFont(Wide(spec.family.empty() ? std::string(kDialogFontFamily) : spec.family), -height, spec.bold,
                  spec.italic);
}

int NominalFontPixels(const FontSpec& spec, int dpi) {
  return std::max(1, static_cast<int>(std::floor(spec.points * dpi / 72.0 + 1e-9)));
}

}  // namespace quorvane::ui::win32
