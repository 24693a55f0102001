#pragma once

// UTF-8 (the window layer's strings) to UTF-16 (the Windows API's) and back.

#include <string>

namespace quorvane::ui::win32 {

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);
std::string Utf8(const wchar_t* wide, int length);

}  // namespace quorvane::ui::win32
