#pragma once

// The Working window's controls, each named once: the description and the handles use these
// identifiers, never the names themselves. (Label1 and Label3 are this window's own; the main
// window has others of the same names.)

#include "toolkit/description.h"

namespace quorvane::working_form {

inline constexpr ui::LabelId Label1{"Label1"};
inline constexpr ui::LabelId scalpscalced{"scalpscalced"};
inline constexpr ui::LabelId Label3{"Label3"};
inline constexpr ui::LabelId lblStart{"lblStart"};
inline constexpr ui::LabelId lblLevelReached{"lblLevelReached"};
inline constexpr ui::LabelId lblEnd{"lblEnd"};

}  // namespace quorvane::working_form
