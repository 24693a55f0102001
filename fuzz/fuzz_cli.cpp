// Runs quorvane-cli's whole work (the parsing of the command line, the Calculate command, the plan,
// the comparison and the steps, and the writing of the results) on an argument vector made from the
// input, with its output going to memory, and checks how it ends. Aborts on any violation.
//
// Input: the arguments, separated by NUL bytes when the input holds one, else by line ends. The
// value of --table (the next argument, or the text after "--table=") names no file of its own: its
// first byte picks one of a few tables (the shipped one, a copy cut after level 120, a missing
// file, a folder, and the unusable tables of fuzz/tables), so that no input reads a device or a
// large file of the machine.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_run.h"
#include "platform/program_folder.h"

namespace {

const std::vector<std::string>& Tables() {
  static const std::vector<std::string> tables = [] {
    const std::string bin = quorvane::ExecutableFolder();
    const std::string unusable = QUORVANE_FUZZ_TABLES;
    std::vector<std::string> t{bin + "/lvl-xp.txt", bin + "/lvl-xp-short.txt", bin + "/no-such-table.txt", bin};
    for (const char* name :
         {"bad-line.txt", "decreasing.txt", "empty.txt", "no-comma.txt", "unicode.txt", "unicode-no-mark.txt"})
      t.push_back(unusable + "/" + name);
    return t;
  }();
  return tables;
}

std::string TableFor(std::string_view value) {
  const std::size_t pick = value.empty() ? 0 : static_cast<unsigned char>(value[0]);
  return Tables()[pick % Tables().size()];
}

// Output to memory, up to a budget: with the Working window's captions wanted, a line goes out at
// every repaint, about a megabyte for the longest search and twenty for a plan of such searches.
// The lines differ only in their counts; past a quarter of a megabyte the input is given up.
struct OutputBudgetExceeded {};

class BudgetBuffer : public std::stringbuf {
 protected:
  int_type overflow(int_type c) override {
    if (static_cast<std::size_t>(pptr() - pbase()) > kBudget) throw OutputBudgetExceeded{};
    return std::stringbuf::overflow(c);
  }

 private:
  static constexpr std::size_t kBudget = 1 << 18;
};

struct Run {
  int status = 0;
  std::string out, err;
  bool operator==(const Run&) const = default;
};

// Runs the command line; false when it was given up.
bool RunOnce(const std::vector<std::string>& args, Run& run) {
  BudgetBuffer outBuffer, errBuffer;
  std::ostream out(&outBuffer), err(&errBuffer);
  out.exceptions(std::ios::badbit);
  err.exceptions(std::ios::badbit);
  try {
    run.status = quorvane::cli::RunCommandLine(args, out, err);
  } catch (const OutputBudgetExceeded&) {
    return false;
  }
  run.out = outBuffer.str();
  run.err = errBuffer.str();
  return true;
}

[[noreturn]] void Violation(const char* what, const std::vector<std::string>& args, const Run& run) {
  std::fprintf(stderr, "INVARIANT BROKEN: %s\n  exit status %d\n", what, run.status);
  for (const std::string& arg : args) std::fprintf(stderr, "  argument: '%s'\n", arg.c_str());
  std::fprintf(stderr, "  stdout: %s\n  stderr: %s\n", run.out.c_str(), run.err.c_str());
  std::abort();
}

bool EndsWith(const std::string& text, std::string_view end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const char separator = input.find('\0') != std::string_view::npos ? '\0' : '\n';
  std::vector<std::string> args;
  for (std::size_t start = 0; start < input.size();) {
    const std::size_t end = std::min(input.find(separator, start), input.size());
    args.emplace_back(input.substr(start, end - start));
    start = end + 1;
  }
  bool progress = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--progress") progress = true;
    if (args[i].rfind("--table=", 0) == 0) args[i] = "--table=" + TableFor(std::string_view(args[i]).substr(8));
    if (args[i] == "--table" && i + 1 < args.size()) args[i + 1] = TableFor(args[i + 1]), ++i;
  }

  Run run;
  if (!RunOnce(args, run)) return 0;
  switch (run.status) {
    case quorvane::cli::kExitResults:
      if (run.out.empty()) Violation("results without output", args, run);
      if (!progress && !run.err.empty()) Violation("results with a message", args, run);
      break;
    case quorvane::cli::kExitMessage:
      if (run.err.empty() || !EndsWith(run.err, "\n")) Violation("a message status without a whole message", args, run);
      break;
    case quorvane::cli::kExitUsage:
      if (!run.out.empty()) Violation("output with a usage error", args, run);
      if (run.err.rfind("quorvane-cli: ", 0) != 0 || !EndsWith(run.err, "Try 'quorvane-cli --help'.\n"))
        Violation("a usage error without its usage", args, run);
      break;
    default: Violation("an unknown exit status", args, run);
  }
  // Nothing carries over from one run to the next: the same command line prints the same again.
  Run again;
  if (RunOnce(args, again) && !(again == run)) Violation("a second run printed something else", args, again);
  return 0;
}
