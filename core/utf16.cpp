#include "core/utf16.h"

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace quorvane {

std::wstring Wide(std::string_view utf8, bool replaceInvalid) {
  const DWORD flags = replaceInvalid ? 0 : MB_ERR_INVALID_CHARS;
  const int length = static_cast<int>(utf8.size());
  const int size = length == 0 ? 0 : MultiByteToWideChar(CP_UTF8, flags, utf8.data(), length, nullptr, 0);
  if (size <= 0) return std::wstring();
  std::wstring out(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, flags, utf8.data(), length, out.data(), size);
  return out;
}

std::string Utf8(std::wstring_view utf16) {
  const int length = static_cast<int>(utf16.size());
  const int size =
      length == 0 ? 0 : WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::string();
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, out.data(), size, nullptr, nullptr);
  return out;
}

}  // namespace quorvane
#endif
