#include "app/window_font.h"

#include <QFontDatabase>

namespace {

// MS Sans Serif itself, its scalable successor, then faces of Arial's widths
// (Liberation Sans and Arimo are drawn to them), then wider ones.
const char* const kPreferredFamilies[] = {
    "MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arimo",      "Arial",
    "Nimbus Sans",   "Helvetica",            "DejaVu Sans",     "FreeSans",
};

}  // namespace

QString nearestSansSerifFamily(const QStringList& installed) {
  for (const char* family : kPreferredFamilies) {
    if (installed.contains(QLatin1String(family), Qt::CaseInsensitive)) return QLatin1String(family);
  }
  return {};
}

QFont windowFont() {
  const QString family = nearestSansSerifFamily(QFontDatabase::families());
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  if (family.isEmpty()) {
    font.setStyleHint(QFont::SansSerif);
  } else {
    font.setFamily(family);
  }
  font.setPixelSize(11);
  font.setWeight(QFont::Normal);
  font.setStyle(QFont::StyleNormal);
  return font;
}
