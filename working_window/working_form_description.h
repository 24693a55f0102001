#pragma once

// The Working window as written down, and which of its labels the search writes. Plain C++
// without a window back-end: the window, the command line and the tests read the same
// description.

#include <map>
#include <string>

#include "command/view_fields.h"
#include "toolkit/description.h"
#include "working_window/working_form_ids.h"

namespace quorvane::working_form {

// The caption, frame, client size and the six labels.
const ui::WindowDescription& Description();

// The label of each caption the search writes.
ui::LabelId IdOf(WorkingLabel label);

// Those captions as a freshly loaded window shows them.
const std::map<WorkingLabel, std::string>& StartCaptions();

}  // namespace quorvane::working_form
