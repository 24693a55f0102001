#include "toolkit/qt/window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegion>
#include <QScreen>
#include <QShortcut>
#include <QThread>
#include <QWindow>

#include <algorithm>
#include <utility>
#include <limits>
#include <map>

#include "toolkit/qt/accessibility.h"
#include "toolkit/qt/buttons.h"
#include "toolkit/qt/fonts.h"
#include "toolkit/qt/message_box.h"
#include "toolkit/qt/program_icon.h"

namespace quorvane::ui::qt {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// How long showNow waits at most for the window system to put a new window on the screen.
constexpr qint64 kExposeWaitMs = 1000;

class QuietChanges {
 public:
  explicit QuietChanges(int& counter) : counter_(counter) { ++counter_; }
  ~QuietChanges() { --counter_; }
  QuietChanges(const QuietChanges&) = delete;
  QuietChanges& operator=(const QuietChanges&) = delete;

 private:
  int& counter_;
};

// Where a label draws a caption, in its window's coordinates, with a pixel to spare around it for
// antialiasing and slanted letters.
QRect CaptionRect(const QLabel* label, const QString& caption) {
  if (caption.isEmpty() || !label->isVisible()) return QRect();
  const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
  const QRect drawn = QFontMetrics(label->font()).boundingRect(label->contentsRect(), flags, caption);
  const QRect area = drawn.adjusted(-2, -2, 2, 2).intersected(label->rect());
  return QRect(label->mapTo(label->window(), area.topLeft()), area.size());
}

QPoint ScreenOrigin(const QWidget* w) { return w->screen() ? w->screen()->geometry().topLeft() : QPoint(); }

}  // namespace

int IndicatorWidth(const QAbstractButton* b) {
  QStyleOptionButton opt;
  opt.initFrom(b);
  const bool radio = qobject_cast<const QRadioButton*>(b) != nullptr;
  const QStyle* s = b->style();
  return s->pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth, &opt, b) +
         s->pixelMetric(radio ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing, &opt, b);
}

QtWindow::QtWindow(const WindowDescription& description, PeerEvents& events)
    : QWidget(nullptr, Qt::Window), description_(description), events_(events) {
  setObjectName(Q(description_.name));
  setWindowTitle(Q(description_.caption));

  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
  if (description_.border != Border::Sizable) flags |= Qt::MSWindowsFixedSizeDialogHint;
  setWindowFlags(flags);

  setFont(description_.font.isDefault() ? DialogFont() : ResolveFont(description_.font, DialogFont()));

  const QSize client(TwipsToPixels(description_.clientWidth), TwipsToPixels(description_.clientHeight));
  if (description_.border == Border::Sizable)
    resize(client);
  else
    setFixedSize(client);

  // No icon in the title bar where the description asks for none, not even the program's
  // default one.
  setWindowIcon(description_.programIcon ? programIcon() : QIcon());

  const auto& rows = description_.controls;
  widgets_.resize(rows.size(), nullptr);
  hiddenCaptions_.resize(rows.size());
  captionHidden_.resize(rows.size(), false);
  std::map<std::string, QWidget*> byName;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ControlDescription& c = rows[i];
    QWidget* parent = c.container.empty() ? this : byName.at(c.container);
    QWidget* w = makeControl(c, parent, static_cast<int>(i));
    w->setObjectName(Q(c.name));
    widgets_[i] = w;
    byName[c.name] = w;
  }
  // Labels, lines and pictures are drawn beneath the windowed controls that share their place
  // (a text box covers the label under it).
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows[i].kind == ControlKind::Label || rows[i].kind == ControlKind::Line) widgets_[i]->lower();
  // Qt's own tab chain follows the tab indices too; the walk itself is the neutral layer's.
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (IsFocusable(rows[i].kind)) order.push_back(i);
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return rows[a].tabIndex < rows[b].tabIndex; });
  for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(widgets_[order[i - 1]], widgets_[order[i]]);
}

QtWindow::~QtWindow() = default;

int QtWindow::indexOf(const QWidget* widget) const {
  const auto it = std::find(widgets_.begin(), widgets_.end(), widget);
  return it == widgets_.end() ? -1 : static_cast<int>(it - widgets_.begin());
}

QWidget* QtWindow::makeControl(const ControlDescription& c, QWidget* parent, int index) {
  QWidget* w = nullptr;
  const QFont font = ResolveFont(c.font, parent->font());

  switch (c.kind) {
    case ControlKind::Frame: {
      auto* g = new QGroupBox(parent);
      ReadFrameByItsCaption(g);  // before the caption makes the frame known to screen readers
      g->setTitle(Q(c.caption));
      w = g;
      break;
    }
    case ControlKind::Label: {
      auto* l = new QLabel(Q(c.caption), parent);
      ReadLabelByItsCaption(l);
      l->setTextFormat(Qt::PlainText);
      l->setWordWrap(true);
      Qt::Alignment a = Qt::AlignTop;
      a |= c.align == Alignment::Centre ? Qt::AlignHCenter : c.align == Alignment::Right ? Qt::AlignRight : Qt::AlignLeft;
      l->setAlignment(a);
      if (c.colour.set) {
        QPalette palette = l->palette();
        palette.setColor(QPalette::WindowText, QColor(c.colour.red, c.colour.green, c.colour.blue));
        l->setPalette(palette);
      }
      w = l;
      break;
    }
    case ControlKind::TextBox: {
      auto* e = new QLineEdit(Q(c.caption), parent);
      e->setMaxLength(std::numeric_limits<int>::max());
      e->setCursorPosition(0);
      w = e;
      break;
    }
    case ControlKind::CheckBox: {
      auto* b = new WrappingButton<QCheckBox>(Q(c.caption), parent);
      b->setCheckState(c.value == 1 ? Qt::Checked : c.value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
      connect(b, &QAbstractButton::toggled, this, [this, b, index] {
        if (quiet_ == 0) events_.userChanged(index, b->checkState() == Qt::Checked ? 1 : 0);
      });
      w = b;
      break;
    }
    case ControlKind::OptionButton: {
      auto* b = new WrappingButton<QRadioButton>(Q(c.caption), parent);
      // Option buttons of one container form one exclusive group, and only those.
      QButtonGroup* group = parent->findChild<QButtonGroup*>(QString(), Qt::FindDirectChildrenOnly);
      if (!group) {
        group = new QButtonGroup(parent);
        group->setExclusive(true);
      }
      group->addButton(b);
      b->setChecked(c.value != 0);
      connect(b, &QAbstractButton::toggled, this, [this, index](bool on) {
        if (on && quiet_ == 0) events_.userChanged(index, 1);
      });
      w = b;
      break;
    }
    case ControlKind::CommandButton: {
      auto* b = new QPushButton(Q(c.caption), parent);
      b->setAutoDefault(false);
      connect(b, &QAbstractButton::clicked, this, [this, index] { events_.userPressed(index); });
      if (c.isDefault) {
        // Enter presses the button that has the focus, and the default button otherwise.
        b->setDefault(true);
        for (int key : {Qt::Key_Return, Qt::Key_Enter}) {
          connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this, [this, b] {
            auto* focusedButton = qobject_cast<QPushButton*>(QApplication::focusWidget());
            (focusedButton != nullptr && focusedButton->window() == this ? focusedButton : b)->click();
          });
        }
      }
      if (c.isCancel)
        connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, b, &QAbstractButton::click);
      w = b;
      break;
    }
    case ControlKind::PictureBox: {
      auto* l = new QLabel(parent);
      l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      l->setAlignment(Qt::AlignCenter);
      const QIcon icon = programIcon();
      if (!icon.isNull()) l->setPixmap(icon.pixmap(32, 32));
      w = l;
      break;
    }
    case ControlKind::Line: {
      auto* f = new QFrame(parent);
      f->setAutoFillBackground(true);
      QPalette p = f->palette();
      p.setColor(QPalette::Window, QColor(c.colour.red, c.colour.green, c.colour.blue));
      f->setPalette(p);
      w = f;
      break;
    }
  }

  if (!c.font.isDefault()) w->setFont(font);
  if (c.kind == ControlKind::Line) {
    const bool vertical = c.width < c.height;
    w->setGeometry(TwipsToPixels(c.left), TwipsToPixels(c.top),
                   vertical ? c.lineWidth : std::max(1, TwipsToPixels(c.width)),
                   vertical ? std::max(1, TwipsToPixels(c.height)) : c.lineWidth);
  } else {
    w->setGeometry(TwipsToPixels(c.left), TwipsToPixels(c.top), TwipsToPixels(c.width), TwipsToPixels(c.height));
  }
  w->setFocusPolicy(IsFocusable(c.kind) ? Qt::StrongFocus : Qt::NoFocus);

  if (auto* b = qobject_cast<QAbstractButton*>(w); b && !qobject_cast<QPushButton*>(w)) {
    // A button too narrow for any of its caption shows only its indicator; it keeps the caption.
    const int room = w->width() - IndicatorWidth(b);
    const QString caption = Q(c.caption);
    if (!caption.isEmpty() && room < QFontMetrics(w->font()).horizontalAdvance(caption.at(0))) {
      b->setText(QString());
      captionHidden_[static_cast<std::size_t>(index)] = true;
    }
  }
  if (!c.accessibleName.empty()) w->setAccessibleName(Q(c.accessibleName));
  if (!c.visible) w->hide();
  return w;
}

void QtWindow::setWindowCaption(const std::string& caption) { setWindowTitle(Q(caption)); }

void QtWindow::setCaption(int control, const std::string& caption) {
  if (captionHidden_[static_cast<std::size_t>(control)]) return;
  QWidget* w = controlWidget(control);
  const QString text = Q(caption);
  if (auto* l = qobject_cast<QLabel*>(w)) {
    if (l->text() == text) return;
    // What changes on the screen: where the old caption was drawn and where the new one goes.
    const QRect before = CaptionRect(l, l->text());
    l->setText(text);
    changed_ += before.united(CaptionRect(l, text));
    return;
  } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
    if (b->text() == text) return;
    b->setText(text);
  } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
    if (g->title() == text) return;
    g->setTitle(text);
  } else {
    return;
  }
  changed_ += QRect(w->mapTo(this, QPoint(0, 0)), w->size());
}

std::string QtWindow::text(int control) const {
  auto* e = qobject_cast<QLineEdit*>(controlWidget(control));
  return e ? e->text().toStdString() : std::string();
}

void QtWindow::setText(int control, const std::string& text) {
  if (auto* e = qobject_cast<QLineEdit*>(controlWidget(control))) e->setText(Q(text));
}

void QtWindow::setValue(int control, int value) {
  QuietChanges quiet(quiet_);
  QWidget* w = controlWidget(control);
  if (auto* r = qobject_cast<QRadioButton*>(w)) {
    if (r->isChecked() == (value != 0)) return;
    if (value != 0) {
      r->setChecked(true);  // the group clears its other members
    } else {
      // An exclusive group refuses to clear its selected member; open the group for this change.
      QButtonGroup* group = r->group();
      if (group) group->setExclusive(false);
      r->setChecked(false);
      if (group) group->setExclusive(true);
    }
  } else if (auto* c = qobject_cast<QCheckBox*>(w)) {
    const Qt::CheckState state = value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
    if (state == Qt::PartiallyChecked) c->setTristate(true);
    c->setCheckState(state);
  }
}

void QtWindow::setVisible(int control, bool visible) { controlWidget(control)->setVisible(visible); }

void QtWindow::setLocked(int control, bool locked) {
  if (auto* e = qobject_cast<QLineEdit*>(controlWidget(control))) e->setReadOnly(locked);
}

void QtWindow::setFocus(int control) {
  if (control >= 0) controlWidget(control)->setFocus(Qt::OtherFocusReason);
}

int QtWindow::focused() const { return indexOf(focusWidget()); }

void QtWindow::realize() { create(); }

void QtWindow::show() {
  if (isVisible()) {
    // Shown already: to the front, as it is.
    raise();
    activateWindow();
  } else {
    QWidget::show();
  }
}

void QtWindow::showNow() {
  show();
  // A freshly shown window is on the screen only once the window system has mapped and exposed
  // it, which it reports through events. Handle those events (never user input) until it is.
  QElapsedTimer waited;
  waited.start();
  while (!(windowHandle() && windowHandle()->isExposed()) && waited.elapsed() < kExposeWaitMs) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (!(windowHandle() && windowHandle()->isExposed())) QThread::msleep(1);
  }
  repaint();
}

void QtWindow::hide() { QWidget::hide(); }

bool QtWindow::isShown() const { return isVisible(); }

void QtWindow::close() { QWidget::close(); }

void QtWindow::repaintNow(int control) {
  // Painting the labels whose captions changed brings every caption set so far to the screen,
  // even while the user-interface thread is busy and processes no events; the rest of the window
  // is on the screen already.
  (void)control;  // the changes themselves say what to paint
  const QRegion region = std::exchange(changed_, QRegion());
  // One repaint of all of them: one trip to the window system.
  if (!region.isEmpty()) repaint(region);
}

namespace {

// Events the user makes: dropped while a busy window only looks for a request to stop.
bool IsUserInput(QEvent::Type t) {
  switch (t) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::InputMethod:
    case QEvent::Close:
      return true;
    default:
      return false;
  }
}

class StopFilter : public QObject {
 public:
  explicit StopFilter(QWidget* window) : window_(window) {}
  bool stop = false;

 protected:
  bool eventFilter(QObject* target, QEvent* event) override {
    if (!IsUserInput(event->type())) return false;
    const bool ours = target == window_ || target == window_->windowHandle() ||
                      (target->isWidgetType() && static_cast<QWidget*>(target)->window() == window_);
    if (ours && event->type() == QEvent::Close) stop = true;
    if (ours && event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
      stop = true;
    event->ignore();  // a close that is not accepted leaves the window open
    return true;
  }

 private:
  QWidget* window_;
};

}  // namespace

bool QtWindow::pollStopRequest() {
  StopFilter filter(this);
  QCoreApplication::instance()->installEventFilter(&filter);
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  QCoreApplication::instance()->removeEventFilter(&filter);
  return filter.stop;
}

double QtWindow::clientWidthTwips() const { return PixelsToTwips(width()); }

double QtWindow::clientHeightTwips() const { return PixelsToTwips(height()); }

void QtWindow::setClientWidthTwips(double twips) {
  const int client = std::max(1, TwipsToPixels(twips));
  if (description_.border == Border::Sizable)
    resize(client, height());
  else
    setFixedSize(client, height());
}

double QtWindow::frameHeightTwips() const {
  const int frame = frameGeometry().height() - geometry().height();
  return frame > 0 ? PixelsToTwips(frame) : 0.0;
}

double QtWindow::leftTwips() const { return PixelsToTwips(frameGeometry().left() - ScreenOrigin(this).x()); }

double QtWindow::topTwips() const { return PixelsToTwips(frameGeometry().top() - ScreenOrigin(this).y()); }

void QtWindow::moveTwips(double left, double top) {
  move(ScreenOrigin(this) + QPoint(TwipsToPixels(left), TwipsToPixels(top)));
}

TwipSize QtWindow::screenSizeTwips() const {
  const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!s) return TwipSize{};
  return TwipSize{PixelsToTwips(s->geometry().width()), PixelsToTwips(s->geometry().height())};
}

void QtWindow::messageBox(const std::string& title, const std::string& text) {
  ShowMessageBox(this, Q(title), Q(text));
}

bool QtWindow::focusNextPrevChild(bool next) {
  const int current = indexOf(focusWidget());
  if (current < 0) return QWidget::focusNextPrevChild(next);
  const int target = events_.nextTabStop(current, next);
  if (target < 0) return false;
  controlWidget(target)->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  return true;
}

void QtWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (event->isAccepted()) events_.closedByUser();
}

}  // namespace quorvane::ui::qt
