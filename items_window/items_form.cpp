#include "items_window/items_form.h"

#include "command/calculate_command.h"
#include "items_window/items_form_description.h"

namespace quorvane {

namespace itf = items_form;

ItemsForm::ItemsForm() : Form(itf::Description()) {
  for (int i = 0; i < itf::kItemCount; ++i) boxes_[static_cast<std::size_t>(i)] = ui::Find(*this, itf::txtOwned[i]);
  ui::Find(*this, itf::cmdOK).onClick([this] { cmdOK_Click(); });
  ui::Find(*this, itf::cmdCancel).onClick([this] { cmdCancel_Click(); });
  ui::Find(*this, itf::cmdTake).onClick([this] { cmdTake_Click(); });
  ui::Find(*this, itf::cmdClear).onClick([this] { cmdClear_Click(); });
}

void ItemsForm::showCounts(const OwnedTexts& counts, Owner owner, const ui::Form& over) {
  owner_ = std::move(owner);
  for (std::size_t i = 0; i < boxes_.size(); ++i) boxes_[i].setText(counts[i]);
  showCentredOver(over);
}

// The first count that "Calculate" would refuse gets its message; the window stays.
void ItemsForm::cmdOK_Click() {
  OwnedTexts counts;
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    counts[i] = boxes_[i].text();
    if (const std::optional<ShownMessage> refused = CheckItemOwnedText(kOwnedItems[i], counts[i])) {
      messageBox(refused->text, refused->title);
      return;
    }
  }
  if (owner_.take) owner_.take(counts);
  close();
}

// A remainder the Results frame does not show is an item that its quest part leaves as it was:
// that box keeps its count.
void ItemsForm::cmdTake_Click() {
  if (!owner_.remainders) return;
  const ShownRemainders shown = owner_.remainders();
  for (std::size_t i = 0; i < boxes_.size(); ++i)
    if (shown[i]) boxes_[i].setText(*shown[i]);
}

void ItemsForm::cmdClear_Click() {
  for (const ui::TextBox& box : boxes_) box.setText("");
}

}  // namespace quorvane
