#include "cli/cli_view.h"

#include "main_window/main_form_description.h"
#include "working_window/working_form_description.h"

namespace quorvane::cli {

CliView::CliView(const CliOptions& o, std::ostream& messages, std::ostream& progress)
    : messages_(messages), progress_(progress) {
  // The window as it starts, then what the options set.
  const MainFormStartState& start = main_form::StartState();
  for (const auto& [field, text] : start.texts) input_.text(field) = text;
  for (const auto& [box, value] : start.checks) input_.check(box) = value;
  for (const auto& [group, selected] : start.selected) input_.selected(group) = selected;
  captions_ = start.captions;

  input_.xp = o.xp.value_or("");
  input_.level = o.level.value_or("");
  input_.scalps = o.scalps.value_or("");
  input_.targetLevel = o.target.value_or("");
  input_.itemsOwned = o.owned;

  input_.sellMaces = o.sellMaces ? 1 : 0;
  input_.searchTarget = o.target ? 1 : 0;
  // Choosing a zero-left item other than "Scalps" unticks "Update window after:".
  input_.updateAtInterval = o.zeroLeft == 0 ? 1 : 0;
  // "Do not show the Working window." stays ticked unless the captions are wanted.
  input_.hideWorkingWindow = o.progress ? 0 : 1;

  input_.questPart = o.part;
  input_.side = o.side;
  input_.entry = o.level ? 1 : 0;
  input_.zeroLeft = o.zeroLeft;
}

void CliView::apply(const CalculateWrites& writes) {
  for (const auto& [field, text] : writes.texts) input_.text(field) = text;
  for (const auto& [label, caption] : writes.captions) captions_[label] = caption;
}

void CliView::showMessage(const std::string& title, const std::string& text) {
  messages_ << title << ": " << text << '\n' << std::flush;
}

WorkingWindow& CliView::openWorkingWindow() {
  if (!workingLoaded_) working_ = working_form::StartCaptions();
  workingLoaded_ = true;
  repaintNow();
  return *this;
}

// One line as the Working window reads: the count being tried, then the scale from the start
// level through the level reached to the target level.
void CliView::repaintNow() {
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
