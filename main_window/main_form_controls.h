#pragma once

// The main window's controls that its code reads and writes, named by what they mean and looked
// up once when the window is built.

#include <array>
#include <iterator>

#include "command/view_fields.h"
#include "toolkit/controls.h"

namespace quorvane {

struct MainFormControls {
  explicit MainFormControls(ui::Form& form);

  ui::Frame resultsFrame;
  ui::CommandButton calculate, about, openOptions, closeOptions;
  ui::OptionArray questPart, side, entry, zeroLeft;
  ui::CheckBox sellMaces, searchTarget, updateAtInterval, hideWorkingWindow;
  ui::TextBox xp, level, scalps, targetLevel, updateInterval;
  ui::Label scalpsHeading, goldHeading, beltsHeading, booksHeading, ringsHeading, finalRewardHeading;
  std::array<ui::Label, std::size(kResultLabels)> results;  // by ResultLabel

  const ui::TextBox& field(TextField f) const;
  const ui::CheckBox& check(CheckField c) const;
  const ui::OptionArray& group(OptionGroup g) const;
  const ui::Label& result(ResultLabel label) const { return results[static_cast<std::size_t>(label)]; }
};

}  // namespace quorvane
