#pragma once

#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/diagnostics.h"
#include "dictionary/dictionary_collection.h"
#include "results/result_source.h"
#include "search/character_manager.h"
#include "search/string_searcher.h"

// The engine objects one run of the tool works with, wired as the main window wires them.

namespace gryvel::cli {

// Members are built in order: the message printer first, so that nothing the engine shows is
// lost, then the character manager, which fills the word order every load and sort relies on.
// REQUIRES: made and used on the thread that runs main.
struct TSession {
  // Applies the case option and the equal-letters groups of `options`.
  explicit TSession(const TCliOptions& options);

  TMessagePrinter Messages;
  TCharacterManager Manager;
  TStringSearcher Searcher;
  TDictionaryCollection Collection;
  TResultSource Source;
};

// The files of -d in order, or the bundled dictionary. Prints why and returns false when no
// -d is given and the bundled dictionary is not found.
bool DictionaryFiles(const TCliOptions& options, std::vector<std::string>* files);

// Adds every file to the collection as a dictionary (its header read, nothing loaded) and
// names it after the file; a file named twice is added once. Returns kExitOk, or prints why a
// file cannot be read and returns kExitFailure.
int AddDictionaries(TSession& session, const std::vector<std::string>& files);

// Loads `dictionaries` of the collection on the calling thread, connecting them first when
// `connect`, while a progress line shows how far it got. Returns kExitOk, or kExitFailure when
// a dictionary could not be loaded (the reason printed).
int LoadDictionaries(TSession& session, const std::vector<TKivDictionary*>& dictionaries,
                     bool connect);

// DictionaryFiles, AddDictionaries and LoadDictionaries of every one, connected.
int OpenDictionaries(TSession& session, const TCliOptions& options);

}  // namespace gryvel::cli
