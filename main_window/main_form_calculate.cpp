#include "main_window/main_form_calculate.h"

#include "working_window/working_form.h"

namespace quorvane {

MainFormCalculateView::MainFormCalculateView(ui::Form& mainForm, const MainFormControls& controls)
    : form_(mainForm), c_(controls) {}

MainFormCalculateView::~MainFormCalculateView() = default;

std::string MainFormCalculateView::Text(TextField field) const { return c_.field(field).text(); }

void MainFormCalculateView::SetText(TextField field, const std::string& text) { c_.field(field).setText(text); }

int MainFormCalculateView::CheckValue(CheckField box) const { return c_.check(box).value(); }

bool MainFormCalculateView::OptionSelected(OptionGroup group, int index) const {
  const ui::OptionArray& members = c_.group(group);
  return index >= 0 && index < members.size() && members[index].value();
}

void MainFormCalculateView::SetCaption(ResultLabel label, const std::string& caption) {
  c_.result(label).setCaption(caption);
}

void MainFormCalculateView::ShowMessage(const std::string& title, const std::string& text) {
  form_.messageBox(text, title);
}

frmWorking* MainFormCalculateView::workingWindow() const {
  // A window closed by the user is discarded as soon as the event loop gets to it; until then
  // it is hidden and counts as gone.
  return working_ && working_->isShown() ? working_.get() : nullptr;
}

void MainFormCalculateView::OpenWorkingWindow() {
  // A window the user closed is unloaded: the next search loads it afresh.
  if (working_ && !working_->isShown()) working_.reset();
  if (!working_) {
    working_ = std::make_unique<frmWorking>();
    frmWorking* window = working_.get();
    // The discard runs from the event loop: only while this view still exists.
    window->setClosedHandler([this, window, alive = std::weak_ptr<bool>(alive_)] {
      window->discardLater([this, window, alive] {
        if (!alive.expired() && working_.get() == window && !window->isShown()) working_.reset();
      });
    });
  }
  working_->Open();
}

void MainFormCalculateView::SetWorkingCaption(WorkingLabel label, const std::string& caption) {
  if (working_) working_->setLabel(label, caption);
}

void MainFormCalculateView::RepaintWorkingWindow() {
  if (working_) working_->RepaintNow();
}

void MainFormCalculateView::CloseWorkingWindow() { working_.reset(); }

bool MainFormCalculateView::WorkingWindowStopRequested() { return working_ && working_->StopRequested(); }

}  // namespace quorvane
