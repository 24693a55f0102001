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
#include <QStyle>
#include <QThread>
#include <QWindow>

#include <algorithm>
#include <utility>
#include <limits>
#include <map>

#include "toolkit/font_fit.h"
#include "toolkit/qt/accessibility.h"
#include "toolkit/qt/buttons.h"
#include "toolkit/qt/caption_label.h"
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

  const QSize client(TwipsToPixels(description_.clientWidth), TwipsToPixels(description_.clientHeight));
  if (description_.border == Border::Sizable)
    resize(client), limitSize(client);
  else
    setFixedSize(client);

  // No icon in the title bar where the description asks for none, not even the program's
  // default one.
  setWindowIcon(description_.programIcon ? ProgramIcon() : QIcon());

  const auto& rows = description_.controls;
  widgets_.resize(rows.size(), nullptr);
  std::map<std::string, QWidget*> byName;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ControlDescription& c = rows[i];
    QWidget* parent = c.container.empty() ? this : byName.at(c.container);
    QWidget* w = makeControl(c, parent, static_cast<int>(i));
    w->setObjectName(Q(c.name));
    // Keys reach the window layer before the control sees them.
    w->installEventFilter(this);
    widgets_[i] = w;
    byName[c.name] = w;
  }
  installEventFilter(this);
  // Labels, lines and pictures are drawn beneath the windowed controls that share their place
  // (a text box covers the label under it).
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows[i].kind == ControlKind::Label || rows[i].kind == ControlKind::Line) widgets_[i]->lower();
}

QtWindow::~QtWindow() = default;

int QtWindow::indexOf(const QWidget* widget) const {
  const auto it = std::find(widgets_.begin(), widgets_.end(), widget);
  return it == widgets_.end() ? -1 : static_cast<int>(it - widgets_.begin());
}

QWidget* QtWindow::makeControl(const ControlDescription& c, QWidget* parent, int index) {
  QWidget* w = nullptr;

  switch (c.kind) {
    case ControlKind::Frame: {
      auto* g = new QGroupBox(parent);
      ReadFrameByItsCaption(g);  // before the caption makes the frame known to screen readers
      g->setTitle(Q(c.caption));
      w = g;
      break;
    }
    case ControlKind::Label: {
      Qt::Alignment a = Qt::AlignTop;
      a |= c.align == Alignment::Centre  ? Qt::AlignHCenter
           : c.align == Alignment::Right ? Qt::AlignRight
                                         : Qt::AlignLeft;
      auto* l = new CaptionLabel(Q(c.caption), a, parent);
      ReadLabelByItsCaption(l);
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
      connect(b, &QAbstractButton::toggled, this, [this, index](bool on) {
        if (on && quiet_ == 0) events_.userChanged(index, 1);
      });
      w = b;
      break;
    }
    case ControlKind::CommandButton: {
      auto* b = new QPushButton(Q(c.caption), parent);
      b->setAutoDefault(false);
      b->setDefault(c.isDefault);  // drawn as the default button; Enter is the layer's
      connect(b, &QAbstractButton::clicked, this, [this, index] { events_.userPressed(index); });
      w = b;
      break;
    }
    case ControlKind::PictureBox: {
      auto* l = new QLabel(parent);
      l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      l->setAlignment(Qt::AlignCenter);
      if (c.picture == Picture::ProgramIcon) l->setPixmap(ProgramIcon().pixmap(32, 32));
      w = l;
      break;
    }
    case ControlKind::Table: w = makeTable(c, parent); break;
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

  w->setFocusPolicy(IsFocusable(c.kind) ? Qt::StrongFocus : Qt::NoFocus);

  if (!c.accessibleName.empty()) w->setAccessibleName(Q(c.accessibleName));
  if (!c.visible) w->hide();
  return w;
}

namespace {

// Whether the caption, in `font`, fits the control's widget as it draws it.
bool CaptionFits(QWidget* w, const QString& caption, const QFont& font) {
  const QFontMetrics fm(font);
  if (auto* push = qobject_cast<QPushButton*>(w)) {
    const int margin = push->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, push);
    return fm.horizontalAdvance(QString(caption).remove(QLatin1Char('&'))) + margin <= w->width() &&
           fm.height() <= w->height();
  }
  if (qobject_cast<QGroupBox*>(w)) return fm.horizontalAdvance(caption) + 8 <= w->width();
  auto* button = qobject_cast<QAbstractButton*>(w);
  const int width = w->width() - (button ? IndicatorWidth(button) : 0);
  const QRect drawn = fm.boundingRect(QRect(0, 0, std::max(1, width), 100000), Qt::TextWordWrap, caption);
  // One line needs only its width (a large font's leading may reach past a low label); lines that
  // wrap need their height too.
  const bool oneLine = drawn.height() < fm.height() + fm.lineSpacing();
  return drawn.width() <= width && (oneLine || drawn.height() <= w->height());
}

}  // namespace

void QtWindow::applyFonts() {
  const std::vector<FontUse> uses = FontsInUse(description_);
  for (std::size_t u = 0; u < uses.size(); ++u) {
    const FontUse& use = uses[u];
    const int nominal = PointsToPixels(use.font.points);
    int pixels = nominal;
    // A face that stands in for the look-alike is set in the largest size, at most a quarter
    // smaller, in which every caption of this font fits its control.
    if (IsStandIn(FaceFont(use.font, nominal))) {
      pixels = FittedPixels(description_, use, nominal,
                            [&](const ControlDescription& c, const std::string& caption, int px) {
                              const auto row = static_cast<std::size_t>(&c - description_.controls.data());
                              return CaptionFits(widgets_[row], Q(caption), FaceFont(use.font, px));
                            });
    }
    const QFont font = FaceFont(use.font, pixels);
    if (u == 0) setFont(font);  // the window's own
    for (int row : use.controls) widgets_[static_cast<std::size_t>(row)]->setFont(font);
  }
}

void QtWindow::place(const std::vector<ControlPlace>& places) {
  // Each widget lies in its container's widget.
  for (std::size_t i = 0; i < places.size() && i < widgets_.size(); ++i) {
    const PixelRect r = ToPixels(places[i].inContainer);
    widgets_[i]->setGeometry(r.left, r.top, r.width, r.height);
  }
  // The fonts are fitted to the controls' sizes, once they have them.
  if (!std::exchange(fontsFitted_, true)) applyFonts();
}

void QtWindow::setWindowCaption(const std::string& caption) { setWindowTitle(Q(caption)); }

void QtWindow::setCaption(int control, const std::string& caption) {
  QWidget* w = controlWidget(control);
  const QString text = Q(caption);
  if (auto* l = qobject_cast<CaptionLabel*>(w)) {
    // What changes on the screen: the label has marked it for painting.
    const QRegion changed = l->setText(text);
    if (!changed.isEmpty() && l->isVisible()) changed_ += changed.translated(l->mapTo(this, QPoint(0, 0)));
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

void QtWindow::setShown(int control, bool shown) { controlWidget(control)->setVisible(shown); }

void QtWindow::setLocked(int control, bool locked) {
  if (auto* e = qobject_cast<QLineEdit*>(controlWidget(control))) e->setReadOnly(locked);
}

void QtWindow::setFocus(int control) {
  // As the keyboard moves it: the window then draws where the focus is (a focus frame shows only
  // after a focus change by the keyboard).
  if (control >= 0) controlWidget(control)->setFocus(Qt::TabFocusReason);
}

int QtWindow::focused() const { return indexOf(focusWidget()); }

void QtWindow::selectAll(int control) {
  if (auto* e = qobject_cast<QLineEdit*>(controlWidget(control))) e->selectAll();
}

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

void QtWindow::repaintNow() {
  // Painting the labels whose captions changed brings every caption set so far to the screen,
  // even while the user-interface thread is busy and processes no events; the rest of the window
  // is on the screen already.
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
    case QEvent::Close: return true;
    default: return false;
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
  // Only where a key did not reach the filter: the layer's tab order all the same.
  KeyEvent key;
  key.key = Key::Tab;
  key.shift = !next;
  return events_.userKey(key);
}

namespace {

// The key as the window layer takes it; false for keys it has no rule for.
bool NeutralKey(const QKeyEvent* e, KeyEvent& key) {
  const Qt::KeyboardModifiers m = e->modifiers();
  key.shift = m.testFlag(Qt::ShiftModifier);
  key.control = m.testFlag(Qt::ControlModifier) || m.testFlag(Qt::MetaModifier);
  key.alt = m.testFlag(Qt::AltModifier);
  const int k = e->key();
  switch (k) {
    case Qt::Key_Tab: key.key = Key::Tab; return true;
    case Qt::Key_Backtab: key.key = Key::Tab, key.shift = true; return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: key.key = Key::Enter; return true;
    case Qt::Key_Escape: key.key = Key::Escape; return true;
    case Qt::Key_Left: key.key = Key::Left; return true;
    case Qt::Key_Right: key.key = Key::Right; return true;
    case Qt::Key_Up: key.key = Key::Up; return true;
    case Qt::Key_Down: key.key = Key::Down; return true;
    case Qt::Key_F10: key.key = Key::Function10; return true;
    case Qt::Key_Menu: key.key = Key::Menu; return true;
    default: break;
  }
  key.key = Key::Character;
  if (k >= Qt::Key_A && k <= Qt::Key_Z)
    key.character = static_cast<char>('a' + (k - Qt::Key_A));
  else if (k >= Qt::Key_0 && k <= Qt::Key_9)
    key.character = static_cast<char>('0' + (k - Qt::Key_0));
  return key.character != 0;
}

}  // namespace

bool QtWindow::eventFilter(QObject* target, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::ContextMenu) return askForMenu(target, event) || QWidget::eventFilter(target, event);
  if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) return QWidget::eventFilter(target, event);
  auto* e = static_cast<QKeyEvent*>(event);
  KeyEvent key;
  if (!NeutralKey(e, key)) return QWidget::eventFilter(target, event);
  // With Ctrl, the control's own shortcut (a text box's Copy) keeps the key until the layer has
  // said, at the key press, that it does not take it.
  if (type == QEvent::ShortcutOverride && key.control) return QWidget::eventFilter(target, event);
  if (type == QEvent::ShortcutOverride) {
    // No shortcut of Qt's own (a button's mnemonic) takes a key that the layer may take: it
    // comes as a key press.
    e->accept();
    return true;
  }
  // The Menu key comes twice on some platforms, as a request for a menu and as a key.
  if (key.key == Key::Menu && std::exchange(menuKeyTaken_, false)) return true;
  if (events_.userKey(key)) {
    if (key.key == Key::Menu) menuKeyTaken_ = true;
    return true;
  }
  return QWidget::eventFilter(target, event);
}

void QtWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (event->isAccepted()) events_.closedByUser();
}

}  // namespace quorvane::ui::qt
