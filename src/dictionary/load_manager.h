#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "dictionary/kiv_dictionary.h"
#include "dictionary/load_thread.h"

// The queue of dictionaries waiting to be loaded, worked through one at a time by a manager
// thread.

namespace gryvel {

// The manager thread takes queue positions in order under the queue's lock and waits for each
// dictionary's loader thread; creating, starting and ending a loader, and deciding that the
// queue is done, happen in synchronised calls on the UI thread, so they never race with Queue,
// Unqueue or Stop. A queue that arrives after a run has ended starts a new run in the
// background.
//
// Thread safety: the public functions are for the UI thread. Whoever waits for the manager on
// the UI thread must keep calling CheckSynchronize (Stop does).
class TLoadManager {
 public:
  // `all_done` runs on the UI thread when a run has loaded every queued dictionary (not after
  // Stop).
  explicit TLoadManager(std::function<void()> all_done);
  // Stop.
  ~TLoadManager();
  TLoadManager(const TLoadManager&) = delete;
  TLoadManager& operator=(const TLoadManager&) = delete;

  // Appends `dictionary` (Loading, outliving its load) and starts a run if none is going.
  void Queue(TKivDictionary& dictionary);
  // Takes `dictionary` out of the positions not yet reached, ending its Loading; returns
  // whether it was there. A load that has started goes on.
  bool Unqueue(TKivDictionary& dictionary);
  // Cancels the running load, drops the rest of the queue and waits for the manager thread to
  // end. Later calls to Queue start again.
  void Stop();

  // Dictionaries queued in the current run, loaded ones included.
  std::size_t QueuedCount() const;
  bool Running() const { return FRunning; }

 private:
  void Work();
  // On the UI thread: the queue element at `position`, if not taken out.
  TKivDictionary* At(std::size_t position);
  // On the UI thread: ends the run unless more was queued; true when it ended.
  bool EndRun();

  std::function<void()> FAllDone;
  mutable std::mutex FLock;             // guards FQueue and FNext
  std::vector<TKivDictionary*> FQueue;  // null where a dictionary was taken out
  std::size_t FNext = 0;                // the next position the manager takes
  std::atomic<bool> FTerminated{false};
  bool FRunning = false;                                  // UI thread only
  std::unique_ptr<TLoadSingleDictionaryThread> FCurrent;  // set and reset on the UI thread
  std::thread FThread;
};

}  // namespace gryvel
