#include "dictionary/load_thread.h"

namespace gryvel {

TLoadSingleDictionaryThread::TLoadSingleDictionaryThread(TKivDictionary& dictionary)
    : FDictionary(dictionary) {
  TLoadOptions options;
  options.Cancel = &FCancel;
  FPlan = dictionary.PlanLoad(options);
  dictionary.FLoadThread = this;
}

TLoadSingleDictionaryThread::~TLoadSingleDictionaryThread() {
  if (FThread.joinable()) FThread.join();
  FDictionary.FLoadThread = nullptr;
}

void TLoadSingleDictionaryThread::Start() {
  FThread = std::thread([this] { FDictionary.RunLoad(FPlan); });
}

void TLoadSingleDictionaryThread::Cancel() {
  FCancel.store(true);
}

void TLoadSingleDictionaryThread::WaitFor() {
  if (FThread.joinable()) FThread.join();
}

}  // namespace gryvel
