#include "solvers/result_search.h"

#include "common/stopwatch.h"

namespace gryvel {

namespace {

std::chrono::steady_clock::rep Now() {
  return std::chrono::steady_clock::now().time_since_epoch().count();
}

}  // namespace

double TResultSearch::Elapsed() const {
  if (!FTiming.load()) return Seconds();
  const std::chrono::steady_clock::duration since(Now() - FStarted.load());
  return std::chrono::duration<double>(since).count();
}

void TResultSearch::ClearCounters() {
  FVariants.store(0, std::memory_order_relaxed);
  FSeconds.store(0, std::memory_order_relaxed);
}

void TResultSearch::Begin() {
  FRunning.store(true);
  ClearCounters();
}

void TResultSearch::StartTiming(const char* name) {
  TStopwatch::Start(name);
  FStarted.store(Now());
  FTiming.store(true);
}

void TResultSearch::StopTiming(const char* name) {
  FSeconds.store(TStopwatch::Stop(name), std::memory_order_relaxed);
  FTiming.store(false);
}

}  // namespace gryvel
