#pragma once

// Test access to the windows on the Qt back-end, with Qt's strings: a form's controls by name as
// before, their widgets for QTest's mouse and keyboard, and the window's widget.

#include <QString>
#include <QWidget>

#include <string>

#include "toolkit/form.h"
#include "toolkit/qt/backend.h"

namespace quorvane::test {

inline std::string S(const QString& s) { return s.toStdString(); }
inline QString Q(const std::string& s) { return QString::fromStdString(s); }

// A control of a form on the Qt back-end.
class QtControl {
 public:
  explicit QtControl(ui::ControlRef ref) : ref_(ref) {}
  QWidget* widget() const { return ui::qt::ControlWidget(ref_); }
  QString caption() const { return Q(ref_.caption()); }
  void setCaption(const QString& caption) const { ref_.setCaption(S(caption)); }
  QString text() const { return Q(ref_.text()); }
  void setText(const QString& text) const { ref_.setText(S(text)); }
  int value() const { return ref_.value(); }
  void setValue(int value) const { ref_.setValue(value); }
  bool visible() const { return ref_.visible(); }
  void setVisible(bool visible) const { ref_.setVisible(visible); }
  bool locked() const { return ref_.locked(); }
  void setLocked(bool locked) const { ref_.setLocked(locked); }
  void refresh() const { ref_.refresh(); }

 private:
  ui::ControlRef ref_;
};

// A form under test: the form itself (F's own members stay reachable) with the access above.
template <class F>
class Tested : public F {
 public:
  using F::F;

  QWidget* widget() { return ui::qt::WindowWidget(*this); }
  QtControl control(const QString& name) { return QtControl(F::control(S(name))); }
  QtControl control(const QString& arrayName, int index) { return QtControl(F::control(S(arrayName), index)); }
  QString text(const QString& name) { return control(name).text(); }
  void setText(const QString& name, const QString& text) { control(name).setText(text); }
  QString caption(const QString& name) { return control(name).caption(); }
  void setCaption(const QString& name, const QString& caption) { control(name).setCaption(caption); }
  int value(const QString& name) { return control(name).value(); }
  bool isSelected(const QString& arrayName, int index) { return control(arrayName, index).value() != 0; }
  QStringList controlNames() const {
    QStringList names;
    for (const std::string& n : F::controlNames()) names << Q(n);
    return names;
  }
  QString windowTitle() { return widget()->windowTitle(); }
  QRect rect() { return widget()->rect(); }
  int width() { return widget()->width(); }
  int height() { return widget()->height(); }
  QSize size() { return widget()->size(); }
};

// The same access for a form the program made (the About box, the Working window).
class FormAccess {
 public:
  explicit FormAccess(ui::Form* form) : form_(form) {}
  QWidget* widget() const { return ui::qt::WindowWidget(*form_); }
  QtControl control(const QString& name) const { return QtControl(form_->control(S(name))); }
  QString caption(const QString& name) const { return control(name).caption(); }
  QString windowTitle() const { return widget()->windowTitle(); }

 private:
  ui::Form* form_;
};

}  // namespace quorvane::test
