#include "shell/viewer_settings.h"

#include <string>

#include "results/language.h"
#include "shell/settings_io.h"
#include "shell/shell_texts.h"

namespace gryvel {

namespace {

constexpr char kViewer[] = "Viewer";

// The keys of a font: `prefix` + "FontColor" .. `prefix` + "FontCharset".
template <typename Io, typename Font>
void FontKeys(Io& io, const std::string& prefix, Font& f) {
  io.Int(prefix + "FontColor", f.Color);
  io.Int(prefix + "FontSize", f.Size);
  io.Text(prefix + "FontName", f.Name);
  io.Int(prefix + "FontStyle", f.Style);
  io.Int(prefix + "FontCharset", f.Charset);
}

// The keys after Transparency up to ShowTexture, read and written in this order.
template <typename Io, typename Settings>
void SelectionAndSwitchKeys(Io& io, Settings& s) {
  io.Int("SelectionColor", s.SelectionColor);
  io.Int("SelectionBorderColor", s.SelectionBorderColor);
  io.Bool("ShowDescription", s.ShowDescription);
  io.Bool("ShowPartsOfSpeech", s.ShowPartsOfSpeech);
  io.Bool("ShowTexture", s.ShowTexture);
}

TStatus ReadViewer(const TIniStore& store, TFileSystem& files, TViewerSettings& s) {
  const TSectionReader io(store, kViewer);
  io.Int("Color", s.Color);
  io.Int("Border", s.Border);
  io.Int("BorderColor", s.BorderColor);
  std::int32_t transparency = s.Transparency;
  io.Int("Transparency", transparency);
  if (transparency < 0 || transparency > 255) return TStatus::Error("Transparency");
  s.Transparency = transparency;
  SelectionAndSwitchKeys(io, s);
  std::string texture;
  io.Path("TextureFileName", texture);
  s.TextureFileName = !texture.empty() && files.FileExists(texture) ? texture : "";
  FontKeys(io, "Descr", s.DescrFont);
  FontKeys(io, "POS", s.POSFont);
  FontKeys(io, "", s.Font);
  return TStatus::Ok();
}

}  // namespace

std::string FontDescription(const TFontSettings& font) {
  static constexpr struct {
    std::int32_t Bit;
    const char* Key;
  } kStyles[] = {{kFontBold, "FontBoldLabel"},
                 {kFontItalic, "FontItalicLabel"},
                 {kFontUnderline, "FontUnderlineLabel"},
                 {kFontStrikeOut, "FontStrikeOutLabel"}};
  std::string style;
  for (const auto& s : kStyles)
    if (font.Style & s.Bit)
      style += (style.empty() ? "" : " ") + WindowText(TWindowTexts::Options, s.Key);
  if (style.empty()) style = WindowText(TWindowTexts::Options, "FontRegularLabel");
  return font.Name + ", " + std::to_string(font.Size) + "pt, " + style;
}

std::int32_t TransparencyPercent(std::int32_t transparency) {
  return (255 - transparency) * 100 / 255;
}

std::optional<std::int32_t> TransparencyFromPercent(std::int32_t percent) {
  if (percent < 0 || percent >= 100) return std::nullopt;
  // percent * 2.55 in hundredths, rounded half up: exact where a binary 2.55 is not.
  return 255 - (percent * 255 + 50) / 100;
}

bool ReadViewerSettings(TSettingsFile& file, TViewerSettings& settings) {
  return ReadSettingsGroup(
      file, ShellText(TShellText::ViewerReadError),
      [&](const TIniStore& store) { return ReadViewer(store, file.FileSystem(), settings); });
}

TStatus WriteViewerSettings(TSettingsFile& file, const TViewerSettings& s) {
  const bool texture_exists =
      !s.TextureFileName.empty() && file.FileSystem().FileExists(s.TextureFileName);
  return file.Update([&](TIniStore& store) {
    TSectionWriter io(store, kViewer);
    io.Int("Color", s.Color);
    io.Int("Border", s.Border);
    io.Int("BorderColor", s.BorderColor);
    io.Int("Transparency", s.Transparency);
    SelectionAndSwitchKeys(io, s);
    FontKeys(io, "", s.Font);
    FontKeys(io, "POS", s.POSFont);
    FontKeys(io, "Descr", s.DescrFont);
    if (texture_exists)
      io.Path("TextureFileName", s.TextureFileName);
    else
      io.Text("TextureFileName", Term(TTerm::Default));
  });
}

}  // namespace gryvel
