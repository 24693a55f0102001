#pragma once

#include <QString>
#include <QStringList>
#include <map>

#include "tests/fake_calculate_view.h"

namespace quorvane {

// Applies "Name=value;Name=value" to a stand-in window. Option groups take the index to select
// (-1 for none); check boxes take their value; anything else is a text field. A value may hold
// any character but ';'.
inline void ApplySetup(FakeCalculateView& v, const QString& setup) {
  static const std::map<QString, TextField> texts{{"Text1", TextField::Text1}, {"LevelNow", TextField::LevelNow},
                                                  {"Text2", TextField::Text2}, {"TargetLVL", TextField::TargetLVL},
                                                  {"ScalpsUpd", TextField::ScalpsUpd}};
  static const std::map<QString, CheckField> checks{{"Check1", CheckField::Check1}, {"ReqLVL", CheckField::ReqLVL},
                                                    {"chkScalpsUpd", CheckField::chkScalpsUpd},
                                                    {"chkWorking", CheckField::chkWorking}};
  static const std::map<QString, OptionGroup> groups{{"Option1", OptionGroup::Option1}, {"Option2", OptionGroup::Option2},
                                                     {"Option3", OptionGroup::Option3}, {"Option4", OptionGroup::Option4}};
  for (const QString& item : setup.split(';', Qt::SkipEmptyParts)) {
    const QString name = item.section('=', 0, 0);
    const QString value = item.section('=', 1);
    if (texts.count(name)) {
      v.texts[texts.at(name)] = value.toStdString();
    } else if (checks.count(name)) {
      v.checks[checks.at(name)] = value.toInt();
    } else if (groups.count(name)) {
      v.Select(groups.at(name), value.toInt());
    } else {
      qFatal("unknown control %s", qPrintable(name));
    }
  }
}

}  // namespace quorvane
