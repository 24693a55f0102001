#include "about/about_form_description.h"

namespace quorvane::about_form {

namespace {

constexpr const char* kDescription =
    "Used to project the level you would reach from your current lvl with an amount of scalps. "
    "The programm allows for multiple sections of the quest, as some do not do it all. You can "
    "also see the gold pieces you will have in the end if you deside to sell your maces instead "
    "of giving them for some XP.";

constexpr const char* kDisclaimer =
    "Warning: This program is given As Is and no responsibility do I have for anything that "
    "happens to your system by the use of this program. Report bugs to quorvane@example.org";

constexpr ui::Colour kBlack = ui::Rgb(0, 0, 0);

ui::WindowDescription MakeDescription() {
  using ui::Control;
  using ui::kClientArea;
  using ui::Line;
  ui::WindowDescription w;
  w.name = "frmAbout";
  w.caption = "About Quorvane";
  w.clientWidth = 5730;
  w.clientHeight = 3555;
  w.border = ui::Border::FixedDialog;
  w.programIcon = true;
  w.startCentred = true;

  ui::FontDescription titleFont;
  titleFont.points = 13.5;

  w.controls = {
      Control(picIcon, kClientArea, "", 240, 240, 540, 540, 1).showing(ui::Picture::ProgramIcon),
      // The title, the description and the disclaimer are black whatever the desktop's colours.
      Control(lblTitle, kClientArea, "Quorvane", 1050, 240, 3930, 435, 5).withFont(titleFont).inColour(kBlack),
      Control(lblVersion, kClientArea, "Version", 1050, 780, 3885, 225, 6),
      Control(lblDescription, kClientArea, kDescription, 1050, 1125, 3885, 1170, 3).inColour(kBlack),
      // The etched separator: a grey line and, 15 twips below it, a white one.
      Line(Line1[1], kClientArea, 90, 2445, 5654, 2445, ui::Rgb(128, 128, 128), 1),
      Line(Line1[0], kClientArea, 105, 2460, 5654, 2460, ui::Rgb(255, 255, 255), 2),
      Control(lblDisclaimer, kClientArea, kDisclaimer, 255, 2625, 3870, 825, 4).inColour(kBlack),
      Control(cmdOK, kClientArea, "OK", 4245, 2625, 1260, 345, 0).defaultButton().cancelButton(),
      Control(cmdSysInfo, kClientArea, "&System Info...", 4260, 3075, 1245, 345, 2),
  };
  return w;
}

}  // namespace

const ui::WindowDescription& Description() {
  static const ui::WindowDescription description = MakeDescription();
  return description;
}

}  // namespace quorvane::about_form
