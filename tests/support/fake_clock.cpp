#include "support/fake_clock.h"

#include <atomic>
#include <cassert>
#include <cstdint>

#include "common/stopwatch.h"

namespace gryvel::testing {

namespace {

using TClock = std::chrono::steady_clock;

// Plain function state: the stopwatch takes a function pointer. Readings may come from a
// loader thread.
std::atomic<std::int64_t> gNanoseconds{0};
std::atomic<std::int64_t> gStep{0};
std::atomic<bool> gInstalled{false};

TClock::time_point Now() {
  const std::int64_t now = gNanoseconds.fetch_add(gStep.load());
  return TClock::time_point(std::chrono::duration_cast<TClock::duration>(
      std::chrono::nanoseconds{now}));
}

}  // namespace

FakeClock::FakeClock(std::chrono::nanoseconds step) {
  [[maybe_unused]] const bool was_installed = gInstalled.exchange(true);
  assert(!was_installed);
  // Far from zero, so that a reading of 0 cannot pass for a start time.
  gNanoseconds.store(std::int64_t{1} << 40);
  gStep.store(step.count());
  TStopwatch::SetClock(&Now);
}

FakeClock::~FakeClock() {
  TStopwatch::SetClock(nullptr);
  gInstalled.store(false);
}

void FakeClock::Advance(std::chrono::nanoseconds by) {
  gNanoseconds.fetch_add(by.count());
}

}  // namespace gryvel::testing
