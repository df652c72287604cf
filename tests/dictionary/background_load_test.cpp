#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "common/synchronize.h"
#include "dictionary/collection_checks.h"
#include "dictionary/dictionary_collection.h"
#include "search/letter_maps.h"
#include "support/capture_messages.h"
#include "support/kiv_bytes.h"
#include "support/temp_dir.h"

namespace gryvel {
namespace {

using ::testing::ElementsAre;
using testing::ExpectConsistent;

// "w00042": words whose word order is their number order.
std::string Word(int n) {
  char text[16];
  std::snprintf(text, sizeof text, "w%05d", n);
  return text;
}

struct Progress {
  TKivDictionary* Sender;
  std::uint8_t Stage;
  std::uint8_t Percent;
};

class BackgroundLoadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetUiThread();
    ResetLetterMaps();
    FillCollationMap();
    collection_ = std::make_unique<TDictionaryCollection>();
    Watch(*collection_);
  }

  void Watch(TDictionaryCollection& collection) {
    hooks_ += collection.OnProgress.Subscribe([this](TKivDictionary* sender, std::uint8_t stage, std::uint8_t percent,
                                   const std::string&) {
      progress_.push_back({sender, stage, percent});
      if (on_progress_) on_progress_(sender, stage);
    });
  }

  // A version-2 file of the words numbered first .. first + count - 1.
  std::string Kiv2(const std::string& name, int first, int count) {
    std::string bytes = testing::V2Header(static_cast<std::uint32_t>(count));
    for (int n = first; n < first + count; ++n) bytes += testing::V2Record(Word(n));
    return dir_.Write(name, bytes);
  }

  // Adds, connects and queues `file`; returns its dictionary.
  TKivDictionary& Open(const std::string& file) {
    TKivDictionary& dictionary = *collection_->Dictionary(collection_->AddDictionary(file));
    collection_->Connect(dictionary);
    collection_->QueueLoad(dictionary);
    return dictionary;
  }

  // Runs the loaders' synchronised calls until `done` holds; fails after a minute.
  template <typename Done>
  void PumpUntil(Done done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (!done()) {
      ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the loading never finished";
      CheckSynchronize(5);
    }
  }

  bool AllDone() const { return !progress_.empty() && progress_.back().Stage == kStageAllDone; }

  std::vector<std::uint8_t> StagesOf(const TKivDictionary* dictionary) const {
    std::vector<std::uint8_t> stages;
    for (const Progress& p : progress_)
      if (p.Sender == dictionary && (stages.empty() || stages.back() != p.Stage))
        stages.push_back(p.Stage);
    return stages;
  }

  void ExpectPercentsRiseToAHundred() const {
    int last = 0;
    for (const Progress& p : progress_) {
      EXPECT_LE(p.Percent, 100);
      EXPECT_GE(p.Percent, last);
      last = p.Percent;
    }
    EXPECT_EQ(100, last);
  }

  testing::TempDir dir_;
  testing::CaptureMessages messages_;
  std::vector<Progress> progress_;
  std::function<void(TKivDictionary*, std::uint8_t)> on_progress_;
  TSubscriptions hooks_;
  std::unique_ptr<TDictionaryCollection> collection_;
};

TEST_F(BackgroundLoadTest, SeveralDictionariesLoadOneAfterAnotherAndMergeEachWordOnce) {
  TKivDictionary& first = Open(Kiv2("first.kiv", 0, 3000));
  TKivDictionary& second = Open(Kiv2("second.kiv", 2000, 3000));
  TKivDictionary& text = Open(dir_.Write("words.txt", "w00007\nzebra\nw04999\nant\nzebra\n"));
  EXPECT_TRUE(first.Loading() && second.Loading() && text.Loading());
  EXPECT_EQ(3u, collection_->LoadingCount());

  PumpUntil([&] { return AllDone(); });

  for (TKivDictionary* d : {&first, &second, &text}) {
    EXPECT_TRUE(d->Loaded() && !d->Loading());
    EXPECT_THAT(StagesOf(d), ElementsAre(kStageStarted, kStageReading, kStageLoaded, kStageMerged));
  }
  EXPECT_EQ(nullptr, progress_.back().Sender);
  ExpectPercentsRiseToAHundred();
  EXPECT_EQ(5002, collection_->Count());
  ExpectConsistent(*collection_);
  EXPECT_EQ(0u, collection_->LoadingCount());
  EXPECT_THAT(messages_.Texts(), ElementsAre());
}

TEST_F(BackgroundLoadTest, LoadingNowReportsAsInTheBackgroundAndMergesOnceAtTheEnd) {
  TKivDictionary& first =
      *collection_->Dictionary(collection_->AddDictionary(Kiv2("a.kiv", 0, 20000)));
  TKivDictionary& second =
      *collection_->Dictionary(collection_->AddDictionary(Kiv2("b.kiv", 19000, 2000)));
  TKivDictionary& text = *collection_->Dictionary(
      collection_->AddDictionary(dir_.Write("words.txt", "w00007\nzebra\nant\n")));
  for (TKivDictionary* d : {&first, &second, &text}) collection_->Connect(*d);
  std::map<TKivDictionary*, std::int32_t> merged_while_reading;
  on_progress_ = [&](TKivDictionary* sender, std::uint8_t stage) {
    if (stage == kStageReading)
      merged_while_reading[sender] = std::max(merged_while_reading[sender], collection_->Count());
  };

  collection_->LoadNow({&first, &second, &text, &first});

  EXPECT_EQ(0u, collection_->LoadingCount());  // nothing went to the loader threads
  for (TKivDictionary* d : {&first, &second, &text}) {
    EXPECT_TRUE(d->Loaded() && !d->Loading());
    EXPECT_THAT(StagesOf(d), ElementsAre(kStageStarted, kStageReading, kStageLoaded, kStageMerged));
  }
  ASSERT_TRUE(AllDone());
  ExpectPercentsRiseToAHundred();
  // The list is not merged piecemeal while a file is read, only when its load ends.
  EXPECT_EQ(0, merged_while_reading[&first]);
  EXPECT_EQ(20000, merged_while_reading[&second]);
  EXPECT_EQ(21002, collection_->Count());
  ExpectConsistent(*collection_);
  EXPECT_THAT(messages_.Texts(), ElementsAre());
}

TEST_F(BackgroundLoadTest, LoadingNowWaitsForABackgroundRunFirst) {
  TKivDictionary& queued = Open(Kiv2("first.kiv", 0, 5000));
  TKivDictionary& now = *collection_->Dictionary(collection_->AddDictionary(Kiv2("b.kiv", 0, 10)));
  collection_->Connect(now);
  collection_->LoadNow({&now});
  EXPECT_TRUE(queued.Loaded());
  EXPECT_TRUE(now.Loaded());
  EXPECT_EQ(5000, collection_->Count());
  ExpectConsistent(*collection_);
}

TEST_F(BackgroundLoadTest, ABinaryDictionaryIsMergedWhileItIsStillLoading) {
  std::int32_t partial = 0;
  std::int32_t count_while_loading = -1;
  on_progress_ = [&](TKivDictionary* sender, std::uint8_t stage) {
    if (stage != kStageReading || partial != 0) return;
    partial = collection_->Count();
    count_while_loading = sender->Count();
    EXPECT_TRUE(sender->Loading());
  };
  TKivDictionary& big = Open(Kiv2("big.kiv", 0, 20000));
  PumpUntil([&] { return AllDone(); });

  EXPECT_GT(partial, 0);
  EXPECT_LT(partial, 20000);
  EXPECT_EQ(partial, count_while_loading);
  EXPECT_EQ(20000, big.Count());
  ExpectConsistent(*collection_);
}

TEST_F(BackgroundLoadTest, EnsureLoadedWaitsForItsTurnInTheQueue) {
  Open(Kiv2("first.kiv", 0, 5000));
  TKivDictionary& second = Open(Kiv2("second.kiv", 0, 10));
  second.EnsureLoaded();
  EXPECT_TRUE(second.Loaded());
  EXPECT_EQ(10, second.Count());
  // Editing waits the same way.
  TKivDictionary& third = Open(Kiv2("third.kiv", 100, 10));
  collection_->SetActive(&third);
  EXPECT_GE(collection_->AddWord("new"), 0);
  EXPECT_EQ(11, third.Count());
  PumpUntil([&] { return AllDone(); });
  ExpectConsistent(*collection_);
}

TEST_F(BackgroundLoadTest, QueueingDuringALoadRaisesTheTotal) {
  const std::string later = Kiv2("later.kiv", 500, 2000);
  TKivDictionary* queued = nullptr;
  on_progress_ = [&](TKivDictionary* sender, std::uint8_t stage) {
    if (stage != kStageStarted || queued != nullptr) return;
    queued = collection_->Dictionary(collection_->AddDictionary(later));
    collection_->Connect(*queued);
    collection_->QueueLoad(*queued);
    EXPECT_NE(sender, queued);
  };
  TKivDictionary& first = Open(Kiv2("first.kiv", 0, 2000));
  PumpUntil([&] { return AllDone(); });

  // The first dictionary is done at about half of the bytes of both.
  for (const Progress& p : progress_)
    if (p.Sender == &first && p.Stage == kStageMerged) {
      EXPECT_LT(p.Percent, 70);
    }
  ExpectPercentsRiseToAHundred();
  EXPECT_TRUE(queued->Loaded());
  ExpectConsistent(*collection_);
}

TEST_F(BackgroundLoadTest, AQueueAfterAFinishedRunAlsoLoadsInTheBackground) {
  Open(Kiv2("first.kiv", 0, 100));
  PumpUntil([&] { return AllDone(); });
  progress_.clear();

  TKivDictionary& second = Open(Kiv2("second.kiv", 50, 100));
  EXPECT_TRUE(second.Loading());  // a load on this thread would have ended by now
  PumpUntil([&] { return AllDone(); });
  EXPECT_TRUE(second.Loaded());
  EXPECT_EQ(150, collection_->Count());
}

// A file cut short in a record, and the same file whole.
TEST_F(BackgroundLoadTest, AFailedLoadKeepsTheDictionaryDisconnectedAndAReconnectRetries) {
  const std::string whole =
      testing::V2Header(2) + testing::V2Record("zebra") + testing::V2Record("zoo");
  const std::string file = dir_.Write("bad.kiv", whole.substr(0, whole.size() - 3));
  std::vector<std::int32_t> failed;
  hooks_ += collection_->OnLoadFailed.Subscribe(
      [&](TDictionaryCollection&, std::int32_t index) { failed.push_back(index); });
  TKivDictionary& bad = Open(file);
  Open(Kiv2("good.kiv", 0, 100));
  PumpUntil([&] { return AllDone(); });

  // Told once, by the event (the words are the session's); the queue went on.
  EXPECT_THAT(failed, ElementsAre(0));
  EXPECT_TRUE(messages_.Messages().empty());
  EXPECT_EQ(TLoadProblem::kUnexpectedEnd, bad.LoadFailure().Problem);
  EXPECT_FALSE(bad.Loaded());
  EXPECT_FALSE(bad.Connected());
  EXPECT_EQ(0, bad.Count());
  EXPECT_EQ(&bad, collection_->Dictionary(0));  // still listed
  EXPECT_EQ(1, collection_->ConnectedCount());
  EXPECT_EQ(100, collection_->Count());
  // Nothing is added that a save would write over the file; the try loads it again.
  EXPECT_EQ(-1, bad.AddWord("w99999"));
  EXPECT_FALSE(bad.Modified());
  EXPECT_THAT(failed, ElementsAre(0, 0));
  ExpectConsistent(*collection_);

  dir_.Write("bad.kiv", whole);
  progress_.clear();
  collection_->Connect(bad);
  collection_->QueueLoad(bad);
  PumpUntil([&] { return AllDone(); });
  EXPECT_FALSE(bad.LoadFailure());
  EXPECT_TRUE(bad.Loaded() && bad.Connected());
  EXPECT_EQ(102, collection_->Count());
  EXPECT_EQ(2u, failed.size());
  ExpectConsistent(*collection_);
}

TEST_F(BackgroundLoadTest, ReloadingAConnectedDictionaryReplacesItsEntries) {
  const std::string file = Kiv2("d.kiv", 0, 300);
  TKivDictionary& dictionary = Open(file);
  PumpUntil([&] { return AllDone(); });
  Kiv2("d.kiv", 1000, 300);
  progress_.clear();
  collection_->QueueLoad(dictionary);
  EXPECT_EQ(0, collection_->Count());  // its old entries left the list before they went
  PumpUntil([&] { return AllDone(); });
  EXPECT_EQ(300, collection_->Count());
  EXPECT_EQ(0, collection_->Find(Word(1000)));
  ExpectConsistent(*collection_);
}

TEST_F(BackgroundLoadTest, RemovingADictionaryMidLoadLetsTheOthersFinish) {
  TKivDictionary& big = Open(Kiv2("big.kiv", 0, 30000));
  Open(Kiv2("b.kiv", 10, 100));
  Open(Kiv2("c.kiv", 50, 100));
  PumpUntil([&] { return !StagesOf(&big).empty() && StagesOf(&big).back() == kStageReading; });
  collection_->Remove(big);

  PumpUntil([&] { return AllDone(); });
  EXPECT_EQ(2, collection_->DictionaryCount());
  EXPECT_EQ(140, collection_->Count());
  ExpectConsistent(*collection_);
}

TEST_F(BackgroundLoadTest, DestroyingTheCollectionMidLoadCancelsCleanly) {
  TKivDictionary outside;
  outside.SetFileName(Kiv2("outside.kiv", 0, 30000));
  collection_->Add(outside);
  collection_->Connect(outside);
  collection_->QueueLoad(outside);
  Open(Kiv2("queued.kiv", 0, 100));
  PumpUntil([&] { return StagesOf(&outside).size() >= 2; });

  collection_.reset();
  EXPECT_FALSE(outside.Loading());
  EXPECT_FALSE(outside.Loaded());
  EXPECT_EQ(0, outside.Count());
  // It can still be loaded on its own.
  outside.EnsureLoaded();
  EXPECT_EQ(30000, outside.Count());
}

// Many dictionaries queued while others load, some removed or disconnected mid-load, the
// collection destroyed in the middle of a last run: every word ends up merged exactly once.
TEST_F(BackgroundLoadTest, StressQueueRemoveAndDestroyWhileLoading) {
  std::mt19937 random(42);
  auto file = [&](int k) {
    const int first = static_cast<int>(random() % 20000);
    const int count = 200 + static_cast<int>(random() % 4000);
    return Kiv2("d" + std::to_string(k) + ".kiv", first, count);
  };
  for (int round = 0; round < 3; ++round) {
    int opened = 0;
    on_progress_ = [&](TKivDictionary*, std::uint8_t stage) {
      // Keep the queue busy: more files arrive while others load.
      if (stage == kStageStarted && opened < 8) {
        ++opened;
        Open(file(round * 100 + opened));
      }
    };
    for (int k = 0; k < 3; ++k) Open(file(round * 100 + 50 + k));
    std::size_t removed = 0;
    PumpUntil([&] {
      if (collection_->DictionaryCount() > 4 && removed < 3 && random() % 4 == 0) {
        TKivDictionary* victim = collection_->Dictionary(
            static_cast<std::int32_t>(random() % collection_->DictionaryCount()));
        if (random() % 2 == 0) {
          collection_->Remove(*victim);
          ++removed;
        } else {
          collection_->Disconnect(*victim);
        }
      }
      return AllDone();
    });
    on_progress_ = nullptr;
    ExpectConsistent(*collection_);
    progress_.clear();
  }

  // A last run, destroyed while it loads.
  for (int k = 0; k < 4; ++k) Open(file(900 + k));
  PumpUntil([&] { return progress_.size() > 5; });
  collection_.reset();
  EXPECT_THAT(messages_.Texts(), ElementsAre());
}

}  // namespace
}  // namespace gryvel
