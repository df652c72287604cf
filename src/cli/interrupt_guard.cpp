#include "cli/interrupt_guard.h"

#include <atomic>
#include <chrono>
#include <csignal>

namespace gryvel::cli {

namespace {

static_assert(std::atomic<bool>::is_always_lock_free, "Stop() must be safe in a signal handler");
static_assert(std::atomic<const void*>::is_always_lock_free);

constexpr auto kWatchInterval = std::chrono::milliseconds(10);

struct TTarget {
  void (*Stop)(void*);
  void* Object;
};

std::atomic<const TTarget*> gTarget{nullptr};
std::atomic<bool> gInterrupted{false};
struct sigaction gPrevious {};

void OnInterrupt(int) {
  gInterrupted.store(true);
  if (const TTarget* target = gTarget.load()) target->Stop(target->Object);
}

}  // namespace

TInterruptGuard::TInterruptGuard(TStop stop, void* target) : FStop(stop), FTarget(target) {
  // Written before the handler can see it, and only while no guard lives.
  static TTarget held;
  held = TTarget{stop, target};
  gInterrupted.store(false);
  gTarget.store(&held);
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &gPrevious);
  FWatcher = std::thread([this] { Watch(); });
}

TInterruptGuard::~TInterruptGuard() {
  {
    const std::lock_guard<std::mutex> lock(FMutex);
    FDone = true;
  }
  FWake.notify_one();
  FWatcher.join();
  sigaction(SIGINT, &gPrevious, nullptr);
  gTarget.store(nullptr);
}

bool TInterruptGuard::Interrupted() const {
  return gInterrupted.load();
}

void TInterruptGuard::Watch() {
  std::unique_lock<std::mutex> lock(FMutex);
  while (!FWake.wait_for(lock, kWatchInterval, [this] { return FDone; }))
    if (gInterrupted.load()) FStop(FTarget);
}

}  // namespace gryvel::cli
