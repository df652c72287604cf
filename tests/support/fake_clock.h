#pragma once

#include <chrono>

// The stopwatch's clock, driven by a test: time stands still unless the test advances it, and
// every reading can move it on by a fixed step, so that code timing itself sees time pass by a
// known amount. Installed for the object's lifetime; one at a time.

namespace gryvel::testing {

class FakeClock {
 public:
  // Each reading returns the current time, then moves it on by `step`.
  explicit FakeClock(std::chrono::nanoseconds step = std::chrono::nanoseconds{0});
  // Restores the steady clock.
  ~FakeClock();
  FakeClock(const FakeClock&) = delete;
  FakeClock& operator=(const FakeClock&) = delete;

  void Advance(std::chrono::nanoseconds by);
};

}  // namespace gryvel::testing
