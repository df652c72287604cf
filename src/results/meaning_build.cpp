#include "results/meaning_build.h"

#include <utility>

namespace gryvel {

TMeaningBuild::TMeaningBuild(const TByteMap& map, TMeaningDocuments documents,
                             TMeaningCacheFile cache)
    : FMap(map),
      FDocuments(std::move(documents)),
      FCache(std::move(cache)),
      FThread([this] { Run(); }) {}

TMeaningBuild::~TMeaningBuild() {
  FCancel.store(true, std::memory_order_relaxed);
  FThread.join();
}

void TMeaningBuild::Run() {
  std::unique_ptr<TMeaningIndex> index =
      FCache.Saved ? ReadMeaningCache(FCache, FMap)
                   : BuildAndKeepMeaningIndex(FMap, FDocuments, FCache, &FCancel);
  FDocuments = TMeaningDocuments();  // the index holds its own words; the copies can go
  const std::lock_guard<std::mutex> lock(FLock);
  FIndex = std::move(index);
  FDone = true;
  FDoneSignal.notify_all();
}

bool TMeaningBuild::Done() const {
  const std::lock_guard<std::mutex> lock(FLock);
  return FDone;
}

std::unique_ptr<TMeaningIndex> TMeaningBuild::Take() {
  std::unique_lock<std::mutex> lock(FLock);
  FDoneSignal.wait(lock, [this] { return FDone; });
  return std::move(FIndex);
}

}  // namespace gryvel
