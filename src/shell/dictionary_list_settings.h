#pragma once

#include <string>
#include <vector>

#include "common/status.h"
#include "dictionary/dictionary_collection.h"
#include "shell/settings_file.h"

// The open dictionaries in the settings file, [Dictionaries]: Count, EditingDictionary (the
// 1-based number of the active one, -1 for none) and for each i from 1 to Count FileName_i,
// Name_i (empty: the dictionary's own name) and IsConnected_i.

namespace gryvel {

// One dictionary of the list as the dictionary tree shows it.
struct TDictionaryListItem {
  std::string FileName;  // native
  std::string Name;      // the display name, code page 1251
  bool Connected = false;
  bool Active = false;  // the editing dictionary
};

// Opens the listed dictionaries in `collection`, in list order: a file that no longer exists
// is skipped; an entry naming a file listed before it (however the path is spelt) is dropped,
// the first kept (and made active when the dropped one was), and such entries are named in one
// message ("The dictionary list names the same file more than once..."); each
// dictionary gets its display name (Name_i, else the title in its header, else "<Словарь>");
// the connected ones are connected and queued for loading; the editing one is made active.
// Returns the dictionaries opened, in list order, for the dictionary tree. A file that exists
// but cannot be opened, or whose header is damaged, stays in the list, not connected, with its
// LoadFailure; those files are named with their reasons in one message
// ("Ошибка при загрузке словарей", in the interface language) after the others are read.
// Does not make the first-run file. The collection must reach its files through the settings
// file's file system.
std::vector<TKivDictionary*> ReadDictionaryList(TSettingsFile& file,
                                                TDictionaryCollection& collection);

// Writes `items` in order (the dictionary tree's order) as entries 1, 2, ..; a display name
// "<Словарь>" is written empty. Entries above the new Count stay in the file, unread.
TStatus WriteDictionaryList(TSettingsFile& file, const std::vector<TDictionaryListItem>& items);

// The dictionaries of `collection` in collection order, under their display names.
std::vector<TDictionaryListItem> DictionaryListOf(const TDictionaryCollection& collection);

}  // namespace gryvel
