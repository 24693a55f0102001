#include "plan_window/table_form_description.h"

#include <algorithm>
#include <vector>

#include "command/result_tables.h"

namespace quorvane::table_form {

using ui::Control;
using ui::kClientArea;

namespace {

constexpr int kMargin = 120;
// Beside the columns: the table's borders and a vertical scroll bar.
constexpr int kTableChrome = 420;
constexpr int kTableHeight = 4335;  // the heading and about fifteen rows
constexpr int kMessageHeight = 495;
constexpr int kButtonWidth = 1000;
constexpr int kButtonHeight = 375;
constexpr int kGap = 120;

// The width of each column of the command's table, in twips (numbers need less than text).
std::vector<ui::TableColumnDescription> Columns(const std::vector<ResultColumn>& columns,
                                                const std::vector<int>& widths) {
  std::vector<ui::TableColumnDescription> described;
  for (std::size_t i = 0; i < columns.size(); ++i)
    described.push_back({columns[i].caption, widths[i], !columns[i].text});
  return described;
}

ui::WindowDescription Make(const char* name, const char* caption, std::vector<ui::TableColumnDescription> columns) {
  ui::WindowDescription w;
  w.name = name;
  w.caption = caption;
  w.border = ui::Border::Sizable;
  w.heightOnly = true;
  w.programIcon = true;
  w.startCentred = false;  // over the main window
  int columnsWidth = 0;
  for (const ui::TableColumnDescription& c : columns) columnsWidth += c.width;
  const int tableWidth = std::max(columnsWidth + kTableChrome, 3 * kButtonWidth + 2 * kGap);
  w.clientWidth = kMargin + tableWidth + kMargin;
  const int messageTop = kMargin + kTableHeight + kGap;
  const int buttonsTop = messageTop + kMessageHeight + kGap;
  w.clientHeight = buttonsTop + kButtonHeight + kMargin;
  w.minClientHeight = w.clientHeight - kTableHeight / 2;
  w.controls = {
      Control(grdRows, kClientArea, "", kMargin, kMargin, tableWidth, kTableHeight, 0)
          .withColumns(std::move(columns))
          .named(caption)
          .growsWithHeight()
          .growsWithWidth(),
      Control(lblMessage, kClientArea, "", kMargin, messageTop, tableWidth, kMessageHeight, 4)
          .keepsToBottom()
          .growsWithWidth(),
      Control(cmdCopy, kClientArea, "Copy", kMargin, buttonsTop, kButtonWidth, kButtonHeight, 1).keepsToBottom(),
      Control(cmdSave, kClientArea, "Save...", kMargin + kButtonWidth + kGap, buttonsTop, kButtonWidth, kButtonHeight,
              2)
          .keepsToBottom(),
      Control(cmdClose, kClientArea, "Close", kMargin + tableWidth - kButtonWidth, buttonsTop, kButtonWidth,
              kButtonHeight, 3)
          .cancelButton()
          .keepsToBottom()
          .keepsToRight(),
  };
  return w;
}

}  // namespace

const ui::WindowDescription& PlanDescription() {
  static const ui::WindowDescription description = Make("frmPlan", "Plan", Columns(PlanColumns(), {1000, 1600, 1500}));
  return description;
}

const ui::WindowDescription& CompareDescription() {
  static const ui::WindowDescription description = [] {
    std::vector<ui::TableColumnDescription> columns = Columns(ComparisonColumns(), {1200, 700, 1400, 1200, 1200, 1200});
    columns.push_back({kMessageColumnCaption, 3900, false});
    return Make("frmCompare", "Compare", std::move(columns));
  }();
  return description;
}

const ui::WindowDescription& HandInsDescription() {
  static const ui::WindowDescription description =
      Make("frmHandIns", "Hand-ins", Columns(StepsColumns(), {800, 1000, 1100, 1300, 1500, 1100, 1000, 1500}));
  return description;
}

}  // namespace quorvane::table_form
