#include "main_window/main_form.h"

#include "about/about_form.h"
#include "core/level_table.h"
#include "platform/program_folder.h"
#include "command/quest_modes.h"

namespace quorvane {

using ui::Control;
using ui::ControlKind;
using ui::ControlDescription;
using ui::WindowDescription;

namespace {

constexpr ControlKind Frame = ControlKind::Frame;
constexpr ControlKind Label = ControlKind::Label;
constexpr ControlKind TextBox = ControlKind::TextBox;
constexpr ControlKind CheckBox = ControlKind::CheckBox;
constexpr ControlKind OptionButton = ControlKind::OptionButton;
constexpr ControlKind CommandButton = ControlKind::CommandButton;

WindowDescription MakeDescription() {
  WindowDescription w;
  w.name = "MainForm";
  w.caption = ui::kAppTitle;
  w.clientWidth = 6765;
  w.clientHeight = 7605;
  w.border = ui::Border::FixedSingle;

  // Containers come before their contents. Columns: kind, name, container, caption or text,
  // left, top, width, height (twips), tab index.
  // Two captions wrap onto two lines and get the 26 pixels those need ("Sell Maces" and "Do not
  // show the Working window."); the "Good" button ends where the "Evil" button begins, and "Scalps"
  // and "Books" end where "Maces" and "Rings" begin, and "Update window after:" where its count
  // begins and where "scalps." below it begins.
  w.controls = {
      // On the window.
      Control(Frame, "Inquiry", "", "Information", 120, 120, 3255, 3495, 0),
      Control(CommandButton, "ExecuteCmd", "", "Calculate", 120, 3720, 2205, 315, 8),
      Control(CommandButton, "cmdAbout", "", "About...", 2400, 3720, 1000, 315, 21),
      Control(Frame, "InqResults", "", "Results", 240, 4080, 3015, 3375, 4),
      Control(Frame, "Frame3", "", "Options", 3600, 120, 3015, 7335, 51),

      // Information.
      Control(OptionButton, "Option3(0)", "Inquiry", "Character XP:", 120, 240, 1320, 255, 33).on(),
      Control(TextBox, "Text1", "Inquiry", "", 1440, 240, 1335, 285, 1).named("Character XP:"),
      Control(OptionButton, "Option3(1)", "Inquiry", "Level Now:", 120, 600, 1110, 255, 34),
      Control(TextBox, "LevelNow", "Inquiry", "", 1440, 600, 495, 285, 32).hidden().named("Level Now:"),
      Control(CommandButton, "cmdOpt", "Inquiry", "Options...", 2160, 720, 1000, 435, 50),
      Control(CheckBox, "ReqLVL", "Inquiry", "Lvl to reach:", 120, 960, 1215, 255, 28),
      Control(TextBox, "TargetLVL", "Inquiry", "", 1440, 960, 495, 285, 29).hidden().named("Lvl to reach:"),
      Control(Label, "Label2", "Inquiry", "Scalps Owned", 120, 1320, 1095, 255, 2),
      Control(TextBox, "Text2", "Inquiry", "", 1440, 1320, 1095, 285, 3).named("Scalps Owned"),
      Control(Label, "ScalpsNdd", "Inquiry", "", 1440, 1320, 1095, 255, 20),
      Control(Frame, "Frame2", "Inquiry", "Quest parts", 120, 1680, 3015, 1695, 35),

      // Quest parts: a label on the left of each row says what its option button means.
      Control(Label, "Label5", "Frame2", "Give Maces for XP", 120, 240, 1335, 255, 49),
      Control(OptionButton, "Option1(0)", "Frame2", "Option1", 1560, 240, 240, 255, 45).named("Give Maces for XP"),
      Control(Label, "Label6", "Frame2", "Give Belts for XP", 120, 600, 1215, 255, 48),
      Control(OptionButton, "Option1(1)", "Frame2", "Option1", 1560, 600, 240, 255, 44).named("Give Belts for XP"),
      Control(Label, "Label7", "Frame2", "Give Books for XP", 120, 960, 1335, 255, 47),
      Control(OptionButton, "Option1(2)", "Frame2", "Option1", 1560, 960, 240, 255, 43).named("Give Books for XP"),
      Control(Label, "Label12", "Frame2", "Give Rings for XP", 120, 1320, 1335, 255, 46),
      Control(OptionButton, "Option1(3)", "Frame2", "Option1", 1560, 1320, 240, 255, 41).on().named("Give Rings for XP"),
      Control(CheckBox, "Check1", "Frame2", "Sell Maces", 1920, 240, 975, 390, 42),
      Control(Frame, "Frame1", "Frame2", "Side", 1800, 720, 1095, 855, 36),

      // Side.
      Control(Label, "Label19", "Frame1", "Good", 120, 240, 495, 255, 40).centred(),
      Control(OptionButton, "Option2(0)", "Frame1", "Option2", 720, 240, 255, 240, 38).on().named("Good"),
      Control(Label, "Label20", "Frame1", "Evil", 240, 480, 375, 255, 39).centred(),
      Control(OptionButton, "Option2(1)", "Frame1", "Option2", 720, 480, 255, 255, 37).named("Evil"),

      // Results: headings, and the labels that receive the values.
      Control(Label, "Label3", "InqResults", "Level Reached:", 120, 240, 1215, 255, 5).rightAligned(),
      Control(Label, "ResLVL", "InqResults", "Click Calculate", 1440, 240, 1455, 255, 13),
      Control(Label, "Label4", "InqResults", "Exact XP:", 600, 480, 735, 255, 6).rightAligned(),
      Control(Label, "ResExp", "InqResults", "Click Calculate", 1440, 480, 1455, 255, 14),
      Control(Label, "Label13", "InqResults", "XP gained:", 240, 720, 1095, 255, 22).rightAligned(),
      Control(Label, "xpgain", "InqResults", "Click Calculate", 1440, 720, 1335, 255, 23),
      Control(Label, "Label15", "InqResults", "XP to next level:", 120, 960, 1215, 255, 30).rightAligned(),
      Control(Label, "remXP", "InqResults", "Click Calculate", 1440, 960, 1455, 255, 31),
      Control(Label, "GoldFromMaces", "InqResults", "Gp from Maces:", 120, 1200, 1215, 255, 7).rightAligned().hidden(),
      Control(Label, "ResGP", "InqResults", "Click Calculate", 1440, 1200, 1455, 255, 15).hidden(),
      Control(Label, "Label10", "InqResults", "Scalps remained", 120, 1560, 1215, 255, 9),
      Control(Label, "ScalpsLeft", "InqResults", "", 120, 1800, 1215, 255, 16),
      Control(Label, "Label11", "InqResults", "Maces remained", 120, 2160, 1215, 255, 10),
      Control(Label, "MacesLeft", "InqResults", "", 120, 2400, 1215, 255, 17),
      Control(Label, "BeltsRem", "InqResults", "Belts Remained", 120, 2760, 1215, 255, 11),
      Control(Label, "BeltsLeft", "InqResults", "", 120, 3000, 1215, 255, 18),
      Control(Label, "BooksRem", "InqResults", "Books Remained", 1680, 1560, 1215, 255, 12),
      Control(Label, "BooksLeft", "InqResults", "", 1680, 1800, 1215, 255, 19),
      Control(Label, "RinRem", "InqResults", "Rings Remained", 1680, 2160, 1215, 255, 26),
      Control(Label, "RingsLeft", "InqResults", "", 1680, 2400, 1215, 255, 27),
      Control(Label, "FinRew", "InqResults", "Final Reward", 1680, 2760, 1215, 255, 24),
      Control(Label, "Finals", "InqResults", "", 1680, 3000, 1215, 255, 25),

      // Options panel.
      Control(Frame, "Frame4", "Frame3", "When searching for scalps", 120, 240, 2775, 2295, 53),
      Control(Frame, "Frame5", "Frame3", "Working Window", 120, 2640, 2775, 4095, 60),
      Control(CommandButton, "CloseOptions", "Frame3", "Close Options", 1560, 6840, 1335, 375, 52),

      Control(Label, "Label18", "Frame4", "Search with 0 left:", 120, 240, 1575, 255, 67),
      Control(OptionButton, "Option4(0)", "Frame4", "Scalps", 120, 600, 840, 255, 54).on(),
      Control(OptionButton, "Option4(1)", "Frame4", "Maces", 960, 600, 855, 255, 55),
      Control(OptionButton, "Option4(2)", "Frame4", "Belts", 1920, 600, 735, 255, 56),
      Control(OptionButton, "Option4(3)", "Frame4", "Books", 120, 960, 840, 255, 57),
      Control(OptionButton, "Option4(4)", "Frame4", "Rings", 960, 960, 855, 255, 68),
      Control(Label, "Label1", "Frame4", "WARNING", 120, 1320, 975, 255, 58).bold(),
      Control(Label, "Label8", "Frame4",
              "Changing this option will result in more scalps than the bare minimum to reach the requested "
              "level.",
              120, 1560, 2535, 615, 59),

      Control(CheckBox, "chkScalpsUpd", "Frame5", "Update window after:", 120, 240, 1920, 240, 61).on(),
      Control(TextBox, "ScalpsUpd", "Frame5", "100", 2040, 240, 495, 285, 62).named("Update window after:"),
      Control(Label, "Label9", "Frame5", "scalps.", 360, 480, 495, 255, 63),
      Control(Label, "Label14", "Frame5",
              "This option only applies to a search that uses the option \"Search with 0 left scalps\" due to "
              "numerous possibilities that will cause Working window not to refresh at all.",
              120, 840, 2535, 1095, 65),
      Control(CheckBox, "chkWorking", "Frame5", "Do not show the Working window.", 120, 2280, 2175, 390, 64),
      Control(Label, "Label17", "Frame5",
              "A risky choice, don't realy under- stand why some wanted it. The programm might seem not to work "
              "with this option off, but the program is working. Especialy dangerous for search levels above 120.",
              120, 2760, 2535, 1215, 66),
  };
  return w;
}

}  // namespace

const WindowDescription& MainForm::Description() {
  static const WindowDescription description = MakeDescription();
  return description;
}

MainForm::MainForm(QWidget* parent) : Form(Description(), parent), levelTablePath_(DefaultLevelTablePath()) {
  setClickHandler("ExecuteCmd", [this](int) { ExecuteCmd_Click(); });
  setClickHandler("cmdAbout", [this](int) { cmdAbout_Click(); });
  setClickHandler("Option1", [this](int index) { Option1_Click(index); });
  setClickHandler("Check1", [this](int) { Check1_Click(); });
  setClickHandler("Option2", [this](int index) { Option2_Click(index); });
  setClickHandler("Option3", [this](int index) { option3_Click(index); });
  setClickHandler("ReqLVL", [this](int) { ReqLVL_Click(); });
  setClickHandler("cmdOpt", [this](int) { cmdOpt_Click(); });
  setClickHandler("CloseOptions", [this](int) { CloseOptions_Click(); });
  setClickHandler("chkScalpsUpd", [this](int) { chkScalpsUpd_Click(); });
  setClickHandler("Option4", [this](int index) { Option4_Click(index); });
}

void MainForm::ExecuteCmd_Click() { ExecuteCalculate(calculateView_, levelTablePath_); }

void MainForm::cmdAbout_Click() { ShowAboutBox(); }

// "Sell Maces" ticked or unticked.
void MainForm::Check1_Click() {
  const bool sellMaces = control("Check1").value() == 1;
  if (sellMaces) {
    // No quest part and no side while the maces are sold.
    for (int i = 0; i <= 3; ++i) control("Option1", i).setValue(false);
    for (int i = 0; i <= 1; ++i) control("Option2", i).setValue(false);
    // Only the gold pair among the optional results.
    control("GoldFromMaces").setVisible(true);
    control("BeltsRem").setVisible(false);
    control("BooksRem").setVisible(false);
    control("ResGP").setVisible(true);
    control("BeltsLeft").setVisible(false);
    control("BooksLeft").setVisible(false);
    control("FinRew").setVisible(false);
    control("Finals").setVisible(false);
    control("RingsLeft").setVisible(false);
    control("RinRem").setVisible(false);
    // Only scalps can be left at zero.
    control("Option4", 0).setVisible(true);
    for (int i = 1; i <= 4; ++i) control("Option4", i).setVisible(false);
  } else {
    control("GoldFromMaces").setVisible(false);
    control("BeltsRem").setVisible(true);
    control("BooksRem").setVisible(true);
    control("ResGP").setVisible(false);
    control("BeltsLeft").setVisible(true);
    control("BooksLeft").setVisible(true);
    control("FinRew").setVisible(true);
    control("Finals").setVisible(true);
    control("RingsLeft").setVisible(true);
    control("RinRem").setVisible(true);
    for (int i = 0; i <= 4; ++i) control("Option4", i).setVisible(true);
    // No quest part or side is chosen again here.
  }
  control("Option4", 0).setValue(true);
}

// A quest part chosen.
void MainForm::Option1_Click(int /*Index*/) {
  control("Check1").setValue(0);
  control("GoldFromMaces").setVisible(false);
  control("ResGP").setVisible(false);

  // The highest part selected decides which results and zero-left items apply.
  const QuestPartView* row = nullptr;
  for (const QuestPartView& r : kQuestPartViews) {
    if (control("Option1", r.part).value() != 0) {
      row = &r;
      break;
    }
  }
  if (!row) return;

  control("BeltsRem").setVisible(row->beltsRem);
  control("BooksRem").setVisible(row->booksRem);
  control("BooksLeft").setVisible(row->booksLeft);
  control("FinRew").setVisible(row->finRew);
  control("Finals").setVisible(row->finals);
  control("RingsLeft").setVisible(row->ringsLeft);
  control("RinRem").setVisible(row->rinRem);

  if (row->part == 3) {
    // Rings are handed in for one side: Good unless the user chooses otherwise.
    control("Option2", 0).setValue(true);
  } else {
    control("Option2", 0).setValue(false);
    control("Option2", 1).setValue(false);
  }

  for (int i = 0; i <= row->lastOffered; ++i) control("Option4", i).setVisible(true);
  control("Option4", 0).setValue(true);
  for (int i = row->lastOffered + 1; i <= 4; ++i) control("Option4", i).setVisible(false);
}

// A side chosen: sides belong to handing in rings.
void MainForm::Option2_Click(int /*Index*/) {
  const bool good = control("Option2", 0).value() != 0;
  const bool evil = control("Option2", 1).value() != 0;
  if (good || evil) {
    for (int i = 0; i <= 2; ++i) control("Option1", i).setValue(false);
    control("Option1", 3).setValue(true);
    control("Check1").setValue(0);
  }
}

// Entry by the character's XP or by its level. The hidden box keeps its text.
void MainForm::option3_Click(int /*Index*/) {
  const bool byXp = control("Option3", 0).value() != 0;
  control("Text1").setVisible(byXp);
  control("LevelNow").setVisible(!byXp);
}

// "Lvl to reach:": search for the scalps needed instead of projecting from the scalps owned.
void MainForm::ReqLVL_Click() {
  const bool search = control("ReqLVL").value() == 1;
  control("Label2").setCaption(search ? "Scalps Needed" : "Scalps Owned");
  control("ScalpsNdd").setVisible(search);
  control("Text2").setVisible(!search);
  control("TargetLVL").setVisible(search);
}

void MainForm::cmdOpt_Click() { setWidthAndCentre(kWidthPanelOpen); }

void MainForm::CloseOptions_Click() { setWidthAndCentre(kWidthPanelClosed); }

void MainForm::setWidthAndCentre(double outerWidthTwips) {
  setOuterWidthTwips(outerWidthTwips);
  centreOnScreen();  // with the new width
}

// "Update window after:" ticked or unticked: the count can be edited only while it is ticked.
void MainForm::chkScalpsUpd_Click() {
  control("ScalpsUpd").setLocked(control("chkScalpsUpd").value() != 1);
}

// The zero-left item chosen: the window is updated at intervals only in a search by scalps.
void MainForm::Option4_Click(int /*Index*/) {
  control("chkScalpsUpd").setValue(control("Option4", 0).value() != 0 ? 1 : 0);
}

}  // namespace quorvane
