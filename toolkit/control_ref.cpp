#include "toolkit/control_ref.h"

#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace quorvane::ui {

OptionArray FindOptionArray(Form& form, const std::string& name, int count) {
  std::vector<OptionButton> members;
  for (int i = 0; i < count; ++i) members.push_back(Find<OptionButton>(form, MemberName(name, i)));
  return OptionArray(std::move(members));
}

namespace {

[[noreturn]] void WrongKind(const ControlRef& c, const char* what) {
  throw ControlLookupError("control " + c.name() + " of window " + c.form().name() + " has no " + what);
}

}  // namespace

const ControlDescription& ControlRef::description() const { return form_->row(index_); }

const std::string& ControlRef::caption() const {
  if (!CarriesCaption(kind())) WrongKind(*this, "caption");
  return form_->state_[static_cast<std::size_t>(index_)].caption;
}

void ControlRef::setCaption(const std::string& caption) const {
  if (!CarriesCaption(kind())) WrongKind(*this, "caption");
  std::string& kept = form_->state_[static_cast<std::size_t>(index_)].caption;
  // The same caption again changes nothing on the screen.
  if (kept == caption) return;
  kept = caption;
  if (CaptionDrawn(description())) form_->peer_->setCaption(index_, caption);
}

std::string ControlRef::text() const {
  if (kind() != ControlKind::TextBox) WrongKind(*this, "text");
  return form_->peer_->text(index_);
}

void ControlRef::setText(const std::string& text) const {
  if (kind() != ControlKind::TextBox) WrongKind(*this, "text");
  form_->peer_->setText(index_, text);
}

int ControlRef::value() const {
  if (kind() != ControlKind::CheckBox && kind() != ControlKind::OptionButton) WrongKind(*this, "value");
  return form_->state_[static_cast<std::size_t>(index_)].value;
}

void ControlRef::setValue(int value) const {
  if (kind() != ControlKind::CheckBox && kind() != ControlKind::OptionButton) WrongKind(*this, "value");
  form_->setValueOf(index_, value, false);
}

bool ControlRef::visible() const { return form_->state_[static_cast<std::size_t>(index_)].visible; }

void ControlRef::setVisible(bool visible) const { form_->setVisibleOf(index_, visible); }

bool ControlRef::locked() const {
  if (kind() != ControlKind::TextBox) WrongKind(*this, "Locked property");
  return form_->state_[static_cast<std::size_t>(index_)].locked;
}

void ControlRef::setLocked(bool locked) const {
  if (kind() != ControlKind::TextBox) WrongKind(*this, "Locked property");
  form_->state_[static_cast<std::size_t>(index_)].locked = locked;
  form_->peer_->setLocked(index_, locked);
}

void ControlRef::refresh() const { form_->repaintNow(); }

const std::vector<std::vector<std::string>>& ControlRef::rows() const {
  if (kind() != ControlKind::Table) WrongKind(*this, "rows");
  return form_->state_[static_cast<std::size_t>(index_)].rows;
}

void ControlRef::setRows(std::vector<std::vector<std::string>> rows) const {
  if (kind() != ControlKind::Table) WrongKind(*this, "rows");
  // One cell per column, as the description has them.
  for (std::vector<std::string>& row : rows) row.resize(description().columns.size());
  std::vector<std::vector<std::string>>& kept = form_->state_[static_cast<std::size_t>(index_)].rows;
  kept = std::move(rows);
  form_->peer_->setRows(index_, kept);
}
}  // namespace quorvane::ui
