// The main window's context menu: "Copy Results", "Plan...", "Compare...", "Hand-ins..." and
// "Items Owned...".

#include "command/result_tables.h"
#include "items_window/items_form.h"
#include "main_window/main_form.h"
#include "main_window/main_form_description.h"
#include "plan_window/table_form.h"

namespace quorvane {

namespace {

// The level a plan reaches when "Lvl to reach:" is not ticked: the last the table can be searched
// for, as quorvane-cli --plan takes it without --target.
constexpr char kDefaultPlanTarget[] = "189";

}  // namespace

std::string MainForm::resultsText() const {
  std::string text;
  for (ResultLabel label : main_form::kResultLineOrder) {
    const ui::Label& value = result(label);
    // The scalps needed show only in a search (the label lies under the box of the scalps owned).
    const bool shown = label == ResultLabel::ScalpsNeeded ? c_.searchTarget.value() == 1 : value.visible();
    if (shown) text += main_form::ResultLine(label, value.caption()) + '\n';
  }
  // The items owned, in the lines quorvane-cli prints after the results.
  for (const std::string& line : ItemsOwnedLines(calculateView_.read())) text += line + '\n';
  return text;
}

void MainForm::mnuCopyResults_Click() { ui::SetClipboardText(resultsText()); }

// The checks and messages of "Calculate" for a search; the rows found before a message are shown
// with the message after them, a message before any row is shown as "Calculate" shows it.
// The plan runs on the window's fields with "Lvl to reach:" and "Do not show the Working window."
// ticked (a plan's searches are short), to the level typed there while the box is ticked and to
// the default one otherwise. Nothing reaches the window but the plan's message.
void MainForm::mnuPlan_Click() {
  CalculateInput input = calculateView_.read();
  if (input.searchTarget != 1) input.targetLevel = kDefaultPlanTarget;
  input.searchTarget = 1;
  input.hideWorkingWindow = 1;
  const PlanReport plan = RunPlan(input, tableForPress());
  if (plan.rows.empty()) {
    if (plan.message) messageBox(plan.message->text, plan.message->title);
    return;
  }
  ui::Load<PlanForm>().showTable(PlanTable(plan), plan.message ? plan.message->line() : std::string(), *this);
}

// Every way projected from the window's fields; input that every way refuses alike gets the
// message "Calculate" gives.
void MainForm::mnuCompare_Click() {
  const Comparison comparison = RunComparison(calculateView_.read(), tableForPress());
  if (comparison.refused()) {
    const ShownMessage& message = *comparison.messages.front();
    messageBox(message.text, message.title);
    return;
  }
  ui::Load<CompareForm>().showTable(comparison.table, std::string(), *this);
}

// The steps of the projection that "Calculate" would show for the window's inputs (of the
// search's answer while "Lvl to reach:" is ticked), or the message it would give. Nothing reaches
// the main window's results.
void MainForm::mnuHandIns_Click() {
  const StepsReport report = RunSteps(calculateView_.read(), tableForPress());
  if (!report.results) {
    if (report.message) messageBox(report.message->text, report.message->title);
    return;
  }
  ui::Load<HandInsForm>().showTable(StepsTable(report), std::string(), *this);
}

// The window opens with the counts held; its "Take Remainders" reads the remainders the Results
// frame shows, its OK gives the counts back.
void MainForm::mnuItemsOwned_Click() {
  ItemsForm::Owner owner;
  owner.remainders = [this] {
    ShownRemainders shown;
    for (OwnedItem item : kOwnedItems) {
      const ResultLabel label = main_form::RemainderOf(item);
      if (result(label).visible()) shown[static_cast<std::size_t>(item)] = result(label).caption();
    }
    return shown;
  };
  owner.take = [this](const ItemsOwnedTexts& counts) { setItemsOwned(counts); };
  ui::Load<ItemsForm>().showCounts(itemsOwned_, std::move(owner), *this);
}

void MainForm::setItemsOwned(const ItemsOwnedTexts& counts) {
  itemsOwned_ = counts;
  CalculateInput owned;
  owned.itemsOwned = counts;
  c_.resultsFrame.setCaption(AnyItemOwned(owned) ? main_form::kResultsWithItemsOwned : main_form::kResults);
}

}  // namespace quorvane
