#include "toolkit/win32/dpi.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "core/utf16.h"

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

// The height of a font's characters without their leading, in pixels.
int CharacterHeight(HFONT font) {
  const HDC screen = GetDC(nullptr);
  if (!screen) return 0;
  const HGDIOBJ old = SelectObject(screen, font);
  TEXTMETRICW metrics{};
  const bool got = GetTextMetricsW(screen, &metrics) != FALSE;
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return got ? static_cast<int>(metrics.tmHeight - metrics.tmInternalLeading) : 0;
}

// True when the system has the face itself, not a stand-in.
bool FaceInstalled(const wchar_t* face) {
  const HDC screen = GetDC(nullptr);
  if (!screen) return false;
  const HFONT font = MakeFont(face, -11, false, false);
  const HGDIOBJ old = SelectObject(screen, font);
  wchar_t got[LF_FACESIZE] = {};
  GetTextFaceW(screen, LF_FACESIZE, got);
  SelectObject(screen, old);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
  return lstrcmpiW(got, face) == 0;
}

// A scalable face of the dialog font's design, or close to it, for the sizes it lacks.
const std::wstring& ScalableDialogFace() {
  static const std::wstring face = [] {
    for (const wchar_t* candidate : {L"Microsoft Sans Serif", L"Tahoma"})
      if (FaceInstalled(candidate)) return std::wstring(candidate);
    return Wide(kDialogFontFamily);
  }();
  return face;
}

}  // namespace

HFONT CreateFontForDpi(const FontSpec& spec, int dpi, int smaller) {
  // Negative: the size of the characters themselves, as points give it, without the leading;
  // rounded down, so that a caption is never wider than the layout scaled.
  const int height = std::max(1, static_cast<int>(std::floor(spec.points * dpi / 72.0 + 1e-9)) - smaller);
  const bool dialogFace =
      spec.family.empty() || lstrcmpiW(Wide(spec.family).c_str(), Wide(kDialogFontFamily).c_str()) == 0;
  const HFONT font = MakeFont(dialogFace ? Wide(kDialogFontFamily) : Wide(spec.family), -height, spec.bold, spec.italic);
  // The dialog font is drawn in a few sizes only; a size far from all of them is set in a
  // scalable face of the same design instead.
  if (!dialogFace || !font || std::abs(CharacterHeight(font) - height) <= std::max(1, height / 8)) return font;
  const HFONT scalable = MakeFont(ScalableDialogFace(), -height, spec.bold, spec.italic);
  if (!scalable) return font;
  DeleteObject(font);
  return scalable;
}

int NominalFontPixels(const FontSpec& spec, int dpi) {
  return std::max(1, static_cast<int>(std::floor(spec.points * dpi / 72.0 + 1e-9)));
}

}  // namespace quorvane::ui::win32
