#pragma once

// The About box's controls, each named once: the description and the handles use these
// identifiers, never the names themselves.

#include "toolkit/description.h"

namespace quorvane::about_form {

inline constexpr ui::PictureBoxId picIcon{"picIcon"};
inline constexpr ui::LabelId lblTitle{"lblTitle"};
inline constexpr ui::LabelId lblVersion{"lblVersion"};
inline constexpr ui::LabelId lblDescription{"lblDescription"};
inline constexpr ui::ArrayId<ui::ControlKind::Line, 2> Line1{"Line1"};  // the etched separator
inline constexpr ui::LabelId lblDisclaimer{"lblDisclaimer"};
inline constexpr ui::CommandButtonId cmdOK{"cmdOK"};
inline constexpr ui::CommandButtonId cmdSysInfo{"cmdSysInfo"};

}  // namespace quorvane::about_form
