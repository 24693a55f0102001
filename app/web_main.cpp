// The browser edition: the same windows on the page, on the page's own elements.

#include <emscripten.h>

#include <cstdlib>
#include <exception>
#include <string>

#include "app/startup.h"
#include "platform/level_table_source.h"
#include "toolkit/web/backend.h"

namespace {

// The level table a press reads, written where the program reads files: the one the player chose
// (kept by the page), else lvl-xp.txt fetched afresh from beside the page. A table that cannot be
// fetched is not written: the press then names the missing file. Gives the path, which the
// messages name.
// clang-format off
EM_ASYNC_JS(char*, ReadPageLevelTable, (), {
  var table = await QuorvanePage.levelTable();
  var folder = '/tables';
  if (!FS.analyzePath(folder).exists) FS.mkdir(folder);
  FS.readdir(folder).forEach(function(name) {
    if (name !== '.' && name !== '..') FS.unlink(folder + '/' + name);
  });
  FS.chdir(folder);
  if (table.bytes) FS.writeFile(table.name, table.bytes);
  return allocateUTF8(table.name);
});
// clang-format on

// Tells the page that the run has ended (the last window closed) or failed.
EM_JS(void, ShowRunEnded, (int status, const char* failure),
      { QuorvanePage.ended(status, failure ? UTF8ToString(failure) : null); });

}  // namespace

int main() {
  quorvane::SetLevelTableSource([] {
    char* path = ReadPageLevelTable();
    std::string shown(path);
    std::free(path);
    return shown;
  });
  try {
    quorvane::ui::web::Install();
    const int status = quorvane::RunProgram();
    ShowRunEnded(status, nullptr);
    return status;
  } catch (const std::exception& failure) {
    ShowRunEnded(1, failure.what());
    return 1;
  }
}
