#include "cli/cli_view.h"

namespace quorvane::cli {

CliView::CliView(const CliOptions& o, std::ostream& messages, std::ostream& progress)
    : messages_(messages), progress_(progress) {
  texts_[TextField::Text1] = o.xp.value_or("");
  texts_[TextField::LevelNow] = o.level.value_or("");
  texts_[TextField::Text2] = o.scalps.value_or("");
  texts_[TextField::TargetLVL] = o.target.value_or("");
  texts_[TextField::ScalpsUpd] = "100";

  checks_[CheckField::Check1] = o.sellMaces ? 1 : 0;
  checks_[CheckField::ReqLVL] = o.target ? 1 : 0;
  // Choosing a zero-left item other than "Scalps" unticks "Update window after:".
  checks_[CheckField::chkScalpsUpd] = o.zeroLeft == 0 ? 1 : 0;
  // "Do not show the Working window." stays ticked unless the captions are wanted.
  checks_[CheckField::chkWorking] = o.progress ? 0 : 1;

  selected_[OptionGroup::Option1] = o.part;
  selected_[OptionGroup::Option2] = o.side;
  selected_[OptionGroup::Option3] = o.level ? 1 : 0;
  selected_[OptionGroup::Option4] = o.zeroLeft;

  for (ResultLabel label : {ResultLabel::ResLVL, ResultLabel::ResExp, ResultLabel::xpgain, ResultLabel::remXP,
                            ResultLabel::ResGP}) {
    captions_[label] = "Click Calculate";
  }
}

std::string CliView::Text(TextField field) const {
  const auto it = texts_.find(field);
  return it == texts_.end() ? std::string() : it->second;
}

int CliView::CheckValue(CheckField box) const {
  const auto it = checks_.find(box);
  return it == checks_.end() ? 0 : it->second;
}

bool CliView::OptionSelected(OptionGroup group, int index) const {
  const auto it = selected_.find(group);
  return it != selected_.end() && it->second == index;
}

void CliView::ShowMessage(const std::string& title, const std::string& text) {
  messages_ << title << ": " << text << '\n' << std::flush;
}

void CliView::OpenWorkingWindow() {
  if (!workingLoaded_) {
    working_[WorkingLabel::lblStart] = "0";
    working_[WorkingLabel::lblEnd] = "189";
    working_[WorkingLabel::scalpscalced] = "0";
    working_[WorkingLabel::lblLevelReached] = "Level Reached";
  }
  workingLoaded_ = true;
  RepaintWorkingWindow();
}

// One line as the Working window reads: the count being tried, then the scale from the start
// level through the level reached to the target level.
void CliView::RepaintWorkingWindow() {
  progress_ << "Currently checking: " << working_[WorkingLabel::scalpscalced] << " scalps | "
            << working_[WorkingLabel::lblStart] << " | " << working_[WorkingLabel::lblLevelReached] << " | "
            << working_[WorkingLabel::lblEnd] << '\n'
            << std::flush;
}

std::string CliView::Caption(ResultLabel label) const {
  const auto it = captions_.find(label);
  return it == captions_.end() ? std::string() : it->second;
}

}  // namespace quorvane::cli
