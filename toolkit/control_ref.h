#pragma once

// A control by its row in its form: what the windows' code reads and sets of it, through the
// form's rules. The typed handles of controls.h are made of these.

#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit/description.h"

namespace quorvane::ui {

// A control that a form looked up and its description lacks, or that is of another kind.
class ControlLookupError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

class Form;

// A small handle, cheap to copy. The typed handles of controls.h offer only what their kind has.
class ControlRef {
 public:
  ControlRef() = default;
  ControlRef(Form* form, int index) : form_(form), index_(index) {}

  Form& form() const { return *form_; }
  int index() const { return index_; }
  const ControlDescription& description() const;
  const std::string& name() const { return description().name; }
  ControlKind kind() const { return description().kind; }

  // Caption of labels, buttons, check boxes, option buttons and frames.
  const std::string& caption() const;
  void setCaption(const std::string& caption) const;
  // Text of text boxes.
  std::string text() const;
  void setText(const std::string& text) const;
  // Value of check boxes (0 unticked, 1 ticked, 2 greyed) and option buttons (1 on, 0 off).
  // Setting it follows the dispatch rule.
  int value() const;
  void setValue(int value) const;
  // Visible as the description and the handlers see it: true also while the window is hidden.
  bool visible() const;
  void setVisible(bool visible) const;
  // Locked text boxes keep and show their text, but the user can't change it.
  bool locked() const;
  void setLocked(bool locked) const;
  // Repaints every caption of the control's window set so far, at once (the window's repaint).
  void refresh() const;
  // Rows of tables, one cell per column.
  const std::vector<std::vector<std::string>>& rows() const;
  void setRows(std::vector<std::vector<std::string>> rows) const;

 private:
  Form* form_ = nullptr;
  int index_ = -1;
};

}  // namespace quorvane::ui
