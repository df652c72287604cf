#include "gui/widgets/viewer_style.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPolygon>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <vector>

#include "gui/fonts.h"
#include "gui/text.h"
#include "gui/widgets/kiv_viewer.h"

namespace gryvel::gui {

namespace {

constexpr std::int32_t kSystemColor = std::int32_t(0x80000000u);
constexpr std::int32_t kButtonText = 18;

// Dynamic properties remembering a system colour's settings value, and a font's charset.
constexpr const char* kColorTag = "viewerStyle.color.Color";
constexpr const char* kBorderColorTag = "viewerStyle.color.BorderColor";
constexpr const char* kSelColorTag = "viewerStyle.color.SelColor";
constexpr const char* kSelBorderColorTag = "viewerStyle.color.SelBorderColor";
constexpr const char* kWordColorTag = "viewerStyle.color.Font";
constexpr const char* kPosColorTag = "viewerStyle.color.POSFont";
constexpr const char* kDescrColorTag = "viewerStyle.color.DescrFont";
constexpr const char* kWordCharsetTag = "viewerStyle.charset.Font";
constexpr const char* kPosCharsetTag = "viewerStyle.charset.POSFont";
constexpr const char* kDescrCharsetTag = "viewerStyle.charset.DescrFont";

// The common system colour numbers and the palette colours that play their part here.
QColor SystemColor(std::int32_t number) {
  const QPalette palette = QGuiApplication::palette();
  switch (number) {
    case 0: return palette.color(QPalette::Button);             // scroll bar
    case 1: return palette.color(QPalette::Dark);               // desktop
    case 2: return palette.color(QPalette::Highlight);          // active caption
    case 3: return palette.color(QPalette::Mid);                // inactive caption
    case 4: return palette.color(QPalette::Window);             // menu
    case 5: return palette.color(QPalette::Base);               // window
    case 6: return palette.color(QPalette::Shadow);             // window frame
    case 7: return palette.color(QPalette::WindowText);         // menu text
    case 8: return palette.color(QPalette::Text);               // window text
    case 9: return palette.color(QPalette::HighlightedText);    // caption text
    case 10:                                                    // active border
    case 11: return palette.color(QPalette::Window);            // inactive border
    case 12: return palette.color(QPalette::Dark);              // application workspace
    case 13: return palette.color(QPalette::Highlight);         // highlight
    case 14: return palette.color(QPalette::HighlightedText);   // highlight text
    case 15: return palette.color(QPalette::Button);            // button face
    case 16: return palette.color(QPalette::Dark);              // button shadow
    case 17: return palette.color(QPalette::Disabled, QPalette::Text);  // grey text
    case 18: return palette.color(QPalette::ButtonText);        // button text
    case 19: return palette.color(QPalette::Inactive, QPalette::WindowText);
    case 20: return palette.color(QPalette::Light);             // button highlight
    case 21: return palette.color(QPalette::Shadow);            // 3-D dark shadow
    case 22: return palette.color(QPalette::Midlight);          // 3-D light
    case 23: return palette.color(QPalette::ToolTipText);       // info text
    case 24: return palette.color(QPalette::ToolTipBase);       // info background
    case 26: return palette.color(QPalette::Link);              // hot light
    case 27: return palette.color(QPalette::Highlight);         // gradient active caption
    case 28: return palette.color(QPalette::Mid);               // gradient inactive caption
    case 29: return palette.color(QPalette::Highlight);         // menu highlight
    case 30: return palette.color(QPalette::Window);            // menu bar
    default: return palette.color(QPalette::WindowText);
  }
}

// The colour of settings `value`, remembering a system colour on the viewer under `tag`.
QColor TaggedColor(TKivViewer& viewer, const char* tag, std::int32_t value) {
  viewer.setProperty(tag, value < 0 ? QVariant(value) : QVariant());
  return ColorFromSetting(value);
}

std::int32_t TaggedSetting(const TKivViewer& viewer, const char* tag, const QColor& color) {
  const QVariant code = viewer.property(tag);
  if (code.isValid() && ColorFromSetting(code.toInt()) == color) return code.toInt();
  return SettingFromColor(color);
}

QFont TaggedFont(TKivViewer& viewer, const char* charset_tag, const TFontSettings& settings) {
  viewer.setProperty(charset_tag, settings.Charset);
  return FontFromSettings(settings);
}

TFontSettings TaggedFontSettings(const TKivViewer& viewer, const char* color_tag,
                                 const char* charset_tag, const QFont& font,
                                 const QColor& color) {
  TFontSettings settings = FontSettingsOf(font, color);
  settings.Color = TaggedSetting(viewer, color_tag, color);
  const QVariant charset = viewer.property(charset_tag);
  if (charset.isValid()) settings.Charset = charset.toInt();
  return settings;
}

}  // namespace

QColor ColorFromSetting(std::int32_t value) {
  if (value < 0) return SystemColor(value & 0x7FFFFFFF);
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

std::int32_t SettingFromColor(const QColor& color) {
  const QColor rgb = color.toRgb();
  return rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16);
}

QFont FontFromSettings(const TFontSettings& settings) {
  QFont font;
  if (!settings.Name.empty()) font.setFamily(InstalledFamily(ToQString(settings.Name)));
  // A negative size is a pixel height; absurd sizes are held to something drawable.
  if (settings.Size > 0)
    font.setPointSize(std::min(settings.Size, 200));
  else if (settings.Size < 0)
    font.setPixelSize(std::min(-static_cast<std::int64_t>(settings.Size), std::int64_t{300}));
  font.setBold((settings.Style & kFontBold) != 0);
  font.setItalic((settings.Style & kFontItalic) != 0);
  font.setUnderline((settings.Style & kFontUnderline) != 0);
  font.setStrikeOut((settings.Style & kFontStrikeOut) != 0);
  return font;
}

TFontSettings FontSettingsOf(const QFont& font, const QColor& color) {
  TFontSettings settings;
  settings.Color = SettingFromColor(color);
  settings.Size = font.pointSize() > 0 ? font.pointSize()
                                       : static_cast<std::int32_t>(std::lround(font.pixelSize() * 72.0 / 96.0));
  settings.Name = FromQString(DesignedFamily(font.family())).value_or(std::string());
  settings.Style = (font.bold() ? kFontBold : 0) | (font.italic() ? kFontItalic : 0) |
                   (font.underline() ? kFontUnderline : 0) |
                   (font.strikeOut() ? kFontStrikeOut : 0);
  return settings;
}

void ApplyMainWindowStyle(TKivViewer& viewer) {
  const THoldViewer hold(viewer);
  viewer.SetColor(Qt::white);
  viewer.SetBorder(1);
  viewer.SetSelBorder(1);
  viewer.SetSelBorderColor(Qt::gray);
  viewer.SetSelColor(QColor(208, 184, 147));
  viewer.SetBorderColor(TaggedColor(viewer, kBorderColorTag, kSystemColor | kButtonText));
  viewer.SetTextIndent(3);
  viewer.SetDescriptionIndent(16);
  viewer.SetWordFont(PixelFont(QStringLiteral("Courier New"), 16), Qt::black);
  viewer.SetPartOfSpeechFont(PixelFont(QStringLiteral("Verdana"), 11), Qt::gray);
  viewer.SetDescriptionFont(PixelFont(QStringLiteral("Verdana"), 11), QColor(0, 0, 128));
  viewer.SetShowDescription(true);
  viewer.SetShowTexture(true);
  viewer.SetShowPartsOfSpeech(true);
  viewer.SetShowWordSource(true);
  viewer.SetTransparency(223);
  viewer.SetBackGround(DefaultTexture());
  viewer.SetImages({DescriptionMarker()});
}

void ApplyViewerSettings(TKivViewer& viewer, const TViewerSettings& s) {
  const THoldViewer hold(viewer);
  viewer.SetColor(TaggedColor(viewer, kColorTag, s.Color));
  viewer.SetBorder(s.Border);
  viewer.SetBorderColor(TaggedColor(viewer, kBorderColorTag, s.BorderColor));
  viewer.SetTransparency(s.Transparency);
  viewer.SetSelColor(TaggedColor(viewer, kSelColorTag, s.SelectionColor));
  viewer.SetSelBorderColor(TaggedColor(viewer, kSelBorderColorTag, s.SelectionBorderColor));
  viewer.SetShowDescription(s.ShowDescription);
  viewer.SetShowPartsOfSpeech(s.ShowPartsOfSpeech);
  viewer.SetShowTexture(s.ShowTexture);
  QImage texture;
  const QString file = PathToQString(s.TextureFileName);
  if (!file.isEmpty() && QFileInfo(file).isFile()) texture.load(file);
  viewer.SetBackGround(texture.isNull() ? DefaultTexture() : texture);
  viewer.SetTextureFileName(texture.isNull() ? QString() : file);
  viewer.SetDescriptionFont(TaggedFont(viewer, kDescrCharsetTag, s.DescrFont),
                            TaggedColor(viewer, kDescrColorTag, s.DescrFont.Color));
  viewer.SetPartOfSpeechFont(TaggedFont(viewer, kPosCharsetTag, s.POSFont),
                             TaggedColor(viewer, kPosColorTag, s.POSFont.Color));
  viewer.SetWordFont(TaggedFont(viewer, kWordCharsetTag, s.Font),
                     TaggedColor(viewer, kWordColorTag, s.Font.Color));
}

TViewerSettings ViewerSettingsOf(const TKivViewer& viewer) {
  TViewerSettings s;
  s.Color = TaggedSetting(viewer, kColorTag, viewer.Color());
  s.Border = viewer.Border();
  s.BorderColor = TaggedSetting(viewer, kBorderColorTag, viewer.BorderColor());
  s.Transparency = viewer.Transparency();
  s.SelectionColor = TaggedSetting(viewer, kSelColorTag, viewer.SelColor());
  s.SelectionBorderColor = TaggedSetting(viewer, kSelBorderColorTag, viewer.SelBorderColor());
  s.ShowDescription = viewer.ShowDescription();
  s.ShowPartsOfSpeech = viewer.ShowPartsOfSpeech();
  s.ShowTexture = viewer.ShowTexture();
  s.TextureFileName = PathFromQString(viewer.TextureFileName());
  s.Font = TaggedFontSettings(viewer, kWordColorTag, kWordCharsetTag, viewer.WordFont(),
                              viewer.WordFontColor());
  s.DescrFont = TaggedFontSettings(viewer, kDescrColorTag, kDescrCharsetTag,
                                   viewer.DescriptionFont(), viewer.DescriptionFontColor());
  s.POSFont = TaggedFontSettings(viewer, kPosColorTag, kPosCharsetTag, viewer.PartOfSpeechFont(),
                                 viewer.PartOfSpeechFontColor());
  return s;
}

QImage DefaultTexture() {
  static const QImage texture = [] {
    constexpr int kSize = 128;
    // Hashed noise, then softened with wrap-around neighbours so the tile repeats seamlessly.
    std::vector<float> noise(kSize * kSize);
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x) {
        std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                          static_cast<std::uint32_t>(y) * 668265263u;
        h = (h ^ (h >> 13)) * 1274126177u;
        noise[y * kSize + x] = static_cast<float>((h ^ (h >> 16)) & 0xFFFF) / 65535.0f - 0.5f;
      }
    QImage image(kSize, kSize, QImage::Format_RGB32);
    for (int y = 0; y < kSize; ++y) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < kSize; ++x) {
        float sum = 0;
        // Horizontally stretched: faint fibres along the rows.
        for (int dx = -2; dx <= 2; ++dx)
          sum += noise[y * kSize + (x + dx + kSize) % kSize];
        sum += 0.5f * noise[((y + 1) % kSize) * kSize + x];
        const float grain = 0.6f * sum + 1.5f * noise[y * kSize + x];
        const int shade = static_cast<int>(std::lround(grain * 4.0f));
        line[x] = qRgb(std::clamp(250 + shade, 0, 255), std::clamp(247 + shade, 0, 255),
                       std::clamp(238 + shade, 0, 255));
      }
    }
    return image;
  }();
  return texture;
}

QImage DescriptionMarker() {
  QImage image(9, 9, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  const QColor edge(0, 0, 128, 170);
  // A page with its top-right corner folded, and two lines of text.
  const QPolygon page({{1, 0}, {5, 0}, {7, 2}, {7, 8}, {1, 8}});
  painter.setPen(edge);
  painter.setBrush(QColor(255, 255, 255, 200));
  painter.drawPolygon(page);
  painter.drawLine(5, 0, 5, 2);
  painter.drawLine(5, 2, 7, 2);
  painter.drawLine(3, 4, 5, 4);
  painter.drawLine(3, 6, 5, 6);
  return image;
}

}  // namespace gryvel::gui
