#pragma once

// Finds and starts the operating system's System Information tool for the About box.
//
// The tool's location is read from two registry values under HKEY_LOCAL_MACHINE. Everything
// the launcher needs from the operating system (the registry, a file-existence test, starting a
// program and a modal message box) goes through SysInfoPlatform, so the launcher itself is plain
// C++ that builds and is tested on every platform. No Qt here.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace quorvane::about {

// A registry key handle as the registry functions take and give it (an HKEY on Windows).
using RegistryKey = std::uintptr_t;

// The predefined root key HKEY_LOCAL_MACHINE, with the value Windows gives it (a sign-extended
// 32-bit constant).
inline const RegistryKey kHKeyLocalMachine =
    static_cast<RegistryKey>(static_cast<std::intptr_t>(static_cast<std::int32_t>(0x80000002u)));

// Access mask for opening a key: reading only, which every account may do.
inline constexpr std::uint32_t kKeyRead = 0x20019;

// Value types of the registry.
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

// Result codes of the registry functions that the launcher and its tests name.
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorMoreData = 234;

// Size of the buffer a value is read into, in bytes.
inline constexpr std::uint32_t kValueBufferSize = 1024;

inline constexpr const char* kToolKeyPath = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kToolValueName = "PATH";
inline constexpr const char* kToolFolderKeyPath = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* kToolFolderValueName = "MSINFO";
inline constexpr const char* kToolFileName = "\\MSINFO32.EXE";
inline constexpr const char* kUnavailableTitle = "Quorvane";
inline constexpr const char* kUnavailableText = "System Information Is Unavailable At This Time";

// What the launcher needs of the operating system. Strings are ANSI text, one char a byte.
class SysInfoPlatform {
 public:
  virtual ~SysInfoPlatform() = default;

  // Opens subKey below root (RegOpenKeyExA). Returns 0 and sets `key` on success, the system's
  // error code otherwise.
  virtual long openKey(RegistryKey root, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                       RegistryKey& key) = 0;

  // Reads the value `valueName` of an open key into `data` (RegQueryValueExA). On entry `size`
  // is the capacity of `data` in bytes; on success it holds the number of bytes written and
  // `type` the value's type. Returns 0 on success, the system's error code otherwise
  // (kErrorMoreData when the value does not fit).
  virtual long queryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type, unsigned char* data,
                          std::uint32_t& size) = 0;

  // Closes an open key (RegCloseKey).
  virtual long closeKey(RegistryKey key) = 0;

  // Looks for the one file named by a full file name, as a directory listing without attribute
  // filter does: returns the file's name when it exists, "" otherwise.
  virtual std::string findFile(const std::string& fullName) = 0;

  // Starts a command line in a normal window that gets the focus, without waiting for it.
  // Returns false when the program could not be started.
  virtual bool startProgram(const std::string& commandLine) = 0;

  // Shows a modal message box with a title, a text, an OK button only and no icon; returns
  // when it is closed.
  virtual void showMessage(const std::string& title, const std::string& text) = 0;
};

// A failure while reading a registry value that the launcher turns into its message.
class SysInfoRunTimeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads one registry value as text into `valueText`. Returns true when the key opened and the
// value was read, false (with `valueText` emptied) otherwise. A string value gives its text; a
// DWORD value gives "&h" and the hexadecimal codes of its bytes, last byte first; a value of any
// other type leaves `valueText` as it was. Throws SysInfoRunTimeError for a value whose read
// size cannot be used (zero length); the key is closed on every way out.
bool GetKeyValue(SysInfoPlatform& platform, const RegistryKey& rootKey, const std::string& subKeyPath,
                 const std::string& valueName, std::string& valueText);

// Finds the System Information tool through the registry and starts it, or shows
// "System Information Is Unavailable At This Time" when any step fails.
void StartSysInfo(SysInfoPlatform& platform);

}  // namespace quorvane::about
