#pragma once

// The Calculate command's view of the program's windows: the controls of the main window, its
// message boxes, and the Working window that the scalps search drives.

#include "command/calculate_command.h"
#include "main_window/main_form_controls.h"

namespace quorvane {

class frmWorking;

class MainFormCalculateView : public CalculateView {
 public:
  MainFormCalculateView(ui::Form& mainForm, const MainFormControls& controls);
  ~MainFormCalculateView() override;

  std::string text(TextField field) const override;
  void setText(TextField field, const std::string& text) override;
  int checkValue(CheckField box) const override;
  bool optionSelected(OptionGroup group, int index) const override;
  void setCaption(ResultLabel label, const std::string& caption) override;
  // The toolkit's modal message box over the main window.
  void showMessage(const std::string& title, const std::string& text) override;

  // At most one Working window is loaded. It has no owner: it stays when the main window closes,
  // and the user's close box unloads it.
  void openWorkingWindow() override;
  void setWorkingCaption(WorkingLabel label, const std::string& caption) override;
  void repaintWorkingWindow() override;
  void closeWorkingWindow() override;
  bool workingWindowStopRequested() override;

  // The Working window while it is loaded, else null.
  frmWorking* workingWindow() const;

 private:
  ui::Form& form_;
  const MainFormControls& c_;
};

}  // namespace quorvane
