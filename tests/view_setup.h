#pragma once

#include <QString>
#include <QStringList>
#include <map>

#include "tests/fake_calculate_view.h"

namespace quorvane {

// Applies "Name=value;Name=value" to a stand-in window. Option groups take the index to select
// (-1 for none); check boxes take their value; an item owned is named as its box ("Maces Owned");
// anything else is a text field. A value may hold any character but ';'.
inline void ApplySetup(FakeCalculateView& v, const QString& setup) {
  // Each control by its objectName.
  std::map<QString, TextField> texts;
  for (TextField f : kTextFields) texts[main_form::IdOf(f).name] = f;
  std::map<QString, CheckField> checks;
  for (CheckField c : kCheckFields) checks[main_form::IdOf(c).name] = c;
  std::map<QString, OptionGroup> groups;
  for (OptionGroup g : kOptionGroups) groups[main_form::IdOf(g).name] = g;
  std::map<QString, OwnedItem> owned;
  for (OwnedItem item : kOwnedItems) owned[OwnedItemName(item)] = item;
  for (const QString& item : setup.split(';', Qt::SkipEmptyParts)) {
    const QString name = item.section('=', 0, 0);
    const QString value = item.section('=', 1);
    if (texts.count(name)) {
      v.texts[texts.at(name)] = value.toStdString();
    } else if (checks.count(name)) {
      v.checks[checks.at(name)] = value.toInt();
    } else if (groups.count(name)) {
      v.select(groups.at(name), value.toInt());
    } else if (owned.count(name)) {
      v.itemsOwned[static_cast<std::size_t>(owned.at(name))] = value.toStdString();
    } else {
      qFatal("unknown control %s", qPrintable(name));
    }
  }
}

}  // namespace quorvane
