#pragma once

// The Items Owned window: the maces, belts, books and rings the character already owns, which
// every calculation of the main window counts with the scalps. Modeless and one at a time, like
// the Plan window; it opens centred over the main window showing the counts the main window holds.
// "Take Remainders" fills the boxes from what the Results frame shows remained, "Clear" empties
// them, "OK" (Enter) checks them as "Calculate" would and hands them to the main window, and
// "Cancel" (Esc) or the close box leaves the main window's counts as they were.

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "command/calculate_view.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace quorvane {

// The texts of the items owned as typed, in the order of kOwnedItems; empty means none.
using OwnedTexts = decltype(CalculateInput::itemsOwned);
// The remainders the Results frame shows, in the same order; none where the frame shows none.
using ShownRemainders = std::array<std::optional<std::string>, kOwnedItemCount>;

class ItemsForm : public ui::Form {
 public:
  // What the window asks of the window that opened it.
  struct Owner {
    std::function<ShownRemainders()> remainders;
    std::function<void(const OwnedTexts&)> take;
  };

  ItemsForm();

  // Shows these counts; the first show centres the window over `over`, a later one brings it to
  // the front with the counts it is given.
  void showCounts(const OwnedTexts& counts, Owner owner, const ui::Form& over);
  void cmdOK_Click();
  void cmdCancel_Click() { close(); }
  void cmdTake_Click();
  void cmdClear_Click();

 private:
  std::array<ui::TextBox, kOwnedItemCount> boxes_;
  Owner owner_;
};

}  // namespace quorvane
