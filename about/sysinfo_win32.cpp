#include "about/sysinfo_win32.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <vector>

namespace quorvane::about {

namespace {

HKEY ToHkey(RegistryKey key) { return reinterpret_cast<HKEY>(key); }

// A directory entry a listing without attribute filter shows: an ordinary file, not a folder,
// a hidden or a system file.
bool IsListedFile(const WIN32_FIND_DATAA& entry) {
  constexpr DWORD kHiddenKinds = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  return (entry.dwFileAttributes & kHiddenKinds) == 0;
}

}  // namespace

long Win32SysInfoPlatform::openKey(RegistryKey root, const std::string& subKey, std::uint32_t options,
                                   std::uint32_t access, RegistryKey& key) {
  HKEY opened = nullptr;
  const LSTATUS status = RegOpenKeyExA(ToHkey(root), subKey.c_str(), options, static_cast<REGSAM>(access), &opened);
  if (status == ERROR_SUCCESS) key = reinterpret_cast<RegistryKey>(opened);
  return status;
}

long Win32SysInfoPlatform::queryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                                      unsigned char* data, std::uint32_t& size) {
  DWORD valueType = 0;
  DWORD dataSize = size;
  const LSTATUS status = RegQueryValueExA(ToHkey(key), valueName.c_str(), nullptr, &valueType, data, &dataSize);
  type = valueType;
  size = dataSize;
  return status;
}

long Win32SysInfoPlatform::closeKey(RegistryKey key) { return RegCloseKey(ToHkey(key)); }

std::string Win32SysInfoPlatform::findFile(const std::string& fullName) {
  if (fullName.empty()) return {};
  WIN32_FIND_DATAA entry{};
  const HANDLE search = FindFirstFileA(fullName.c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return {};
  std::string found;
  do {
    if (IsListedFile(entry)) {
      found = entry.cFileName;
      break;
    }
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return found;
}

bool Win32SysInfoPlatform::startProgram(const std::string& commandLine) {
  if (commandLine.empty()) return false;
  // CreateProcessA may write into the command line, so it gets a copy of its own.
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  // The started tool runs on its own; nothing keeps a link to it.
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

void Win32SysInfoPlatform::showMessage(const std::string& title, const std::string& text) {
  MessageBoxA(nullptr, text.c_str(), title.c_str(), MB_OK);
}

}  // namespace quorvane::about
