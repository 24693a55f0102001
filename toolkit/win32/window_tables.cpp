// The parts of a Win32 window beyond the classic controls: tables (report-style list views), the
// context menu, the save dialog, and the limits of a window that the user resizes in height.

// windows.h before the common controls' and dialogs' headers.
#include "toolkit/win32/window.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>

#include "core/utf16.h"

namespace quorvane::ui::win32 {

namespace {

struct MenuDestroyer {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using MenuOwner = HandleOwner<HMENU, MenuDestroyer>;

}  // namespace

void Win32Window::setUpTable(int control) {
  static const bool initialised = [] {
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof classes;
    classes.dwICC = ICC_LISTVIEW_CLASSES;
    return InitCommonControlsEx(&classes) != FALSE;
  }();
  (void)initialised;
  const HWND list = controlHandle(control);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
  const auto& columns = row(control).columns;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    std::wstring caption = Wide(columns[i].caption);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = columns[i].rightAligned ? LVCFMT_RIGHT : LVCFMT_LEFT;
    column.cx = TwipsToPixels(columns[i].width, dpi_);
    column.pszText = caption.data();
    column.iSubItem = static_cast<int>(i);
    SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
}

void Win32Window::fitTableColumns() {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const ControlDescription& c = description_.controls[i];
    if (c.kind != ControlKind::Table) continue;
    for (std::size_t column = 0; column < c.columns.size(); ++column)
      ListView_SetColumnWidth(controls_[i], static_cast<int>(column), TwipsToPixels(c.columns[column].width, dpi_));
  }
}

void Win32Window::setRows(int control, const std::vector<std::vector<std::string>>& rows) {
  const HWND list = controlHandle(control);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  ListView_DeleteAllItems(list);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < rows[r].size(); ++c) {
      std::wstring text = Wide(rows[r][c]);
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(r);
      item.iSubItem = static_cast<int>(c);
      item.pszText = text.data();
      SendMessageW(list, c == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, c == 0 ? 0 : r, reinterpret_cast<LPARAM>(&item));
    }
  }
  // The keyboard starts at the first row.
  if (!rows.empty()) ListView_SetItemState(list, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

bool Win32Window::hasSelectedText(int control) const {
  DWORD start = 0, end = 0;
  SendMessageW(controlHandle(control), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return start != end;
}

void Win32Window::popUpMenu(const std::vector<MenuEntry>& items, double leftTwips, double topTwips) {
  const MenuOwner menu(CreatePopupMenu());
  if (!menu) return;
  for (std::size_t i = 0; i < items.size(); ++i) {
    // The key shows in the menu's column of keys, after a tab.
    const std::wstring caption =
        Wide(items[i].caption) + (items[i].shortcut.empty() ? L"" : L"\t" + Wide(items[i].shortcut));
    AppendMenuW(menu.get(), MF_STRING, i + 1, caption.c_str());
  }
  POINT at{TwipsToPixels(leftTwips, dpi_), TwipsToPixels(topTwips, dpi_)};
  ClientToScreen(handle(), &at);
  SetForegroundWindow(handle());
  giveWindowTexts();
  const int chosen = static_cast<int>(
      TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, handle(), nullptr));
  PostMessageW(handle(), WM_NULL, 0, 0);
  if (chosen > 0) events_.userChoseMenuItem(chosen - 1);
}

SaveResult Win32Window::saveFile(const SaveRequest& request) {
  const std::wstring extension = Wide(request.extension);
  // "CSV files (*.csv)\0*.csv\0\0"
  std::wstring filter = Wide(request.filterName) + L" (*." + extension + L")";
  filter += L'\0';
  filter += L"*." + extension;
  filter += L'\0';
  std::wstring name = Wide(request.suggestedName);
  name.resize(std::max<std::size_t>(name.size() + 1, 32768), L'\0');
  const std::wstring title = Wide(request.title);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = IsWindowVisible(handle()) ? handle() : nullptr;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = static_cast<DWORD>(name.size());
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrDefExt = extension.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  giveWindowTexts();
  if (!GetSaveFileNameW(&dialog)) return SaveResult{SaveOutcome::Cancelled, {}};
  const std::wstring path = name.c_str();
  const SaveResult failed{SaveOutcome::Failed, Utf8(path)};
  // A text file of Windows: its lines end in CR LF, as the command line's output does here.
  std::string text;
  for (const char c : request.contents) {
    if (c == '\n') text += '\r';
    text += c;
  }
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return failed;
  DWORD written = 0;
  const auto size = static_cast<DWORD>(text.size());
  const bool ok = WriteFile(file, text.data(), size, &written, nullptr) && written == size;
  return CloseHandle(file) && ok ? SaveResult{SaveOutcome::Saved, Utf8(path)} : failed;
}

void Win32Window::limitTrackSize(MINMAXINFO& limits) const {
  const SIZE smallest =
      outerSizeForClient(TwipsToPixels(clientWidthTwips_, dpi_), TwipsToPixels(LeastClientHeight(description_), dpi_));
  limits.ptMinTrackSize.x = limits.ptMaxTrackSize.x = smallest.cx;
  limits.ptMinTrackSize.y = smallest.cy;
}

}  // namespace quorvane::ui::win32
