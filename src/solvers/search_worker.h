#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "solvers/result_search.h"

// Runs one word chain or word analysis on a thread of its own, so that a window stays
// responsive however long the search goes between the points where it lets events run. The
// results are handed to the window in batches.
//
// Thread safety: Start, Stop, Take, Busy and Wait are called from one thread (the UI thread);
// the search runs on the worker thread and must not be touched elsewhere until Busy is false.
// The engine objects the search reads (collection, searcher) must not change while it runs.

namespace gryvel {

class TSearchWorker {
 public:
  // `search` (borrowed) must outlive the worker; its ProcessEvents hook is taken over.
  explicit TSearchWorker(TResultSearch& search);
  // Stops the search and waits for it.
  ~TSearchWorker();
  TSearchWorker(const TSearchWorker&) = delete;
  TSearchWorker& operator=(const TSearchWorker&) = delete;

  // Called on the worker thread when a search has ended and handed over its last results, so
  // that the window can take them at once. Set it before Start.
  std::function<void()> OnDone;

  // Starts `find` (a call of the search's Find) on the worker thread. Nothing while a search
  // still runs.
  void Start(std::function<void()> find);
  // Ends the search at its next step; the results so far are still handed over.
  void Stop();
  // Waits for the worker thread to end.
  void Wait();
  // Whether the worker thread has not finished yet (results may still come).
  bool Busy() const { return FBusy.load(); }
  // Whether Stop was called for the current search.
  bool StopRequested() const { return FStopRequested.load(); }

  // Appends the results handed over since the last call to `out`, in the order found.
  void Take(std::vector<std::string>& out);
  // Steps of the current search so far (as its Variants).
  std::uint64_t Variants() const { return FVariants.load(std::memory_order_relaxed); }
  // The search's seconds once Busy is false.
  double Seconds() const { return FSearch.Seconds(); }

 private:
  // On the worker thread: passes the results found since the last handover on, at most every
  // few milliseconds unless `all`.
  void HandOver(bool all);

  TResultSearch& FSearch;
  std::thread FThread;
  std::atomic<bool> FBusy{false};
  std::atomic<bool> FStopRequested{false};
  std::atomic<std::uint64_t> FVariants{0};
  std::mutex FMutex;
  std::vector<std::string> FPending;  // guarded by FMutex
  std::int32_t FHanded = 0;           // worker thread only
  std::chrono::steady_clock::time_point FLastHandover;
};

}  // namespace gryvel
