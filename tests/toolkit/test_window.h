#pragma once

#include "toolkit/description.h"

namespace quorvane::test {

// Two groups of option buttons, one in a frame nested inside the other's frame, two check boxes,
// a text box covering a label, a default button and a cancel button.
ui::WindowDescription TestWindow() {
  ui::WindowDescription w;
  w.name = "TestForm";
  w.caption = "Test";
  w.clientWidth = 6000;
  w.clientHeight = 4500;
  w.controls = {
      ui::Control(ui::ControlKind::Frame, "Outer", "", "Outer", 120, 120, 4000, 3000, 0),
      ui::Control(ui::ControlKind::OptionButton, "A(0)", "Outer", "A zero", 120, 240, 1200, 255, 1).on(),
      ui::Control(ui::ControlKind::OptionButton, "A(1)", "Outer", "A one", 120, 600, 1200, 255, 2),
      ui::Control(ui::ControlKind::OptionButton, "A(2)", "Outer", "A two", 120, 960, 1200, 255, 3),
      ui::Control(ui::ControlKind::Frame, "Inner", "Outer", "Inner", 1800, 240, 2000, 1200, 4),
      ui::Control(ui::ControlKind::OptionButton, "B(0)", "Inner", "B zero", 120, 240, 1200, 255, 5).on(),
      ui::Control(ui::ControlKind::OptionButton, "B(1)", "Inner", "B one", 120, 600, 1200, 255, 6),
      ui::Control(ui::ControlKind::CheckBox, "C", "Outer", "Check C", 120, 1440, 1500, 255, 7),
      ui::Control(ui::ControlKind::CheckBox, "D", "Outer", "Check &D", 120, 1800, 1500, 255, 8).on(),
      ui::Control(ui::ControlKind::Label, "Under", "", "under", 4300, 240, 1095, 255, 9),
      ui::Control(ui::ControlKind::Label, "Value", "Outer", "", 120, 2400, 1200, 255, 13),
      ui::Control(ui::ControlKind::TextBox, "Box", "", "text", 4300, 240, 1095, 285, 10),
      ui::Control(ui::ControlKind::CommandButton, "Go", "", "Go", 4300, 720, 1000, 315, 11).defaultButton(),
      ui::Control(ui::ControlKind::CommandButton, "Stop", "", "Stop", 4300, 1560, 1000, 315, 14).cancelButton(),
      ui::Control(ui::ControlKind::OptionButton, "Narrow(0)", "", "Narrow", 4300, 1200, 240, 255, 12),
  };
  return w;
}

}  // namespace quorvane::test
