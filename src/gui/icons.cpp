#include "gui/icons.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <array>
#include <memory>

// Resources of a static library are linked only when something names their initialiser, and
// Q_INIT_RESOURCE must be used outside any namespace.
static void InitGuiResources() {
  Q_INIT_RESOURCE(gui);
}

namespace gryvel::gui {

namespace {

// Indexed by TIcon. Some icons share a picture: a tree root and its toolbar button mean the
// same search, and the quick-search mark is the pattern entry's magnifier.
constexpr std::array<const char*, kIconCount> kFiles = {
    "crossword",                  // CrosswordRoot
    "anagram",                    // AnagramRoot
    "equal_root",                 // EqualRoot
    "new_search",                 // NewSearch
    "search",                     // PatternEntry
    "anagram_entry",              // AnagramEntry
    "equal_active",               // EqualActive
    "equal_inactive",             // EqualInactive
    "dictionary_binary",          // DictionaryBinary
    "dictionary_text",            // DictionaryText
    "info_node",                  // InfoNode
    "email_node",                 // EmailNode
    "web_node",                   // WebNode
    "state_disconnected",         // StateDisconnected
    "state_connected",            // StateConnected
    "state_disconnected_active",  // StateDisconnectedActive
    "state_connected_active",     // StateConnectedActive
    "panel_show",                 // PanelShow
    "panel_hide",                 // PanelHide
    "search",                     // Search
    "crossword",                  // Crossword
    "anagram",                    // Anagram
    "word_analysis",              // WordAnalysis
    "word_chain",                 // WordChain
    "results",                    // Results
    "filter",                     // Filter
    "sort_ascending",             // SortAscending
    "sort_descending",            // SortDescending
    "sort_alphabetical",          // SortAlphabetical
    "sort_by_length",             // SortByLength
    "description_marker",         // DescriptionMarker
    "application",                // Application
};

int IndexOf(TIcon icon) {
  const int index = static_cast<int>(icon);
  return index >= 0 && index < kIconCount ? index : static_cast<int>(TIcon::Application);
}

// Parses its picture once and keeps every pixmap it renders: Qt's own SVG icons parse the
// file again for each size and state, which showed in the window's start-up time.
class TSvgIconEngine final : public QIconEngine {
 public:
  explicit TSvgIconEngine(QString path) : FPath(std::move(path)) {}

  QIconEngine* clone() const override { return new TSvgIconEngine(FPath); }
  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return scaledPixmap(size, mode, state, 1.0);
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State,
                       qreal scale) override {
    const QSize pixels = size * scale;
    const QString key = QStringLiteral("%1x%2/%3").arg(pixels.width()).arg(pixels.height()).arg(mode);
    if (const auto found = FPixmaps.constFind(key); found != FPixmaps.constEnd()) return *found;
    QPixmap pixmap = Render(pixels);
    if (mode != QIcon::Normal && mode != QIcon::Active) {
      QStyleOption option;
      option.palette = QGuiApplication::palette();
      pixmap = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
    }
    pixmap.setDevicePixelRatio(scale);
    FPixmaps.insert(key, pixmap);
    return pixmap;
  }
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
             QIcon::State state) override {
    const qreal scale = painter->device()->devicePixelRatioF();
    painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, scale));
  }

 private:
  QPixmap Render(const QSize& pixels) {
    if (!FRenderer) FRenderer = std::make_unique<QSvgRenderer>(FPath);
    QPixmap pixmap(pixels);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    FRenderer->render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    return pixmap;
  }

  QString FPath;
  std::unique_ptr<QSvgRenderer> FRenderer;
  QHash<QString, QPixmap> FPixmaps;
};

}  // namespace

QString IconPath(TIcon icon) {
  return QStringLiteral(":/icons/%1.svg").arg(QLatin1String(kFiles[IndexOf(icon)]));
}

QIcon Icon(TIcon icon) {
  static const bool initialised = (InitGuiResources(), true);
  (void)initialised;
  static std::array<QIcon, kIconCount> cache;
  QIcon& cached = cache[IndexOf(icon)];
  if (cached.isNull()) cached = QIcon(new TSvgIconEngine(IconPath(icon)));
  return cached;
}

}  // namespace gryvel::gui
