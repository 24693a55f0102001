#pragma once

// The Calculate command's view of the program's windows: the controls of the main window, its
// message boxes, and the Working window that the scalps search drives.

#include "command/calculate_command.h"
#include "main_window/main_form_controls.h"

namespace quorvane {

class frmWorking;

// The maces, belts, books and rings owned, as typed into the Items Owned window.
using ItemsOwnedTexts = decltype(CalculateInput::itemsOwned);

class MainFormCalculateView : public CalculateView {
 public:
  // `itemsOwned`: the counts the main window holds for the run, read with the fields.
  MainFormCalculateView(ui::Form& mainForm, const MainFormControls& controls, const ItemsOwnedTexts& itemsOwned);
  ~MainFormCalculateView() override;

  CalculateInput read() const override;
  void apply(const CalculateWrites& writes) override;
  // The toolkit's modal message box over the main window.
  void showMessage(const std::string& title, const std::string& text) override;

  // At most one Working window is loaded. It has no owner: it stays when the main window closes,
  // and the user's close box unloads it.
  WorkingWindow& openWorkingWindow() override;
  void closeWorkingWindow() override;

  // The Working window while it is loaded, else null.
  frmWorking* workingWindow() const;

 private:
  ui::Form& form_;
  const MainFormControls& c_;
  const ItemsOwnedTexts& itemsOwned_;
};

}  // namespace quorvane
