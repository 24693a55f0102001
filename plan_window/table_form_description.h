#pragma once

// The Plan, Compare and Hand-ins windows as written down: a table of the rows that quorvane-cli
// --plan, --compare and --steps print, a line for a message after the rows, and the buttons "Copy", "Save..." and
// "Close". Plain C++ without a window back-end.

#include "plan_window/table_form_ids.h"
#include "toolkit/description.h"

namespace quorvane::table_form {

// The table's columns are the plan's (Level, Scalps Needed, Scalps More).
const ui::WindowDescription& PlanDescription();
// The comparison's columns, and the message of a way that ends with one.
const ui::WindowDescription& CompareDescription();
// The hand-in steps behind a result (Item, Hand-ins, Handed In, XP Each, XP Gained, From Level,
// To Level, XP After).
const ui::WindowDescription& HandInsDescription();

}  // namespace quorvane::table_form
