#pragma once

// The Qt Widgets back-end of the window layer.

#include <string>

class QWidget;

namespace quorvane::ui {
class Form;
class ControlRef;
}  // namespace quorvane::ui

namespace quorvane::ui::qt {

// What the back-end needs settled before the QApplication is made: call it first thing in main.
void BeforeApplication();

// Makes the Qt back-end the one that windows are built with. Needs a QApplication.
void Install();

// The top-level widget of a form built on this back-end, and the widget of one of its controls
// (for tests and for the start-up code).
QWidget* WindowWidget(Form& form);
QWidget* ControlWidget(const ControlRef& control);
QWidget* ControlWidget(Form& form, const std::string& name);

}  // namespace quorvane::ui::qt
