#include "cli/cli_view.h"

#include "main_window/main_form_description.h"
#include "working_window/working_form_description.h"

namespace quorvane::cli {

CliView::CliView(const CliOptions& o, std::ostream& messages, std::ostream& progress)
    : messages_(messages), progress_(progress) {
  // The window as it starts, then what the options set.
  const MainFormStartState& start = main_form::StartState();
  texts_ = start.texts;
  checks_ = start.checks;
  selected_ = start.selected;
  captions_ = start.captions;

  texts_[TextField::Xp] = o.xp.value_or("");
  texts_[TextField::Level] = o.level.value_or("");
  texts_[TextField::Scalps] = o.scalps.value_or("");
  texts_[TextField::TargetLevel] = o.target.value_or("");

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
}

std::string CliView::text(TextField field) const {
  const auto it = texts_.find(field);
  return it == texts_.end() ? std::string() : it->second;
}

int CliView::checkValue(CheckField box) const {
  const auto it = checks_.find(box);
  return it == checks_.end() ? 0 : it->second;
}

bool CliView::optionSelected(OptionGroup group, int index) const {
  const auto it = selected_.find(group);
  return it != selected_.end() && it->second == index;
}

void CliView::showMessage(const std::string& title, const std::string& text) {
  messages_ << title << ": " << text << '\n' << std::flush;
}

void CliView::openWorkingWindow() {
  if (!workingLoaded_) working_ = working_form::StartCaptions();
  workingLoaded_ = true;
  repaintWorkingWindow();
}

// One line as the Working window reads: the count being tried, then the scale from the start
// level through the level reached to the target level.
void CliView::repaintWorkingWindow() {
  progress_ << "Currently checking: " << working_[WorkingLabel::Scalps] << " scalps | "
            << working_[WorkingLabel::StartLevel] << " | " << working_[WorkingLabel::LevelReached] << " | "
            << working_[WorkingLabel::TargetLevel] << '\n'
            << std::flush;
}

std::string CliView::caption(ResultLabel label) const {
  const auto it = captions_.find(label);
  return it == captions_.end() ? std::string() : it->second;
}

}  // namespace quorvane::cli
