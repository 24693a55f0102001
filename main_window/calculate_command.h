#pragma once

#include <string>

namespace quorvane {

// The main window's controls that the Calculate command reads and writes, by their names.
enum class TextField { Text1, LevelNow, Text2, TargetLVL, ScalpsUpd };
enum class CheckField { Check1, ReqLVL, chkScalpsUpd, chkWorking };
enum class OptionGroup { Option1, Option2, Option3, Option4 };
enum class ResultLabel {
  ResLVL, ResExp, xpgain, remXP, ResGP,
  ScalpsLeft, MacesLeft, BeltsLeft, BooksLeft, RingsLeft, Finals,
  ScalpsNdd,
};
// The labels of the Working window that the search writes.
enum class WorkingLabel { lblStart, lblEnd, scalpscalced, lblLevelReached };

// The objectName of each control on its window.
const char* ControlName(TextField field);
const char* ControlName(CheckField box);
const char* ControlName(OptionGroup group);
const char* ControlName(ResultLabel label);
const char* ControlName(WorkingLabel label);

// What the Calculate command needs of the window it runs in. The main window implements it on
// its controls; tests and the command-line front end implement it on plain values.
class CalculateView {
 public:
  virtual ~CalculateView() = default;

  virtual std::string Text(TextField field) const = 0;
  virtual void SetText(TextField field, const std::string& text) = 0;
  // 0 unticked, 1 ticked.
  virtual int CheckValue(CheckField box) const = 0;
  virtual bool OptionSelected(OptionGroup group, int index) const = 0;
  virtual void SetCaption(ResultLabel label, const std::string& caption) = 0;
  // A modal message box with an OK button; returns when it is closed.
  virtual void ShowMessage(const std::string& title, const std::string& text) = 0;

  // The Working window: load it if needed, show it without owner and repaint it at once.
  virtual void OpenWorkingWindow() = 0;
  virtual void SetWorkingCaption(WorkingLabel label, const std::string& caption) = 0;
  // Brings the Working window's captions to the screen at once.
  virtual void RepaintWorkingWindow() = 0;
  virtual void CloseWorkingWindow() = 0;
};

// How one press of "Calculate" ended.
enum class CalculateOutcome { Results, Message };

// One press of "Calculate": checks the fields in order, reads the level table at `tablePath`,
// then projects the scalps owned, or searches for the scalps needed, and writes the results.
// The first failing check shows its message and ends the command.
CalculateOutcome ExecuteCalculate(CalculateView& view, const std::string& tablePath);

}  // namespace quorvane
