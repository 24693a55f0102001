#include "toolkit/qt/fonts.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace quorvane::ui::qt {

namespace {

// Free look-alikes of the classic dialog fonts come with the Debian package fonts-wine.

// Points at 96 dpi to logical pixels: the descriptions' fonts keep their size relative to the
// twips layout whatever dpi the desktop reports.
}  // namespace

int PointsToPixels(double points) { return std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))); }

namespace {

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

}  // namespace

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
  if (!desc.family.empty()) {
    if (QString::fromStdString(desc.family).compare(QLatin1String(kDialogFontFamily), Qt::CaseInsensitive) == 0)
      f = DialogFont();
    else
      f.setFamily(QString::fromStdString(desc.family));
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

}  // namespace quorvane::ui::qt
