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

  std::string Text(TextField field) const override;
  void SetText(TextField field, const std::string& text) override;
  int CheckValue(CheckField box) const override;
  bool OptionSelected(OptionGroup group, int index) const override;
  void SetCaption(ResultLabel label, const std::string& caption) override;
  // The toolkit's modal message box over the main window.
  void ShowMessage(const std::string& title, const std::string& text) override;

  // At most one Working window is loaded. It has no owner: it stays when the main window closes,
  // and the user's close box unloads it.
  void OpenWorkingWindow() override;
  void SetWorkingCaption(WorkingLabel label, const std::string& caption) override;
  void RepaintWorkingWindow() override;
  void CloseWorkingWindow() override;
  bool WorkingWindowStopRequested() override;

  // The Working window while it is loaded, else null.
  frmWorking* workingWindow() const;

 private:
  ui::Form& form_;
  const MainFormControls& c_;
};

}  // namespace quorvane
