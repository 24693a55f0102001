#pragma once

// Where the running program lives: the level table is read from the folder of its executable.

#include <string>

namespace quorvane {

// The folder that holds the running program's executable ("." when it cannot be found), in the
// system's narrow encoding (UTF-8 on Windows). In WebAssembly under node: the folder of the
// .js file that node runs; on a page: ".".
std::string ExecutableFolder();

// lvl-xp.txt in the executable's folder.
std::string DefaultLevelTablePath();

}  // namespace quorvane
