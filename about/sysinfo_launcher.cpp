#include "about/sysinfo_launcher.h"

#include <string>
#include <vector>

namespace quorvane::about {

namespace {

// Closes an open key however GetKeyValue is left; the result of the close is of no interest.
class OpenKey {
 public:
  OpenKey(SysInfoPlatform& platform, RegistryKey key) : platform_(platform), key_(key) {}
  ~OpenKey() { platform_.closeKey(key_); }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  RegistryKey handle() const { return key_; }

 private:
  SysInfoPlatform& platform_;
  RegistryKey key_;
};

// The hexadecimal form of a character code: capitals, no leading zeros ("A" for 10, "0" for 0).
std::string HexOfCode(unsigned char code) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  if (code >= 16) text += kDigits[code / 16];
  text += kDigits[code % 16];
  return text;
}

}  // namespace

bool GetKeyValue(SysInfoPlatform& platform, const RegistryKey& rootKey, const std::string& subKeyPath,
                 const std::string& valueName, std::string& valueText) {
  RegistryKey key = 0;
  if (platform.openKey(rootKey, subKeyPath, 0, kKeyRead, key) != kErrorSuccess) {
    valueText.clear();
    return false;
  }
  const OpenKey openKey(platform, key);

  std::vector<unsigned char> buffer(kValueBufferSize, 0);
  std::uint32_t size = kValueBufferSize;
  std::uint32_t type = 0;
  if (platform.queryValue(openKey.handle(), valueName, type, buffer.data(), size) != kErrorSuccess) {
    valueText.clear();
    return false;
  }

  // The value's last byte is its terminating NUL when the stored length counts one. A size of
  // zero (or one past the buffer) names no last byte at all: the value can't be used.
  if (size == 0 || size > buffer.size()) {
    throw SysInfoRunTimeError("registry value of unusable length " + std::to_string(size));
  }
  const std::size_t kept = buffer[size - 1] == 0 ? size - 1 : size;
  const std::string text(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(kept));

  if (type == kRegSz) {
    valueText = text;
  } else if (type == kRegDword) {
    // The bytes' codes, last byte first, as "&h" followed by hexadecimal digits. The text is
    // kept as it stands; nothing reads it as a number.
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
      valueText += HexOfCode(static_cast<unsigned char>(*it));
    }
    valueText = "&h" + valueText;
  }
  return true;
}

void StartSysInfo(SysInfoPlatform& platform) {
  try {
    std::string toolPath;
    if (!GetKeyValue(platform, kHKeyLocalMachine, kToolKeyPath, kToolValueName, toolPath)) {
      // No full path to the tool: take its folder from the shared tools' locations, and the
      // tool only when it is really there.
      if (!GetKeyValue(platform, kHKeyLocalMachine, kToolFolderKeyPath, kToolFolderValueName, toolPath)) {
        throw SysInfoRunTimeError("no registry entry locates the tool");
      }
      if (platform.findFile(toolPath + kToolFileName).empty()) {
        throw SysInfoRunTimeError("the tool is not in its folder");
      }
      toolPath += kToolFileName;
    }
    // An empty command line names no program; it fails like any other start.
    if (!toolPath.empty() && platform.startProgram(toolPath)) return;
  } catch (...) {
    // Every failure ends in the one message below.
  }
  platform.showMessage(kUnavailableTitle, kUnavailableText);
}

}  // namespace quorvane::about
