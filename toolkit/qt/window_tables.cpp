// The parts of a Qt window beyond the classic controls: tables, the context menu, the save
// dialog, and the layout of a window that the user makes higher or lower.

#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QResizeEvent>
#include <QTableWidget>
#include <QTimer>

#include <utility>

#include "toolkit/qt/window.h"

namespace quorvane::ui::qt {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

QWidget* QtWindow::makeTable(const ControlDescription& c, QWidget* parent) {
  auto* table = new QTableWidget(parent);
  table->setColumnCount(static_cast<int>(c.columns.size()));
  QStringList headings;
  for (const TableColumnDescription& column : c.columns) headings << Q(column.caption);
  table->setHorizontalHeaderLabels(headings);
  for (std::size_t i = 0; i < c.columns.size(); ++i) {
    table->setColumnWidth(static_cast<int>(i), TwipsToPixels(c.columns[i].width));
    if (QTableWidgetItem* heading = table->horizontalHeaderItem(static_cast<int>(i)))
      heading->setTextAlignment((c.columns[i].rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
  }
  table->horizontalHeader()->setStretchLastSection(true);
  table->verticalHeader()->hide();
  // Read only, a row at a time, the arrow keys moving through it; Tab is the window layer's.
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->setTabKeyNavigation(false);
  table->setWordWrap(false);
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
  return table;
}

void QtWindow::setRows(int control, const std::vector<std::vector<std::string>>& rows) {
  auto* table = qobject_cast<QTableWidget*>(controlWidget(control));
  if (!table) return;
  const auto& columns = description_.controls[static_cast<std::size_t>(control)].columns;
  table->clearContents();
  table->setRowCount(static_cast<int>(rows.size()));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < rows[r].size() && c < columns.size(); ++c) {
      auto* item = new QTableWidgetItem(Q(rows[r][c]));
      item->setTextAlignment((columns[c].rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
      table->setItem(static_cast<int>(r), static_cast<int>(c), item);
    }
  }
  // The keyboard starts at the first row.
  if (!rows.empty()) table->setCurrentCell(0, 0);
  table->scrollToTop();
}

bool QtWindow::hasSelectedText(int control) const {
  auto* edit = qobject_cast<QLineEdit*>(controlWidget(control));
  return edit && edit->hasSelectedText();
}

bool QtWindow::askForMenu(QObject* target, QEvent* event) {
  auto* e = static_cast<QContextMenuEvent*>(event);
  // The Menu key: reported as the key, once, whichever of its request for a menu and the key
  // itself comes first (the window system sends both).
  if (e->reason() == QContextMenuEvent::Keyboard) {
    KeyEvent menuKey;
    menuKey.key = Key::Menu;
    if (!std::exchange(menuKeyTaken_, false)) {
      if (!events_.userKey(menuKey)) return false;
      menuKeyTaken_ = true;
    }
    e->accept();
    return true;
  }
  if (!target->isWidgetType()) return false;
  const QPoint at = static_cast<QWidget*>(target)->mapTo(this, e->pos());
  if (!events_.userAskedForMenu(PixelsToTwips(at.x()), PixelsToTwips(at.y()))) return false;
  e->accept();
  return true;
}

void QtWindow::popUpMenu(const std::vector<MenuEntry>& items, double leftTwips, double topTwips) {
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  for (std::size_t i = 0; i < items.size(); ++i) {
    QAction* action = menu->addAction(Q(items[i].caption));
    if (!items[i].shortcut.empty()) {
      // Shown beside the caption only: the layer takes the key.
      action->setShortcut(QKeySequence(Q(items[i].shortcut)));
      action->setShortcutContext(Qt::WidgetShortcut);
      action->setShortcutVisibleInContextMenu(true);
    }
    const int item = static_cast<int>(i);
    // The choice runs from the event loop, once the menu has gone.
    connect(action, &QAction::triggered, this,
            [this, item] { QTimer::singleShot(0, this, [this, item] { events_.userChoseMenuItem(item); }); });
  }
  // The keyboard starts on the first item.
  menu->popup(mapToGlobal(QPoint(TwipsToPixels(leftTwips), TwipsToPixels(topTwips))));
  if (!menu->actions().isEmpty()) menu->setActiveAction(menu->actions().first());
}

SaveResult QtWindow::saveFile(const SaveRequest& request) {
  const QString extension = Q(request.extension);
  QString path = QFileDialog::getSaveFileName(this, Q(request.title), Q(request.suggestedName),
                                              Q(request.filterName) + " (*." + extension + ")");
  if (path.isEmpty()) return SaveResult{SaveOutcome::Cancelled, {}};
  if (QFileInfo(path).suffix().isEmpty()) path += "." + extension;
  QFile file(path);
  const QByteArray bytes = QByteArray::fromStdString(request.contents);
  const bool written =
      file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() && file.flush();
  file.close();
  return SaveResult{written && file.error() == QFileDevice::NoError ? SaveOutcome::Saved : SaveOutcome::Failed,
                    QDir::toNativeSeparators(path).toStdString()};
}

void QtWindow::limitSize(const QSize& client) {
  if (!description_.heightOnly) return;
  setMinimumSize(client.width(), TwipsToPixels(LeastClientHeight(description_)));
  setMaximumWidth(client.width());
}

void QtWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // The layer places the controls for the new height.
  if (description_.heightOnly) events_.userResized(PixelsToTwips(height()));
}

}  // namespace quorvane::ui::qt
