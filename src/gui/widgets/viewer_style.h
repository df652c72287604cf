#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <cstdint>

#include "shell/viewer_settings.h"

// The looks a word list is given: the main window's design, the [Viewer] settings both ways,
// and the built-in pictures. A new TKivViewer already has the search dialog's look.

namespace gryvel::gui {

class TKivViewer;

// The main window's list as designed: white, framed, "Courier New" 16 px words, "Verdana"
// 11 px grey parts of speech and navy descriptions, every Show switch on, the built-in texture
// and the description marker as its first image.
void ApplyMainWindowStyle(TKivViewer& viewer);

// Gives the viewer the [Viewer] settings, its updates held meanwhile. A TextureFileName naming
// an image file that loads becomes the texture; otherwise the built-in texture with an empty
// name.
void ApplyViewerSettings(TKivViewer& viewer, const TViewerSettings& settings);
// The viewer's look as [Viewer] settings; a colour that came from a system colour stays one.
TViewerSettings ViewerSettingsOf(const TKivViewer& viewer);

// A settings colour: red in the low byte, then green, then blue; a negative value
// (0x80000000 | n) is the system colour n, taken from the application palette.
QColor ColorFromSetting(std::int32_t value);
// The settings value of an ordinary colour.
std::int32_t SettingFromColor(const QColor& color);

// A settings font (size in points, style bits) and back.
QFont FontFromSettings(const TFontSettings& settings);
TFontSettings FontSettingsOf(const QFont& font, const QColor& color);

// The built-in texture: a light paper-like tile that repeats without seams.
QImage DefaultTexture();
// The 9 x 9 half-transparent page that marks a word with a hidden description.
QImage DescriptionMarker();

}  // namespace gryvel::gui
