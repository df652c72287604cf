#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

#include "solvers/result_search.h"

// Runs one word chain or word analysis on a thread of its own, so that a window stays
// responsive however long the search goes between the points where it lets events run. The
// window reads the results straight from the search's list while it runs.
//
// Thread safety: Start, Stop, Progress, Seconds, Busy and Wait are called from one thread (the
// UI thread); the search runs on the worker thread and must not be touched elsewhere, but for
// reading its results and counters, until Busy is false. The engine objects the search reads
// (collection, searcher) must not change while it runs.

namespace gryvel {

// The counters of a search as a window shows them at one moment.
struct TSearchProgress {
  std::uint64_t Variants = 0;  // steps taken
  std::int32_t Found = 0;      // results in the list, every one of them readable
  std::int64_t Seconds = 0;    // whole seconds the search has run
};

class TSearchWorker {
 public:
  // `search` (borrowed) must outlive the worker; its ProcessEvents hook is taken over.
  explicit TSearchWorker(TResultSearch& search);
  // Stops the search and waits for it.
  ~TSearchWorker();
  TSearchWorker(const TSearchWorker&) = delete;
  TSearchWorker& operator=(const TSearchWorker&) = delete;

  // Called on the worker thread when a search has ended, so that the window can show its end
  // at once. Set it before Start.
  std::function<void()> OnDone;

  // Starts `find` (a call of the search's Find) on the worker thread. Nothing while a search
  // still runs. REQUIRES: nobody reads the search's results (the search clears them).
  void Start(std::function<void()> find);
  // Ends the search at its next step; the results so far stay.
  void Stop();
  // Waits for the worker thread to end.
  void Wait();
  // Whether the worker thread has not finished yet (results may still come).
  bool Busy() const { return FBusy.load(); }
  // Whether Stop was called for the current search.
  bool StopRequested() const { return FStopRequested.load(); }

  // The counters of the current or last search, read together.
  TSearchProgress Progress();
  // The seconds of the last search once Busy is false; never below a Seconds that Progress
  // gave for it.
  double Seconds() const;

 private:
  TResultSearch& FSearch;
  std::thread FThread;
  std::atomic<bool> FBusy{false};
  std::atomic<bool> FStopRequested{false};
  std::int64_t FShownSeconds = 0;  // the most whole seconds Progress gave
};

}  // namespace gryvel
