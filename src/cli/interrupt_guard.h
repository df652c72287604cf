#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

// Ctrl+C during a word chain or word analysis: the search stops, and what it found so far is
// still printed.

namespace gryvel::cli {

// While it lives, SIGINT stops the search instead of ending the process. The handler calls
// Stop() at once, and a watcher thread calls it again every few milliseconds from then on,
// because a search that has not yet started running would otherwise undo the first call.
// Stop() must be safe in a signal handler and from any thread (a lock-free atomic store).
// One guard at a time.
class TInterruptGuard {
 public:
  template <typename TSearch>
  explicit TInterruptGuard(TSearch& search)
      : TInterruptGuard([](void* target) { static_cast<TSearch*>(target)->Stop(); }, &search) {}
  // Restores the previous handling of SIGINT.
  ~TInterruptGuard();
  TInterruptGuard(const TInterruptGuard&) = delete;
  TInterruptGuard& operator=(const TInterruptGuard&) = delete;

  // Whether SIGINT came while the guard lived.
  bool Interrupted() const;

 private:
  using TStop = void (*)(void* target);
  TInterruptGuard(TStop stop, void* target);
  void Watch();

  TStop FStop;
  void* FTarget;
  std::mutex FMutex;  // guards FDone
  std::condition_variable FWake;
  bool FDone = false;
  std::thread FWatcher;  // last: started when everything else is ready
};

}  // namespace gryvel::cli
