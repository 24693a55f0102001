#include "main_window/toolkit.h"

#include "about/program_icon.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QShowEvent>
#include <QStyle>
#include <QStyleOption>
#include <QStylePainter>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <type_traits>

namespace quorvane::ui {

int IndicatorWidth(const QAbstractButton* b) {
  QStyleOptionButton opt;
  opt.initFrom(b);
  const bool radio = qobject_cast<const QRadioButton*>(b) != nullptr;
  const QStyle* s = b->style();
  return s->pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth, &opt, b) +
         s->pixelMetric(radio ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing, &opt, b);
}


namespace {

// Free, scalable look-alikes of the classic dialog fonts come with the Debian package fonts-wine.
constexpr const char* kDialogFontFamily = "MS Sans Serif";
constexpr double kDialogFontPoints = 8.25;

// Property that keeps the caption of a button too narrow to show it.
constexpr const char* kHiddenCaption = "quorvaneCaption";

MessageBoxHook& messageHook() {
  static MessageBoxHook hook;
  return hook;
}

ScreenSizeHook& screenHook() {
  static ScreenSizeHook hook;
  return hook;
}

// Points at 96 dpi to logical pixels: the descriptions' fonts keep their size relative to the
// twips layout whatever dpi the desktop reports.
int PointsToPixels(double points) { return std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))); }

// Loads the font files once; gives the family of the first file that loads, empty when none does.
QString LoadFontFamily(std::initializer_list<const char*> files) {
  for (const char* file : files) {
    if (!QFile::exists(QString::fromLatin1(file))) continue;
    const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(file));
    if (id < 0) continue;
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (!families.isEmpty()) return families.first();
  }
  return QString();
}

QString DialogFontFamily() {
  static const QString family = LoadFontFamily(
      {"/usr/share/wine/fonts/ms_sans_serif.ttf", "/usr/share/fonts/truetype/wine/ms_sans_serif.ttf"});
  return family;  // empty when not installed: the toolkit's default sans face serves
}

// The dialog font look-alike has no bold face and is not emboldened well; its bold text is set in
// the bold face of its sister family.
QString DialogBoldFontFamily() {
  static const QString family = [] {
    LoadFontFamily({"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/fonts/truetype/wine/tahoma.ttf"});
    return LoadFontFamily({"/usr/share/wine/fonts/tahomabd.ttf", "/usr/share/fonts/truetype/wine/tahomabd.ttf"});
  }();
  return family;
}

bool IsFocusable(ControlKind kind) {
  switch (kind) {
    case ControlKind::TextBox:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::CommandButton:
    case ControlKind::PictureBox:
      return true;
    default:
      return false;
  }
}

// Check boxes and option buttons whose caption wraps at word boundaries within the button, beside
// an indicator centred in its height; the whole button takes clicks.
template <class Base>
class WrappingButton : public Base {
 public:
  using Base::Base;

 protected:
  static constexpr bool kRadio = std::is_same_v<Base, QRadioButton>;

  void paintEvent(QPaintEvent*) override {
    QStylePainter painter(this);
    QStyleOptionButton opt;
    this->initStyleOption(&opt);
    QStyleOptionButton indicator = opt;
    indicator.rect =
        this->style()->subElementRect(kRadio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &opt, this);
    indicator.rect.moveTop((this->height() - indicator.rect.height()) / 2);
    painter.drawPrimitive(kRadio ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox, indicator);

    QRect focus = indicator.rect;
    if (!this->text().isEmpty()) {
      const QRect textRect = this->rect().adjusted(IndicatorWidth(this), 0, 0, 0);
      const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
      this->style()->drawItemText(&painter, textRect, flags, opt.palette, this->isEnabled(), this->text(),
                                  QPalette::WindowText);
      focus = painter.boundingRect(textRect, flags, this->text()).intersected(this->rect());
    }
    if (this->hasFocus()) {
      QStyleOptionFocusRect fr;
      fr.initFrom(this);
      fr.rect = focus;
      painter.drawPrimitive(QStyle::PE_FrameFocusRect, fr);
    }
  }

  bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
};

class QuietChanges {
 public:
  explicit QuietChanges(int& counter) : counter_(counter) { ++counter_; }
  ~QuietChanges() { --counter_; }
  QuietChanges(const QuietChanges&) = delete;
  QuietChanges& operator=(const QuietChanges&) = delete;

 private:
  int& counter_;
};

}  // namespace

// ---- Units -------------------------------------------------------------------------------------

int TwipsToPixels(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }
double PixelsToTwips(int pixels) { return static_cast<double>(pixels) * kTwipsPerPixel; }

// ---- Descriptions ------------------------------------------------------------------------------

ControlDescription Control(ControlKind kind, QString name, QString container, QString caption, int left, int top,
                    int width, int height, int tabIndex) {
  ControlDescription c;
  c.kind = kind;
  c.name = std::move(name);
  c.container = std::move(container);
  c.caption = std::move(caption);
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
  c.tabIndex = tabIndex;
  return c;
}

ControlDescription Line(QString name, QString container, int x1, int y1, int x2, int y2, QColor colour, int widthPixels) {
  ControlDescription c = Control(ControlKind::Line, std::move(name), std::move(container), QString(), std::min(x1, x2),
                          std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1), -1);
  c.colour = colour;
  c.lineWidth = widthPixels;
  return c;
}

ArrayName SplitArrayName(const QString& name) {
  static const QRegularExpression member(QStringLiteral("^(.+)\\((\\d+)\\)$"));
  const QRegularExpressionMatch m = member.match(name);
  if (!m.hasMatch()) return {name, -1};
  return {m.captured(1), m.captured(2).toInt()};
}

QString MemberName(const QString& arrayName, int index) {
  return QStringLiteral("%1(%2)").arg(arrayName).arg(index);
}

// ---- Fonts, icon -------------------------------------------------------------------------------

QFont DialogFont() {
  const QString family = DialogFontFamily();
  QFont f = family.isEmpty() ? QApplication::font() : QFont(family);
  if (family.isEmpty()) f.setStyleHint(QFont::SansSerif);
  f.setPixelSize(PointsToPixels(kDialogFontPoints));
  f.setBold(false);
  f.setItalic(false);
  return f;
}

QFont ResolveFont(const FontDescription& desc, const QFont& base) {
  QFont f = base;
  if (!desc.family.isEmpty()) {
    if (desc.family.compare(QLatin1String(kDialogFontFamily), Qt::CaseInsensitive) == 0)
      f = DialogFont();
    else
      f.setFamily(desc.family);
  }
  if (desc.points > 0) f.setPixelSize(PointsToPixels(desc.points));
  // The look-alike comes in the dialog font's size only; other sizes are set in the scalable
  // sister family.
  if (desc.points > 0 && f.family() == DialogFontFamily() && QFontInfo(f).pixelSize() != f.pixelSize() &&
      !DialogBoldFontFamily().isEmpty())
    f.setFamily(DialogBoldFontFamily());
  if (desc.bold && f.family() == DialogFontFamily() && !DialogBoldFontFamily().isEmpty())
    f.setFamily(DialogBoldFontFamily());
  f.setBold(desc.bold);
  f.setItalic(desc.italic);
  return f;
}

// The one place where windows get the program's icon.
QIcon ProgramIcon() { return quorvane::programIcon(); }

// ---- Message box -------------------------------------------------------------------------------

void ShowMessageBox(const QString& text, const QString& title, QWidget* parent) {
  const QString shownTitle = title.isEmpty() ? QString::fromLatin1(kAppTitle) : title;
  if (messageHook()) {
    messageHook()(shownTitle, text);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, shownTitle, text, QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);  // a file name in a message is never markup
  box.setDefaultButton(QMessageBox::Ok);
  box.setEscapeButton(QMessageBox::Ok);
  // A plain OK button: some desktop styles decorate standard buttons with an icon.
  box.button(QMessageBox::Ok)->setIcon(QIcon());
  box.exec();
}

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook) {
  MessageBoxHook previous = std::move(messageHook());
  messageHook() = std::move(hook);
  return previous;
}

ScreenSizeHook SetScreenSizeHook(ScreenSizeHook hook) {
  ScreenSizeHook previous = std::move(screenHook());
  screenHook() = std::move(hook);
  return previous;
}

// ---- ControlRef --------------------------------------------------------------------------------

QString ControlRef::name() const { return widget_->objectName(); }

QString ControlRef::caption() const {
  const QVariant hidden = widget_->property(kHiddenCaption);
  if (hidden.isValid()) return hidden.toString();
  if (auto* l = qobject_cast<QLabel*>(widget_)) return l->text();
  if (auto* b = qobject_cast<QAbstractButton*>(widget_)) return b->text();
  if (auto* g = qobject_cast<QGroupBox*>(widget_)) return g->title();
  qFatal("Control %s has no caption", qPrintable(name()));
  return QString();
}

void ControlRef::setCaption(const QString& caption) {
  if (widget_->property(kHiddenCaption).isValid()) {
    widget_->setProperty(kHiddenCaption, caption);
  } else if (auto* l = qobject_cast<QLabel*>(widget_)) {
    l->setText(caption);
  } else if (auto* b = qobject_cast<QAbstractButton*>(widget_)) {
    b->setText(caption);
  } else if (auto* g = qobject_cast<QGroupBox*>(widget_)) {
    g->setTitle(caption);
  } else {
    qFatal("Control %s has no caption", qPrintable(name()));
  }
}

QString ControlRef::text() const {
  auto* e = qobject_cast<QLineEdit*>(widget_);
  if (!e) qFatal("Control %s is not a text box", qPrintable(name()));
  return e->text();
}

void ControlRef::setText(const QString& text) {
  auto* e = qobject_cast<QLineEdit*>(widget_);
  if (!e) qFatal("Control %s is not a text box", qPrintable(name()));
  e->setText(text);
}

int ControlRef::value() const {
  if (auto* c = qobject_cast<QCheckBox*>(widget_)) {
    switch (c->checkState()) {
      case Qt::Checked: return 1;
      case Qt::PartiallyChecked: return 2;
      default: return 0;
    }
  }
  if (auto* r = qobject_cast<QRadioButton*>(widget_)) return r->isChecked() ? 1 : 0;
  qFatal("Control %s has no value", qPrintable(name()));
  return 0;
}

void ControlRef::setValue(int value) {
  if (auto* r = qobject_cast<QRadioButton*>(widget_)) {
    const bool on = value != 0;
    if (r->isChecked() == on) return;
    if (on) {
      {
        QuietChanges quiet(form_->quiet_);
        r->setChecked(true);  // the group clears its other members
      }
      form_->runHandler(r);
    } else {
      // An exclusive group refuses to clear its selected member; open the group for this change.
      QuietChanges quiet(form_->quiet_);
      QButtonGroup* group = form_->groupOf(r);
      if (group) group->setExclusive(false);
      r->setChecked(false);
      if (group) group->setExclusive(true);
    }
    return;
  }
  if (auto* c = qobject_cast<QCheckBox*>(widget_)) {
    const Qt::CheckState state = value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
    if (c->checkState() == state) return;
    {
      QuietChanges quiet(form_->quiet_);
      if (state == Qt::PartiallyChecked) c->setTristate(true);
      c->setCheckState(state);
    }
    form_->runHandler(c);
    return;
  }
  qFatal("Control %s has no value", qPrintable(name()));
}

bool ControlRef::visible() const { return !widget_->isHidden(); }

void ControlRef::setVisible(bool visible) { widget_->setVisible(visible); }

bool ControlRef::locked() const {
  auto* e = qobject_cast<QLineEdit*>(widget_);
  if (!e) qFatal("Control %s is not a text box", qPrintable(name()));
  return e->isReadOnly();
}

void ControlRef::setLocked(bool locked) {
  auto* e = qobject_cast<QLineEdit*>(widget_);
  if (!e) qFatal("Control %s is not a text box", qPrintable(name()));
  e->setReadOnly(locked);
}

void ControlRef::refresh() {
  // Painting the whole window brings every caption set so far to the screen, even while the
  // user-interface thread is busy and processes no events.
  widget_->window()->repaint();
}

// ---- Accessibility of labels ---------------------------------------------------------------------

namespace {

// A label of a window is read by screen readers as its own caption, also while the caption is
// empty. (Qt's default falls back to the caption of the surrounding frame, so an empty result
// label would be read as "Results".)
class AccessibleLabel : public QAccessibleWidget {
 public:
  explicit AccessibleLabel(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) {
      const QString name = widget()->accessibleName();
      return name.isEmpty() ? static_cast<QLabel*>(widget())->text() : name;
    }
    return QAccessibleWidget::text(t);
  }
};

constexpr const char* kFormLabel = "quorvaneFormLabel";

QAccessibleInterface* LabelAccessibility(const QString& className, QObject* object) {
  if (className == QLatin1String("QLabel") && object->property(kFormLabel).toBool()) {
    return new AccessibleLabel(static_cast<QLabel*>(object));
  }
  return nullptr;
}

}  // namespace

// ---- Form --------------------------------------------------------------------------------------

Form::Form(const WindowDescription& desc, QWidget* parent) : QWidget(parent, Qt::Window), description_(desc) {
  static const bool labelAccessibilityInstalled = [] {
    QAccessible::installFactory(LabelAccessibility);
    return true;
  }();
  Q_UNUSED(labelAccessibilityInstalled);
  setObjectName(description_.name);
  setWindowTitle(description_.caption);

  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
  if (description_.border != Border::Sizable) flags |= Qt::MSWindowsFixedSizeDialogHint;
  setWindowFlags(flags);

  setFont(description_.font.family.isEmpty() && description_.font.points <= 0 ? DialogFont() : ResolveFont(description_.font, DialogFont()));

  const QSize client(TwipsToPixels(description_.clientWidth), TwipsToPixels(description_.clientHeight));
  if (description_.border == Border::Sizable)
    resize(client);
  else
    setFixedSize(client);

  if (description_.programIcon) {
    const QIcon icon = ProgramIcon();
    if (!icon.isNull()) setWindowIcon(icon);
  }
  if (description_.discardOnClose) setAttribute(Qt::WA_DeleteOnClose);

  build();
}

Form::~Form() = default;

void Form::build() {
  for (const ControlDescription& c : description_.controls) {
    if (controls_.contains(c.name)) qFatal("Window %s: control %s described twice", qPrintable(description_.name), qPrintable(c.name));
    QWidget* parent = this;
    if (!c.container.isEmpty()) {
      parent = controls_.value(c.container);
      if (!parent) qFatal("Window %s: container %s of %s is not described before it", qPrintable(description_.name),
                          qPrintable(c.container), qPrintable(c.name));
    }
    QWidget* w = makeControl(c, parent);
    w->setObjectName(c.name);
    controls_.insert(c.name, w);
    order_.append(c.name);
  }
  // Labels, lines and pictures are drawn beneath the windowed controls that share their place
  // (a text box covers the label under it).
  for (const ControlDescription& c : description_.controls)
    if (c.kind == ControlKind::Label || c.kind == ControlKind::Line) controls_.value(c.name)->lower();
  applyTabOrder();
}

QWidget* Form::makeControl(const ControlDescription& c, QWidget* parent) {
  QWidget* w = nullptr;
  const QFont font = ResolveFont(c.font, parent->font());
  const bool ownFont = !c.font.family.isEmpty() || c.font.points > 0 || c.font.bold || c.font.italic;

  switch (c.kind) {
    case ControlKind::Frame: {
      auto* g = new QGroupBox(c.caption, parent);
      w = g;
      break;
    }
    case ControlKind::Label: {
      auto* l = new QLabel(c.caption, parent);
      l->setProperty(kFormLabel, true);
      l->setTextFormat(Qt::PlainText);
      l->setWordWrap(true);
      Qt::Alignment a = Qt::AlignTop;
      a |= c.align == Alignment::Centre ? Qt::AlignHCenter : c.align == Alignment::Right ? Qt::AlignRight : Qt::AlignLeft;
      l->setAlignment(a);
      w = l;
      break;
    }
    case ControlKind::TextBox: {
      auto* e = new QLineEdit(c.caption, parent);
      e->setMaxLength(std::numeric_limits<int>::max());
      e->setCursorPosition(0);
      w = e;
      break;
    }
    case ControlKind::CheckBox: {
      auto* b = new WrappingButton<QCheckBox>(c.caption, parent);
      b->setCheckState(c.value == 1 ? Qt::Checked : c.value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
      connect(b, &QAbstractButton::toggled, this, [this, b] {
        if (quiet_ == 0) runHandler(b);
      });
      w = b;
      break;
    }
    case ControlKind::OptionButton: {
      auto* b = new WrappingButton<QRadioButton>(c.caption, parent);
      QButtonGroup*& group = groups_[parent];
      if (!group) {
        // Option buttons of one container form one exclusive group, and only those.
        group = new QButtonGroup(parent);
        group->setExclusive(true);
      }
      group->addButton(b);
      groups_.insert(b, group);
      b->setChecked(c.value != 0);
      connect(b, &QAbstractButton::toggled, this, [this, b](bool on) {
        if (on && quiet_ == 0) runHandler(b);
      });
      w = b;
      break;
    }
    case ControlKind::CommandButton: {
      auto* b = new QPushButton(c.caption, parent);
      b->setAutoDefault(false);
      connect(b, &QAbstractButton::clicked, this, [this, b] { runHandler(b); });
      if (c.isDefault) {
        // Enter presses the button that has the focus, and the default button otherwise.
        b->setDefault(true);
        for (int key : {Qt::Key_Return, Qt::Key_Enter}) {
          connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this, [this, b] {
            auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
            (focused != nullptr && focused->window() == this ? focused : b)->click();
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
      const QIcon icon = ProgramIcon();
      if (!icon.isNull()) l->setPixmap(icon.pixmap(32, 32));
      w = l;
      break;
    }
    case ControlKind::Line: {
      auto* f = new QFrame(parent);
      f->setAutoFillBackground(true);
      QPalette p = f->palette();
      p.setColor(QPalette::Window, c.colour);
      f->setPalette(p);
      w = f;
      break;
    }
  }

  if (ownFont) w->setFont(font);
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
    if (!c.caption.isEmpty() && room < QFontMetrics(w->font()).horizontalAdvance(c.caption.at(0))) {
      b->setText(QString());
      b->setProperty(kHiddenCaption, c.caption);
    }
  }
  if (!c.accessibleName.isEmpty()) w->setAccessibleName(c.accessibleName);
  if (!c.visible) w->hide();
  return w;
}

void Form::applyTabOrder() {
  std::vector<const ControlDescription*> focusable;
  for (const ControlDescription& c : description_.controls)
    if (IsFocusable(c.kind)) focusable.push_back(&c);
  std::stable_sort(focusable.begin(), focusable.end(),
                   [](const ControlDescription* a, const ControlDescription* b) { return a->tabIndex < b->tabIndex; });
  for (const ControlDescription* c : focusable) tabOrder_.push_back(controls_.value(c->name));
  for (std::size_t i = 1; i < tabOrder_.size(); ++i) QWidget::setTabOrder(tabOrder_[i - 1], tabOrder_[i]);
  // The focus starts on the first control that Tab would reach.
  for (QWidget* w : tabOrder_) {
    if (canTakeTabFocus(w)) {
      w->setFocus(Qt::OtherFocusReason);
      break;
    }
  }
}

bool Form::canTakeTabFocus(QWidget* w) const {
  if (!w->isVisibleTo(const_cast<Form*>(this)) || !w->isEnabled()) return false;
  if (!QRect(w->mapTo(this, QPoint(0, 0)), w->size()).intersects(rect())) return false;
  auto* radio = qobject_cast<QRadioButton*>(w);
  QButtonGroup* group = radio ? groupOf(radio) : nullptr;
  if (!group) return true;
  // The group's stop: its selected member, or while none can take it, its first member.
  QWidget* stop = nullptr;
  if (QAbstractButton* selected = group->checkedButton();
      selected && selected->isVisibleTo(const_cast<Form*>(this)) && selected->isEnabled())
    stop = selected;
  for (auto it = tabOrder_.begin(); !stop && it != tabOrder_.end(); ++it) {
    auto* member = qobject_cast<QRadioButton*>(*it);
    if (member && groupOf(member) == group && member->isVisibleTo(const_cast<Form*>(this)) && member->isEnabled())
      stop = member;
  }
  return w == stop;
}

bool Form::focusNextPrevChild(bool next) {
  QWidget* current = focusWidget();
  const auto at = std::find(tabOrder_.begin(), tabOrder_.end(), current);
  if (at == tabOrder_.end()) return QWidget::focusNextPrevChild(next);
  auto* currentRadio = qobject_cast<QRadioButton*>(current);
  QButtonGroup* currentGroup = currentRadio ? groupOf(currentRadio) : nullptr;
  const int n = static_cast<int>(tabOrder_.size());
  const int from = static_cast<int>(at - tabOrder_.begin());
  for (int step = 1; step < n; ++step) {
    QWidget* w = tabOrder_[((from + (next ? step : -step)) % n + n) % n];
    if (auto* radio = qobject_cast<QRadioButton*>(w); radio && currentGroup && groupOf(radio) == currentGroup) continue;
    if (!canTakeTabFocus(w)) continue;
    w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
  }
  return false;
}

ControlRef Form::control(const QString& name) const {
  QWidget* w = controls_.value(name);
  if (!w) qFatal("Window %s has no control %s", qPrintable(description_.name), qPrintable(name));
  return ControlRef(const_cast<Form*>(this), w);
}

ControlRef Form::control(const QString& arrayName, int index) const { return control(MemberName(arrayName, index)); }


QStringList Form::controlNames() const { return order_; }

void Form::setClickHandler(const QString& nameOrArray, Handler handler) { handlers_[nameOrArray] = std::move(handler); }

void Form::runHandler(QWidget* control) {
  const QString name = control->objectName();
  if (auto it = handlers_.find(name); it != handlers_.end()) {
    it->second(-1);
    return;
  }
  const ArrayName member = SplitArrayName(name);
  if (member.index < 0) return;
  if (auto it = handlers_.find(member.base); it != handlers_.end()) it->second(member.index);
}

QButtonGroup* Form::groupOf(QAbstractButton* b) const { return groups_.value(b); }

// The outer width is the client width plus the border the descriptions assume, 45 twips on each
// side, so that each width keeps its described client area whatever frame the desktop draws.
double Form::outerWidthTwips() const { return PixelsToTwips(width()) + 2.0 * kNominalBorderTwips; }

// The height is never set; it is read with the frame the desktop really draws (the assumed one
// while the window is not decorated), so that centring places the whole window.
double Form::outerHeightTwips() const {
  const int frame = frameGeometry().height() - geometry().height();
  const double frameTwips = frame > 0 ? PixelsToTwips(frame) : 2.0 * kNominalBorderTwips + kNominalCaptionTwips;
  return PixelsToTwips(height()) + frameTwips;
}

void Form::setOuterWidthTwips(double twips) {
  const int client = std::max(1, TwipsToPixels(twips - 2.0 * kNominalBorderTwips));
  if (description_.border == Border::Sizable)
    resize(client, height());
  else
    setFixedSize(client, height());
}

void Form::moveTwips(double left, double top) {
  const QPoint origin = screen() ? screen()->geometry().topLeft() : QPoint();
  move(origin + QPoint(TwipsToPixels(left), TwipsToPixels(top)));
}

double Form::leftTwips() const {
  const QPoint origin = screen() ? screen()->geometry().topLeft() : QPoint();
  return PixelsToTwips(frameGeometry().left() - origin.x());
}

double Form::topTwips() const {
  const QPoint origin = screen() ? screen()->geometry().topLeft() : QPoint();
  return PixelsToTwips(frameGeometry().top() - origin.y());
}

QSizeF Form::screenSizeTwips() const {
  if (screenHook()) return screenHook()();
  const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!s) return QSizeF();
  return QSizeF(PixelsToTwips(s->geometry().width()), PixelsToTwips(s->geometry().height()));
}

void Form::centreOnScreen() {
  const QSizeF screen = screenSizeTwips();
  const float left = (static_cast<float>(screen.width()) - static_cast<float>(outerWidthTwips())) / 2.0f;
  const float top = (static_cast<float>(screen.height()) - static_cast<float>(outerHeightTwips())) / 2.0f;
  moveTwips(left, top);
}

void Form::showEvent(QShowEvent* event) {
  if (!shownOnce_ && !event->spontaneous()) {
    shownOnce_ = true;
    if (description_.startCentred) centreOnScreen();
  }
  QWidget::showEvent(event);
}

void Form::messageBox(const QString& text, const QString& title) { ShowMessageBox(text, title, this); }

}  // namespace quorvane::ui
