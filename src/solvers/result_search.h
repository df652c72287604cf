#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "solvers/result_list.h"

// What the word chain and the word analysis share: candidates taken through the main result
// source, results kept as a numbered list, a stop flag, and a hook where a long search lets
// pending user-interface events run.

namespace gryvel {

class TResultSource;

// Thread safety: a search runs on the UI thread; Stop may be called from anywhere (a signal
// handler included) while it runs.
class TResultSearch {
 public:
  // Candidates are taken from the collection of `source` (borrowed), through its searcher.
  explicit TResultSearch(TResultSource& source) : FSource(source) {}

  // Called where the search lets pending user-interface events run. A GUI pumps its events
  // here, a terminal shows progress.
  std::function<void()> ProcessEvents;

  // Ends a running search at its next step; the results found so far stay.
  void Stop() { FRunning.store(false); }
  bool Running() const { return FRunning.load(); }

  // Steps (comparisons or candidates tried) of the last search.
  std::uint64_t Variants() const { return FVariants; }
  // Seconds the last search took.
  double Seconds() const { return FSeconds; }
  TResultList& Results() { return FResults; }
  const TResultList& Results() const { return FResults; }

 protected:
  void LetEventsRun() {
    if (ProcessEvents) ProcessEvents();
  }

  TResultSource& FSource;
  TResultList FResults;
  std::atomic<bool> FRunning{false};
  std::uint64_t FVariants = 0;
  double FSeconds = 0;
};

}  // namespace gryvel
