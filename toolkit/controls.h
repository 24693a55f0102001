#pragma once

// Typed handles to the controls of a form: each offers what its kind of control has. A form looks
// its controls up once, when it is built; Find throws ControlLookupError when the description has
// no control of that name and kind, so a wrong name fails when the window is built, not when a
// handler first runs.

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "toolkit/form.h"

namespace quorvane::ui {

class TypedControl {
 public:
  TypedControl() = default;
  explicit TypedControl(ControlRef ref) : ref_(ref) {}

  const std::string& name() const { return ref_.name(); }
  bool visible() const { return ref_.visible(); }
  void setVisible(bool visible) const { ref_.setVisible(visible); }
  ControlRef ref() const { return ref_; }

 protected:
  ControlRef ref_;
};

class Label : public TypedControl {
 public:
  static constexpr ControlKind kKind = ControlKind::Label;
  using TypedControl::TypedControl;
  const std::string& caption() const { return ref_.caption(); }
  void setCaption(const std::string& caption) const { ref_.setCaption(caption); }
  // Repaints the label, and every caption of its window set so far, at once.
  void refresh() const { ref_.refresh(); }
};

class Frame : public TypedControl {
 public:
  static constexpr ControlKind kKind = ControlKind::Frame;
  using TypedControl::TypedControl;
  const std::string& caption() const { return ref_.caption(); }
  void setCaption(const std::string& caption) const { ref_.setCaption(caption); }
};

class TextBox : public TypedControl {
 public:
  static constexpr ControlKind kKind = ControlKind::TextBox;
  using TypedControl::TypedControl;
  std::string text() const { return ref_.text(); }
  void setText(const std::string& text) const { ref_.setText(text); }
  bool locked() const { return ref_.locked(); }
  void setLocked(bool locked) const { ref_.setLocked(locked); }
};

class CheckBox : public TypedControl {
 public:
  static constexpr ControlKind kKind = ControlKind::CheckBox;
  using TypedControl::TypedControl;
  const std::string& caption() const { return ref_.caption(); }
  // 0 unticked, 1 ticked, 2 greyed; setting another value runs the Click handler, nested.
  int value() const { return ref_.value(); }
  void setValue(int value) const { ref_.setValue(value); }
  void onClick(std::function<void()> handler) const { ref_.form().setClickHandler(ref_.index(), std::move(handler)); }
};

class OptionButton : public TypedControl {
 public:
  static constexpr ControlKind kKind = ControlKind::OptionButton;
  using TypedControl::TypedControl;
  const std::string& caption() const { return ref_.caption(); }
  bool value() const { return ref_.value() != 0; }
  // Selecting a button that is not selected clears its group and runs the Click handler, nested.
  void setValue(bool selected) const { ref_.setValue(selected ? 1 : 0); }
};

class CommandButton : public TypedControl {
 public:
  static constexpr ControlKind kKind = ControlKind::CommandButton;
  using TypedControl::TypedControl;
  const std::string& caption() const { return ref_.caption(); }
  void setCaption(const std::string& caption) const { ref_.setCaption(caption); }
  void onClick(std::function<void()> handler) const { ref_.form().setClickHandler(ref_.index(), std::move(handler)); }
};

class PictureBox : public TypedControl {
 public:
  static constexpr ControlKind kKind = ControlKind::PictureBox;
  using TypedControl::TypedControl;
};

class LineControl : public TypedControl {
 public:
  static constexpr ControlKind kKind = ControlKind::Line;
  using TypedControl::TypedControl;
};

// A read-only table: rows of cells under the described columns.
class Table : public TypedControl {
 public:
  static constexpr ControlKind kKind = ControlKind::Table;
  using TypedControl::TypedControl;
  const std::vector<TableColumnDescription>& columns() const { return ref_.description().columns; }
  const std::vector<std::vector<std::string>>& rows() const { return ref_.rows(); }
  // Replaces the rows shown; each row gets one cell per column.
  void setRows(std::vector<std::vector<std::string>> rows) const { ref_.setRows(std::move(rows)); }
};

// The members of an option button array, Name(0) to Name(count - 1), sharing one Click handler
// that receives the member's index.
class OptionArray {
 public:
  OptionArray() = default;
  explicit OptionArray(std::vector<OptionButton> members) : members_(std::move(members)) {}

  int size() const { return static_cast<int>(members_.size()); }
  const OptionButton& operator[](int index) const { return members_.at(static_cast<std::size_t>(index)); }
  // The selected member, or -1.
  int selected() const {
    for (int i = 0; i < size(); ++i)
      if ((*this)[i].value()) return i;
    return -1;
  }
  void onClick(const std::function<void(int index)>& handler) const {
    for (int i = 0; i < size(); ++i) {
      const ControlRef member = (*this)[i].ref();
      member.form().setClickHandler(member.index(), [handler, i] { handler(i); });
    }
  }

 private:
  std::vector<OptionButton> members_;
};

// The handle type of each kind of control, in the order of ControlKind.
using Handles =
    std::tuple<Frame, Label, TextBox, CheckBox, OptionButton, CommandButton, PictureBox, LineControl, Table>;
template <ControlKind K>
struct HandleOf {
  using Type = std::tuple_element_t<static_cast<std::size_t>(K), Handles>;
  static_assert(Type::kKind == K, "Handles is in the order of ControlKind");
};

// The control `name` of `form` as a handle of kind T; throws ControlLookupError when the form
// has no such control or it is of another kind.
template <class T>
T Find(Form& form, const std::string& name) {
  const int index = form.indexOf(name);
  if (index < 0) throw ControlLookupError("window " + form.name() + " has no control " + name);
  ControlRef ref(&form, index);
  if (ref.kind() != T::kKind)
    throw ControlLookupError("control " + name + " of window " + form.name() + " is of another kind");
  return T(ref);
}

// The members Name(0) to Name(count - 1) of an option button array.
OptionArray FindOptionArray(Form& form, const std::string& name, int count);

// The control that `id` names, as the handle of its kind.
template <ControlKind K>
typename HandleOf<K>::Type Find(Form& form, ControlId<K> id) {
  return Find<typename HandleOf<K>::Type>(form, id.name);
}
template <ControlKind K>
typename HandleOf<K>::Type Find(Form& form, MemberId<K> id) {
  return Find<typename HandleOf<K>::Type>(form, id.name());
}
template <int Count>
OptionArray Find(Form& form, OptionArrayId<Count> id) {
  return FindOptionArray(form, id.name, Count);
}

}  // namespace quorvane::ui
