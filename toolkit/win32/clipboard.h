#pragma once

#include <string>

namespace quorvane::ui::win32 {

// Puts UTF-8 text on the clipboard as Unicode text, its lines ending in CR LF.
void SetClipboardUtf8(const std::string& text);

}  // namespace quorvane::ui::win32
