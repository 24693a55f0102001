#pragma once

// The Plan and Compare windows as written down: a table of the rows that quorvane-cli --plan and
// --compare print, a line for a message after the rows, and the buttons "Copy", "Save..." and
// "Close". Plain C++ without a window back-end.

#include "plan_window/table_form_ids.h"
#include "toolkit/description.h"

namespace quorvane::table_form {

// The table's columns are the plan's (Level, Scalps Needed, Scalps More).
const ui::WindowDescription& PlanDescription();
// The comparison's columns, and the message of a way that ends with one.
const ui::WindowDescription& CompareDescription();

}  // namespace quorvane::table_form
