#include "main_window/main_form_calculate.h"

#include "working_window/working_form.h"

namespace quorvane {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

const char* Name(TextField f) {
  switch (f) {
    case TextField::Text1: return "Text1";
    case TextField::LevelNow: return "LevelNow";
    case TextField::Text2: return "Text2";
    case TextField::TargetLVL: return "TargetLVL";
    case TextField::ScalpsUpd: return "ScalpsUpd";
  }
  return "";
}

const char* Name(CheckField c) {
  switch (c) {
    case CheckField::Check1: return "Check1";
    case CheckField::ReqLVL: return "ReqLVL";
    case CheckField::chkScalpsUpd: return "chkScalpsUpd";
    case CheckField::chkWorking: return "chkWorking";
  }
  return "";
}

const char* Name(OptionGroup g) {
  switch (g) {
    case OptionGroup::Option1: return "Option1";
    case OptionGroup::Option2: return "Option2";
    case OptionGroup::Option3: return "Option3";
    case OptionGroup::Option4: return "Option4";
  }
  return "";
}

const char* Name(ResultLabel l) {
  switch (l) {
    case ResultLabel::ResLVL: return "ResLVL";
    case ResultLabel::ResExp: return "ResExp";
    case ResultLabel::xpgain: return "xpgain";
    case ResultLabel::remXP: return "remXP";
    case ResultLabel::ResGP: return "ResGP";
    case ResultLabel::ScalpsLeft: return "ScalpsLeft";
    case ResultLabel::MacesLeft: return "MacesLeft";
    case ResultLabel::BeltsLeft: return "BeltsLeft";
    case ResultLabel::BooksLeft: return "BooksLeft";
    case ResultLabel::RingsLeft: return "RingsLeft";
    case ResultLabel::Finals: return "Finals";
    case ResultLabel::ScalpsNdd: return "ScalpsNdd";
  }
  return "";
}

const char* Name(WorkingLabel l) {
  switch (l) {
    case WorkingLabel::lblStart: return "lblStart";
    case WorkingLabel::lblEnd: return "lblEnd";
    case WorkingLabel::scalpscalced: return "scalpscalced";
    case WorkingLabel::lblLevelReached: return "lblLevelReached";
  }
  return "";
}

}  // namespace

std::string MainFormCalculateView::Text(TextField field) const { return form_.text(Name(field)).toStdString(); }

void MainFormCalculateView::SetText(TextField field, const std::string& text) { form_.setText(Name(field), Q(text)); }

int MainFormCalculateView::CheckValue(CheckField box) const { return form_.value(Name(box)); }

bool MainFormCalculateView::OptionSelected(OptionGroup group, int index) const {
  return form_.isSelected(Name(group), index);
}

void MainFormCalculateView::SetCaption(ResultLabel label, const std::string& caption) {
  form_.setCaption(Name(label), Q(caption));
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
  if (working_) working_->setCaption(Name(label), Q(caption));
}

void MainFormCalculateView::RepaintWorkingWindow() {
  if (working_) working_->RepaintNow();
}

void MainFormCalculateView::CloseWorkingWindow() { delete working_.data(); }

}  // namespace quorvane
