#include "cli/cli_view.h"

namespace quorvane::cli {

CliView::CliView(const CliOptions& o, std::ostream& messages, std::ostream& progress)
    : messages_(messages), progress_(progress) {
  texts_[TextField::Xp] = o.xp.value_or("");
  texts_[TextField::Level] = o.level.value_or("");
  texts_[TextField::Scalps] = o.scalps.value_or("");
  texts_[TextField::TargetLevel] = o.target.value_or("");
  texts_[TextField::UpdateInterval] = "100";

  checks_[CheckField::SellMaces] = o.sellMaces ? 1 : 0;
  checks_[CheckField::SearchTarget] = o.target ? 1 : 0;
  // Choosing a zero-left item other than "Scalps" unticks "Update window after:".
  checks_[CheckField::UpdateAtInterval] = o.zeroLeft == 0 ? 1 : 0;
  // "Do not show the Working window." stays ticked unless the captions are wanted.
  checks_[CheckField::HideWorkingWindow] = o.progress ? 0 : 1;

  selected_[OptionGroup::QuestPart] = o.part;
  selected_[OptionGroup::Side] = o.side;
  selected_[OptionGroup::Entry] = o.level ? 1 : 0;
  selected_[OptionGroup::ZeroLeft] = o.zeroLeft;

  for (ResultLabel label : {ResultLabel::Level, ResultLabel::ExactXp, ResultLabel::XpGained, ResultLabel::XpToNextLevel,
                            ResultLabel::Gold}) {
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
    working_[WorkingLabel::StartLevel] = "0";
    working_[WorkingLabel::TargetLevel] = "189";
    working_[WorkingLabel::Scalps] = "0";
    working_[WorkingLabel::LevelReached] = "Level Reached";
  }
  workingLoaded_ = true;
  RepaintWorkingWindow();
}

// One line as the Working window reads: the count being tried, then the scale from the start
// level through the level reached to the target level.
void CliView::RepaintWorkingWindow() {
  progress_ << "Currently checking: " << working_[WorkingLabel::Scalps] << " scalps | "
            << working_[WorkingLabel::StartLevel] << " | " << working_[WorkingLabel::LevelReached] << " | "
            << working_[WorkingLabel::TargetLevel] << '\n'
            << std::flush;
}

std::string CliView::Caption(ResultLabel label) const {
  const auto it = captions_.find(label);
  return it == captions_.end() ? std::string() : it->second;
}

}  // namespace quorvane::cli
