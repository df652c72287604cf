#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <span>

#include "solvers/result_list.h"

// What the word chain and the word analysis share: candidates taken through the main result
// source, results kept in a compact list, a stop flag, live counters, and a hook where a long
// search lets pending user-interface events run.

namespace gryvel {

class TResultSource;

// Thread safety: a search runs on one thread; Stop may be called from anywhere (a signal
// handler included) while it runs, and Variants, Elapsed and the results' Count and Text from
// another thread (see TResultList).
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

  // Steps (comparisons or candidates tried) of the current or last search, counted as they are
  // taken.
  std::uint64_t Variants() const { return FVariants.load(std::memory_order_relaxed); }
  // Seconds the last search took.
  double Seconds() const { return FSeconds.load(std::memory_order_relaxed); }
  // Seconds since the current search started timing itself (0 before), or the last search's
  // Seconds once it has ended.
  double Elapsed() const;
  TResultList& Results() { return FResults; }
  const TResultList& Results() const { return FResults; }
  // Sets Variants, Seconds and Elapsed to 0, as a search does when it starts. REQUIRES: no
  // search runs.
  void ClearCounters();

 protected:
  void LetEventsRun() {
    if (ProcessEvents) ProcessEvents();
  }
  void CountVariant() {
    FVariants.store(FVariants.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
  }
  // Sets the counters to zero and the state to running.
  void Begin();
  // Starts and stops the named stopwatch and the time Elapsed reads.
  void StartTiming(const char* name);
  void StopTiming(const char* name);
  // Adds a result; a full list stops the search.
  void Report(std::span<const std::uint32_t> path) {
    if (!FResults.Add(path)) Stop();
  }

  TResultSource& FSource;
  TResultList FResults;
  std::atomic<bool> FRunning{false};

 private:
  std::atomic<std::uint64_t> FVariants{0};
  std::atomic<double> FSeconds{0};
  std::atomic<bool> FTiming{false};
  std::atomic<std::chrono::steady_clock::rep> FStarted{0};
};

}  // namespace gryvel
