#include "main_window/main_form_calculate.h"

#include "working_window/working_form.h"

namespace quorvane {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

std::string MainFormCalculateView::Text(TextField field) const { return form_.text(ControlName(field)).toStdString(); }

void MainFormCalculateView::SetText(TextField field, const std::string& text) { form_.setText(ControlName(field), Q(text)); }

int MainFormCalculateView::CheckValue(CheckField box) const { return form_.value(ControlName(box)); }

bool MainFormCalculateView::OptionSelected(OptionGroup group, int index) const {
  return form_.isSelected(ControlName(group), index);
}

void MainFormCalculateView::SetCaption(ResultLabel label, const std::string& caption) {
  form_.setCaption(ControlName(label), Q(caption));
}

void MainFormCalculateView::ShowMessage(const std::string& title, const std::string& text) {
  form_.messageBox(Q(text), Q(title));
}

frmWorking* MainFormCalculateView::workingWindow() const {
  // A window closed by the user is discarded as soon as the event loop gets to it; until then
  // it is hidden and counts as gone.
  return working_ && !working_->isHidden() ? working_.data() : nullptr;
}

void MainFormCalculateView::OpenWorkingWindow() {
  if (working_ && working_->isHidden()) delete working_.data();
  if (!working_) working_ = new frmWorking;
  working_->Open();
}

void MainFormCalculateView::SetWorkingCaption(WorkingLabel label, const std::string& caption) {
  if (working_) working_->setCaption(ControlName(label), Q(caption));
}

void MainFormCalculateView::RepaintWorkingWindow() {
  if (working_) working_->RepaintNow();
}

void MainFormCalculateView::CloseWorkingWindow() { delete working_.data(); }

}  // namespace quorvane
