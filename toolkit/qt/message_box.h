#pragma once

#include <QString>

class QWidget;

namespace quorvane::ui::qt {

// A modal box with a title, a plain text and an OK button only, no icon; returns after OK.
void ShowMessageBox(QWidget* parent, const QString& title, const QString& text);

}  // namespace quorvane::ui::qt
