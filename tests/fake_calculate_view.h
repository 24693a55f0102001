#pragma once

#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "command/calculate_command.h"
#include "main_window/main_form_description.h"
#include "working_window/working_form_description.h"

namespace quorvane {

// The main window's controls as plain values, in the state its description starts them in, with a
// log of everything the command shows. Qt-free: the fuzz targets use it too.
class FakeCalculateView : public CalculateView, public WorkingWindow {
 public:
  FakeCalculateView() {
    const MainFormStartState& start = main_form::StartState();
    texts = start.texts;
    checks = start.checks;
    for (const auto& [group, selected] : start.selected)
      if (selected >= 0) options[{group, selected}] = true;
    captions = start.captions;
    working = working_form::StartCaptions();
  }

  // Selects one member of an option group, clearing the others.
  void select(OptionGroup group, int index) {
    for (int i = 0; i < 5; ++i) options[{group, i}] = false;
    if (index >= 0) options[{group, index}] = true;
  }
  std::string caption(ResultLabel l) const {
    const auto it = captions.find(l);
    return it == captions.end() ? std::string() : it->second;
  }

  std::string text(TextField f) const { return texts.count(f) ? texts.at(f) : std::string(); }
  int checkValue(CheckField c) const { return checks.count(c) ? checks.at(c) : 0; }
  bool optionSelected(OptionGroup g, int i) const {
    const auto it = options.find({g, i});
    return it != options.end() && it->second;
  }
  CalculateInput read() const override {
    CalculateInput in;
    for (TextField f : kTextFields) in.text(f) = text(f);
    for (CheckField c : kCheckFields) in.check(c) = checkValue(c);
    for (const auto& [member, on] : options)  // the first selected member of each group
      if (on && in.selected(member.first) < 0) in.selected(member.first) = member.second;
    in.itemsOwned = itemsOwned;
    return in;
  }
  void apply(const CalculateWrites& w) override {
    for (const auto& [f, t] : w.texts) texts[f] = t;
    for (const auto& [l, c] : w.captions) captions[l] = c;
  }
  void showMessage(const std::string& title, const std::string& text) override { messages.emplace_back(title, text); }
  WorkingWindow& openWorkingWindow() override {
    if (!workingLoaded) working = working_form::StartCaptions();
    workingLoaded = true;
    ++workingOpened;
    if (recordRepaints) repaints.push_back(working);
    return *this;
  }
  void setLabel(WorkingLabel l, const std::string& c) override { working[l] = c; }
  void repaintNow() override {
    ++repaintCount;
    if (recordRepaints) repaints.push_back(working);
  }
  void closeWorkingWindow() override { workingLoaded = false; }

  std::map<TextField, std::string> texts;
  std::map<CheckField, int> checks;
  std::map<std::pair<OptionGroup, int>, bool> options;
  std::map<ResultLabel, std::string> captions;
  std::array<std::string, kOwnedItemCount> itemsOwned;  // as the "Items Owned" window keeps them
  std::map<WorkingLabel, std::string> working;
  std::vector<std::pair<std::string, std::string>> messages;
  // The Working window's captions at every repaint (when recordRepaints), and the repaint count.
  std::vector<std::map<WorkingLabel, std::string>> repaints;
  bool recordRepaints = true;
  long long repaintCount = 0;
  bool workingLoaded = false;
  int workingOpened = 0;
};

}  // namespace quorvane
