#include "main_window/main_form.h"

#include "about/about_form.h"
#include "command/quest_modes.h"
#include "platform/program_folder.h"

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

MainFormControls::MainFormControls(ui::Form& f)
    : calculate(ui::Find<ui::CommandButton>(f, "ExecuteCmd")),
      about(ui::Find<ui::CommandButton>(f, "cmdAbout")),
      openOptions(ui::Find<ui::CommandButton>(f, "cmdOpt")),
      closeOptions(ui::Find<ui::CommandButton>(f, "CloseOptions")),
      questPart(ui::FindOptionArray(f, ControlName(OptionGroup::QuestPart), kQuestPartCount)),
      side(ui::FindOptionArray(f, ControlName(OptionGroup::Side), kSideCount)),
      entry(ui::FindOptionArray(f, ControlName(OptionGroup::Entry), kEntryCount)),
      zeroLeft(ui::FindOptionArray(f, ControlName(OptionGroup::ZeroLeft), kZeroLeftCount)),
      sellMaces(ui::Find<ui::CheckBox>(f, ControlName(CheckField::SellMaces))),
      searchTarget(ui::Find<ui::CheckBox>(f, ControlName(CheckField::SearchTarget))),
      updateAtInterval(ui::Find<ui::CheckBox>(f, ControlName(CheckField::UpdateAtInterval))),
      hideWorkingWindow(ui::Find<ui::CheckBox>(f, ControlName(CheckField::HideWorkingWindow))),
      xp(ui::Find<ui::TextBox>(f, ControlName(TextField::Xp))),
      level(ui::Find<ui::TextBox>(f, ControlName(TextField::Level))),
      scalps(ui::Find<ui::TextBox>(f, ControlName(TextField::Scalps))),
      targetLevel(ui::Find<ui::TextBox>(f, ControlName(TextField::TargetLevel))),
      updateInterval(ui::Find<ui::TextBox>(f, ControlName(TextField::UpdateInterval))),
      scalpsHeading(ui::Find<ui::Label>(f, "Label2")),
      goldHeading(ui::Find<ui::Label>(f, "GoldFromMaces")),
      beltsHeading(ui::Find<ui::Label>(f, "BeltsRem")),
      booksHeading(ui::Find<ui::Label>(f, "BooksRem")),
      ringsHeading(ui::Find<ui::Label>(f, "RinRem")),
      finalRewardHeading(ui::Find<ui::Label>(f, "FinRew")) {
  for (ResultLabel label : kResultLabels)
    results[static_cast<std::size_t>(label)] = ui::Find<ui::Label>(f, ControlName(label));
}

const ui::TextBox& MainFormControls::field(TextField f) const {
  switch (f) {
    case TextField::Xp: return xp;
    case TextField::Level: return level;
    case TextField::Scalps: return scalps;
    case TextField::TargetLevel: return targetLevel;
    case TextField::UpdateInterval: break;
  }
  return updateInterval;
}

const ui::CheckBox& MainFormControls::check(CheckField c) const {
  switch (c) {
    case CheckField::SellMaces: return sellMaces;
    case CheckField::SearchTarget: return searchTarget;
    case CheckField::UpdateAtInterval: return updateAtInterval;
    case CheckField::HideWorkingWindow: break;
  }
  return hideWorkingWindow;
}

const ui::OptionArray& MainFormControls::group(OptionGroup g) const {
  switch (g) {
    case OptionGroup::QuestPart: return questPart;
    case OptionGroup::Side: return side;
    case OptionGroup::Entry: return entry;
    case OptionGroup::ZeroLeft: break;
  }
  return zeroLeft;
}

MainForm::MainForm() : Form(Description()), c_(*this), levelTablePath_(DefaultLevelTablePath()) {
  c_.calculate.onClick([this] { ExecuteCmd_Click(); });
  c_.about.onClick([this] { cmdAbout_Click(); });
  c_.questPart.onClick([this](int index) { Option1_Click(index); });
  c_.sellMaces.onClick([this] { Check1_Click(); });
  c_.side.onClick([this](int index) { Option2_Click(index); });
  c_.entry.onClick([this](int index) { option3_Click(index); });
  c_.searchTarget.onClick([this] { ReqLVL_Click(); });
  c_.openOptions.onClick([this] { cmdOpt_Click(); });
  c_.closeOptions.onClick([this] { CloseOptions_Click(); });
  c_.updateAtInterval.onClick([this] { chkScalpsUpd_Click(); });
  c_.zeroLeft.onClick([this](int index) { Option4_Click(index); });
}

MainForm::~MainForm() = default;

void MainForm::ExecuteCmd_Click() { ExecuteCalculate(calculateView_, levelTablePath_); }

void MainForm::cmdAbout_Click() { ShowAboutBox(); }

// "Sell Maces" ticked or unticked.
void MainForm::Check1_Click() {
  const bool sellMaces = c_.sellMaces.value() == 1;
  const ui::Label& belts = result(ResultLabel::BeltsLeft);
  const ui::Label& books = result(ResultLabel::BooksLeft);
  const ui::Label& rings = result(ResultLabel::RingsLeft);
  const ui::Label& finals = result(ResultLabel::FinalRewards);
  const ui::Label& gold = result(ResultLabel::Gold);
  if (sellMaces) {
    // No quest part and no side while the maces are sold.
    for (int i = 0; i < c_.questPart.size(); ++i) c_.questPart[i].setValue(false);
    for (int i = 0; i < c_.side.size(); ++i) c_.side[i].setValue(false);
    // Only the gold pair among the optional results.
    c_.goldHeading.setVisible(true);
    c_.beltsHeading.setVisible(false);
    c_.booksHeading.setVisible(false);
    gold.setVisible(true);
    belts.setVisible(false);
    books.setVisible(false);
    c_.finalRewardHeading.setVisible(false);
    finals.setVisible(false);
    rings.setVisible(false);
    c_.ringsHeading.setVisible(false);
    // Only scalps can be left at zero.
    c_.zeroLeft[0].setVisible(true);
    for (int i = 1; i < c_.zeroLeft.size(); ++i) c_.zeroLeft[i].setVisible(false);
  } else {
    c_.goldHeading.setVisible(false);
    c_.beltsHeading.setVisible(true);
    c_.booksHeading.setVisible(true);
    gold.setVisible(false);
    belts.setVisible(true);
    books.setVisible(true);
    c_.finalRewardHeading.setVisible(true);
    finals.setVisible(true);
    rings.setVisible(true);
    c_.ringsHeading.setVisible(true);
    for (int i = 0; i < c_.zeroLeft.size(); ++i) c_.zeroLeft[i].setVisible(true);
    // No quest part or side is chosen again here.
  }
  c_.zeroLeft[0].setValue(true);
}

// A quest part chosen.
void MainForm::Option1_Click(int /*Index*/) {
  c_.sellMaces.setValue(0);
  c_.goldHeading.setVisible(false);
  result(ResultLabel::Gold).setVisible(false);

  // The highest part selected decides which results and zero-left items apply.
  const QuestPartView* row = nullptr;
  for (const QuestPartView& r : kQuestPartViews) {
    if (c_.questPart[r.part].value()) {
      row = &r;
      break;
    }
  }
  if (!row) return;

  c_.beltsHeading.setVisible(row->beltsRem);
  c_.booksHeading.setVisible(row->booksRem);
  result(ResultLabel::BooksLeft).setVisible(row->booksLeft);
  c_.finalRewardHeading.setVisible(row->finRew);
  result(ResultLabel::FinalRewards).setVisible(row->finals);
  result(ResultLabel::RingsLeft).setVisible(row->ringsLeft);
  c_.ringsHeading.setVisible(row->rinRem);

  if (row->part == 3) {
    // Rings are handed in for one side: Good unless the user chooses otherwise.
    c_.side[0].setValue(true);
  } else {
    c_.side[0].setValue(false);
    c_.side[1].setValue(false);
  }

  for (int i = 0; i <= row->lastOffered; ++i) c_.zeroLeft[i].setVisible(true);
  c_.zeroLeft[0].setValue(true);
  for (int i = row->lastOffered + 1; i < c_.zeroLeft.size(); ++i) c_.zeroLeft[i].setVisible(false);
}

// A side chosen: sides belong to handing in rings.
void MainForm::Option2_Click(int /*Index*/) {
  const bool good = c_.side[0].value();
  const bool evil = c_.side[1].value();
  if (good || evil) {
    for (int i = 0; i <= 2; ++i) c_.questPart[i].setValue(false);
    c_.questPart[3].setValue(true);
    c_.sellMaces.setValue(0);
  }
}

// Entry by the character's XP or by its level. The hidden box keeps its text.
void MainForm::option3_Click(int /*Index*/) {
  const bool byXp = c_.entry[0].value();
  c_.xp.setVisible(byXp);
  c_.level.setVisible(!byXp);
}

// "Lvl to reach:": search for the scalps needed instead of projecting from the scalps owned.
void MainForm::ReqLVL_Click() {
  const bool search = c_.searchTarget.value() == 1;
  c_.scalpsHeading.setCaption(search ? "Scalps Needed" : "Scalps Owned");
  result(ResultLabel::ScalpsNeeded).setVisible(search);
  c_.scalps.setVisible(!search);
  c_.targetLevel.setVisible(search);
}

void MainForm::cmdOpt_Click() { setWidthAndCentre(kWidthPanelOpen); }

void MainForm::CloseOptions_Click() { setWidthAndCentre(kWidthPanelClosed); }

void MainForm::setWidthAndCentre(double outerWidthTwips) {
  setOuterWidthTwips(outerWidthTwips);
  centreOnScreen();  // with the new width
}

// "Update window after:" ticked or unticked: the count can be edited only while it is ticked.
void MainForm::chkScalpsUpd_Click() { c_.updateInterval.setLocked(c_.updateAtInterval.value() != 1); }

// The zero-left item chosen: the window is updated at intervals only in a search by scalps.
void MainForm::Option4_Click(int /*Index*/) { c_.updateAtInterval.setValue(c_.zeroLeft[0].value() ? 1 : 0); }

}  // namespace quorvane
