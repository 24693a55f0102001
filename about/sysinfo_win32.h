#pragma once

// The launcher's operating-system services on Windows: the registry through advapi32, the
// file test through a directory listing, and the program start through CreateProcessA.
// Built into the program on Windows only. No Qt here.

#include "about/sysinfo_launcher.h"

namespace quorvane::about {

class Win32SysInfoPlatform : public SysInfoPlatform {
 public:
  long openKey(RegistryKey root, const std::string& subKey, std::uint32_t options, std::uint32_t access,
               RegistryKey& key) override;
  long queryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type, unsigned char* data,
                  std::uint32_t& size) override;
  long closeKey(RegistryKey key) override;
  std::string findFile(const std::string& fullName) override;
  bool startProgram(const std::string& commandLine) override;
  // A plain Windows message box (MB_OK, no icon) owned by no window. The program shows its
  // messages through its own window toolkit instead and overrides this.
  void showMessage(const std::string& title, const std::string& text) override;
};

}  // namespace quorvane::about
