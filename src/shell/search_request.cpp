#include "shell/search_request.h"

#include "results/result_source.h"
#include "shell/search_history.h"

namespace gryvel {

std::string CrosswordPattern(std::string_view typed) {
  if (TStringSearcher::IsPattern(typed)) return std::string(typed);
  return "*" + std::string(typed) + "*";
}

TSearchRequest EnterRequest(std::string_view typed, bool alt) {
  if (typed.empty()) return {};
  if (alt) return {TRequestKind::Anagram, std::string(typed)};
  return {TRequestKind::Crossword, CrosswordPattern(typed)};
}

std::string LengthRangeText(int min, int max) {
  if (min == 0 && max == 0) return {};
  if (max < 0) return std::to_string(min) + "+";
  if (min < max) return std::to_string(min) + "..." + std::to_string(max);
  return std::to_string(min);
}

TTypingFeedback TypedTextChanged(std::string_view typed, TStringSearcher& searcher,
                                 bool do_fast_search) {
  if (TStringSearcher::IsPattern(typed)) {
    searcher.SetPattern(typed);
    return {LengthRangeText(searcher.MinLength(), searcher.MaxLength()), false};
  }
  return {typed.empty() ? "" : std::to_string(typed.size()), do_fast_search};
}

bool RunSearchRequest(TResultSource& source, const TSearchRequest& request) {
  switch (request.Kind) {
    case TRequestKind::None:
      return false;
    case TRequestKind::Crossword:
      source.SearchPattern(request.Text);
      break;
    case TRequestKind::Anagram:
      source.SearchAnagrams(request.Text);
      break;
    case TRequestKind::Palindromes:
      source.SearchPalindromes();
      break;
  }
  source.SetFilterActive(true);
  return source.Count() > 0;
}

void RecordSearchRequest(TSearchHistory& history, const TSearchRequest& request,
                         TAnagramOptions mode) {
  if (request.Kind == TRequestKind::Crossword) history.AddPatternHistory(request.Text);
  if (request.Kind == TRequestKind::Anagram) history.AddAnagramHistory(request.Text, mode);
}

}  // namespace gryvel
