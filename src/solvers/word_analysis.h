#pragma once

#include <cstdint>
#include <limits>
#include <string_view>

#include "solvers/result_search.h"

// Word analysis: every way to spell out all the letters of a word, in any order, with two or
// more dictionary words.

namespace gryvel {

class TWordAnalysis : public TResultSearch {
 public:
  static constexpr std::int32_t kAnyItems = std::numeric_limits<std::int32_t>::max();

  using TResultSearch::TResultSearch;

  // Replaces the results with every split of `word` (code page 1251) into words of the
  // collection using each of its letters once, letters compared through the character
  // manager's LetterMap; only splits of `min_items` to `max_items` words are kept. Each result
  // reads "A+B+C", longer words first. Events run after every split found; Variants counts
  // the candidates tried. Runs until done or stopped; times itself as "Analyze".
  void Find(std::string_view word, std::int32_t min_items = 0, std::int32_t max_items = kAnyItems);
};

}  // namespace gryvel
