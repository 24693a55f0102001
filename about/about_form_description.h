#pragma once

// The About box as written down. Plain C++ without a window back-end.

#include "about/about_form_ids.h"
#include "toolkit/description.h"

namespace quorvane::about_form {

// The caption, the dialog frame, the client size and every control.
const ui::WindowDescription& Description();

}  // namespace quorvane::about_form
