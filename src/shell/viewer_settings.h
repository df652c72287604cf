#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/status.h"
#include "shell/settings_file.h"

// The look of the word list, [Viewer]. Colours are the decimal value of the colour: red in the
// low byte, then green, then blue; a system colour is a negative number (its high bit set).

namespace gryvel {

// Bits of TFontSettings::Style.
inline constexpr std::int32_t kFontBold = 1;
inline constexpr std::int32_t kFontItalic = 2;
inline constexpr std::int32_t kFontUnderline = 4;
inline constexpr std::int32_t kFontStrikeOut = 8;

struct TFontSettings {
  std::int32_t Color = 0;
  std::int32_t Size = 12;  // points
  std::string Name;        // code page 1251
  std::int32_t Style = 0;
  std::int32_t Charset = 1;

  bool operator==(const TFontSettings&) const = default;
};

// The font as the options dialog names it, in the interface language: name, size and style,
// "Verdana, 8pt, regular" or "Courier New, 12pt, bold italic".
std::string FontDescription(const TFontSettings& font);

// The defaults are the main window's list as designed.
struct TViewerSettings {
  std::int32_t Color = 0xFFFFFF;           // background without a texture
  std::int32_t Border = 1;                 // a frame is drawn when above 0
  std::int32_t BorderColor = -2147483630;  // the system's button text colour
  std::int32_t Transparency = 223;         // of the selection, 0 .. 255
  std::int32_t SelectionColor = 0x93B8D0;  // red 208, green 184, blue 147
  std::int32_t SelectionBorderColor = 0x808080;
  bool ShowDescription = true;
  bool ShowPartsOfSpeech = true;
  bool ShowTexture = true;
  std::string TextureFileName;  // native; empty: the built-in texture
  TFontSettings Font{0, 12, "Courier New", 0, 1};
  TFontSettings DescrFont{0x800000, 8, "Verdana", 0, 1};
  TFontSettings POSFont{0x808080, 8, "Verdana", 0, 1};

  bool operator==(const TViewerSettings&) const = default;
};

// The selection's transparency as the options dialog shows it, in percent: the list blends the
// selection with opacity Transparency, so 0 % is opaque. (255 - transparency) * 100 / 255,
// rounded down.
std::int32_t TransparencyPercent(std::int32_t transparency);
// The Transparency that shows `percent`: 255 - round(percent * 2.55); nullopt (no change) for a
// percentage outside 0 .. 99, since 100 % would hide the selection.
std::optional<std::int32_t> TransparencyFromPercent(std::int32_t percent);

// Reads [Viewer] over `settings`, whose incoming values (the list's current ones) are the
// defaults. A texture file that does not exist reads as the built-in texture. A Transparency
// outside 0 .. 255 is a failure: "код 002" is shown and the keys after it are not read.
bool ReadViewerSettings(TSettingsFile& file, TViewerSettings& settings);
// Writes [Viewer]; the built-in texture, or a texture file that no longer exists, is written
// as the default texture's name in the current language.
TStatus WriteViewerSettings(TSettingsFile& file, const TViewerSettings& settings);

}  // namespace gryvel
