#pragma once

// MainForm: the start-up window of Quorvane and its only working surface. It is built from one
// description (every control with its place, caption and start-up state) and runs no start-up
// code. The Click handlers below keep the choices consistent; they keep no state of their own:
// the controls are the state.

#include <string>

#include "main_window/main_form_calculate.h"
#include "main_window/main_form_controls.h"
#include "toolkit/form.h"

namespace quorvane {

class MainForm : public ui::Form {
 public:
  // Loads the window; every control the code uses is looked up here.
  MainForm();
  ~MainForm() override;

  // The window as written down: every control with its kind, container, name, caption or text,
  // start-up state, position and size in twips, and tab index.
  static const ui::WindowDescription& description();

  // Outer widths of the window with the options panel open and closed, in twips.
  static constexpr double kWidthPanelOpen = 6855;
  static constexpr double kWidthPanelClosed = 3585;

  // Click handlers, one per user action; arrays receive the index of the member clicked.
  // "Calculate" runs the Calculate command on this window; "About..." opens the About box.
  virtual void ExecuteCmd_Click();
  virtual void cmdAbout_Click();
  void Option1_Click(int Index);
  void Check1_Click();
  void Option2_Click(int Index);
  void option3_Click(int Index);
  void ReqLVL_Click();
  void cmdOpt_Click();
  void CloseOptions_Click();
  void chkScalpsUpd_Click();
  void Option4_Click(int Index);
  // The context menu: the results shown onto the clipboard, and the Plan and Compare windows for
  // the window's inputs.
  void mnuCopyResults_Click();
  void mnuPlan_Click();
  void mnuCompare_Click();
  // The hand-in steps of the window's inputs in the Hand-ins window, and the Items Owned window.
  void mnuHandIns_Click();
  void mnuItemsOwned_Click();
  // The items owned that every calculation counts with the scalps, held for the run (nothing is
  // saved); the Results frame's caption says when any is owned.
  const ItemsOwnedTexts& itemsOwned() const { return itemsOwned_; }
  void setItemsOwned(const ItemsOwnedTexts& counts);
  // The results the window shows, one "Heading: value" line each, in quorvane-cli's order.
  std::string resultsText() const;

  // The controls the code reads and writes, by what they mean.
  const MainFormControls& controls() const { return c_; }

  // The Calculate command's view of this window and of the Working window.
  CalculateView& calculateView() { return calculateView_; }
  // The Working window while a search has it loaded and shown, else null.
  frmWorking* workingWindow() const { return calculateView_.workingWindow(); }
  // The level table file that "Calculate" reads: unless set, the one LevelTablePathForPress()
  // names at each press (lvl-xp.txt in the program's folder unless a source is installed).
  void setLevelTablePath(std::string path) { levelTablePath_ = std::move(path); }

 private:
  const ui::Label& result(ResultLabel label) const { return c_.result(label); }
  // Sets the window's outer width and centres it on the screen.
  void setWidthAndCentre(double outerWidthTwips);
  // The level table that this press reads (see setLevelTablePath), and the file its messages name.
  LevelTableFile tableForPress() const;

  MainFormControls c_;
  ItemsOwnedTexts itemsOwned_;
  MainFormCalculateView calculateView_{*this, c_, itemsOwned_};
  std::string levelTablePath_;
};

}  // namespace quorvane
