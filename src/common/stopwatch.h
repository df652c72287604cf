#pragma once

#include <chrono>
#include <string_view>

// A process-wide table of named stopwatches on the steady clock, so that a search and the
// status bar that shows its time need not share an object. Names used: "Initialization",
// "Pattern", "Anagrams", "Palindromes", "Chain", "Analyze", "LoadDictionary".
//
// Thread safety: every function may be called from any thread; a mutex inside stopwatch.cpp
// guards the table.

namespace gryvel {

class TStopwatch {
 public:
  TStopwatch() = delete;

  // Records the current time as the start of `name`, adding a record if there is none.
  static void Start(std::string_view name);

  // Records the stop time of `name` and returns its elapsed seconds: stop − start plus any
  // accumulated seconds, which are then cleared. Returns 0 for a name never started.
  static double Stop(std::string_view name);

  // The elapsed seconds of the last Stop of `name`; 0 if it has none or the name is unknown.
  static double Elapsed(std::string_view name);

  // Forgets every record (for tests).
  static void Reset();

  // Where the time comes from: the steady clock, or for tests a function of their own (null
  // restores the steady clock). Called under the table's mutex, from any thread.
  using TClockFunction = std::chrono::steady_clock::time_point (*)();
  static void SetClock(TClockFunction now);
};

}  // namespace gryvel
