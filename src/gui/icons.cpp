#include "gui/icons.h"

#include <array>

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

}  // namespace

QString IconPath(TIcon icon) {
  return QStringLiteral(":/icons/%1.svg").arg(QLatin1String(kFiles[IndexOf(icon)]));
}

QIcon Icon(TIcon icon) {
  static const bool initialised = (InitGuiResources(), true);
  (void)initialised;
  static std::array<QIcon, kIconCount> cache;
  QIcon& cached = cache[IndexOf(icon)];
  if (cached.isNull()) cached = QIcon(IconPath(icon));
  return cached;
}

}  // namespace gryvel::gui
