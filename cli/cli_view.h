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
class CliView : public CalculateView, private WorkingWindow {
 public:
  CliView(const CliOptions& options, std::ostream& messages, std::ostream& progress);

  CalculateInput read() const override { return input_; }
  void apply(const CalculateWrites& writes) override;
  void showMessage(const std::string& title, const std::string& text) override;

  WorkingWindow& openWorkingWindow() override;
  void closeWorkingWindow() override { workingLoaded_ = false; }

  // The caption of a result label as the command left it.
  std::string caption(ResultLabel label) const;

 private:
  void setLabel(WorkingLabel label, const std::string& caption) override { working_[label] = caption; }
  void repaintNow() override;

  CalculateInput input_;
  std::map<ResultLabel, std::string> captions_;
  std::map<WorkingLabel, std::string> working_;
  bool workingLoaded_ = false;
  std::ostream& messages_;
  std::ostream& progress_;
};

}  // namespace quorvane::cli
