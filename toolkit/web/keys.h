#pragma once

// The keys as the page names them: the browser's own names (KeyboardEvent.key) for the keys with
// a rule of the window layer, and a letter or digit as itself, in lower case. The page sends only
// the names of this table (it gets them at start), and a name the table lacks is refused.

#include <string>
#include <vector>

#include "toolkit/backend.h"

namespace quorvane::ui::web {

// The names of the keys other than letters and digits, as the page sends them.
std::vector<std::string> PageKeyNames();

// The key the page named, with the modifiers still to set; throws std::invalid_argument for a
// name that is neither in the table nor a single lower-case letter or digit.
KeyEvent PageKey(const std::string& name);

}  // namespace quorvane::ui::web
