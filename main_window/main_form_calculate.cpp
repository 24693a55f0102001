#include "main_window/main_form_calculate.h"

#include "working_window/working_form.h"

namespace quorvane {

MainFormCalculateView::MainFormCalculateView(ui::Form& mainForm, const MainFormControls& controls,
                                             const ItemsOwnedTexts& itemsOwned)
    : form_(mainForm), c_(controls), itemsOwned_(itemsOwned) {}

MainFormCalculateView::~MainFormCalculateView() = default;

CalculateInput MainFormCalculateView::read() const {
  CalculateInput input;
  for (TextField field : kTextFields) input.text(field) = c_.field(field).text();
  for (CheckField box : kCheckFields) input.check(box) = c_.check(box).value();
  for (OptionGroup group : kOptionGroups) {
    const ui::OptionArray& members = c_.group(group);
    for (int i = 0; i < members.size() && input.selected(group) < 0; ++i) {
      if (members[i].value()) input.selected(group) = i;
    }
  }
  input.itemsOwned = itemsOwned_;
  return input;
}

void MainFormCalculateView::apply(const CalculateWrites& writes) {
  for (const auto& [field, text] : writes.texts) c_.field(field).setText(text);
  for (const auto& [label, caption] : writes.captions) c_.result(label).setCaption(caption);
}

void MainFormCalculateView::showMessage(const std::string& title, const std::string& text) {
  form_.messageBox(text, title);
}

frmWorking* MainFormCalculateView::workingWindow() const { return ui::Loaded<frmWorking>(); }

// A window the user closed is unloaded: the next search loads it afresh.
WorkingWindow& MainFormCalculateView::openWorkingWindow() {
  frmWorking& working = ui::Load<frmWorking>();
  working.open();
  return working;
}

void MainFormCalculateView::closeWorkingWindow() { ui::Unload<frmWorking>(); }

}  // namespace quorvane
