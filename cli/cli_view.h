#pragma once

#include <map>
#include <ostream>
#include <string>
#include <utility>

#include "cli/cli_options.h"
#include "command/calculate_command.h"

namespace quorvane::cli {

// The main window's controls as the command line sets them. Everything the options do not set
// is in the state the window starts in. There is no Working window unless --progress asks for
// its captions, which are then printed to `progress` at every repaint.
class CliView : public CalculateView {
 public:
  CliView(const CliOptions& options, std::ostream& messages, std::ostream& progress);

  std::string text(TextField field) const override;
  void setText(TextField field, const std::string& text) override { texts_[field] = text; }
  int checkValue(CheckField box) const override;
  bool optionSelected(OptionGroup group, int index) const override;
  void setCaption(ResultLabel label, const std::string& caption) override { captions_[label] = caption; }
  void showMessage(const std::string& title, const std::string& text) override;

  void openWorkingWindow() override;
  void setWorkingCaption(WorkingLabel label, const std::string& caption) override { working_[label] = caption; }
  void repaintWorkingWindow() override;
  void closeWorkingWindow() override { workingLoaded_ = false; }

  // The caption of a result label as the command left it.
  std::string caption(ResultLabel label) const;

 private:
  std::map<TextField, std::string> texts_;
  std::map<CheckField, int> checks_;
  std::map<OptionGroup, int> selected_;  // the selected member of each group; -1 for none
  std::map<ResultLabel, std::string> captions_;
  std::map<WorkingLabel, std::string> working_;
  bool workingLoaded_ = false;
  std::ostream& messages_;
  std::ostream& progress_;
};

}  // namespace quorvane::cli
