#include "toolkit/qt/fonts.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace quorvane::ui::qt {

// Free look-alikes of the classic dialog fonts come with the Debian package fonts-wine.

// Points at 96 dpi to logical pixels: the descriptions' fonts keep their size relative to the
// twips layout whatever dpi the desktop reports.
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
  static const QString family =
      LoadFontFamily({"/usr/share/wine/fonts/ms_sans_serif.ttf", "/usr/share/fonts/truetype/wine/ms_sans_serif.ttf"});
  return family;  // empty when not installed
}

// The dialog font look-alike has no bold face; its bold text in the dialog size is set in the bold
// face of its sister family.
QString DialogBoldFontFamily() {
  static const QString family = [] {
    LoadFontFamily({"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/fonts/truetype/wine/tahoma.ttf"});
    return LoadFontFamily({"/usr/share/wine/fonts/tahomabd.ttf", "/usr/share/fonts/truetype/wine/tahomabd.ttf"});
  }();
  return family;
}

// The look-alike is a bitmap face, with strikes for a few pixel sizes only: it is used on screens
// that show logical pixels one to one. Scaled screens get a scalable face.
bool LookAlikeServes() {
  return !DialogFontFamily().isEmpty() && qFuzzyCompare(qApp ? qApp->devicePixelRatio() : 1.0, 1.0);
}

// The scalable face: Liberation Sans (fonts-liberation), or the toolkit's default sans face. Its
// bold face is clearly bolder than its regular one, at every size.
QFont ScalableFont(int pixels) {
  static const QString family = [] {
    QFont probe(QStringLiteral("Liberation Sans"));
    probe.setStyleHint(QFont::SansSerif);
    const QString found = QFontInfo(probe).family();
    return found.compare(QLatin1String("Liberation Sans"), Qt::CaseInsensitive) == 0 ? found : QString();
  }();
  QFont f = family.isEmpty() ? QApplication::font() : QFont(family);
  f.setStyleHint(QFont::SansSerif);
  f.setPixelSize(pixels);
  return f;
}

}  // namespace

QFont FaceFont(const FontDescription& desc, int pixels) {
  const bool dialogFamily =
      QString::fromStdString(desc.family).compare(QLatin1String(kDialogFontFamily), Qt::CaseInsensitive) == 0;
  QFont f;
  if (!dialogFamily) {
    f = QFont(QString::fromStdString(desc.family));
  } else if (LookAlikeServes()) {
    f = QFont(DialogFontFamily());
  } else {
    f = ScalableFont(pixels);
  }
  f.setPixelSize(pixels);
  const bool lookAlike = !DialogFontFamily().isEmpty() && f.family() == DialogFontFamily();
  const bool dialogSize = pixels <= PointsToPixels(kDialogFontPoints);
  if (lookAlike && desc.bold && dialogSize && !DialogBoldFontFamily().isEmpty()) {
    // Bold in the dialog size: the sister family's bold face.
    f.setFamily(DialogBoldFontFamily());
  } else if (lookAlike &&
             (desc.bold || (pixels != PointsToPixels(kDialogFontPoints) && QFontInfo(f).pixelSize() != pixels))) {
    // Sizes that the look-alike has no strike for (it is made for the dialog size), and larger bold
    // text (the sister family's bold face draws hardly heavier than its regular one there), are
    // set in the scalable face.
    f = ScalableFont(pixels);
  }
  f.setBold(desc.bold);
  f.setItalic(desc.italic);
  return f;
}

bool IsStandIn(const QFont& font) {
  const QString family = font.family();
  return DialogFontFamily().isEmpty() || (family != DialogFontFamily() && family != DialogBoldFontFamily());
}

}  // namespace quorvane::ui::qt
