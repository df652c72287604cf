#pragma once

#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/diagnostics.h"
#include "shell/session.h"

// The engine session of one run of the tool.

namespace gryvel::cli {

struct TMessagesFirst {
  TMessagePrinter Messages;
};

// The message printer is built first, so that nothing the engine shows is lost, then the
// engine session. REQUIRES: made and used on the thread that runs main.
struct TCliSession : TMessagesFirst, TSession {
  // Applies the case option, the anagram mode and the equal-letters groups of `options`.
  explicit TCliSession(const TCliOptions& options);
};

// The files of -d in order, or the bundled dictionary. A -d that is a bare file name found
// neither in the working folder nor among the bundled dictionaries, or no -d when the bundled
// dictionary is not found, prints where it looked and returns false.
bool DictionaryFiles(const TCliOptions& options, std::vector<std::string>* files);

// Adds every file to the collection as a dictionary (its header read, nothing loaded) and
// names it after the file; a file named twice is added once. Returns kExitOk, or prints why a
// file cannot be read and returns kExitFailure.
int AddDictionaries(TCliSession& session, const std::vector<std::string>& files);

// Loads `dictionaries` of the collection on the calling thread, connecting them first when
// `connect`, while a progress line shows how far it got. Returns kExitOk, or kExitFailure when
// a dictionary could not be loaded (the reason printed).
int LoadDictionaries(TCliSession& session, const std::vector<TKivDictionary*>& dictionaries,
                     bool connect);

// DictionaryFiles, AddDictionaries and LoadDictionaries of every one, connected.
int OpenDictionaries(TCliSession& session, const TCliOptions& options);

}  // namespace gryvel::cli
