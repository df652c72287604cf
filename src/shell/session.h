#pragma once

#include <memory>

#include "dictionary/dictionary_collection.h"
#include "results/result_source.h"
#include "search/character_manager.h"
#include "search/string_searcher.h"
#include "shell/main_settings.h"
#include "shell/search_history.h"
#include "shell/settings_file.h"

// The engine objects that the windows and the command-line tool share, built and wired once:
// the character manager, the searcher over its letter maps, the collection searching through
// that searcher, the result source showing the collection, the search history and the search
// options, and (for the window) the settings file. The application owns the session; each
// window takes the session, or the parts of it that it shows, and listens to their events.

namespace gryvel {

// A dictionary whose load fails is named, with the reason, in a message in the interface
// language.
//
// Members are built in order: the character manager first, since it fills the word order every
// load and sort relies on; the result source goes before the collection it shows.
// REQUIRES: made, used and destroyed on the UI thread.
class TSession {
 public:
  // `settings` is the settings file the session reads and writes; none (the command line)
  // when null. The dictionaries' files are reached through `files` (borrowed; the real file
  // system when null).
  explicit TSession(std::unique_ptr<TSettingsFile> settings = nullptr,
                    TFileSystem* files = nullptr);
  TSession(const TSession&) = delete;
  TSession& operator=(const TSession&) = delete;

  // Takes `options` for the session: the case option goes to the character manager, the
  // history options to the history, which is trimmed at once to a lowered count.
  void SetSearchOptions(const TSearchOptions& options);
  const TSearchOptions& SearchOptions() const { return FSearchOptions; }

  // Null for a session without a settings file.
  TSettingsFile* Settings() const { return FSettings.get(); }

  TCharacterManager Manager;
  TStringSearcher Searcher;
  TDictionaryCollection Collection;
  TResultSource Source;
  TSearchHistory History;

 private:
  TSearchOptions FSearchOptions;
  std::unique_ptr<TSettingsFile> FSettings;
  TSubscription FLoadFailures;
};

}  // namespace gryvel
