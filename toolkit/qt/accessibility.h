#pragma once

class QLabel;

namespace quorvane::ui::qt {

// Makes screen readers read `label` by its own caption, also while the caption is empty.
void ReadLabelByItsCaption(QLabel* label);

}  // namespace quorvane::ui::qt
