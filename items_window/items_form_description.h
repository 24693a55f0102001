#pragma once

// The Items Owned window as written down: the maces, belts, books and rings the character already
// owns, each a text box named by the label beside it, and the buttons "OK", "Cancel", "Take
// Remainders" and "Clear". Plain C++ without a window back-end.

#include "items_window/items_form_ids.h"
#include "toolkit/description.h"

namespace quorvane::items_form {

// The labels beside the text boxes, which name them for screen readers, are the items' names
// in the command's messages: "Maces Owned" to "Rings Owned", in the order of kOwnedItems.
const ui::WindowDescription& Description();

}  // namespace quorvane::items_form
