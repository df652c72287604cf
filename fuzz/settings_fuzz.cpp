// Reads every settings group from arbitrary bytes taken as the settings file, then writes every
// group back: nothing may crash, hang or read out of bounds.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "dictionary/dictionary_collection.h"
#include "fuzz_load.h"
#include "search/character_manager.h"
#include "shell/dictionary_list_settings.h"
#include "shell/filter_settings.h"
#include "shell/history_settings.h"
#include "shell/layout_settings.h"
#include "shell/main_settings.h"
#include "shell/search_history.h"
#include "shell/settings_file.h"
#include "shell/viewer_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace gryvel;
  fuzzing::SilenceMessages();
  TMemoryFileSystem files;
  files.SetFile("/fuzz/gryvel.ini", std::vector<std::uint8_t>(data, data + size));
  TSettingsFile file(files, "/fuzz/gryvel.ini", "/fuzz");

  TDictionaryCollection collection(&files);
  ReadDictionaryList(file, collection);
  TCharacterManager manager(TManagerRole::WorkingCopy);
  TSearchHistory history;
  ReadPatternHistory(file, history);
  ReadAnagramHistory(file, history);
  ReadEqualLetters(file, manager, history);
  const TMainSettings main = ReadMainSettings(file);
  const TSearchOptions search = ReadSearchOptions(file);
  TWindowPosition position;
  ReadWindowPosition(file, position);
  TToolbarPositions toolbars;
  ReadToolbarPositions(file, toolbars);
  TViewerSettings viewer;
  ReadViewerSettings(file, viewer);
  const TFilterSettings filter = ReadFilterSettings(file);

  (void)WriteMainSettings(file, main);
  (void)WriteSearchOptions(file, search);
  (void)WriteWindowPosition(file, position);
  (void)WriteToolbarPositions(file, toolbars);
  (void)WriteViewerSettings(file, viewer);
  (void)WriteFilterSettings(file, filter);
  (void)WriteDictionaryList(file, DictionaryListOf(collection));
  (void)WritePatternHistory(file, history);
  (void)WriteAnagramHistory(file, history);
  (void)WriteEqualLetters(file, manager);
  return 0;
}
