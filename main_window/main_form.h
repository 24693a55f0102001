#pragma once

// MainForm: the start-up window of Quorvane and its only working surface. It is built from one
// description (every control with its place, caption and start-up state) and runs no start-up
// code. The Click handlers below keep the choices consistent; they keep no state of their own:
// the controls are the state.

#include "main_window/toolkit.h"

namespace quorvane {

class MainForm : public ui::Form {
  Q_OBJECT

 public:
  explicit MainForm(QWidget* parent = nullptr);

  // The window as written down: every control with its kind, container, name, caption or text,
  // start-up state, position and size in twips, and tab index.
  static const ui::WindowSpec& Description();

  // Outer widths of the window with the options panel open and closed, in twips.
  static constexpr double kWidthPanelOpen = 6855;
  static constexpr double kWidthPanelClosed = 3585;

  // Click handlers, one per user action; arrays receive the index of the member clicked.
  // "Calculate" and "About..." are handled by the commands that connect to the signals below.
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

 signals:
  void calculateRequested();
  void aboutRequested();

 private:
  // Sets the window's outer width and centres it on the screen.
  void setWidthAndCentre(double outerWidthTwips);
};

}  // namespace quorvane
