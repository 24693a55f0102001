// quorvane-cli: the Calculate command in a terminal, with options standing for the window's
// controls.

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_run.h"

#if defined(_WIN32)
#include "cli/windows_console.h"
#include "core/utf16.h"
#endif

namespace {

using quorvane::cli::kExitMessage;

int Run(const std::vector<std::string>& args) { return quorvane::cli::RunCommandLine(args, std::cout, std::cerr); }

}  // namespace

#if defined(_WIN32)
// The arguments in UTF-16: Windows gives main() narrow ones in the ANSI code page, where a
// --table path outside it is lost.
int wmain(int argc, wchar_t** argv) {
  const quorvane::cli::ConsoleText console;
  try {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(quorvane::Utf8(argv[i]));
    return Run(args);
  } catch (const std::exception& e) {
    std::cerr << "quorvane-cli: " << e.what() << '\n';
    return kExitMessage;
  }
}
#else
int main(int argc, char** argv) {
  try {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& e) {
    std::cerr << "quorvane-cli: " << e.what() << '\n';
    return kExitMessage;
  }
}
#endif
