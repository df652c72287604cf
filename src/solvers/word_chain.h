#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "results/result_source.h"
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

 private:
  struct TLink;
  struct TGraph;

  // Find's steps: the end words and the candidates into `graph` and the result texts; the
  // links one step further from every link of the last level, reporting each chain that
  // reaches the final word (and lowering `limit` to level `k`); one chain, read back from the
  // last link of `level`.
  void AddWords(TGraph& graph, std::string_view start, std::string_view final,
                const TResultSource::TEntryList& candidates, int n);
  std::vector<TLink> NextLevel(TGraph& graph, int n, int k, int& limit);
  void ReportChain(TGraph& graph, const std::vector<TLink>& level);
};

}  // namespace gryvel
