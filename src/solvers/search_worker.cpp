#include "solvers/search_worker.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace gryvel {

TSearchWorker::TSearchWorker(TResultSearch& search) : FSearch(search) {
  // A Stop that came before the search set itself running is made good here.
  FSearch.ProcessEvents = [this] {
    if (FStopRequested.load(std::memory_order_relaxed)) FSearch.Stop();
  };
}

TSearchWorker::~TSearchWorker() {
  Stop();
  Wait();
  FSearch.ProcessEvents = nullptr;
}

void TSearchWorker::Start(std::function<void()> find) {
  if (FBusy.load()) return;
  Wait();
  FStopRequested.store(false);
  FShownSeconds = 0;
  FSearch.Results().Clear();
  FSearch.ClearCounters();
  FBusy.store(true);
  FThread = std::thread([this, find = std::move(find)] {
    if (!FStopRequested.load()) find();
    FBusy.store(false);
    if (OnDone) OnDone();
  });
}

void TSearchWorker::Stop() {
  FStopRequested.store(true);
  FSearch.Stop();
}

void TSearchWorker::Wait() {
  if (FThread.joinable()) FThread.join();
}

TSearchProgress TSearchWorker::Progress() {
  TSearchProgress progress;
  // Found first: every step before a result is counted by the time the result is readable.
  progress.Found = FSearch.Results().Count();
  progress.Variants = FSearch.Variants();
  progress.Seconds = static_cast<std::int64_t>(std::floor(FSearch.Elapsed()));
  FShownSeconds = std::max(FShownSeconds, progress.Seconds);
  return progress;
}

double TSearchWorker::Seconds() const {
  return std::max(FSearch.Seconds(), static_cast<double>(FShownSeconds));
}

}  // namespace gryvel
