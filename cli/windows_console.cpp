#include "cli/windows_console.h"

#include <algorithm>
#include <iostream>
#include <string>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "core/utf16.h"

namespace quorvane::cli {
namespace {

// Collects the text and hands it to the console on each flush, or every few kilobytes. A UTF-8
// sequence cut off at the end waits for its remaining bytes; bytes that are not UTF-8 show as the
// replacement character.
class ConsoleBuffer : public std::streambuf {
 public:
  explicit ConsoleBuffer(HANDLE console) : console_(console) {}
  ~ConsoleBuffer() override { write(true); }

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    pending_.push_back(traits_type::to_char_type(c));
    if (pending_.size() >= kChunk && !write()) return traits_type::eof();
    return c;
  }
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    pending_.append(text, static_cast<std::size_t>(count));
    if (pending_.size() >= kChunk && !write()) return 0;
    return count;
  }
  int sync() override { return write() ? 0 : -1; }

 private:
  static constexpr std::size_t kChunk = 4096;

  // The length of pending_ without a UTF-8 sequence that its last bytes start but do not end.
  std::size_t complete() const {
    const std::size_t size = pending_.size();
    for (std::size_t back = 1; back <= 3 && back <= size; ++back) {
      const auto byte = static_cast<unsigned char>(pending_[size - back]);
      if ((byte & 0xC0) != 0x80) {  // the lead byte of the last sequence
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? size - back : size;
      }
    }
    return size;
  }

  bool write(bool everything = false) {
    const std::size_t length = everything ? pending_.size() : complete();
    if (length == 0) return true;
    const std::wstring wide = Wide(std::string_view(pending_).substr(0, length), true);
    pending_.erase(0, length);
    for (std::size_t done = 0; done < wide.size();) {
      DWORD written = 0;
      const DWORD part = static_cast<DWORD>(std::min<std::size_t>(wide.size() - done, 8192));
      if (!WriteConsoleW(console_, wide.data() + done, part, &written, nullptr) || written == 0) return false;
      done += written;
    }
    return true;
  }

  HANDLE console_;
  std::string pending_;
};

std::unique_ptr<std::streambuf> ForConsole(DWORD which) {
  const HANDLE handle = GetStdHandle(which);
  DWORD mode = 0;
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) return nullptr;
  return std::make_unique<ConsoleBuffer>(handle);
}

}  // namespace

ConsoleText::ConsoleText() : out_(ForConsole(STD_OUTPUT_HANDLE)), err_(ForConsole(STD_ERROR_HANDLE)) {
  if (out_) savedOut_ = std::cout.rdbuf(out_.get());
  if (err_) savedErr_ = std::cerr.rdbuf(err_.get());
}

ConsoleText::~ConsoleText() {
  if (out_) {
    std::cout.flush();
    std::cout.rdbuf(savedOut_);
  }
  if (err_) {
    std::cerr.flush();
    std::cerr.rdbuf(savedErr_);
  }
}

}  // namespace quorvane::cli
