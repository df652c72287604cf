#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

#include "gui/icons.h"

using namespace gryvel::gui;

namespace {

// Relative luminance and contrast ratio as the web accessibility guidelines define them.
double Luminance(QColor colour) {
  const auto channel = [](double c) {
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
         0.0722 * channel(colour.blueF());
}

double Contrast(QColor a, QColor b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The share of the picture's ink (its pixels weighted by opacity) that, drawn over `window`,
// stands out from it by at least the 3:1 the guidelines ask of graphics.
double LegibleShare(const QImage& picture, QColor window) {
  double ink = 0, legible = 0;
  const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      const double alpha = qAlpha(pixel) / 255.0;
      if (alpha == 0) continue;
      const auto over = [&](int c, int w) { return int(std::lround(alpha * c + (1 - alpha) * w)); };
      const QColor shown(over(qRed(pixel), window.red()), over(qGreen(pixel), window.green()),
                         over(qBlue(pixel), window.blue()));
      ink += alpha;
      if (Contrast(shown, window) >= 3.0) legible += alpha;
    }
  return ink == 0 ? 0 : legible / ink;
}

QPalette MakePalette(QColor window, QColor text, QColor base) {
  QPalette palette;
  palette.setColor(QPalette::Window, window);
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::Base, base);
  palette.setColor(QPalette::Text, text);
  return palette;
}

QString Name(TIcon icon) {
  return QFileInfo(IconPath(icon)).baseName();
}

}  // namespace

class TIconsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() {
    QApplication::setPalette(FOriginal);
    QIcon::setThemeName(FOriginalTheme);
  }

  void initTestCase() {
    FOriginal = QApplication::palette();
    FOriginalTheme = QIcon::themeName();
    // No desktop theme: the bundled pictures are what is measured.
    QIcon::setThemeSearchPaths({});
    QIcon::setThemeName(QStringLiteral("none"));
  }

  // Under dark palettes at least a third of each icon's ink stands out from the window at both
  // toolbar sizes (the rest is paper and tints, which may sit close to the window colour). The
  // pictures drawn for light windows, unchanged, fall to none for the line icons.
  void IconsStayLegibleUnderDarkPalettes_data() {
    QTest::addColumn<QPalette>("palette");
    QTest::newRow("dark") << MakePalette(QColor("#2B2B2B"), QColor("#E6E6E6"), QColor("#1E1E1E"));
    QTest::newRow("black") << MakePalette(QColor("#000000"), QColor("#FFFFFF"), QColor("#101010"));
  }
  void IconsStayLegibleUnderDarkPalettes() {
    QFETCH(QPalette, palette);
    QApplication::setPalette(palette);
    const QColor window = palette.color(QPalette::Window);
    for (int i = 0; i < kIconCount; ++i) {
      const auto icon = static_cast<TIcon>(i);
      for (int size : {16, 24}) {
        const double share = LegibleShare(Icon(icon).pixmap(size, size).toImage(), window);
        QVERIFY2(share >= 0.33, qPrintable(QStringLiteral("%1 at %2 px: %3 of the ink legible")
                                              .arg(Name(icon))
                                              .arg(size)
                                              .arg(share)));
      }
    }
  }

  // Switching the palette while the program runs redraws the icons in the new colours, and
  // switching back gives the first picture again.
  void PaletteSwitchRecolours() {
    const QImage light = Icon(TIcon::SortAscending).pixmap(24, 24).toImage();
    QApplication::setPalette(MakePalette(QColor("#2B2B2B"), QColor("#E6E6E6"), QColor("#1E1E1E")));
    QVERIFY(Icon(TIcon::SortAscending).pixmap(24, 24).toImage() != light);
    QApplication::setPalette(FOriginal);
    QCOMPARE(Icon(TIcon::SortAscending).pixmap(24, 24).toImage(), light);
  }

  // At 200 % the picture is drawn at twice the pixels, not enlarged: the 48-pixel picture at
  // scale 2 has edges a 24-pixel picture scaled up cannot have.
  void DoubleScaleDrawsAtFullResolution() {
    for (TIcon icon : {TIcon::Search, TIcon::ChartLine, TIcon::Application}) {
      const QPixmap sharp = Icon(icon).pixmap(QSize(24, 24), 2.0);
      QCOMPARE(sharp.size(), QSize(48, 48));
      QCOMPARE(sharp.devicePixelRatio(), 2.0);
      const QImage enlarged = Icon(icon).pixmap(24, 24).toImage().scaled(48, 48);
      QVERIFY2(sharp.toImage().convertToFormat(enlarged.format()) != enlarged,
               qPrintable(Name(icon)));
    }
  }

  // A picture drawn ahead on a worker is pixel for pixel the one drawn on demand, in the light
  // and the dark colours, at 100 % and 200 %.
  void PreparedPicturesMatchThoseDrawnOnDemand_data() {
    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<qreal>("scale");
    QTest::newRow("light") << FOriginal << qreal(1);
    QTest::newRow("light 200 %") << FOriginal << qreal(2);
    QTest::newRow("dark") << MakePalette(QColor("#2B2B2B"), QColor("#E6E6E6"), QColor("#1E1E1E"))
                          << qreal(1);
  }
  void PreparedPicturesMatchThoseDrawnOnDemand() {
    QFETCH(QPalette, palette);
    QFETCH(qreal, scale);
    QApplication::setPalette(palette);
    const std::vector<TIcon> icons = {TIcon::Crossword, TIcon::SortByLength, TIcon::Application};
    const QSize size(19, 19);  // a size nothing else asks for, so nothing is drawn yet
    PrepareIcons(icons, size * scale);
    for (TIcon icon : icons) {
      const QImage prepared = Icon(icon).pixmap(size, scale).toImage();
      // A detached copy has an engine of its own, with nothing drawn or prepared.
      QIcon fresh = Icon(icon);
      QPixmap dot(1, 1);
      dot.fill(Qt::transparent);
      fresh.addPixmap(dot);
      const QImage on_demand = fresh.pixmap(size, scale).toImage();
      QCOMPARE(prepared.size(), size * scale);
      QVERIFY2(prepared == on_demand, qPrintable(Name(icon)));
    }
  }

  // Commands with a standard desktop name show the theme's icon when the theme has one and
  // the bundled picture when it has not.
  void StandardCommandsFollowTheDesktopTheme() {
    QTemporaryDir themes;
    QVERIFY(themes.isValid());
    const QDir root(themes.path());
    QVERIFY(root.mkpath(QStringLiteral("probe/24x24/actions")));
    QFile index(root.filePath(QStringLiteral("probe/index.theme")));
    QVERIFY(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=Probe\nDirectories=24x24/actions\n\n"
                "[24x24/actions]\nSize=24\nContext=Actions\nType=Fixed\n");
    index.close();
    QImage red(24, 24, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(root.filePath(QStringLiteral("probe/24x24/actions/document-open.png"))));

    const QImage bundled_open = Icon(TIcon::Open).pixmap(24, 24).toImage();
    QIcon::setThemeSearchPaths({themes.path()});
    QIcon::setThemeName(QStringLiteral("probe"));
    const QImage themed_open = Icon(TIcon::Open).pixmap(24, 24).toImage();
    QCOMPARE(themed_open.convertToFormat(QImage::Format_ARGB32).pixel(12, 12), QColor(Qt::red).rgba());
    QVERIFY(themed_open != bundled_open);
    // The theme has no save icon: the bundled one stands in; non-standard icons never ask.
    QVERIFY(!Icon(TIcon::Save).pixmap(24, 24).toImage().isNull());
    QCOMPARE(Icon(TIcon::Save).pixmap(24, 24).toImage().pixel(12, 12) != QColor(Qt::red).rgba(), true);
    for (TIcon icon : {TIcon::Open, TIcon::Save, TIcon::Help, TIcon::Copy, TIcon::Properties})
      QVERIFY(!ThemeIconName(icon).isEmpty());
    QVERIFY(ThemeIconName(TIcon::ChartBar).isEmpty());
    QIcon::setThemeSearchPaths({});
  }

 private:
  QPalette FOriginal;
  QString FOriginalTheme;
};

QTEST_MAIN(TIconsTest)
#include "icons_test.moc"
