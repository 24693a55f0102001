#pragma once

// The Plan, Compare and Hand-ins windows: modeless, one of each (ui::Load gives the loaded one), each a
// table of the rows quorvane-cli prints for the main window's inputs, with "Copy" (the rows
// tab-separated under their headings) and "Save..." (the CSV that --csv prints). Opening one
// again shows the new rows in the same window and brings it to the front.

#include <string>

#include "command/result_tables.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace quorvane {

class TableForm : public ui::Form {
 public:
  // Shows these rows and the message after them (empty for none); the first show centres the
  // window over `over`, a later one brings it to the front as it is.
  void showTable(ResultTable table, const std::string& message, const ui::Form& over);

  const ResultTable& table() const { return table_; }

  void cmdCopy_Click();
  void cmdSave_Click();
  void cmdClose_Click() { close(); }

 protected:
  TableForm(const ui::WindowDescription& description, std::string saveTitle, std::string fileName);

 private:
  ui::Table rows_;
  ui::Label message_;
  ResultTable table_;
  std::string saveTitle_;
  std::string fileName_;
};

// The scalps needed for every level up to the target.
class PlanForm : public TableForm {
 public:
  PlanForm();
};

// The projection of the scalps owned for every way of handing them in.
class CompareForm : public TableForm {
 public:
  CompareForm();
};

// The hand-in steps behind a result, one row per step that hands something in or raises the level.
class HandInsForm : public TableForm {
 public:
  HandInsForm();
};

}  // namespace quorvane
