#pragma once

#include <functional>

// Running code on the UI thread from a worker thread (the dictionary loader). A worker calls
// Synchronize(fn) and blocks; the UI thread runs fn inside CheckSynchronize(), which the GUI
// schedules from the wake hook and the command-line tool and tests call while they wait.
//
// Thread safety: every function may be called from any thread. A mutex inside
// synchronize.cpp guards the queue of waiting calls and their completion state; a second
// mutex guards the wake hook. Neither is held while a queued function or the hook runs.

namespace gryvel {

// Makes the calling thread the UI thread. Until then it is the thread that initialised the
// program (the one that runs main).
void SetUiThread();

// True when called on the UI thread.
bool IsUiThread();

// Runs `fn` on the UI thread and returns when it has run. On the UI thread it runs inline;
// on any other it queues `fn`, calls the wake hook and blocks until CheckSynchronize() ran it.
// An exception thrown by `fn` is rethrown here, in the caller's thread.
void Synchronize(const std::function<void()>& fn);

// REQUIRES: called on the UI thread; elsewhere it does nothing and returns false.
// Waits up to `timeout_ms` milliseconds for a call to be queued (0: no wait), then runs every
// call queued so far in FIFO order. Calls queued while these run wait for the next
// CheckSynchronize (which may be one that a running call makes itself). Returns true if it ran
// at least one call.
bool CheckSynchronize(int timeout_ms = 0);

// REQUIRES: called on the UI thread. Runs queued calls, waiting a few milliseconds at a time,
// for as long as `busy()` is true: how the UI thread waits for a worker that needs it.
void SynchronizeWhile(const std::function<bool()>& busy);

// Installs `hook` (may be empty) and returns the previous one. The hook is called once per
// queued call, on the worker's thread, after the call is queued; it must not throw.
std::function<void()> SetSynchronizeWakeHook(std::function<void()> hook);

}  // namespace gryvel
