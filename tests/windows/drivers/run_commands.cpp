// run-commands.exe: runs one program many times inside a single Wine session (starting Wine
// costs about a second; a process inside it a few milliseconds) and keeps what each run printed.
//
//   run-commands.exe PROGRAM COMMANDS OUT_DIR
//
// COMMANDS is a UTF-8 text file with one run per line: the number of arguments, then each
// argument, all separated by tabs. Run i (from 0) writes its standard output to OUT_DIR\i.out,
// its standard error to OUT_DIR\i.err, and its exit status, or "timeout" when it ran longer
// than a minute and was stopped, to OUT_DIR\i.rc. The program's standard input is empty.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr DWORD kTimeoutMs = 60000;

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), size);
  return out;
}

// One argument quoted so that the C run-time's parser gives it back unchanged: backslashes count
// literally except before a quote, where they and the quote are escaped.
std::wstring Quoted(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    if (c == L'"') backslashes = backslashes * 2 + 1;
    out.append(backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, L'\\');
  return out + L"\"";
}

HANDLE CreateOutput(const std::wstring& path) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool WriteText(const std::wstring& path, const std::string& text) {
  std::FILE* file = _wfopen(path.c_str(), L"wb");
  if (!file) return false;
  const bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && ok;
}

// Runs the program once; the exit status as text, or "timeout", or "" when it did not start
// (with Windows' error code in startError).
std::string RunOnce(const std::wstring& commandLine, const std::wstring& outPath, const std::wstring& errPath,
                    DWORD& startError) {
  startError = 0;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE in = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
  HANDLE out = CreateOutput(outPath);
  HANDLE err = CreateOutput(errPath);
  std::string status;
  if (in == INVALID_HANDLE_VALUE || out == INVALID_HANDLE_VALUE || err == INVALID_HANDLE_VALUE) {
    startError = GetLastError();
  } else {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    std::wstring line = commandLine;  // CreateProcessW may write into it
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
      if (WaitForSingleObject(process.hProcess, kTimeoutMs) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        status = std::to_string(code);
      } else {
        TerminateProcess(process.hProcess, 255);
        WaitForSingleObject(process.hProcess, INFINITE);
        status = "timeout";
      }
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    } else {
      startError = GetLastError();
    }
  }
  for (HANDLE h : {in, out, err}) {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  return status;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: run-commands.exe PROGRAM COMMANDS OUT_DIR\n");
    return 2;
  }
  const std::wstring program = argv[1];
  const std::wstring outDir = argv[3];
  std::ifstream commands(argv[2], std::ios::binary);
  if (!commands) {
    std::fprintf(stderr, "run-commands.exe: cannot read the commands file\n");
    return 2;
  }
  std::string line;
  int index = 0;
  for (; std::getline(commands, line); ++index) {
    std::vector<std::string> fields;
    std::stringstream split(line);
    for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
    if (line.size() > 0 && line.back() == '\t') fields.emplace_back();
    if (fields.empty() || std::to_string(fields.size() - 1) != fields[0]) {
      std::fprintf(stderr, "run-commands.exe: line %d does not hold the count it announces\n", index + 1);
      return 2;
    }
    std::wstring commandLine = Quoted(program);
    for (std::size_t i = 1; i < fields.size(); ++i) commandLine += L" " + Quoted(Wide(fields[i]));
    const std::wstring base = outDir + L"\\" + std::to_wstring(index);
    // Wine at times fails to start a process when the machine is busy (error 1359, an internal
    // error of its process creation): such a start is tried again, said on standard error.
    std::string status;
    DWORD startError = 0;
    for (int attempt = 1; attempt <= 3 && status.empty(); ++attempt) {
      if (attempt > 1) {
        std::fprintf(stderr, "run-commands.exe: run %d did not start (error %lu), trying again\n", index,
                     static_cast<unsigned long>(startError));
        Sleep(500);
      }
      status = RunOnce(commandLine, base + L".out", base + L".err", startError);
    }
    if (status.empty()) {
      std::fprintf(stderr, "run-commands.exe: run %d did not start (error %lu)\n", index,
                   static_cast<unsigned long>(startError));
      return 1;
    }
    if (!WriteText(base + L".rc", status)) {
      std::fprintf(stderr, "run-commands.exe: cannot write the status of run %d\n", index);
      return 1;
    }
  }
  std::printf("%d runs\n", index);
  return 0;
}
