// A small Windows program that runs the System Information launcher on the real registry with a
// plain Windows message box. The Linux build cross-compiles and links it so that the Windows
// launcher code is compiled on every test run.

#include "about/sysinfo_launcher.h"
#include "about/sysinfo_win32.h"

int main() {
  quorvane::about::Win32SysInfoPlatform platform;
  quorvane::about::StartSysInfo(platform);
  return 0;
}
