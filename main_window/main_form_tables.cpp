// The main window's context menu: "Copy Results", "Plan..." and "Compare...".

#include "command/result_tables.h"
#include "main_window/main_form.h"
#include "main_window/main_form_description.h"
#include "plan_window/table_form.h"

namespace quorvane {

namespace {

// The level a plan reaches when "Lvl to reach:" is not ticked: the last the table can be searched
// for, as quorvane-cli --plan takes it without --target.
constexpr char kDefaultPlanTarget[] = "189";

// The window's fields for a plan: the target from "Lvl to reach:" while it is ticked, else the
// default one; no Working window (a plan's searches are short). Nothing reaches the window: the
// fields the command writes stay here, and its message waits for the plan's end.
class PlanView : public DetachedView {
 public:
  explicit PlanView(const CalculateView& window) : DetachedView(window) {
    if (window.checkValue(CheckField::SearchTarget) != 1) setText(TextField::TargetLevel, kDefaultPlanTarget);
  }

  int checkValue(CheckField box) const override {
    if (box == CheckField::SearchTarget || box == CheckField::HideWorkingWindow) return 1;
    return DetachedView::checkValue(box);
  }
};

}  // namespace

std::string MainForm::resultsText() const {
  std::string text;
  for (ResultLabel label : main_form::kResultLineOrder) {
    const ui::Label& value = result(label);
    // The scalps needed show only in a search (the label lies under the box of the scalps owned).
    const bool shown = label == ResultLabel::ScalpsNeeded ? c_.searchTarget.value() == 1 : value.visible();
    if (shown) text += main_form::ResultLine(label, value.caption()) + '\n';
  }
  return text;
}

void MainForm::mnuCopyResults_Click() { ui::SetClipboardText(resultsText()); }

// The checks and messages of "Calculate" for a search; the rows found before a message are shown
// with the message after them, a message before any row is shown as "Calculate" shows it.
void MainForm::mnuPlan_Click() {
  PlanView view(calculateView_);
  const PlanReport plan = RunPlan(view, tableForPress());
  if (plan.rows.empty()) {
    if (view.message) messageBox(view.message->text, view.message->title);
    return;
  }
  ui::Load<PlanForm>().showTable(PlanTable(plan), view.message ? view.message->line() : std::string(), *this);
}

// Every way projected from the window's fields; input that every way refuses alike gets the
// message "Calculate" gives.
void MainForm::mnuCompare_Click() {
  const Comparison comparison = RunComparison(calculateView_, tableForPress());
  if (comparison.refused()) {
    const ShownMessage& message = *comparison.messages.front();
    messageBox(message.text, message.title);
    return;
  }
  ui::Load<CompareForm>().showTable(comparison.table, std::string(), *this);
}

}  // namespace quorvane
