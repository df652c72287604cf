#pragma once

#include <string_view>

#include "solvers/result_search.h"

// Word chains: every shortest chain of dictionary words leading from one word to another of
// the same length, each step changing exactly n letters in place.

namespace gryvel {

class TWordChain : public TResultSearch {
 public:
  using TResultSearch::TResultSearch;

  // Replaces the results with every shortest chain from `start` to `final` (code page 1251,
  // equal lengths), each step changing `n` letters, letters compared through MatchMap. Each
  // result reads "start - w1 - … - final". Nothing for an empty word, n < 1 or words of
  // different lengths. Events run after every link found and after every parent word; Variants
  // counts word comparisons. Runs until done or stopped; times itself as "Chain".
  void Find(std::string_view start, std::string_view final, int n);
};

}  // namespace gryvel
