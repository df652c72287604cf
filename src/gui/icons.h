#pragma once

#include <QIcon>
#include <QSize>
#include <QString>
#include <vector>

// The program's own images: flat SVG icons drawn on a 24 x 24 grid, held in the Qt resources,
// so they stay sharp at every toolbar size and screen scale. The application icon is also
// installed into the desktop's icon theme (packaging/).

namespace gryvel::gui {

enum class TIcon {
  // Roots and nodes of the search-history tree.
  CrosswordRoot,
  AnagramRoot,
  EqualRoot,
  NewSearch,
  PatternEntry,
  AnagramEntry,
  EqualActive,
  EqualInactive,
  // Nodes of the dictionary tree and their state marks.
  DictionaryBinary,
  DictionaryText,
  InfoNode,
  EmailNode,
  WebNode,
  StateDisconnected,
  StateConnected,
  StateDisconnectedActive,
  StateConnectedActive,
  StateFailed,
  StateFailedActive,
  // The main window: right-panel button, quick search, toolbars.
  PanelShow,
  PanelHide,
  Search,
  Crossword,
  Anagram,
  WordAnalysis,
  WordChain,
  Results,
  Filter,
  SortAscending,
  SortDescending,
  SortAlphabetical,
  SortByLength,
  DescriptionMarker,
  // The entry editor and the dictionary properties dialog.
  EntryEditor,
  DictionaryProperties,
  // The statistics window: chart styles, value marks, saving the chart as a picture.
  ChartLine,
  ChartBar,
  ChartBoth,
  ChartMarks,
  SaveImage,
  // The options dialog and its pages (search, interface, word list).
  Options,
  OptionsSearch,
  OptionsInterface,
  OptionsWordList,
  // Commands with a standard desktop icon: the theme's icon when it has one (see Icon).
  Open,
  Save,
  Help,
  Copy,
  Properties,
  Application,
};

inline constexpr int kIconCount = static_cast<int>(TIcon::Application) + 1;

// The icon. Commands with a standard desktop name take the desktop theme's icon when the
// theme has one, else the bundled picture. Bundled pictures follow the application palette:
// under a dark palette their dark lines turn light and their white paper dark, so they stay
// legible. REQUIRES: a QGuiApplication exists.
QIcon Icon(TIcon icon);

// Starts drawing the bundled pictures of `icons` at `pixels` (device pixels) in the current
// palette on a worker thread, so that the first paint of that size finds them drawn (or waits
// for them) instead of drawing them itself. REQUIRES: a QGuiApplication exists.
void PrepareIcons(const std::vector<TIcon>& icons, const QSize& pixels);

// The desktop theme's name for the icon ("document-open", ...); empty when it has none.
QString ThemeIconName(TIcon icon);

// The resource path of the icon's SVG file (":/icons/....svg").
QString IconPath(TIcon icon);

}  // namespace gryvel::gui
