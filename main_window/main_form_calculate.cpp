#include "main_window/main_form_calculate.h"

#include "working_window/working_form.h"

namespace quorvane {

MainFormCalculateView::MainFormCalculateView(ui::Form& mainForm, const MainFormControls& controls)
    : form_(mainForm), c_(controls) {}

MainFormCalculateView::~MainFormCalculateView() = default;

std::string MainFormCalculateView::text(TextField field) const { return c_.field(field).text(); }

void MainFormCalculateView::setText(TextField field, const std::string& text) { c_.field(field).setText(text); }

int MainFormCalculateView::checkValue(CheckField box) const { return c_.check(box).value(); }

bool MainFormCalculateView::optionSelected(OptionGroup group, int index) const {
  const ui::OptionArray& members = c_.group(group);
  return index >= 0 && index < members.size() && members[index].value();
}

void MainFormCalculateView::setCaption(ResultLabel label, const std::string& caption) {
  c_.result(label).setCaption(caption);
}

void MainFormCalculateView::showMessage(const std::string& title, const std::string& text) {
  form_.messageBox(text, title);
}

frmWorking* MainFormCalculateView::workingWindow() const { return ui::Loaded<frmWorking>(); }

// A window the user closed is unloaded: the next search loads it afresh.
void MainFormCalculateView::openWorkingWindow() { ui::Load<frmWorking>().open(); }

void MainFormCalculateView::setWorkingCaption(WorkingLabel label, const std::string& caption) {
  if (frmWorking* working = workingWindow()) working->setLabel(label, caption);
}

void MainFormCalculateView::repaintWorkingWindow() {
  if (frmWorking* working = workingWindow()) working->repaintNow();
}

void MainFormCalculateView::closeWorkingWindow() { ui::Unload<frmWorking>(); }

bool MainFormCalculateView::workingWindowStopRequested() {
  frmWorking* working = workingWindow();
  return working && working->stopRequested();
}

}  // namespace quorvane
