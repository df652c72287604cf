#pragma once

#include "cli/cli_options.h"
#include "cli/session.h"

// The commands. Each prints its output on stdout and its errors on stderr and returns the
// exit code (see diagnostics.h).

namespace gryvel::cli {

// crossword, anagram, palindromes, meaning, list: words in the result source's view order.
int RunWordList(TCliSession& session, const TCliOptions& options);
// chain, analyze: result texts in the order found; Ctrl+C prints the results found so far.
int RunWordSplits(TCliSession& session, const TCliOptions& options);
// info: the header fields and entry count of each dictionary.
int RunInfo(TCliSession& session, const TCliOptions& options);
// show: the merged entry of one word.
int RunShow(TCliSession& session, const TCliOptions& options);
// convert: a dictionary written as a version-2 dictionary file or a word list.
int RunConvert(TCliSession& session, const TCliOptions& options);
// import: a dictionary file built from tab-separated lines.
int RunImport(TCliSession& session, const TCliOptions& options);

}  // namespace gryvel::cli
