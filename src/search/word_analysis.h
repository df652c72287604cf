#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>

#include "search/result_list.h"

// Word analysis: every way to spell out all the letters of a word, in any order, with two or
// more dictionary words.

namespace gryvel {

class TResultSource;

// Thread safety: Find runs on the UI thread; Stop may be called from anywhere (a signal
// handler included) while it runs.
class TWordAnalysis {
 public:
  static constexpr std::int32_t kAnyItems = std::numeric_limits<std::int32_t>::max();

  // Candidates are taken from the collection of `source` (borrowed), through its searcher.
  explicit TWordAnalysis(TResultSource& source) : FSource(source) {}

  // Called where the analysis lets pending user-interface events run: after every split found.
  std::function<void()> ProcessEvents;

  // Replaces the results with every split of `word` (code page 1251) into words of the
  // collection using each of its letters once, letters compared through the character
  // manager's LetterMap; only splits of `min_items` to `max_items` words are kept. Each result
  // reads "A+B+C", longer words first. Runs until done or stopped; times itself as "Analyze".
  void Find(std::string_view word, std::int32_t min_items = 0, std::int32_t max_items = kAnyItems);
  // Ends a running Find at its next candidate; the splits found so far stay.
  void Stop() { FRunning.store(false); }
  bool Running() const { return FRunning.load(); }

  // Candidates tried by the last Find.
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
