#include "working_window/working_form_description.h"

#include <stdexcept>

namespace quorvane::working_form {

using ui::Control;
using ui::FontDescription;
using ui::kClientArea;
using ui::WindowDescription;

namespace {

WindowDescription MakeDescription() {
  const std::string face = ui::kDialogFontFamily;

  WindowDescription w;
  w.name = "frmWorking";
  w.caption = "Working...";
  w.clientWidth = 4575;
  w.clientHeight = 2205;
  w.border = ui::Border::Sizable;  // ordinary frame, close box only
  w.programIcon = false;
  w.startCentred = true;

  // Columns: control, container, caption, left, top, width, height (twips), tab index.
  // From top to bottom: the heading, the scalps count being tried, its unit, and a scale from the
  // start level through the level reached to the target level.
  w.controls = {
      Control(Label1, kClientArea, "Currently checking:", 120, 120, 2415, 375, 0)
          .withFont(FontDescription{face, 12, true, false}),
      Control(scalpscalced, kClientArea, "0", 120, 600, 4335, 495, 1)
          .centred()
          .withFont(FontDescription{face, 24, true, false}),
      Control(Label3, kClientArea, "scalps", 120, 1200, 4335, 375, 2)
          .centred()
          .withFont(FontDescription{face, 13.5, true, true}),
      Control(lblStart, kClientArea, "0", 120, 1800, 855, 255, 3),
      Control(lblLevelReached, kClientArea, "Level Reached", 960, 1800, 2655, 255, 4)
          .centred()
          .withFont(FontDescription{face, 9.75, true, false}),
      Control(lblEnd, kClientArea, "189", 3840, 1800, 615, 255, 5).rightAligned(),
  };
  return w;
}

std::map<WorkingLabel, std::string> MakeStartCaptions() {
  std::map<WorkingLabel, std::string> captions;
  for (WorkingLabel label : kWorkingLabels) {
    captions[label] = ui::DescribedControl(Description(), IdOf(label).name).caption;
  }
  return captions;
}

}  // namespace

const WindowDescription& Description() {
  static const WindowDescription description = MakeDescription();
  return description;
}

ui::LabelId IdOf(WorkingLabel label) {
  switch (label) {
    case WorkingLabel::StartLevel: return lblStart;
    case WorkingLabel::TargetLevel: return lblEnd;
    case WorkingLabel::Scalps: return scalpscalced;
    case WorkingLabel::LevelReached: break;
  }
  return lblLevelReached;
}

const std::map<WorkingLabel, std::string>& StartCaptions() {
  static const std::map<WorkingLabel, std::string> captions = MakeStartCaptions();
  return captions;
}

}  // namespace quorvane::working_form
