#pragma once

#include <QIcon>
#include <QString>

// The program's own images: flat SVG icons drawn on a 24 x 24 grid, held in the Qt resources,
// so they stay sharp at every toolbar size and screen scale.

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
  Application,
};

inline constexpr int kIconCount = static_cast<int>(TIcon::Application) + 1;

// The icon; loaded once and then served from a cache. REQUIRES: a QGuiApplication exists.
QIcon Icon(TIcon icon);

// The resource path of the icon's SVG file (":/icons/....svg").
QString IconPath(TIcon icon);

}  // namespace gryvel::gui
