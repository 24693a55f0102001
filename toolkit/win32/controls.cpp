#include "toolkit/win32/controls.h"

#include <commctrl.h>

#include <algorithm>

#include "toolkit/win32/gdi.h"

namespace quorvane::ui::win32 {

NativeClass NativeClassOf(const ControlDescription& c) {
  switch (c.kind) {
    case ControlKind::Frame: return {L"BUTTON", BS_GROUPBOX, 0};
    case ControlKind::Label:
      // Drawn by the window from a picture of the whole label (LabelPainter).
      return {L"STATIC", SS_OWNERDRAW, 0};
    case ControlKind::TextBox: return {L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE};
    case ControlKind::CheckBox:
      // Not automatic: a click only reports, and the window layer sets the state.
      return {L"BUTTON", WS_TABSTOP | BS_3STATE | BS_MULTILINE, 0};
    case ControlKind::OptionButton: return {L"BUTTON", WS_TABSTOP | BS_RADIOBUTTON | BS_MULTILINE, 0};
    case ControlKind::CommandButton:
      return {L"BUTTON", static_cast<DWORD>(WS_TABSTOP | (c.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)), 0};
    case ControlKind::PictureBox: return {L"STATIC", SS_ICON | SS_CENTERIMAGE | SS_SUNKEN, 0};
    case ControlKind::Line:
      // An empty static, filled with the line's colour.
      return {L"STATIC", SS_LEFT, 0};
    case ControlKind::Table:
      // A list view in report style: rows under column headings, one selected at a time.
      return {WC_LISTVIEWW, WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
              WS_EX_CLIENTEDGE};
  }
  return {L"STATIC", SS_LEFT, 0};
}

WPARAM CheckStateOf(int value) { return value == 1 ? BST_CHECKED : value == 2 ? BST_INDETERMINATE : BST_UNCHECKED; }

int ValueOf(LRESULT checkState) { return checkState == BST_CHECKED ? 1 : checkState == BST_INDETERMINATE ? 2 : 0; }

std::wstring WindowText(HWND control) {
  const int length = GetWindowTextLengthW(control);
  if (length <= 0) return std::wstring();
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(std::max(0, GetWindowTextW(control, text.data(), length + 1))));
  return text;
}

bool NamedByAnnotation(const ControlDescription& c) {
  return !c.accessibleName.empty() && (c.kind == ControlKind::TextBox || c.accessibleName != c.caption);
}

namespace {

constexpr UINT_PTR kFocusSubclass = 1;
constexpr UINT_PTR kTextSubclass = 2;

LRESULT CALLBACK TextFromWindow(HWND label, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR kept) {
  const auto& text = *reinterpret_cast<const std::wstring*>(kept);
  switch (message) {
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(text.size());
    case WM_GETTEXT: {
      // As the system answers: at most wParam - 1 characters and the terminating null.
      auto* const out = reinterpret_cast<wchar_t*>(lParam);
      if (wParam == 0 || !out) return 0;
      const std::size_t copied = std::min<std::size_t>(text.size(), wParam - 1);
      std::copy_n(text.data(), copied, out);
      out[copied] = L'\0';
      return static_cast<LRESULT>(copied);
    }
    case WM_NCDESTROY: RemoveWindowSubclass(label, &TextFromWindow, kTextSubclass); break;
    default: break;
  }
  return DefSubclassProc(label, message, wParam, lParam);
}

// After the button's own painting: the focus rectangle around the whole button, where it has no
// caption to draw it around.
LRESULT CALLBACK FocusAroundWhole(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_PAINT: {
      const LRESULT result = DefSubclassProc(button, message, wParam, lParam);
      const bool cuesHidden = (SendMessageW(button, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
      if (wParam == 0 && GetFocus() == button && !cuesHidden && GetWindowTextLengthW(button) == 0) {
        const WindowDc dc(button);
        RECT client{};
        GetClientRect(button, &client);
        if (dc) DrawFocusRect(dc.get(), &client);
      }
      return result;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
    case WM_ENABLE:
    case BM_SETCHECK:
    case BM_SETSTATE: {
      // The button paints these changes at once without a WM_PAINT: a whole repaint follows.
      const LRESULT result = DefSubclassProc(button, message, wParam, lParam);
      InvalidateRect(button, nullptr, TRUE);
      return result;
    }
    case WM_NCDESTROY: RemoveWindowSubclass(button, &FocusAroundWhole, kFocusSubclass); break;
    default: break;
  }
  return DefSubclassProc(button, message, wParam, lParam);
}

}  // namespace

void AnswerTextFrom(HWND label, const std::wstring* text) {
  SetWindowSubclass(label, &TextFromWindow, kTextSubclass, reinterpret_cast<DWORD_PTR>(text));
}

void ShowFocusAroundUncaptioned(HWND button) { SetWindowSubclass(button, &FocusAroundWhole, kFocusSubclass, 0); }

}  // namespace quorvane::ui::win32
