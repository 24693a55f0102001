// Builds the program's windows in this process on the Win32 back-end, at the desktop's dpi, and
// checks what a reader of the screen and a screen reader meet:
//  - each text box, table and option button without a caption gets exactly its name for screen
//    readers, through the back-end's seam for them (Wine does not read the names back), and such
//    an option button shows no text;
//  - every caption is whole in its control, also each other caption its code may set: a label
//    shows every pixel that its text inks;
//  - all controls of one described font are set in one height, the dialog font in one face;
//  - an option button without a caption shows when it has the focus;
//  - a window whose building fails leaves no native window behind;
//  - the Working window's labels change on the screen only at a repaint, and then show what they
//    render themselves.
//   window-check          the checks; exit 0 when all pass
//   window-check --show   shows the windows side by side, one such button focused, until ended

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "about/about_form.h"
#include "core/utf16.h"
#include "items_window/items_form.h"
#include "main_window/main_form.h"
#include "plan_window/table_form.h"
#include "toolkit/font_fit.h"
#include "toolkit/win32/accessibility.h"
#include "toolkit/win32/backend.h"
#include "toolkit/win32/dpi.h"
#include "toolkit/win32/window.h"
#include "working_window/working_form.h"

namespace {

using namespace quorvane;
using ui::ControlKind;

std::vector<std::string> failures;

void Check(bool holds, const std::string& what) {
  if (!holds) failures.push_back(what);
}

class RecordedNames final : public ui::win32::AccessibleNames {
 public:
  void setName(HWND control, const std::wstring& name) override { names[control].push_back(name); }
  void clearName(HWND control) override { names.erase(control); }
  std::map<HWND, std::vector<std::wstring>> names;
};

std::wstring TextOf(HWND control) {
  wchar_t text[1024] = {};
  GetWindowTextW(control, text, 1024);
  return text;
}

// The text as the window system holds it for other programs.
std::wstring StoredText(HWND control) {
  wchar_t text[1024] = {};
  InternalGetWindowText(control, text, 1024);
  return text;
}

HFONT FontOf(HWND control) { return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)); }

// The face that the system sets the control's font in.
std::wstring FaceOf(HWND control) {
  const HDC dc = GetDC(control);
  const HGDIOBJ old = SelectObject(dc, FontOf(control));
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, face);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return face;
}

void Pump() {
  MSG m{};
  for (int i = 0; i < 20; ++i) {
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    Sleep(10);
  }
}

// The pixels of a control as it is on the screen, row by row, and its width.
std::vector<COLORREF> PixelsOf(HWND control, LONG& width) {
  RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Pump();
  RECT r{};
  GetClientRect(control, &r);
  width = r.right;
  std::vector<COLORREF> pixels;
  const HDC dc = GetDC(control);
  for (int y = 0; y < r.bottom; ++y)
    for (int x = 0; x < r.right; ++x) pixels.push_back(GetPixel(dc, x, y));
  ReleaseDC(control, dc);
  return pixels;
}

// `text` drawn unclipped in black on white, in the font selected into `screen`, as `format`
// sets it within `width`, with room beside: the pixels row by row, `width` + 16 to a row.
std::vector<std::uint32_t> Rendered(HDC screen, const std::wstring& text, UINT format, int width, int height) {
  const int room = width + 16;
  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), room, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HDC dc = CreateCompatibleDC(screen);
  const HGDIOBJ oldPicture = SelectObject(dc, picture);
  const HGDIOBJ oldFont = SelectObject(dc, GetCurrentObject(screen, OBJ_FONT));
  auto* const pixels = static_cast<std::uint32_t*>(bits);
  std::fill(pixels, pixels + room * height, 0xffffffu);
  SetBkMode(dc, TRANSPARENT);
  RECT r{0, 0, width, height};
  DrawTextW(dc, text.c_str(), -1, &r, (format & ~DT_CALCRECT) | DT_NOCLIP);
  GdiFlush();
  std::vector<std::uint32_t> copy(pixels, pixels + room * height);
  SelectObject(dc, oldFont);
  SelectObject(dc, oldPicture);
  DeleteDC(dc);
  DeleteObject(picture);
  return copy;
}

bool Inked(std::uint32_t pixel) { return (pixel & 0xffffffu) != 0xffffffu; }

// The column right of the last one that `text` inks as `format` sets it within `width`: glyphs
// may ink beyond the width that DrawText measures for them.
int InkRight(HDC screen, const std::wstring& text, UINT format, int width, int height) {
  const std::vector<std::uint32_t> pixels = Rendered(screen, text, format, width, height);
  const int room = width + 16;
  int right = 0;
  for (std::size_t i = 0; i < pixels.size(); ++i)
    if (Inked(pixels[i])) right = std::max(right, static_cast<int>(i % static_cast<std::size_t>(room)) + 1);
  return right;
}

// Whether a label on the screen shows every pixel that its text, set in lines as wide as the
// label, inks.
bool LabelWhole(HWND label) {
  if (!IsWindowVisible(label)) return true;
  const std::wstring text = TextOf(label);
  RECT client{};
  GetClientRect(label, &client);
  const UINT format = DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;
  const HDC dc = GetDC(label);
  const HGDIOBJ old = SelectObject(dc, FontOf(label));
  RECT lines = client;
  DrawTextW(dc, text.c_str(), -1, &lines, format | DT_CALCRECT);
  const std::vector<std::uint32_t> unclipped =
      Rendered(dc, text, format, client.right, std::max<LONG>(1, lines.bottom) + 8);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  LONG width = 0;
  const std::vector<COLORREF> shown = PixelsOf(label, width);
  const auto background = GetSysColor(COLOR_BTNFACE);
  return std::count_if(shown.begin(), shown.end(), [&](COLORREF c) { return c != background; }) ==
         std::count_if(unclipped.begin(), unclipped.end(), Inked);
}

// Whether the control's window text lies whole in its client area, as the native control sets it.
bool Whole(HWND control, ControlKind kind, int dpi) {
  const std::wstring text = TextOf(control);
  RECT client{};
  GetClientRect(control, &client);
  const HDC dc = GetDC(control);
  const HGDIOBJ old = SelectObject(dc, FontOf(control));
  int width = client.right, height = client.bottom;
  UINT format = DT_CALCRECT | DT_WORDBREAK;
  if (kind == ControlKind::Label) format |= DT_NOPREFIX | DT_EXPANDTABS;
  if (kind == ControlKind::CheckBox || kind == ControlKind::OptionButton) {
    // The indicator, and half a digit's width before the caption; a caption may reach a pixel or
    // two into the leading below the control.
    int digit = 0;
    GetCharWidthW(dc, L'0', L'0', &digit);
    width -= 12 * dpi / 96 + 1 + digit / 2;
    height += MulDiv(2, dpi, 96);
  }
  if (kind == ControlKind::CommandButton || kind == ControlKind::Frame) {
    width -= kind == ControlKind::Frame ? MulDiv(8, dpi, 96) : 6;  // the frame's left margin; the button's edges
    format = DT_CALCRECT | DT_SINGLELINE;
  }
  RECT r{0, 0, width, 0};
  DrawTextW(dc, text.c_str(), -1, &r, format);
  // What the glyphs ink lies in the room; a group box clips its caption to the caption's width.
  const bool button = kind == ControlKind::CheckBox || kind == ControlKind::OptionButton;
  const int inkRoom = button ? width : kind == ControlKind::Frame ? static_cast<int>(r.right) : -1;
  const bool whole = r.right <= width && ((format & DT_SINGLELINE) || r.bottom <= height) &&
                     (inkRoom < 0 || InkRight(dc, text, format, width, std::max<LONG>(1, r.bottom)) <= inkRoom);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return whole;
}

void CheckWindow(ui::Form& form, const RecordedNames& recorded, int dpi) {
  form.show();
  Pump();
  auto& peer = static_cast<ui::win32::Win32Window&>(form.peer());
  const ui::WindowDescription& d = form.description();
  const std::string window = d.name + " at " + std::to_string(dpi) + " dpi: ";
  std::set<std::wstring> dialogFaces;
  for (const ui::FontUse& use : ui::FontsInUse(d)) {
    std::set<LONG> heights;
    for (int row : use.controls) {
      const ControlKind kind = d.controls[static_cast<std::size_t>(row)].kind;
      if (!ui::CarriesCaption(kind) && kind != ControlKind::TextBox) continue;  // sets no text
      const HWND control = peer.controlHandle(row);
      LOGFONTW font{};
      GetObjectW(FontOf(control), sizeof font, &font);
      heights.insert(font.lfHeight);
      if (lstrcmpiW(Wide(use.font.family).c_str(), Wide(ui::kDialogFontFamily).c_str()) == 0)
        dialogFaces.insert(FaceOf(control));
    }
    Check(heights.size() <= 1,
          window + "the controls of one font are set in " + std::to_string(heights.size()) + " heights");
    std::printf("%s%s %.2f pt%s%s: height %ld\n", window.c_str(), use.font.family.c_str(), use.font.points,
                use.font.bold ? " bold" : "", use.font.italic ? " italic" : "",
                heights.empty() ? 0L : *heights.begin());
  }
  Check(dialogFaces.size() <= 1, window + "the dialog font is set in " + std::to_string(dialogFaces.size()) + " faces");
  for (const std::wstring& face : dialogFaces)
    std::printf("%sthe dialog font in %s\n", window.c_str(), Utf8(face).c_str());

  for (std::size_t i = 0; i < d.controls.size(); ++i) {
    const ui::ControlDescription& c = d.controls[i];
    const HWND control = peer.controlHandle(static_cast<int>(i));
    const bool captionless = c.kind == ControlKind::OptionButton && !ui::CaptionDrawn(c);
    const auto at = recorded.names.find(control);
    const std::vector<std::wstring> names = at == recorded.names.end() ? std::vector<std::wstring>{} : at->second;
    if (c.kind == ControlKind::TextBox || c.kind == ControlKind::Table || captionless) {
      Check(!c.accessibleName.empty() && names == std::vector<std::wstring>{Wide(c.accessibleName)},
            window + c.name + " has not exactly its name \"" + c.accessibleName + "\" for screen readers");
    } else {
      Check(names.empty(), window + c.name + " got a name for screen readers beside its caption");
    }
    if (captionless)
      Check(TextOf(control).empty(), window + c.name + " shows the text \"" + Utf8(TextOf(control)) + "\"");
    // Each caption it may show, set as its code sets it.
    const std::vector<std::string> captions = ui::CaptionsToFit(c);
    if (captions.empty()) continue;
    const ui::ControlRef ref = form.control(c.name);
    const std::string start = ref.caption();
    for (const std::string& caption : captions) {
      ref.setCaption(caption);
      Check(Whole(control, c.kind, dpi) && (c.kind != ControlKind::Label || LabelWhole(control)),
            window + "the caption \"" + caption + "\" of " + c.name + " is cut");
    }
    ref.setCaption(start);
  }
  form.hide();
}

// Focuses an option button without a caption that is selected already (focusing another one
// would select it) and shows the keyboard cues, as after keyboard use.
HWND FocusCaptionless(ui::Form& form) {
  const HWND rings = static_cast<ui::win32::Win32Window&>(form.peer()).controlHandle(form.indexOf("Option1(3)"));
  const HWND top = GetAncestor(rings, GA_ROOT);
  SetForegroundWindow(top);
  SetFocus(rings);
  SendMessageW(top, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
  Pump();
  return rings;
}

void CheckFocusShows(ui::Form& main) {
  main.show();
  Pump();
  const HWND rings = FocusCaptionless(main);
  Check(GetFocus() == rings, "Option1(3) does not take the focus");
  LONG width = 0;
  const std::vector<COLORREF> focused = PixelsOf(rings, width);
  SetFocus(static_cast<ui::win32::Win32Window&>(main.peer()).controlHandle(main.indexOf("Text1")));
  const std::vector<COLORREF> unfocused = PixelsOf(rings, width);
  std::size_t differ = 0;
  for (std::size_t i = 0; i < focused.size() && i < unfocused.size(); ++i) differ += focused[i] != unfocused[i];
  Check(differ >= 8, "Option1(3) shows no focus (" + std::to_string(differ) + " pixels change)");
  main.hide();
}

// The pixels of `area` of `dc`, row by row.
std::vector<std::uint32_t> Captured(HDC dc, const RECT& area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const HBITMAP picture = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HDC copy = CreateCompatibleDC(dc);
  const HGDIOBJ old = SelectObject(copy, picture);
  BitBlt(copy, 0, 0, width, height, dc, area.left, area.top, SRCCOPY);
  GdiFlush();
  auto* const pixels = static_cast<std::uint32_t*>(bits);
  std::vector<std::uint32_t> out(pixels, pixels + width * height);
  for (std::uint32_t& p : out) p &= 0xffffffu;
  SelectObject(copy, old);
  DeleteDC(copy);
  DeleteObject(picture);
  return out;
}

// A label as the screen shows it.
std::vector<std::uint32_t> OnScreen(HWND label) {
  RECT r{};
  GetClientRect(label, &r);
  MapWindowPoints(label, nullptr, reinterpret_cast<POINT*>(&r), 2);
  const HDC screen = GetDC(nullptr);
  std::vector<std::uint32_t> pixels = Captured(screen, r);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// A label as it renders itself into a picture.
std::vector<std::uint32_t> Rendering(HWND label) {
  RECT r{};
  GetClientRect(label, &r);
  const HDC screen = GetDC(nullptr);
  const HDC dc = CreateCompatibleDC(screen);
  const HBITMAP picture = CreateCompatibleBitmap(screen, r.right, r.bottom);
  const HGDIOBJ old = SelectObject(dc, picture);
  SendMessageW(label, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  std::vector<std::uint32_t> pixels = Captured(dc, r);
  SelectObject(dc, old);
  DeleteObject(picture);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// The Working window as a search writes it: the screen changes only at a repaint, with no message
// handled in between, and then shows the captions set so far as the labels render them; a label
// answers with its caption at once, and the window system holds it by the next poll for a stop.
void CheckRepaintShowsCaptions(frmWorking& working) {
  working.open();
  Pump();
  auto& peer = static_cast<ui::win32::Win32Window&>(working.peer());
  const char* const names[] = {"scalpscalced", "lblLevelReached"};
  const HWND labels[] = {peer.controlHandle(working.indexOf(names[0])), peer.controlHandle(working.indexOf(names[1]))};
  std::vector<std::uint32_t> shown[2] = {OnScreen(labels[0]), OnScreen(labels[1])};
  const struct {
    const char* scalps;
    const char* levelReached;
  } steps[] = {{"123450", "Level reached: 77"}, {"123550", nullptr}, {"9", nullptr}, {nullptr, "Level reached: 100"}};
  for (const auto& step : steps) {
    const std::string at =
        std::string(" at ") + (step.scalps ? step.scalps : "") + " / " + (step.levelReached ? step.levelReached : "");
    if (step.scalps) working.setLabel(WorkingLabel::Scalps, step.scalps);
    if (step.levelReached) working.setLabel(WorkingLabel::LevelReached, step.levelReached);
    for (int i = 0; i < 2; ++i) {
      Check(OnScreen(labels[i]) == shown[i], "the Working window's screen changed before the repaint" + at);
      Check(TextOf(labels[i]) == Wide(working.control(names[i]).caption()), "a label answers an old text" + at);
    }
    working.repaintNow();
    for (int i = 0; i < 2; ++i) {
      const std::vector<std::uint32_t> now = OnScreen(labels[i]);
      const bool changed = i == 0 ? step.scalps != nullptr : step.levelReached != nullptr;
      Check((now != shown[i]) == changed, "the Working window's repaint left the screen as it was" + at);
      Check(now == Rendering(labels[i]), "the screen does not show what the Working window renders" + at);
      shown[i] = now;
    }
    peer.pollStopRequest();
    for (int i = 0; i < 2; ++i)
      Check(StoredText(labels[i]) == TextOf(labels[i]), "the window system holds an old text after a poll" + at);
  }
  working.hide();
}

// The program's windows that this thread has.
int WindowsOfThisThread() {
  int count = 0;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM counted) {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (std::wstring(name) == L"QuorvaneWindow") ++*reinterpret_cast<int*>(counted);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

// A window whose building fails half-way leaves no native window behind.
void CheckFailedBuild() {
  struct Refusing final : ui::win32::AccessibleNames {
    void setName(HWND, const std::wstring&) override { throw std::runtime_error("names refused"); }
    void clearName(HWND) override {}
  } refusing;
  ui::win32::AccessibleNames* const previous = ui::win32::SetAccessibleNames(&refusing);
  const int before = WindowsOfThisThread();
  bool threw = false;
  try {
    MainForm failing;
  } catch (const std::runtime_error&) {
    threw = true;
  }
  ui::win32::SetAccessibleNames(previous);
  Check(threw, "the main window was built although naming its controls failed");
  Check(WindowsOfThisThread() == before, "a window whose building failed is left behind");
}

int Finish(int code) {
  if (FILE* f = std::fopen("window-check-result.txt", "w")) {
    std::fprintf(f, "%d\n", code);
    std::fclose(f);
  }
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  ui::win32::DeclareDpiAwareness();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  RecordedNames recorded;
  ui::win32::SetAccessibleNames(&recorded);
  ui::win32::Install();
  try {
    MainForm main;
    AboutForm about;
    frmWorking working;
    PlanForm plan;
    CompareForm compare;
    HandInsForm handIns;
    ItemsForm items;
    const int dpi = ui::win32::WindowDpi(static_cast<ui::win32::Win32Window&>(main.peer()).handle());
    if (argc > 1 && std::string(argv[1]) == "--show") {
      for (ui::Form* form :
           {static_cast<ui::Form*>(&working), static_cast<ui::Form*>(&about), static_cast<ui::Form*>(&main)})
        form->show();
      main.moveTwips(0, 0);
      about.moveTwips(main.outerWidthTwips() + 120, 0);
      working.moveTwips(main.outerWidthTwips() + 120, about.outerHeightTwips() + 120);
      Pump();
      FocusCaptionless(main);
      return ui::CurrentBackend().run();
    }
    CheckFailedBuild();
    for (ui::Form* form :
         {static_cast<ui::Form*>(&main), static_cast<ui::Form*>(&about), static_cast<ui::Form*>(&working),
          static_cast<ui::Form*>(&plan), static_cast<ui::Form*>(&compare), static_cast<ui::Form*>(&handIns),
          static_cast<ui::Form*>(&items)})
      CheckWindow(*form, recorded, dpi);
    CheckFocusShows(main);
    CheckRepaintShowsCaptions(working);
    for (const std::string& failure : failures) std::fprintf(stderr, "FAIL: %s\n", failure.c_str());
    std::printf("%zu failures in the windows at %d dpi\n", failures.size(), dpi);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "FAIL: %s\n", failure.what());
    return Finish(1);
  }
  return Finish(failures.empty() ? 0 : 1);
}
