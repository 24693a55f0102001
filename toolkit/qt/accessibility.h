#pragma once

class QGroupBox;

namespace quorvane::ui::qt {

class CaptionLabel;

// Makes screen readers read `label` by its own caption, also while the caption is empty.
void ReadLabelByItsCaption(CaptionLabel* label);
// Makes screen readers read `frame` by its own caption, also when it lies inside another frame.
void ReadFrameByItsCaption(QGroupBox* frame);

}  // namespace quorvane::ui::qt
