#include "toolkit/qt/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QGroupBox>

#include "toolkit/qt/caption_label.h"

namespace quorvane::ui::qt {

namespace {

// A label or frame of a window is read by screen readers as its own caption, also while the
// caption is empty. (Qt's default reads a label by the caption of the frame around it, so an empty
// result label would be read as "Results", and a frame inside a frame by the outer one's.)
template <class Widget, QAccessible::Role R, QString (Widget::*Caption)() const>
class ReadByCaption : public QAccessibleWidget {
 public:
  explicit ReadByCaption(Widget* widget) : QAccessibleWidget(widget, R) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) {
      const QString name = widget()->accessibleName();
      return name.isEmpty() ? (static_cast<Widget*>(widget())->*Caption)() : name;
    }
    return QAccessibleWidget::text(t);
  }
};
using AccessibleLabel = ReadByCaption<CaptionLabel, QAccessible::StaticText, &CaptionLabel::text>;
using AccessibleFrame = ReadByCaption<QGroupBox, QAccessible::Grouping, &QGroupBox::title>;

constexpr const char* kFormLabel = "quorvaneFormLabel";
constexpr const char* kFormFrame = "quorvaneFormFrame";

QAccessibleInterface* FormAccessibility(const QString& className, QObject* object) {
  if (className == QLatin1String(CaptionLabel::staticMetaObject.className()) && object->property(kFormLabel).toBool()) {
    return new AccessibleLabel(static_cast<CaptionLabel*>(object));
  }
  if (className == QLatin1String("QGroupBox") && object->property(kFormFrame).toBool()) {
    return new AccessibleFrame(static_cast<QGroupBox*>(object));
  }
  return nullptr;
}

void InstallFactory() {
  static const bool installed = [] {
    QAccessible::installFactory(FormAccessibility);
    return true;
  }();
  (void)installed;
}

}  // namespace

void ReadLabelByItsCaption(CaptionLabel* label) {
  InstallFactory();
  label->setProperty(kFormLabel, true);
}

void ReadFrameByItsCaption(QGroupBox* frame) {
  InstallFactory();
  frame->setProperty(kFormFrame, true);
}

}  // namespace quorvane::ui::qt
