#include "command/control_names.h"

namespace quorvane {

const char* ControlName(TextField f) {
  switch (f) {
    case TextField::Xp: return "Text1";
    case TextField::Level: return "LevelNow";
    case TextField::Scalps: return "Text2";
    case TextField::TargetLevel: return "TargetLVL";
    case TextField::UpdateInterval: return "ScalpsUpd";
  }
  return "";
}

const char* ControlName(CheckField c) {
  switch (c) {
    case CheckField::SellMaces: return "Check1";
    case CheckField::SearchTarget: return "ReqLVL";
    case CheckField::UpdateAtInterval: return "chkScalpsUpd";
    case CheckField::HideWorkingWindow: return "chkWorking";
  }
  return "";
}

const char* ControlName(OptionGroup g) {
  switch (g) {
    case OptionGroup::QuestPart: return "Option1";
    case OptionGroup::Side: return "Option2";
    case OptionGroup::Entry: return "Option3";
    case OptionGroup::ZeroLeft: return "Option4";
  }
  return "";
}

const char* ControlName(ResultLabel l) {
  switch (l) {
    case ResultLabel::Level: return "ResLVL";
    case ResultLabel::ExactXp: return "ResExp";
    case ResultLabel::XpGained: return "xpgain";
    case ResultLabel::XpToNextLevel: return "remXP";
    case ResultLabel::Gold: return "ResGP";
    case ResultLabel::ScalpsLeft: return "ScalpsLeft";
    case ResultLabel::MacesLeft: return "MacesLeft";
    case ResultLabel::BeltsLeft: return "BeltsLeft";
    case ResultLabel::BooksLeft: return "BooksLeft";
    case ResultLabel::RingsLeft: return "RingsLeft";
    case ResultLabel::FinalRewards: return "Finals";
    case ResultLabel::ScalpsNeeded: return "ScalpsNdd";
  }
  return "";
}

const char* ControlName(WorkingLabel l) {
  switch (l) {
    case WorkingLabel::StartLevel: return "lblStart";
    case WorkingLabel::TargetLevel: return "lblEnd";
    case WorkingLabel::Scalps: return "scalpscalced";
    case WorkingLabel::LevelReached: return "lblLevelReached";
  }
  return "";
}

}  // namespace quorvane
