#include "main_window/main_form_description.h"

#include <stdexcept>

namespace quorvane::main_form {

using ui::Control;
using ui::kClientArea;
using ui::WindowDescription;

namespace {

WindowDescription MakeDescription() {
  WindowDescription w;
  w.name = "MainForm";
  w.caption = ui::kAppTitle;
  w.clientWidth = 6765;
  w.clientHeight = 7605;
  w.border = ui::Border::FixedSingle;

  // Containers come before their contents. Columns: control, container, caption or text, left,
  // top, width, height (twips), tab index.
  // Two captions wrap onto two lines and get the 26 pixels those need ("Sell Maces" and "Do not
  // show the Working window."); the "Good" button ends where the "Evil" button begins, and "Scalps"
  // and "Books" end where "Maces" and "Rings" begin, and "Update window after:" where its count
  // begins and where "scalps." below it begins.
  w.controls = {
      // On the window.
      Control(Inquiry, kClientArea, "Information", 120, 120, 3255, 3495, 0),
      Control(ExecuteCmd, kClientArea, "Calculate", 120, 3720, 2205, 315, 8),
      Control(cmdAbout, kClientArea, "About...", 2400, 3720, 1000, 315, 21),
      Control(InqResults, kClientArea, kResults, 240, 4080, 3015, 3375, 4).alsoShows(kResultsWithItemsOwned),
      Control(Frame3, kClientArea, "Options", 3600, 120, 3015, 7335, 51),

      // Information.
      Control(Option3[0], Inquiry, "Character XP:", 120, 240, 1320, 255, 33).on(),
      Control(Text1, Inquiry, "", 1440, 240, 1335, 285, 1).named("Character XP:"),
      Control(Option3[1], Inquiry, "Level Now:", 120, 600, 1110, 255, 34),
      Control(LevelNow, Inquiry, "", 1440, 600, 495, 285, 32).hidden().named("Level Now:"),
      Control(cmdOpt, Inquiry, "Options...", 2160, 720, 1000, 435, 50),
      Control(ReqLVL, Inquiry, "Lvl to reach:", 120, 960, 1215, 255, 28),
      Control(TargetLVL, Inquiry, "", 1440, 960, 495, 285, 29).hidden().named("Lvl to reach:"),
      Control(Label2, Inquiry, kScalpsOwned, 120, 1320, 1095, 255, 2).alsoShows(kScalpsNeeded),
      Control(Text2, Inquiry, "", 1440, 1320, 1095, 285, 3).named(kScalpsOwned),
      Control(ScalpsNdd, Inquiry, "", 1440, 1320, 1095, 255, 20),
      Control(Frame2, Inquiry, "Quest parts", 120, 1680, 3015, 1695, 35),

      // Quest parts: a label on the left of each row says what its option button means.
      Control(Label5, Frame2, "Give Maces for XP", 120, 240, 1335, 255, 49),
      Control(Option1[0], Frame2, Option1.name, 1560, 240, 240, 255, 45).named("Give Maces for XP"),
      Control(Label6, Frame2, "Give Belts for XP", 120, 600, 1215, 255, 48),
      Control(Option1[1], Frame2, Option1.name, 1560, 600, 240, 255, 44).named("Give Belts for XP"),
      Control(Label7, Frame2, "Give Books for XP", 120, 960, 1335, 255, 47),
      Control(Option1[2], Frame2, Option1.name, 1560, 960, 240, 255, 43).named("Give Books for XP"),
      Control(Label12, Frame2, "Give Rings for XP", 120, 1320, 1335, 255, 46),
      Control(Option1[3], Frame2, Option1.name, 1560, 1320, 240, 255, 41).on().named("Give Rings for XP"),
      Control(Check1, Frame2, "Sell Maces", 1920, 240, 975, 390, 42),
      Control(Frame1, Frame2, "Side", 1800, 720, 1095, 855, 36),

      // Side.
      Control(Label19, Frame1, "Good", 120, 240, 495, 255, 40).centred(),
      Control(Option2[0], Frame1, Option2.name, 720, 240, 255, 240, 38).on().named("Good"),
      Control(Label20, Frame1, "Evil", 240, 480, 375, 255, 39).centred(),
      Control(Option2[1], Frame1, Option2.name, 720, 480, 255, 255, 37).named("Evil"),

      // Results: headings, and the labels that receive the values.
      Control(Label3, InqResults, "Level Reached:", 120, 240, 1215, 255, 5).rightAligned(),
      Control(ResLVL, InqResults, "Click Calculate", 1440, 240, 1455, 255, 13),
      Control(Label4, InqResults, "Exact XP:", 600, 480, 735, 255, 6).rightAligned(),
      Control(ResExp, InqResults, "Click Calculate", 1440, 480, 1455, 255, 14),
      Control(Label13, InqResults, "XP gained:", 240, 720, 1095, 255, 22).rightAligned(),
      Control(xpgain, InqResults, "Click Calculate", 1440, 720, 1335, 255, 23),
      Control(Label15, InqResults, "XP to next level:", 120, 960, 1215, 255, 30).rightAligned(),
      Control(remXP, InqResults, "Click Calculate", 1440, 960, 1455, 255, 31),
      Control(GoldFromMaces, InqResults, "Gp from Maces:", 120, 1200, 1215, 255, 7).rightAligned().hidden(),
      Control(ResGP, InqResults, "Click Calculate", 1440, 1200, 1455, 255, 15).hidden(),
      Control(Label10, InqResults, "Scalps remained", 120, 1560, 1215, 255, 9),
      Control(ScalpsLeft, InqResults, "", 120, 1800, 1215, 255, 16),
      Control(Label11, InqResults, "Maces remained", 120, 2160, 1215, 255, 10),
      Control(MacesLeft, InqResults, "", 120, 2400, 1215, 255, 17),
      Control(BeltsRem, InqResults, "Belts Remained", 120, 2760, 1215, 255, 11),
      Control(BeltsLeft, InqResults, "", 120, 3000, 1215, 255, 18),
      Control(BooksRem, InqResults, "Books Remained", 1680, 1560, 1215, 255, 12),
      Control(BooksLeft, InqResults, "", 1680, 1800, 1215, 255, 19),
      Control(RinRem, InqResults, "Rings Remained", 1680, 2160, 1215, 255, 26),
      Control(RingsLeft, InqResults, "", 1680, 2400, 1215, 255, 27),
      Control(FinRew, InqResults, "Final Reward", 1680, 2760, 1215, 255, 24),
      Control(Finals, InqResults, "", 1680, 3000, 1215, 255, 25),

      // Options panel.
      Control(Frame4, Frame3, "When searching for scalps", 120, 240, 2775, 2295, 53),
      Control(Frame5, Frame3, "Working Window", 120, 2640, 2775, 4095, 60),
      Control(CloseOptions, Frame3, "Close Options", 1560, 6840, 1335, 375, 52),

      Control(Label18, Frame4, "Search with 0 left:", 120, 240, 1575, 255, 67),
      Control(Option4[0], Frame4, "Scalps", 120, 600, 840, 255, 54).on(),
      Control(Option4[1], Frame4, "Maces", 960, 600, 855, 255, 55),
      Control(Option4[2], Frame4, "Belts", 1920, 600, 735, 255, 56),
      Control(Option4[3], Frame4, "Books", 120, 960, 840, 255, 57),
      Control(Option4[4], Frame4, "Rings", 960, 960, 855, 255, 68),
      Control(Label1, Frame4, "WARNING", 120, 1320, 975, 255, 58).bold(),
      Control(Label8, Frame4,
              "Changing this option will result in more scalps than the bare minimum to reach the requested "
              "level.",
              120, 1560, 2535, 615, 59),

      Control(chkScalpsUpd, Frame5, "Update window after:", 120, 240, 1920, 240, 61).on(),
      Control(ScalpsUpd, Frame5, "100", 2040, 240, 495, 285, 62).named("Update window after:"),
      Control(Label9, Frame5, "scalps.", 360, 480, 495, 255, 63),
      Control(Label14, Frame5,
              "This option only applies to a search that uses the option \"Search with 0 left scalps\" due to "
              "numerous possibilities that will cause Working window not to refresh at all.",
              120, 840, 2535, 1095, 65),
      Control(chkWorking, Frame5, "Do not show the Working window.", 120, 2280, 2175, 390, 64),
      Control(Label17, Frame5,
              "A risky choice, don't realy under- stand why some wanted it. The programm might seem not to work "
              "with this option off, but the program is working. Especialy dangerous for search levels above 120.",
              120, 2760, 2535, 1215, 66),
  };
  // A keyboard on the screen offers what the Calculate command reads from each text box.
  for (TextField f : kTextFields)
    for (ui::ControlDescription& c : w.controls)
      if (c.name == IdOf(f).name) c.takes(TakesFraction(f) ? ui::TextEntry::Decimal : ui::TextEntry::WholeNumber);
  // Reached without moving anything: right-click, Shift with function key 10, the Menu key; Ctrl+C copies.
  // The table windows of the results first, then the items owned, which change every calculation.
  w.contextMenu = {
      ui::MenuItem(mnuCopyResults, "Copy Results", 'c'),
      ui::MenuItem(mnuPlan, "Plan..."),
      ui::MenuItem(mnuCompare, "Compare..."),
      ui::MenuItem(mnuHandIns, "Hand-ins..."),
      ui::MenuItem(mnuItemsOwned, "Items Owned..."),
  };
  return w;
}

// The row of the control `name`; every name the mapping below gives is in the description.
const ui::ControlDescription& Row(const std::string& name) { return ui::DescribedControl(Description(), name); }

MainFormStartState MakeStartState() {
  MainFormStartState s;
  for (TextField f : kTextFields) s.texts[f] = Row(IdOf(f).name).caption;
  for (CheckField c : kCheckFields) s.checks[c] = Row(IdOf(c).name).value;
  for (OptionGroup g : kOptionGroups) {
    const GroupId group = IdOf(g);
    int selected = -1;
    for (int i = 0; i < group.count && selected < 0; ++i)
      if (Row(ui::MemberName(group.name, i)).value != 0) selected = i;
    s.selected[g] = selected;
  }
  for (ResultLabel l : kResultLabels) s.captions[l] = Row(IdOf(l).name).caption;
  return s;
}

template <int Count>
constexpr GroupId Group(ui::OptionArrayId<Count> array) {
  return GroupId{array.name, Count};
}

}  // namespace

const WindowDescription& Description() {
  static const WindowDescription description = MakeDescription();
  return description;
}

ui::TextBoxId IdOf(TextField f) {
  switch (f) {
    case TextField::Xp: return Text1;
    case TextField::Level: return LevelNow;
    case TextField::Scalps: return Text2;
    case TextField::TargetLevel: return TargetLVL;
    case TextField::UpdateInterval: break;
  }
  return ScalpsUpd;
}

ui::CheckBoxId IdOf(CheckField c) {
  switch (c) {
    case CheckField::SellMaces: return Check1;
    case CheckField::SearchTarget: return ReqLVL;
    case CheckField::UpdateAtInterval: return chkScalpsUpd;
    case CheckField::HideWorkingWindow: break;
  }
  return chkWorking;
}

GroupId IdOf(OptionGroup g) {
  switch (g) {
    case OptionGroup::QuestPart: return Group(Option1);
    case OptionGroup::Side: return Group(Option2);
    case OptionGroup::Entry: return Group(Option3);
    case OptionGroup::ZeroLeft: break;
  }
  return Group(Option4);
}

ui::LabelId IdOf(ResultLabel l) {
  switch (l) {
    case ResultLabel::Level: return ResLVL;
    case ResultLabel::ExactXp: return ResExp;
    case ResultLabel::XpGained: return xpgain;
    case ResultLabel::XpToNextLevel: return remXP;
    case ResultLabel::Gold: return ResGP;
    case ResultLabel::ScalpsLeft: return ScalpsLeft;
    case ResultLabel::MacesLeft: return MacesLeft;
    case ResultLabel::BeltsLeft: return BeltsLeft;
    case ResultLabel::BooksLeft: return BooksLeft;
    case ResultLabel::RingsLeft: return RingsLeft;
    case ResultLabel::FinalRewards: return Finals;
    case ResultLabel::ScalpsNeeded: break;
  }
  return ScalpsNdd;
}

ui::LabelId HeadingOf(ResultLabel l) {
  switch (l) {
    case ResultLabel::Level: return Label3;
    case ResultLabel::ExactXp: return Label4;
    case ResultLabel::XpGained: return Label13;
    case ResultLabel::XpToNextLevel: return Label15;
    case ResultLabel::Gold: return GoldFromMaces;
    case ResultLabel::ScalpsLeft: return Label10;
    case ResultLabel::MacesLeft: return Label11;
    case ResultLabel::BeltsLeft: return BeltsRem;
    case ResultLabel::BooksLeft: return BooksRem;
    case ResultLabel::RingsLeft: return RinRem;
    case ResultLabel::FinalRewards: return FinRew;
    case ResultLabel::ScalpsNeeded: break;
  }
  return Label2;
}

ResultLabel RemainderOf(OwnedItem item) {
  switch (item) {
    case OwnedItem::Maces: return ResultLabel::MacesLeft;
    case OwnedItem::Belts: return ResultLabel::BeltsLeft;
    case OwnedItem::Books: return ResultLabel::BooksLeft;
    case OwnedItem::Rings: break;
  }
  return ResultLabel::RingsLeft;
}

std::string Heading(ResultLabel l) {
  // Label2 starts as the heading of the scalps owned; a search shows it as the scalps needed.
  if (l == ResultLabel::ScalpsNeeded) return kScalpsNeeded;
  return Row(HeadingOf(l).name).caption;
}

std::string ResultLine(ResultLabel l, const std::string& value) {
  const std::string heading = Heading(l);
  return heading + (heading.ends_with(':') ? " " : ": ") + value;
}

const MainFormStartState& StartState() {
  static const MainFormStartState state = MakeStartState();
  return state;
}

}  // namespace quorvane::main_form
