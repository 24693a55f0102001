#include "toolkit/win32/clipboard.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstring>

#include "core/utf16.h"

namespace quorvane::ui::win32 {

void SetClipboardUtf8(const std::string& text) {
  std::wstring wide;
  for (const wchar_t c : Wide(text)) {
    if (c == L'\n') wide += L'\r';
    wide += c;
  }
  const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return;
  if (void* data = GlobalLock(memory)) {
    std::memcpy(data, wide.c_str(), bytes);
    GlobalUnlock(memory);
  }
  if (!OpenClipboard(nullptr)) {
    GlobalFree(memory);
    return;
  }
  EmptyClipboard();
  // The clipboard owns the memory once it took it.
  if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
  CloseClipboard();
}

}  // namespace quorvane::ui::win32
