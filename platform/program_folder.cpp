#include "platform/program_folder.h"

#include "core/level_table.h"

#if defined(_WIN32)
#include <windows.h>

#include "core/utf16.h"
#elif defined(__EMSCRIPTEN__)
#include <emscripten.h>

// The folder of the running script (the .js beside its .wasm) when node runs it; 0 on a page,
// or when the folder does not fit in `size` bytes.
EM_JS(int, QuorvaneScriptFolder, (char* buffer, int size), {
  if (typeof __dirname != 'string') return 0;
  var length = lengthBytesUTF8(__dirname);
  if (length + 1 > size) return 0;
  stringToUTF8(__dirname, buffer, size);
  return length;
});
#elif defined(__APPLE__)
#include <mach-o/dyld.h>
#include <climits>
#include <cstdlib>
#include <vector>
#else
#include <unistd.h>
#endif

namespace quorvane {

#if !defined(__EMSCRIPTEN__)
namespace {

// The part of a path before its last separator.
std::string FolderOf(const std::string& path, const char* separators) {
  const std::size_t slash = path.find_last_of(separators);
  if (slash == std::string::npos) return ".";
  return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

}  // namespace
#endif

std::string ExecutableFolder() {
#if defined(_WIN32)
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return ".";
    if (length < buffer.size()) {
      buffer.resize(length);
      break;
    }
    if (buffer.size() >= 32768) return ".";  // longer than any Windows path
    buffer.resize(buffer.size() * 2);
  }
  return FolderOf(Utf8(buffer), "\\/");
#elif defined(__EMSCRIPTEN__)
  // The script's folder; on a page, the current folder of its in-memory file system.
  char buffer[4096];
  const int length = QuorvaneScriptFolder(buffer, static_cast<int>(sizeof buffer));
  return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string(".");
#elif defined(__APPLE__)
  std::uint32_t size = 0;
  _NSGetExecutablePath(nullptr, &size);
  std::vector<char> buffer(size + 1, '\0');
  if (_NSGetExecutablePath(buffer.data(), &size) != 0) return ".";
  char resolved[PATH_MAX];
  const std::string path = realpath(buffer.data(), resolved) ? resolved : buffer.data();
  return FolderOf(path, "/");
#else
  char buffer[4096];
  const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0) return ".";
  return FolderOf(std::string(buffer, static_cast<std::size_t>(length)), "/");
#endif
}

std::string DefaultLevelTablePath() {
#if defined(_WIN32)
  return ExecutableFolder() + "\\" + kLevelTableFileName;
#else
  return ExecutableFolder() + "/" + kLevelTableFileName;
#endif
}

}  // namespace quorvane
