#pragma once

// frmWorking: the small progress window of the scalps-needed search. It shows the scalps count
// being tried, the level the character starts from, the level the previous count reached and the
// target level. It has no handlers and nothing is read back from it: the search opens it, writes
// its labels, forces repaints and closes it. Closing it with its close box discards it; the next
// search loads it afresh from its description.

#include <array>
#include <iterator>
#include <string>

#include "command/calculate_view.h"
#include "command/view_fields.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace quorvane {

class frmWorking : public ui::Form, public WorkingWindow {
 public:
  frmWorking();

  // The window as written down: caption, frame, client size and its six labels.
  static const ui::WindowDescription& description();

  // Shows the window (brings it to the front when it is shown already) and puts its captions on
  // the screen at once. A window the window system has not mapped yet is given the chance to be
  // exposed first; no user input is handled meanwhile.
  void open();

  // The caption of one of the labels the search writes.
  void setLabel(WorkingLabel label, const std::string& caption) override;

  // Puts every caption set so far on the screen at once, while the caller keeps the
  // user-interface thread busy.
  void repaintNow() override;

  // While a search runs: whether the user asked to stop it with the close box or Esc.
  bool stopRequested() override { return pollStopRequest(); }

 private:
  std::array<ui::Label, std::size(kWorkingLabels)> labels_;  // by WorkingLabel
};

}  // namespace quorvane
