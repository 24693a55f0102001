#include "command/calculate_view.h"

#include <algorithm>

namespace quorvane {

std::string& CalculateInput::text(TextField field) {
  switch (field) {
    case TextField::Xp: return xp;
    case TextField::Level: return level;
    case TextField::Scalps: return scalps;
    case TextField::TargetLevel: return targetLevel;
    case TextField::UpdateInterval: break;
  }
  return updateInterval;
}

const std::string& CalculateInput::text(TextField field) const {
  return const_cast<CalculateInput&>(*this).text(field);
}

int& CalculateInput::check(CheckField box) {
  switch (box) {
    case CheckField::SellMaces: return sellMaces;
    case CheckField::SearchTarget: return searchTarget;
    case CheckField::UpdateAtInterval: return updateAtInterval;
    case CheckField::HideWorkingWindow: break;
  }
  return hideWorkingWindow;
}

int CalculateInput::check(CheckField box) const { return const_cast<CalculateInput&>(*this).check(box); }

int& CalculateInput::selected(OptionGroup group) {
  switch (group) {
    case OptionGroup::QuestPart: return questPart;
    case OptionGroup::Side: return side;
    case OptionGroup::Entry: return entry;
    case OptionGroup::ZeroLeft: break;
  }
  return zeroLeft;
}

int CalculateInput::selected(OptionGroup group) const { return const_cast<CalculateInput&>(*this).selected(group); }

namespace {

template <typename Key>
void Set(std::vector<std::pair<Key, std::string>>& writes, Key key, const std::string& text) {
  const auto it = std::find_if(writes.begin(), writes.end(), [&](const auto& w) { return w.first == key; });
  if (it == writes.end())
    writes.emplace_back(key, text);
  else
    it->second = text;
}

}  // namespace

void CalculateWrites::setText(TextField field, const std::string& text) { Set(texts, field, text); }

void CalculateWrites::setCaption(ResultLabel label, const std::string& caption) { Set(captions, label, caption); }

}  // namespace quorvane
