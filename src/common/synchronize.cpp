#include "common/synchronize.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>

namespace gryvel {

namespace {

std::atomic<std::thread::id>& UiThread() {
  static std::atomic<std::thread::id> id{std::this_thread::get_id()};
  return id;
}

// Captures the initialising thread before main runs, not whichever thread asks first.
[[maybe_unused]] const bool kUiThreadCaptured = (UiThread(), true);

// A call waiting for the UI thread; it lives on the stack of the worker blocked on it.
struct TQueuedCall {
  const std::function<void()>* Fn;
  std::exception_ptr Error;
  bool Done = false;
};

struct TSyncState {
  std::mutex Mutex;
  std::condition_variable Queued;    // a call was queued
  std::condition_variable Finished;  // a call was run
  std::deque<TQueuedCall*> Queue;    // guarded by Mutex; so are the calls' Error and Done

  std::mutex HookMutex;
  std::function<void()> WakeHook;  // guarded by HookMutex
};

// Never destroyed: a worker still blocked in Synchronize when the process exits would
// otherwise hang the exit in the condition variable's destructor.
TSyncState& State() {
  static TSyncState& state = *new TSyncState;
  return state;
}

void CallWakeHook(TSyncState& state) {
  std::function<void()> hook;
  {
    std::lock_guard lock(state.HookMutex);
    hook = state.WakeHook;
  }
  if (hook) hook();
}

}  // namespace

void SetUiThread() {
  UiThread().store(std::this_thread::get_id());
}

bool IsUiThread() {
  return UiThread().load() == std::this_thread::get_id();
}

void Synchronize(const std::function<void()>& fn) {
  if (IsUiThread()) {
    fn();
    return;
  }
  TSyncState& state = State();
  TQueuedCall call{&fn, nullptr};
  {
    std::lock_guard lock(state.Mutex);
    state.Queue.push_back(&call);
  }
  state.Queued.notify_one();
  CallWakeHook(state);
  std::unique_lock lock(state.Mutex);
  state.Finished.wait(lock, [&] { return call.Done; });
  if (call.Error) std::rethrow_exception(call.Error);
}

bool CheckSynchronize(int timeout_ms) {
  if (!IsUiThread()) return false;
  TSyncState& state = State();
  std::deque<TQueuedCall*> batch;
  {
    std::unique_lock lock(state.Mutex);
    if (timeout_ms > 0)
      state.Queued.wait_for(lock, std::chrono::milliseconds(timeout_ms),
                            [&] { return !state.Queue.empty(); });
    // Taking the batch out of the queue is what keeps a nested CheckSynchronize from
    // running these calls a second time.
    batch.swap(state.Queue);
  }
  for (TQueuedCall* call : batch) {
    std::exception_ptr error;
    try {
      (*call->Fn)();
    } catch (...) {
      error = std::current_exception();
    }
    {
      std::lock_guard lock(state.Mutex);
      call->Error = std::move(error);
      call->Done = true;  // the worker may return and free `call` once the lock is released
    }
    state.Finished.notify_all();
  }
  return !batch.empty();
}

void SynchronizeWhile(const std::function<bool()>& busy) {
  while (busy()) CheckSynchronize(5);
}

std::function<void()> SetSynchronizeWakeHook(std::function<void()> hook) {
  TSyncState& state = State();
  std::lock_guard lock(state.HookMutex);
  return std::exchange(state.WakeHook, std::move(hook));
}

}  // namespace gryvel
