#pragma once

// The controls of the Items Owned window, each named once: the description and the handles use
// these identifiers, never the names themselves.

#include "command/view_fields.h"
#include "toolkit/description.h"

namespace quorvane::items_form {

// The maces, belts, books and rings owned: a label and a text box each, in the order of kOwnedItems.
inline constexpr int kItemCount = kOwnedItemCount;
inline constexpr ui::ArrayId<ui::ControlKind::Label, kItemCount> lblOwned{"lblOwned"};
inline constexpr ui::ArrayId<ui::ControlKind::TextBox, kItemCount> txtOwned{"txtOwned"};
inline constexpr ui::CommandButtonId cmdOK{"cmdOK"};
inline constexpr ui::CommandButtonId cmdCancel{"cmdCancel"};
inline constexpr ui::CommandButtonId cmdTake{"cmdTake"};
inline constexpr ui::CommandButtonId cmdClear{"cmdClear"};

}  // namespace quorvane::items_form
