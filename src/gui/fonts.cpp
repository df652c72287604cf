#include "gui/fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace gryvel::gui {

namespace {

struct TFamily {
  const char* Designed;
  const char* Installed;
};

constexpr TFamily kFamilies[] = {
    {"Courier New", "Liberation Mono"},
    {"Verdana", "DejaVu Sans"},
};

}  // namespace

QString InstalledFamily(const QString& designed) {
  for (const TFamily& family : kFamilies)
    if (designed.compare(QLatin1String(family.Designed), Qt::CaseInsensitive) == 0)
      return QString::fromLatin1(family.Installed);
  return designed;
}

QString DesignedFamily(const QString& installed) {
  for (const TFamily& family : kFamilies)
    if (installed.compare(QLatin1String(family.Installed), Qt::CaseInsensitive) == 0)
      return QString::fromLatin1(family.Designed);
  return installed;
}

QFont PixelFont(const QString& designed, int pixels) {
  QFont font(InstalledFamily(designed));
  font.setPixelSize(pixels);
  return font;
}

QFont PointFont(const QString& designed, int points) {
  QFont font(InstalledFamily(designed));
  font.setPointSize(points);
  return font;
}

QFont FontAsDrawn(const QFont& font) {
  const QFontInfo drawn(font);
  QFont shown(font);
  shown.setFamily(drawn.family());
  if (QFontDatabase::styles(drawn.family()).contains(drawn.styleName()))
    shown.setStyleName(drawn.styleName());
  return shown;
}

}  // namespace gryvel::gui
