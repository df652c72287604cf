#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "search/result_list.h"

// Word chains: every shortest chain of dictionary words leading from one word to another of
// the same length, each step changing exactly n letters in place.

namespace gryvel {

class TResultSource;

// Thread safety: Find runs on the UI thread; Stop may be called from anywhere (a signal
// handler included) while it runs.
class TWordChain {
 public:
  // Candidates are taken from the collection of `source` (borrowed), through its searcher.
  explicit TWordChain(TResultSource& source) : FSource(source) {}

  // Called where the search lets pending user-interface events run: after every link found
  // and after every parent word. A GUI pumps its events here, a terminal shows progress.
  std::function<void()> ProcessEvents;

  // Replaces the results with every shortest chain from `start` to `final` (code page 1251,
  // equal lengths), each step changing `n` letters, letters compared through MatchMap. Each
  // result reads "start - w1 - … - final". Nothing for an empty word, n < 1 or words of
  // different lengths. Runs until done or stopped; times itself as "Chain".
  void Find(std::string_view start, std::string_view final, int n);
  // Ends a running Find at its next comparison; the chains found so far stay.
  void Stop() { FRunning.store(false); }
  bool Running() const { return FRunning.load(); }

  // Word comparisons made by the last Find.
  std::uint64_t Variants() const { return FVariants; }
  // Seconds the last Find took.
  double Seconds() const { return FSeconds; }
  TResultList& Results() { return FResults; }
  const TResultList& Results() const { return FResults; }

 private:
  TResultSource& FSource;
  TResultList FResults;
  std::atomic<bool> FRunning{false};
  std::uint64_t FVariants = 0;
  double FSeconds = 0;
};

}  // namespace gryvel
