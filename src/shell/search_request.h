#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "search/string_searcher.h"

// What the quick-search box under the word list asks for: while the user types, the range of
// word lengths shown in the status bar and whether the list follows the typed word; on Enter a
// crossword search, on Alt+Enter an anagram search; "pattern : clue" is a search by meaning.

namespace gryvel {

class TResultSource;
class TSearchHistory;

enum class TRequestKind : std::uint8_t { None, Crossword, Anagram, Palindromes, Meaning };

struct TSearchRequest {
  TRequestKind Kind = TRequestKind::None;
  std::string Text;  // code page 1251: the pattern as searched, or the anagram letters
  std::string Clue;  // a search by meaning: the clue's words
};

struct TMeaningText {
  std::string_view Pattern;  // empty: any word
  std::string_view Clue;
};

// Typed text as a search by meaning: split at its first ":" that a space touches when words
// follow ("п????а : успех", ": грусть"). No word holds a space, so no text that could match a
// word today is taken for one.
std::optional<TMeaningText> SplitMeaningText(std::string_view typed);

// "pattern : clue" (": clue" for any word) as the results file, the search dialog and the
// history show a search by meaning; SplitMeaningText reads it back.
std::string MeaningRequestText(const TSearchRequest& request);

// The quick-search text for the search dialog's pattern and clue fields: the pattern as typed
// when the clue is blank, else "pattern : clue" (the clue words after those the pattern field
// may hold after its own " : ").
std::string DialogSearchText(std::string_view pattern, std::string_view clue);

// Enter (a crossword search, or a search by meaning for "pattern : clue") or Alt+Enter (an
// anagram search) on `typed`; None for an empty text. The box keeps the text as typed.
TSearchRequest EnterRequest(std::string_view typed, bool alt);

// The status bar's length text for a pattern matching words of `min` to `max` letters (`max`
// -1 when unbounded): "5", "3+", "3...7", or empty when both are 0.
std::string LengthRangeText(int min, int max);

struct TTypingFeedback {
  std::string LengthText;  // status panel 1
  bool Locate = false;     // move the list to the typed word (TResultSource::Locate)
};

// What a change of the typed text shows. A pattern is compiled into `searcher` and its length
// range shown, and the list stays (the pattern side of "pattern : clue" likewise); plain text shows its length (nothing when empty) and is
// located when `do_fast_search` (the empty text too: the list goes to its first word).
TTypingFeedback TypedTextChanged(std::string_view typed, TStringSearcher& searcher,
                                 bool do_fast_search);

// Runs `request` over the collection of `source` (an anagram search in the searcher's current
// mode) and switches `source` to its result list. Returns whether the result holds a word, in
// which case the list selects the first one. Nothing for None.
bool RunSearchRequest(TResultSource& source, const TSearchRequest& request);

// Records a crossword, anagram (with `mode`) or meaning request in its branch of `history`;
// palindromes are not recorded.
void RecordSearchRequest(TSearchHistory& history, const TSearchRequest& request,
                         TAnagramOptions mode);

}  // namespace gryvel
