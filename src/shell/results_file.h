#pragma once

#include <string>
#include <string_view>

#include "common/status.h"
#include "dictionary/file_io.h"
#include "dictionary/text_writer.h"
#include "results/result_source.h"

// The results file: the words of the current search result as text, headed by a fixed banner
// and the search that found them, in code page 1251 with CR LF line ends or in UTF-8 with LF
// (what the window writes, so that the desktop's editors show it).

namespace gryvel {

// The search a result comes from: its kind and the last crossword pattern (as searched) and
// anagram letters.
struct TResultsRequest {
  TResultKind Kind = TResultKind::kNone;
  std::string LastPattern;
  std::string LastAnagram;
};

// The file's text: the banner, the kind lines ("Вид поиска: ..." with "Маска: " and the
// pattern, or "Набор букв: " and the letters; palindromes alone; no line for no search), an
// empty line, a tab and the heading, an empty line, then the words of `entries`.
std::string ResultsFileText(const TResultsRequest& request,
                            const TResultSource::TEntryList& entries, TWordListEncoding encoding);

// Writes the result of `source` (in ResultsToList order: the merged list's order, or by
// length when that order is chosen; the result filter is not applied) to `path`, replacing a
// file there through a temporary file. On success *last_results_file becomes `path`; on failure
// the message is shown and returned, and *last_results_file and any old file stay as they were.
TStatus SaveResultsFile(TFileSystem& file_system, const std::string& path,
                        const TResultSource& source, const TResultsRequest& request,
                        TWordListEncoding encoding, std::string* last_results_file);

// Whether "Save results" must ask for a file name: when no results file was written yet.
// "Save results as..." always asks.
inline bool ResultsNeedFileName(bool save_as, const std::string& last_results_file) {
  return save_as || last_results_file.empty();
}

}  // namespace gryvel
