#pragma once

#include <atomic>
#include <thread>

#include "dictionary/kiv_dictionary.h"

// The thread that reads one dictionary's file in the background.

namespace gryvel {

// Created on the UI thread for a dictionary that is Loading; the dictionary's load-thread
// reference points at it until it is destroyed. Its load reaches shared state only through
// Synchronize, so whoever waits for it on the UI thread must keep calling CheckSynchronize.
class TLoadSingleDictionaryThread {
 public:
  // On the UI thread: prepares the load of `dictionary`, which must outlive this object.
  explicit TLoadSingleDictionaryThread(TKivDictionary& dictionary);
  // On the UI thread, after WaitFor: clears the dictionary's load-thread reference.
  ~TLoadSingleDictionaryThread();
  TLoadSingleDictionaryThread(const TLoadSingleDictionaryThread&) = delete;
  TLoadSingleDictionaryThread& operator=(const TLoadSingleDictionaryThread&) = delete;

  void Start();
  // Any thread: the reader stops before its next entry, the file is closed and the load ends
  // without completion, the dictionary not Loaded and empty.
  void Cancel();
  // Waits for the thread to end. Not on the UI thread, whose synchronised calls it needs.
  void WaitFor();

 private:
  TKivDictionary& FDictionary;
  std::atomic<bool> FCancel{false};
  TKivDictionary::TLoadPlan FPlan;
  std::thread FThread;
};

}  // namespace gryvel
