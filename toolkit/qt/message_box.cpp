#include "toolkit/qt/message_box.h"

#include <QAbstractButton>
#include <QIcon>
#include <QMessageBox>

namespace quorvane::ui::qt {

void ShowMessageBox(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);  // a file name in a message is never markup
  box.setDefaultButton(QMessageBox::Ok);
  box.setEscapeButton(QMessageBox::Ok);
  // A plain OK button: some desktop styles decorate standard buttons with an icon.
  box.button(QMessageBox::Ok)->setIcon(QIcon());
  box.exec();
}

}  // namespace quorvane::ui::qt
