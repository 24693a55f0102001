#include "platform/level_table_source.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/program_folder.h"

namespace quorvane {

namespace {

LevelTableSource& Installed() {
  static LevelTableSource source;
  return source;
}

// True for a link target of the kind "pipe:[541687]", "socket:[12]" or "anon_inode:[eventfd]":
// a first part of lowercase letters and '_' and then ':', as no relative path written by hand
// looks.
bool NamesNoFile(const std::filesystem::path& target) {
  const std::string text = target.string();
  const std::size_t colon = text.find(':');
  if (target.is_absolute() || colon == std::string::npos || colon < 2) return false;
  for (std::size_t i = 0; i < colon; ++i) {
    if (!((text[i] >= 'a' && text[i] <= 'z') || text[i] == '_')) return false;
  }
  return true;
}

}  // namespace

void SetLevelTableSource(LevelTableSource source) { Installed() = std::move(source); }

std::string LevelTablePathForPress() { return Installed() ? Installed()() : DefaultLevelTablePath(); }

std::string LevelTableShownPath(const std::string& path) {
  namespace fs = std::filesystem;
  fs::path shown = path;
  std::error_code error;
  // Follows the links one by one, so that a link to a missing file still names that file.
  // A link may also lead to no file name at all: the kernel names a pipe, a socket or an
  // anonymous file behind /proc/self/fd/<n> as "pipe:[541687]" and the like; the path as given
  // is then the only name there is.
  for (int links = 0; links < 40 && fs::is_symlink(shown, error); ++links) {
    const fs::path target = fs::read_symlink(shown, error);
    if (error) break;
    if (NamesNoFile(target)) return path;
    shown = target.is_absolute() ? target : shown.parent_path() / target;
  }
  return shown == fs::path(path) ? path : shown.lexically_normal().string();
}

}  // namespace quorvane
