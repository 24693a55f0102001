#pragma once

// The program's text and paths are UTF-8; the Windows API's are UTF-16.

#if defined(_WIN32)
#include <string>
#include <string_view>

namespace quorvane {

// UTF-8 to UTF-16. Bytes that are not UTF-8 give an empty string, or with `replaceInvalid` the
// replacement character in their place.
std::wstring Wide(std::string_view utf8, bool replaceInvalid = false);
// UTF-16 to UTF-8.
std::string Utf8(std::wstring_view utf16);

}  // namespace quorvane
#endif
