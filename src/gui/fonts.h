#pragma once

#include <QFont>
#include <QString>

// The designs and the settings file name Windows fonts ("Courier New", "Verdana"); this system
// has metric-compatible free ones. Widgets ask for the installed family by name, which spares
// the font database a fallback search for a family it does not have; the settings keep the
// designed names.

namespace gryvel::gui {

// The installed family standing for `designed`; any other name as it is.
QString InstalledFamily(const QString& designed);
// The designed name of an installed family; any other name as it is.
QString DesignedFamily(const QString& installed);

// A font of the designed family at `pixels` pixels.
QFont PixelFont(const QString& designed, int pixels);
// A font of the designed family at `points` points.
QFont PointFont(const QString& designed, int points);

// `font` as it is drawn, for a font dialog to open on: the family drawn and that family's own
// name for the style drawn ("Regular" or "Book", "Italic" or "Oblique"), since a dialog left to
// guess the style name selects the family's first style. Size and effects are kept.
QFont FontAsDrawn(const QFont& font);

}  // namespace gryvel::gui
