#pragma once

// What the Calculate command needs of the window it runs in: the fields it reads once at the start
// of a press, the writes it hands back at the points where they become visible, its message
// boxes, and the Working window that the search drives.

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "command/view_fields.h"

namespace quorvane {

// The main window's fields as a press reads them, each named by what it means.
struct CalculateInput {
  // The text boxes.
  std::string xp, level, scalps, targetLevel, updateInterval;
  // The check boxes: 0 unticked, 1 ticked, 2 greyed.
  int sellMaces = 0, searchTarget = 0, updateAtInterval = 0, hideWorkingWindow = 0;
  // The selected member of each option group; -1 when none is.
  int questPart = -1, side = -1, entry = -1, zeroLeft = -1;
  // The counts of the items owned as typed, in the order of kOwnedItems; empty counts as 0.
  std::array<std::string, kOwnedItemCount> itemsOwned;

  // The same fields by the controls' names in C++.
  std::string& text(TextField field);
  const std::string& text(TextField field) const;
  int& check(CheckField box);
  int check(CheckField box) const;
  int& selected(OptionGroup group);
  int selected(OptionGroup group) const;
  std::string& owned(OwnedItem item) { return itemsOwned[static_cast<std::size_t>(item)]; }
  const std::string& owned(OwnedItem item) const { return itemsOwned[static_cast<std::size_t>(item)]; }
};

// What a press writes into the main window, in order: the fields it sets, then the result labels'
// captions. Each field and each label appears once, with the last text written to it.
struct CalculateWrites {
  std::vector<std::pair<TextField, std::string>> texts;
  std::vector<std::pair<ResultLabel, std::string>> captions;

  void setText(TextField field, const std::string& text);
  void setCaption(ResultLabel label, const std::string& caption);
  bool empty() const { return texts.empty() && captions.empty(); }
};

// The Working window as the search drives it while it is open.
class WorkingWindow {
 public:
  virtual ~WorkingWindow() = default;
  virtual void setLabel(WorkingLabel label, const std::string& caption) = 0;
  // Brings the captions set so far to the screen at once.
  virtual void repaintNow() = 0;
  // Whether the user asked the running search to stop (the close box or Esc): handles what the
  // user did meanwhile without running any handler.
  virtual bool stopRequested() { return false; }
};

// The window a press runs in. The main window implements it on its controls; tests and the
// command-line front end implement it on plain values.
class CalculateView {
 public:
  virtual ~CalculateView() = default;

  // The fields, read once at the start of a press.
  virtual CalculateInput read() const = 0;
  // Writes the fields and captions, in order.
  virtual void apply(const CalculateWrites& writes) = 0;
  // A modal message box with an OK button; returns when it is closed.
  virtual void showMessage(const std::string& title, const std::string& text) = 0;
  // The Working window: loads it if needed, shows it without owner and repaints it at once.
  virtual WorkingWindow& openWorkingWindow() = 0;
  virtual void closeWorkingWindow() = 0;
};

}  // namespace quorvane
