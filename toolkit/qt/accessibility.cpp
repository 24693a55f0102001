#include "toolkit/qt/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
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

constexpr const char* kFormLabel = "quorvaneFormLabel";

QAccessibleInterface* LabelAccessibility(const QString& className, QObject* object) {
  if (className == QLatin1String("QLabel") && object->property(kFormLabel).toBool()) {
    return new AccessibleLabel(static_cast<QLabel*>(object));
  }
  return nullptr;
}

}  // namespace

void ReadLabelByItsCaption(QLabel* label) {
  static const bool installed = [] {
    QAccessible::installFactory(LabelAccessibility);
    return true;
  }();
  (void)installed;
  label->setProperty(kFormLabel, true);
}

}  // namespace quorvane::ui::qt
