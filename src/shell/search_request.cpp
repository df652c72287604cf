#include "shell/search_request.h"

#include "results/result_source.h"
#include "shell/search_history.h"

namespace gryvel {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::optional<TMeaningText> SplitMeaningText(std::string_view typed) {
  for (std::size_t colon = typed.find(':'); colon != std::string_view::npos;
       colon = typed.find(':', colon + 1)) {
    const bool spaced = (colon > 0 && IsBlank(typed[colon - 1])) ||
                        (colon + 1 < typed.size() && IsBlank(typed[colon + 1]));
    if (!spaced) continue;
    const TMeaningText parts{Trimmed(typed.substr(0, colon)), Trimmed(typed.substr(colon + 1))};
    if (parts.Clue.empty()) return std::nullopt;
    return parts;
  }
  return std::nullopt;
}

std::string MeaningRequestText(const TSearchRequest& request) {
  if (request.Text.empty()) return ": " + request.Clue;
  return request.Text + " : " + request.Clue;
}

std::string DialogSearchText(std::string_view pattern, std::string_view clue) {
  clue = Trimmed(clue);
  if (clue.empty()) return std::string(pattern);
  TSearchRequest request{TRequestKind::Meaning, std::string(Trimmed(pattern)), std::string(clue)};
  if (const auto typed = SplitMeaningText(pattern)) {
    request.Text = typed->Pattern;
    request.Clue = std::string(typed->Clue) + " " + request.Clue;
  }
  return MeaningRequestText(request);
}

TSearchRequest EnterRequest(std::string_view typed, bool alt) {
  if (typed.empty()) return {};
  if (alt) return {TRequestKind::Anagram, std::string(typed), {}};
  if (const auto meaning = SplitMeaningText(typed))
    return {TRequestKind::Meaning, std::string(meaning->Pattern), std::string(meaning->Clue)};
  return {TRequestKind::Crossword, TStringSearcher::SearchedPattern(typed), {}};
}

std::string LengthRangeText(int min, int max) {
  if (min == 0 && max == 0) return {};
  if (max < 0) return std::to_string(min) + "+";
  if (min < max) return std::to_string(min) + "..." + std::to_string(max);
  return std::to_string(min);
}

TTypingFeedback TypedTextChanged(std::string_view typed, TStringSearcher& searcher,
                                 bool do_fast_search) {
  if (const auto meaning = SplitMeaningText(typed)) {
    if (meaning->Pattern.empty()) return {};
    searcher.SetPattern(TStringSearcher::SearchedPattern(meaning->Pattern));
    return {LengthRangeText(searcher.MinLength(), searcher.MaxLength()), false};
  }
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
    case TRequestKind::Meaning:
      source.SearchMeaning(request.Text, request.Clue);
      break;
  }
  source.SetFilterActive(true);
  return source.Count() > 0;
}

void RecordSearchRequest(TSearchHistory& history, const TSearchRequest& request,
                         TAnagramOptions mode) {
  if (request.Kind == TRequestKind::Crossword) history.AddPatternHistory(request.Text);
  if (request.Kind == TRequestKind::Anagram) history.AddAnagramHistory(request.Text, mode);
  if (request.Kind == TRequestKind::Meaning) history.AddMeaningHistory(MeaningRequestText(request));
}

}  // namespace gryvel
