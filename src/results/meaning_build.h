#pragma once

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "results/meaning_cache.h"
#include "results/meaning_index.h"

// A meaning index built (or read from the cache) on a thread of its own, so that the first
// search by meaning finds it ready.

namespace gryvel {

// Thread safety: the methods are for the thread that created the build; the worker touches
// only the documents and the index it was given, and hands the index over under a lock.
class TMeaningBuild {
 public:
  // Starts, on a new thread, reading the index through `map` from `cache` when it was saved
  // there, else indexing `documents` and keeping the index in `cache`.
  TMeaningBuild(const TByteMap& map, TMeaningDocuments documents, TMeaningCacheFile cache = {});
  // Cancels a build still running and waits for its thread: nothing outlives the object.
  ~TMeaningBuild();
  TMeaningBuild(const TMeaningBuild&) = delete;
  TMeaningBuild& operator=(const TMeaningBuild&) = delete;

  // The letter map the index compares through.
  const TByteMap& Map() const { return FMap; }
  // True once the index is built (Take then returns at once).
  bool Done() const;
  // Waits for the build to end and hands the index over; null on a second call, and when the
  // cache did not give it.
  std::unique_ptr<TMeaningIndex> Take();

 private:
  void Run();

  const TByteMap FMap;
  TMeaningDocuments FDocuments;  // the worker's; let go once indexed
  const TMeaningCacheFile FCache;
  std::atomic<bool> FCancel{false};
  mutable std::mutex FLock;
  std::condition_variable FDoneSignal;
  bool FDone = false;                    // guarded by FLock
  std::unique_ptr<TMeaningIndex> FIndex;  // guarded by FLock; set when done
  std::thread FThread;                   // last: started when everything else is ready
};

}  // namespace gryvel
