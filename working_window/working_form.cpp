#include "working_window/working_form.h"

namespace quorvane {

using ui::Control;
using ui::ControlKind;
using ui::FontDescription;
using ui::WindowDescription;

namespace {

WindowDescription MakeDescription() {
  constexpr ControlKind Label = ControlKind::Label;
  const std::string face = ui::kDialogFontFamily;

  WindowDescription w;
  w.name = "frmWorking";
  w.caption = "Working...";
  w.clientWidth = 4575;
  w.clientHeight = 2205;
  w.border = ui::Border::Sizable;  // ordinary frame, close box only
  w.programIcon = false;
  w.startCentred = true;

  // Columns: kind, name, container, caption, left, top, width, height (twips), tab index.
  // From top to bottom: the heading, the scalps count being tried, its unit, and a scale from the
  // start level through the level reached to the target level.
  w.controls = {
      Control(Label, "Label1", "", "Currently checking:", 120, 120, 2415, 375, 0)
          .withFont(FontDescription{face, 12, true, false}),
      Control(Label, "scalpscalced", "", "0", 120, 600, 4335, 495, 1)
          .centred()
          .withFont(FontDescription{face, 24, true, false}),
      Control(Label, "Label3", "", "scalps", 120, 1200, 4335, 375, 2)
          .centred()
          .withFont(FontDescription{face, 13.5, true, true}),
      Control(Label, "lblStart", "", "0", 120, 1800, 855, 255, 3),
      Control(Label, "lblLevelReached", "", "Level Reached", 960, 1800, 2655, 255, 4)
          .centred()
          .withFont(FontDescription{face, 9.75, true, false}),
      Control(Label, "lblEnd", "", "189", 3840, 1800, 615, 255, 5).rightAligned(),
  };
  return w;
}

}  // namespace

const WindowDescription& frmWorking::Description() {
  static const WindowDescription description = MakeDescription();
  return description;
}

frmWorking::frmWorking() : Form(Description()) {
  for (WorkingLabel label : kWorkingLabels)
    labels_[static_cast<std::size_t>(label)] = ui::Find<ui::Label>(*this, ControlName(label));
}

void frmWorking::Open() { showNow(); }

void frmWorking::setLabel(WorkingLabel label, const std::string& caption) const {
  labels_[static_cast<std::size_t>(label)].setCaption(caption);
}

void frmWorking::RepaintNow() { labels_[static_cast<std::size_t>(WorkingLabel::Scalps)].refresh(); }

}  // namespace quorvane
