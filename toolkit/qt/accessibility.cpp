#include "toolkit/qt/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QGroupBox>
#include <QLabel>

namespace quorvane::ui::qt {

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

// A frame is read by its own caption. (Qt's default reads a frame inside a frame by the caption
// of the frame around it.)
class AccessibleFrame : public QAccessibleWidget {
 public:
  explicit AccessibleFrame(QGroupBox* frame) : QAccessibleWidget(frame, QAccessible::Grouping) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) {
      const QString name = widget()->accessibleName();
      return name.isEmpty() ? static_cast<QGroupBox*>(widget())->title() : name;
    }
    return QAccessibleWidget::text(t);
  }
};

constexpr const char* kFormLabel = "quorvaneFormLabel";
constexpr const char* kFormFrame = "quorvaneFormFrame";

QAccessibleInterface* FormAccessibility(const QString& className, QObject* object) {
  if (className == QLatin1String("QLabel") && object->property(kFormLabel).toBool()) {
    return new AccessibleLabel(static_cast<QLabel*>(object));
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

void ReadLabelByItsCaption(QLabel* label) {
  InstallFactory();
  label->setProperty(kFormLabel, true);
}

void ReadFrameByItsCaption(QGroupBox* frame) {
  InstallFactory();
  frame->setProperty(kFormFrame, true);
}

}  // namespace quorvane::ui::qt
