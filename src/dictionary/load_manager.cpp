#include "dictionary/load_manager.h"

#include <algorithm>
#include <utility>

#include "common/synchronize.h"

namespace gryvel {

TLoadManager::TLoadManager(std::function<void()> all_done) : FAllDone(std::move(all_done)) {}

TLoadManager::~TLoadManager() {
  Stop();
}

void TLoadManager::Queue(TKivDictionary& dictionary) {
  {
    std::lock_guard lock(FLock);
    FQueue.push_back(&dictionary);
  }
  if (FRunning) return;
  // A finished run's thread has made its last synchronised call: joining it cannot block.
  if (FThread.joinable()) FThread.join();
  FTerminated.store(false);
  FRunning = true;
  FThread = std::thread(&TLoadManager::Work, this);
}

bool TLoadManager::Unqueue(TKivDictionary& dictionary) {
  bool found = false;
  {
    std::lock_guard lock(FLock);
    for (std::size_t i = FNext; i < FQueue.size(); ++i) {
      if (FQueue[i] != &dictionary) continue;
      FQueue[i] = nullptr;
      found = true;
    }
  }
  if (found) dictionary.LoadDropped();
  return found;
}

void TLoadManager::Stop() {
  FTerminated.store(true);
  if (FCurrent != nullptr) FCurrent->Cancel();
  SynchronizeWhile([this] { return FRunning; });
  if (FThread.joinable()) FThread.join();
}

std::size_t TLoadManager::QueuedCount() const {
  std::lock_guard lock(FLock);
  return static_cast<std::size_t>(
      std::count_if(FQueue.begin(), FQueue.end(), [](const TKivDictionary* d) { return d; }));
}

void TLoadManager::Work() {
  for (;;) {
    std::size_t position = 0;
    bool found = false;
    {
      std::lock_guard lock(FLock);
      while (!found && !FTerminated.load() && FNext < FQueue.size()) {
        position = FNext++;
        found = FQueue[position] != nullptr;
      }
    }
    bool ended = false;
    if (!found) {
      Synchronize([&] { ended = EndRun(); });
      if (ended) return;
      continue;
    }
    Synchronize([&] {
      TKivDictionary* dictionary = At(position);
      // Taken out, or its load dropped, since the position was read.
      if (dictionary == nullptr || !dictionary->Loading() || dictionary->FLoadThread != nullptr)
        return;
      FCurrent = std::make_unique<TLoadSingleDictionaryThread>(*dictionary);
      dictionary->DoProgress(kStageStarted, 0, "Loading");
      FCurrent->Start();
      if (FTerminated.load()) FCurrent->Cancel();
    });
    if (FCurrent == nullptr) continue;
    FCurrent->WaitFor();
    Synchronize([&] { FCurrent.reset(); });
  }
}

TKivDictionary* TLoadManager::At(std::size_t position) {
  std::lock_guard lock(FLock);
  return position < FQueue.size() ? FQueue[position] : nullptr;
}

bool TLoadManager::EndRun() {
  std::vector<TKivDictionary*> dropped;
  {
    std::lock_guard lock(FLock);
    if (!FTerminated.load() && FNext < FQueue.size()) return false;
    for (std::size_t i = FNext; i < FQueue.size(); ++i)
      if (FQueue[i] != nullptr) dropped.push_back(FQueue[i]);
    FQueue.clear();
    FNext = 0;
  }
  FRunning = false;
  for (TKivDictionary* dictionary : dropped) dictionary->LoadDropped();
  if (!FTerminated.load() && FAllDone) FAllDone();
  return true;
}

}  // namespace gryvel
