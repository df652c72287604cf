#include "gui/icons.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <array>
#include <future>
#include <map>
#include <memory>
#include <thread>
#include <utility>

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
    "state_failed",               // StateFailed
    "state_failed_active",        // StateFailedActive
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
    "entry_editor",               // EntryEditor
    "dictionary_properties",      // DictionaryProperties
    "chart_line",                 // ChartLine
    "chart_bar",                  // ChartBar
    "chart_both",                 // ChartBoth
    "chart_marks",                // ChartMarks
    "save_image",                 // SaveImage
    "options",                    // Options
    "options_search",             // OptionsSearch
    "options_interface",          // OptionsInterface
    "options_word_list",          // OptionsWordList
    "open",                       // Open
    "save",                       // Save
    "help",                       // Help
    "copy",                       // Copy
    "properties",                 // Properties
    "application",                // Application
};

int IndexOf(TIcon icon) {
  const int index = static_cast<int>(icon);
  return index >= 0 && index < kIconCount ? index : static_cast<int>(TIcon::Application);
}

// The pictures are drawn for a light window: dark slate lines (kInk) on white paper (kPaper),
// pale tints and saturated accents. Under a dark palette each colour is swapped for its
// counterpart; near-white glyphs on an accent (#FAFAFA) and the application icon keep theirs.
constexpr const char* kInk = "#37474F";
constexpr const char* kPaper = "#FFFFFF";
struct TDarkColour {
  const char* Light;
  const char* Dark;
};
constexpr TDarkColour kDarkColours[] = {
    {"#E3F2FD", "#1C3550"}, {"#BBDEFB", "#1F4E79"}, {"#FFF8E1", "#3E3620"},
    {"#FFF3E0", "#4A3520"}, {"#CFD8DC", "#546E7A"}, {"#1E88E5", "#42A5F5"},
    {"#1565C0", "#64B5F6"}, {"#0D47A1", "#42A5F5"}, {"#2E7D32", "#81C784"},
    {"#43A047", "#66BB6A"}, {"#B26A00", "#FFB74D"}, {"#8D6E63", "#BCAAA4"},
};

bool IsDark(const QPalette& palette) {
  return palette.color(QPalette::Window).lightness() <
         palette.color(QPalette::WindowText).lightness();
}

// The picture's colours for `palette`: an empty name for the colours it is drawn in, else the
// palette's ink and paper, which also name the recoloured picture in the caches.
QString VariantName(const QPalette& palette) {
  if (!IsDark(palette)) return {};
  return palette.color(QPalette::WindowText).name() + palette.color(QPalette::Base).name();
}

// `svg` with every colour swapped for its dark counterpart, in one pass so that a colour
// already swapped is not swapped again.
QByteArray DarkPicture(const QByteArray& svg, const QPalette& palette) {
  QHash<QByteArray, QByteArray> swaps;
  swaps.insert(kInk, palette.color(QPalette::WindowText).name().toLatin1());
  swaps.insert(kPaper, palette.color(QPalette::Base).name().toLatin1());
  for (const TDarkColour& colour : kDarkColours) swaps.insert(colour.Light, colour.Dark);
  QByteArray result;
  result.reserve(svg.size());
  qsizetype at = 0;
  for (qsizetype hash = svg.indexOf('#'); hash >= 0; hash = svg.indexOf('#', at)) {
    const QByteArray colour = svg.mid(hash, 7).toUpper();
    const auto found = swaps.constFind(colour);
    result += svg.mid(at, hash - at);
    result += found != swaps.constEnd() ? *found : svg.mid(hash, 7);
    at = hash + 7;
  }
  result += svg.mid(at);
  return result;
}

// `svg` drawn at `pixels` on transparent paper, as a pixmap of that size is drawn; any thread.
QImage RenderImage(const QByteArray& svg, const QSize& pixels) {
  QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  QSvgRenderer(svg).render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
  return image;
}

// Parses its picture once per palette variant and keeps every pixmap it renders: Qt's own SVG
// icons parse the file again for each size and state, which showed in the window's start-up.
class TSvgIconEngine final : public QIconEngine {
 public:
  TSvgIconEngine(QString path, bool follows_palette)
      : FPath(std::move(path)), FFollowsPalette(follows_palette) {}

  // To draw the picture at `pixels` for the current palette on a worker: the picture to draw
  // and the promise that the first pixmap of that size and palette waits for. False when that
  // pixmap is drawn or promised already.
  bool Prepare(const QSize& pixels, std::pair<QByteArray, std::promise<QImage>>& job) {
    const QPalette palette = QGuiApplication::palette();
    const QString variant = FFollowsPalette ? VariantName(palette) : QString();
    const QString key = PreparedKey(pixels, variant);
    if (FPrepared.contains(key) || FPixmaps.contains(PixmapKey(pixels, QIcon::Normal, variant)))
      return false;
    FPrepared.insert(key, job.second.get_future().share());
    job.first = Source(variant, palette);
    return true;
  }

  QIconEngine* clone() const override { return new TSvgIconEngine(FPath, FFollowsPalette); }
  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return scaledPixmap(size, mode, state, 1.0);
  }
  // `size` in device pixels, as QIcon asks for it.
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State,
                       qreal scale) override {
    const QPalette palette = QGuiApplication::palette();
    const QString variant = FFollowsPalette ? VariantName(palette) : QString();
    const QSize& pixels = size;
    const QString key = PixmapKey(pixels, mode, variant);
    if (const auto found = FPixmaps.constFind(key); found != FPixmaps.constEnd()) return *found;
    QPixmap pixmap = Prepared(pixels, variant);
    if (pixmap.isNull()) pixmap = Render(pixels, variant, palette);
    if (mode != QIcon::Normal && mode != QIcon::Active) {
      QStyleOption option;
      option.palette = palette;
      pixmap = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
    }
    pixmap.setDevicePixelRatio(scale);
    FPixmaps.insert(key, pixmap);
    return pixmap;
  }
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
             QIcon::State state) override {
    const qreal scale = painter->device()->devicePixelRatioF();
    painter->drawPixmap(rect, scaledPixmap(rect.size() * scale, mode, state, scale));
  }

 private:
  // The picture in the variant's colours.
  QByteArray Source(const QString& variant, const QPalette& palette) {
    if (FSource.isNull()) {
      QFile file(FPath);
      FSource = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("");
    }
    return variant.isEmpty() ? FSource : DarkPicture(FSource, palette);
  }

  QSvgRenderer& Renderer(const QString& variant, const QPalette& palette) {
    std::unique_ptr<QSvgRenderer>& renderer = FRenderers[variant];
    if (!renderer) renderer = std::make_unique<QSvgRenderer>(Source(variant, palette));
    return *renderer;
  }

  static QString PixmapKey(const QSize& pixels, QIcon::Mode mode, const QString& variant) {
    return QStringLiteral("%1x%2/%3/%4")
        .arg(pixels.width())
        .arg(pixels.height())
        .arg(mode)
        .arg(variant);
  }

  static QString PreparedKey(const QSize& pixels, const QString& variant) {
    return QStringLiteral("%1x%2/%3").arg(pixels.width()).arg(pixels.height()).arg(variant);
  }

  // The picture a worker drew at this size in these colours (waiting for it), once; else null.
  QPixmap Prepared(const QSize& pixels, const QString& variant) {
    const auto found = FPrepared.find(PreparedKey(pixels, variant));
    if (found == FPrepared.end()) return {};
    const QImage image = found->get();
    FPrepared.erase(found);
    return QPixmap::fromImage(image);
  }

  QPixmap Render(const QSize& pixels, const QString& variant, const QPalette& palette) {
    QPixmap pixmap(pixels);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    Renderer(variant, palette).render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    return pixmap;
  }

  QString FPath;
  bool FFollowsPalette;
  QByteArray FSource;
  std::map<QString, std::unique_ptr<QSvgRenderer>> FRenderers;
  QHash<QString, QPixmap> FPixmaps;
  QHash<QString, std::shared_future<QImage>> FPrepared;
};

// The bundled picture's engine of each icon, made on first use and owned by its cached QIcon.
std::array<TSvgIconEngine*, kIconCount>& Engines() {
  static std::array<TSvgIconEngine*, kIconCount> engines = {};
  return engines;
}

}  // namespace

QString IconPath(TIcon icon) {
  return QStringLiteral(":/icons/%1.svg").arg(QLatin1String(kFiles[IndexOf(icon)]));
}

QString ThemeIconName(TIcon icon) {
  switch (icon) {
    case TIcon::Open:
      return QStringLiteral("document-open");
    case TIcon::Save:
      return QStringLiteral("document-save");
    case TIcon::Help:
      return QStringLiteral("help-contents");
    case TIcon::Copy:
      return QStringLiteral("edit-copy");
    case TIcon::Properties:
      return QStringLiteral("document-properties");
    default:
      return {};
  }
}

QIcon Icon(TIcon icon) {
  static const bool initialised = (InitGuiResources(), true);
  (void)initialised;
  static std::array<QIcon, kIconCount> cache;
  QIcon& cached = cache[IndexOf(icon)];
  if (cached.isNull()) {
    auto* engine = new TSvgIconEngine(IconPath(icon), icon != TIcon::Application);
    Engines()[IndexOf(icon)] = engine;
    cached = QIcon(engine);
  }
  // The theme is asked each time: the desktop may switch themes while the program runs.
  const QString theme_name = ThemeIconName(icon);
  return theme_name.isEmpty() ? cached : QIcon::fromTheme(theme_name, cached);
}

void PrepareIcons(const std::vector<TIcon>& icons, const QSize& pixels) {
  std::vector<std::pair<QByteArray, std::promise<QImage>>> jobs;
  for (TIcon icon : icons) {
    Icon(icon);  // makes the engine
    std::pair<QByteArray, std::promise<QImage>> job;
    if (Engines()[IndexOf(icon)]->Prepare(pixels, job)) jobs.push_back(std::move(job));
  }
  if (jobs.empty()) return;
  // Kept until the program ends, which waits for a worker that has not finished.
  static std::vector<std::jthread> workers;
  workers.emplace_back([jobs = std::move(jobs), pixels]() mutable {
    for (auto& [svg, promise] : jobs) promise.set_value(RenderImage(svg, pixels));
  });
}

}  // namespace gryvel::gui
