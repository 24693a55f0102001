#include "plan_window/table_form.h"

#include "plan_window/table_form_description.h"

namespace quorvane {

namespace tf = table_form;

namespace {

// What the windows say and offer.
constexpr char kCsvFilter[] = "CSV files";
constexpr char kCsvExtension[] = "csv";
constexpr char kNotWrittenIntro[] = "The file ";
constexpr char kNotWrittenEnding[] = " could not be written.";

}  // namespace

TableForm::TableForm(const ui::WindowDescription& description, std::string saveTitle, std::string fileName)
    : Form(description),
      rows_(ui::Find(*this, tf::grdRows)),
      message_(ui::Find(*this, tf::lblMessage)),
      saveTitle_(std::move(saveTitle)),
      fileName_(std::move(fileName)) {
  ui::Find(*this, tf::cmdCopy).onClick([this] { cmdCopy_Click(); });
  ui::Find(*this, tf::cmdSave).onClick([this] { cmdSave_Click(); });
  ui::Find(*this, tf::cmdClose).onClick([this] { cmdClose_Click(); });
}

void TableForm::showTable(ResultTable table, const std::string& message, const ui::Form& over) {
  table_ = std::move(table);
  rows_.setRows(ShownCells(table_));
  message_.setCaption(message);
  showCentredOver(over);
}

void TableForm::cmdCopy_Click() { ui::SetClipboardText(TabSeparatedText(table_)); }

void TableForm::cmdSave_Click() {
  const ui::SaveResult saved = saveFile({saveTitle_, fileName_, kCsvFilter, kCsvExtension, CsvText(table_)});
  if (saved.outcome == ui::SaveOutcome::Failed) messageBox(kNotWrittenIntro + saved.path + kNotWrittenEnding);
}

PlanForm::PlanForm() : TableForm(tf::PlanDescription(), "Save Plan", "plan.csv") {}

CompareForm::CompareForm() : TableForm(tf::CompareDescription(), "Save Comparison", "compare.csv") {}

HandInsForm::HandInsForm() : TableForm(tf::HandInsDescription(), "Save Hand-ins", "hand-ins.csv") {}

}  // namespace quorvane
