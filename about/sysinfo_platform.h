#pragma once

// The launcher's services on the platform the program is built for. Windows has the registry
// and the System Information tool; elsewhere there is neither, so every key is missing and
// System Info... always ends in its message.

#include "about/sysinfo_launcher.h"

#ifdef _WIN32
#include "about/sysinfo_win32.h"
#endif

namespace quorvane::about {

#ifdef _WIN32
using NativeSysInfoPlatform = Win32SysInfoPlatform;
#else
class NoRegistrySysInfoPlatform : public SysInfoPlatform {
 public:
  long openKey(RegistryKey, const std::string&, std::uint32_t, std::uint32_t, RegistryKey&) override {
    return kErrorFileNotFound;
  }
  long queryValue(RegistryKey, const std::string&, std::uint32_t&, unsigned char*, std::uint32_t&) override {
    return kErrorFileNotFound;
  }
  long closeKey(RegistryKey) override { return kErrorSuccess; }
  std::string findFile(const std::string&) override { return {}; }
  bool startProgram(const std::string&) override { return false; }
};
using NativeSysInfoPlatform = NoRegistrySysInfoPlatform;
#endif

}  // namespace quorvane::about
