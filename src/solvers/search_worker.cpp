#include "solvers/search_worker.h"

#include <utility>

namespace gryvel {

namespace {

constexpr auto kHandoverPeriod = std::chrono::milliseconds(10);
constexpr std::int32_t kBatch = 4096;

}  // namespace

TSearchWorker::TSearchWorker(TResultSearch& search) : FSearch(search) {
  FSearch.ProcessEvents = [this] { HandOver(false); };
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
  FVariants.store(0);
  FHanded = 0;
  {
    const std::lock_guard lock(FMutex);
    FPending.clear();
  }
  FLastHandover = std::chrono::steady_clock::now();
  FBusy.store(true);
  FThread = std::thread([this, find = std::move(find)] {
    if (!FStopRequested.load()) find();
    HandOver(true);
    FVariants.store(FSearch.Variants());
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

void TSearchWorker::Take(std::vector<std::string>& out) {
  const std::lock_guard lock(FMutex);
  if (out.empty()) {
    out.swap(FPending);
  } else {
    for (std::string& text : FPending) out.push_back(std::move(text));
    FPending.clear();
  }
}

void TSearchWorker::HandOver(bool all) {
  // A Stop that came before the search set itself running is made good here.
  if (FStopRequested.load(std::memory_order_relaxed)) FSearch.Stop();
  FVariants.store(FSearch.Variants(), std::memory_order_relaxed);
  const TResultList& results = FSearch.Results();
  const std::int32_t count = results.Count();
  if (count == FHanded) return;
  if (!all && count - FHanded < kBatch) {
    const auto now = std::chrono::steady_clock::now();
    if (now - FLastHandover < kHandoverPeriod) return;
    FLastHandover = now;
  }
  const std::lock_guard lock(FMutex);
  for (; FHanded < count; ++FHanded) FPending.push_back(results.Text(FHanded));
}

}  // namespace gryvel
