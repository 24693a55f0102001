#pragma once

// The main window as written down, and which of its controls the Calculate command's fields are.
// Plain C++ without a window back-end: the window, the command line and the tests read the same
// description.

#include <map>
#include <string>

#include "command/view_fields.h"
#include "main_window/main_form_ids.h"
#include "toolkit/description.h"

namespace quorvane {

// The main window's fields as it starts: the text of each text box, the value of each check box,
// the selected member of each option group (-1 for none) and the caption of each result label.
struct MainFormStartState {
  std::map<TextField, std::string> texts;
  std::map<CheckField, int> checks;
  std::map<OptionGroup, int> selected;
  std::map<ResultLabel, std::string> captions;
};

namespace main_form {

// Every control with its kind, container, name, caption or text, start-up state, position and
// size in twips, and tab index.
const ui::WindowDescription& Description();

// An option button array as the command's option groups name it: its name and its member count.
struct GroupId {
  const char* name;
  int count;
};

// The control of each of the command's fields.
ui::TextBoxId IdOf(TextField field);
ui::CheckBoxId IdOf(CheckField box);
GroupId IdOf(OptionGroup group);
ui::LabelId IdOf(ResultLabel label);

// The heading beside each result label, and its caption as the window shows it with that result
// (the scalps needed share their heading with the scalps owned).
ui::LabelId HeadingOf(ResultLabel label);
std::string Heading(ResultLabel label);

// The order of the results as "Heading: value" lines (quorvane-cli, "Copy Results"): a search's
// scalps needed first, then the labels from the top of the Results frame.
inline constexpr ResultLabel kResultLineOrder[] = {
    ResultLabel::ScalpsNeeded,  ResultLabel::Level,     ResultLabel::ExactXp,    ResultLabel::XpGained,
    ResultLabel::XpToNextLevel, ResultLabel::Gold,      ResultLabel::ScalpsLeft, ResultLabel::MacesLeft,
    ResultLabel::BeltsLeft,     ResultLabel::BooksLeft, ResultLabel::RingsLeft,  ResultLabel::FinalRewards};
// The label of the remainder of each item owned: "Maces remained" to "Rings Remained".
ResultLabel RemainderOf(OwnedItem item);
// One such line: the heading, a blank after one that ends in ':' (else ": "), the value.
std::string ResultLine(ResultLabel label, const std::string& value);

// The fields as the description starts them.
const MainFormStartState& StartState();

}  // namespace main_form
}  // namespace quorvane
