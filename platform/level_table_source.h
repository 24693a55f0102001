#pragma once

// Where a press of "Calculate" reads the level table: lvl-xp.txt in the program's folder, or the
// file that a program installed a source for (the browser edition fetches the table beside its
// page, or takes the one the player chose, and gives its path at every press).

#include <functional>
#include <string>

namespace quorvane {

// Gives the path of the level table to read now; called once per press.
using LevelTableSource = std::function<std::string()>;
// Replaces the source (an empty one restores DefaultLevelTablePath()).
void SetLevelTableSource(LevelTableSource source);
// The path of the level table that a press reads now.
std::string LevelTablePathForPress();

// The path to name in messages about the level table at `path`: where its links lead, so that
// the message names the file to edit rather than a link to it; `path` itself when it is no link
// or when a link leads to no file name (a pipe behind /dev/stdin).
std::string LevelTableShownPath(const std::string& path);

}  // namespace quorvane
