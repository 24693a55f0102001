#pragma once

// The controls of the Plan, Compare and Hand-ins windows, each named once: the descriptions and the
// handles use these identifiers, never the names themselves.

#include "toolkit/description.h"

namespace quorvane::table_form {

inline constexpr ui::TableId grdRows{"grdRows"};
inline constexpr ui::LabelId lblMessage{"lblMessage"};
inline constexpr ui::CommandButtonId cmdCopy{"cmdCopy"};
inline constexpr ui::CommandButtonId cmdSave{"cmdSave"};
inline constexpr ui::CommandButtonId cmdClose{"cmdClose"};

}  // namespace quorvane::table_form
