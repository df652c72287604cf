#pragma once

#include <cstdint>
#include <string>

#include "common/status.h"
#include "shell/settings_file.h"
#include "solvers/result_list.h"

// The program's own options: [Main] (the main window's panels and toolbars, the language) and
// [Search] (the history and typing options), as plain values the GUI maps to its widgets.

namespace gryvel {

// Pages of the right panel: 0 the search history, 1 the dictionaries.
inline constexpr std::int32_t kRightPanelPages = 2;

struct TMainSettings {
  std::string InitialDir;  // native; where the open-dictionary dialog starts
  bool ShowStatusBar = true;
  bool ShowStandardScroll = false;  // the standard scroll bar instead of the skinned one
  std::int32_t RightWidth = 248;    // the right panel's width
  std::int32_t LeftWidth = 266;     // the left panel's width when the right one shows at start
  std::int32_t RightPanelKind = 0;  // the right panel's page
  bool ShowRightPanel = true;
  std::int32_t ToolBarLabels = 1;  // 0 no text, 1 text beside the icon, 2 text under it
  bool LargeToolBarIcons = true;
  std::string Language = "RUS";  // written with the group; read alone by ReadLanguage

  bool operator==(const TMainSettings&) const = default;
};

// Reads [Main] but Language; a missing key gives the TMainSettings default, InitialDir the
// program's directory. A page outside the right panel's pages reads as 0, a label mode other
// than 0, 1 and 2 as 1. Shows "код 001" on failure.
TMainSettings ReadMainSettings(TSettingsFile& file);
// Writes [Main], Language included. REQUIRES: RightWidth and LeftWidth are the current widths
// when the right panel is shown, else the ones it had when it was last hidden.
TStatus WriteMainSettings(TSettingsFile& file, const TMainSettings& settings);

// The language code of [Main]: "RUS" when the key is missing, "Eng" when it is empty. Shows
// nothing; "RUS" when the file cannot be read. SetLanguage takes the code.
std::string ReadLanguage(TSettingsFile& file);

// The most history entries a branch can be told to keep (the options dialog's range).
inline constexpr std::int32_t kMaxSaveLastCount = 1000;

struct TSearchOptions {
  bool DoSaveLast = true;          // keep a search history
  std::int32_t SaveLastCount = 5;  // entries per history branch, 0 .. kMaxSaveLastCount
  bool DoFastSearch = true;        // locate the typed word while typing
  bool CaseSensitive = false;      // the character manager's case option
  // The most results a word chain or analysis keeps before it stops, 1 .. kMaxLimit.
  std::int32_t ResultLimit = TResultList::kDefaultLimit;

  bool operator==(const TSearchOptions&) const = default;
};

// Reads [Search]; SaveLastCount is clamped to 0 .. kMaxSaveLastCount, ResultLimit to
// 1 .. TResultList::kMaxLimit. Shows "код 003" on
// failure.
TSearchOptions ReadSearchOptions(TSettingsFile& file);
TStatus WriteSearchOptions(TSettingsFile& file, const TSearchOptions& options);

}  // namespace gryvel
