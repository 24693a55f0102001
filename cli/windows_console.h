#pragma once

// On Windows, standard output and standard error that are a console are written as UTF-16
// (WriteConsoleW), so that a path or name outside the console's code page shows as it is,
// without changing the code page of the user's console. Output that is redirected to a file or
// a pipe stays UTF-8.

#include <memory>
#include <streambuf>

namespace quorvane::cli {

class ConsoleText {
 public:
  ConsoleText();  // std::cout and std::cerr write to the console while this lives
  ~ConsoleText();
  ConsoleText(const ConsoleText&) = delete;
  ConsoleText& operator=(const ConsoleText&) = delete;

 private:
  std::unique_ptr<std::streambuf> out_, err_;
  std::streambuf* savedOut_ = nullptr;
  std::streambuf* savedErr_ = nullptr;
};

}  // namespace quorvane::cli
