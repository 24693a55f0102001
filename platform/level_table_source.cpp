#include "platform/level_table_source.h"

#include <utility>

#include "platform/program_folder.h"

namespace quorvane {

namespace {

LevelTableSource& Installed() {
  static LevelTableSource source;
  return source;
}

}  // namespace

void SetLevelTableSource(LevelTableSource source) { Installed() = std::move(source); }

std::string LevelTablePathForPress() { return Installed() ? Installed()() : DefaultLevelTablePath(); }

}  // namespace quorvane
