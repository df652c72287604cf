// The dictionary collection's merged list:
//  - merging a 500,000-entry dictionary into the list of another, half the words shared;
//  - connecting and disconnecting a 500,000-entry dictionary against a 1,000,000-entry list
//    (half of its words shared);
//  - background loading of three 300,000-entry version-2 files queued together, against the
//    sum of loading each alone.
// The word order is the application's (lower case, Ё as е). Any message the engine shows
// during the run is printed to stderr and makes the program fail.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "bench_files.h"
#include "bench_words.h"
#include "common/cp1251_utf8.h"
#include "common/message_sink.h"
#include "common/synchronize.h"
#include "dictionary/dictionary_collection.h"
#include "dictionary/kiv_dictionary.h"
#include "dictionary/word_order.h"
#include "search/letter_maps.h"

namespace gryvel::bench {
namespace {

using TClock = std::chrono::steady_clock;

double SecondsSince(TClock::time_point start) {
  return std::chrono::duration<double>(TClock::now() - start).count();
}

bool WordLess(std::string_view a, std::string_view b) {
  return CompareWords(a, b) < 0;
}

// 1,250,000 words, no two comparing equal, in the random order they were generated in; every
// dictionary below takes a slice, so slices that overlap share exactly the overlap.
const std::vector<std::string>& Pool() {
  static const std::vector<std::string> pool = [] {
    constexpr std::size_t kPool = 1'250'000;
    std::vector<std::string> words = GenerateWords(kPool + kPool / 20, 4711);
    std::vector<std::size_t> order(words.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return WordLess(words[a], words[b]); });
    std::vector<bool> keep(words.size(), true);
    for (std::size_t i = 1; i < order.size(); ++i)
      if (CompareWords(words[order[i - 1]], words[order[i]]) == 0) keep[order[i]] = false;
    std::vector<std::string> distinct;
    for (std::size_t i = 0; i < words.size() && distinct.size() < kPool; ++i)
      if (keep[i]) distinct.push_back(std::move(words[i]));
    if (distinct.size() < kPool) {
      std::fprintf(stderr, "only %zu distinct words generated\n", distinct.size());
      std::abort();
    }
    return distinct;
  }();
  return pool;
}

// Appends pool words [first, last) to the entries of `dictionary`, in word order.
void Fill(TKivDictionary& dictionary, std::size_t first, std::size_t last) {
  std::vector<std::string_view> words(Pool().begin() + first, Pool().begin() + last);
  std::sort(words.begin(), words.end(), WordLess);
  TArticleList& entries = dictionary.Entries();
  entries.SetCapacity(static_cast<std::int32_t>(words.size()));
  for (std::string_view word : words) entries.AddArticle(word);
}

// A new in-memory dictionary of `collection` holding pool words [first, last).
TKivDictionary& NewFilled(TDictionaryCollection& collection, std::size_t first, std::size_t last) {
  TKivDictionary& dictionary = *collection.Dictionary(collection.NewDictionary());
  Fill(dictionary, first, last);
  return dictionary;
}

// False, and the benchmark ends with an error, when the merged list does not hold `expected`.
bool CheckCount(benchmark::State& state, const TDictionaryCollection& collection,
                std::int32_t expected, const char* after) {
  if (collection.Count() == expected) return true;
  const std::string error = std::string("after ") + after + ": merged count " +
                            std::to_string(collection.Count()) + ", expected " +
                            std::to_string(expected);
  state.SkipWithError(error.c_str());
  return false;
}

// Dictionary A holds words [0, 500k), B [250k, 750k); A is connected, B is merged into it.
void BM_MergeHalfShared(benchmark::State& state) {
  SetUiThread();
  TDictionaryCollection collection;
  TKivDictionary& a = NewFilled(collection, 0, 500'000);
  TKivDictionary& b = NewFilled(collection, 250'000, 750'000);
  collection.Connect(a);
  for (auto _ : state) {
    const auto start = TClock::now();
    collection.Connect(b);
    state.SetIterationTime(SecondsSince(start));
    if (!CheckCount(state, collection, 750'000, "Connect")) break;
    collection.Disconnect(b);
    if (!CheckCount(state, collection, 500'000, "Disconnect")) break;
  }
  state.SetItemsProcessed(state.iterations() * 1'000'000);
}

// Dictionary A holds words [0, 1M) and is connected; C holds [750k, 1.25M). Times Connect(C)
// or Disconnect(C), the other step running untimed.
void ConnectDisconnect(benchmark::State& state, bool time_connect) {
  SetUiThread();
  TDictionaryCollection collection;
  TKivDictionary& a = NewFilled(collection, 0, 1'000'000);
  TKivDictionary& c = NewFilled(collection, 750'000, 1'250'000);
  collection.Connect(a);
  for (auto _ : state) {
    auto start = TClock::now();
    collection.Connect(c);
    if (time_connect) state.SetIterationTime(SecondsSince(start));
    if (!CheckCount(state, collection, 1'250'000, "Connect")) break;
    start = TClock::now();
    collection.Disconnect(c);
    if (!time_connect) state.SetIterationTime(SecondsSince(start));
    if (!CheckCount(state, collection, 1'000'000, "Disconnect")) break;
  }
  state.SetItemsProcessed(state.iterations() * 1'500'000);
}

void BM_Connect500kTo1M(benchmark::State& state) {
  ConnectDisconnect(state, true);
}
void BM_Disconnect500kFrom1M(benchmark::State& state) {
  ConnectDisconnect(state, false);
}

// Three version-2 files of 300,000 entries with every tenth described: file k holds pool words
// [150k * k, 150k * k + 300k), so neighbours share half and together they hold 600,000 words.
// Written once into the benchmarks' temporary directory.
constexpr std::int32_t kFileEntries = 300'000;
constexpr std::int32_t kFilesDistinct = 600'000;

const std::vector<std::string>& Files() {
  static const std::vector<std::string> files = [] {
    std::vector<std::string> paths;
    for (std::size_t k = 0; k < 3; ++k) {
      TKivDictionary dictionary;
      dictionary.SetLoaded();
      Fill(dictionary, 150'000 * k, 150'000 * k + kFileEntries);
      for (std::int32_t i = 0; i < dictionary.Count(); i += 10)
        dictionary.SetDescription(i, "a description of the word " + std::to_string(i));
      paths.push_back(Directory() + "/collection-" + std::to_string(k) + ".kiv");
      if (!dictionary.SaveToFile(paths.back()).ok()) std::abort();
    }
    return paths;
  }();
  return files;
}

struct TLoadResult {
  double Seconds = -1;  // negative: the final progress report never came
  std::int32_t Count = 0;
};

// Adds, connects and queues `files` in a fresh collection, then runs the synchronised calls on
// this (the UI) thread until the final progress report. Timed from the first AddDictionary to
// that report; the collection is destroyed after the clock stops.
TLoadResult LoadQueued(std::span<const std::string> files) {
  auto collection = std::make_unique<TDictionaryCollection>();
  bool done = false;
  const TSubscription progress = collection->OnProgress.Subscribe([&](TKivDictionary*, std::uint8_t stage, std::uint8_t,
                               const std::string&) { done = done || stage == kStageAllDone; });
  TLoadResult result;
  const auto start = TClock::now();
  for (const std::string& path : files) {
    TKivDictionary& dictionary = *collection->Dictionary(collection->AddDictionary(path));
    collection->Connect(dictionary);
    collection->QueueLoad(dictionary);
  }
  while (!done && SecondsSince(start) < 60) CheckSynchronize(5);
  if (done) result.Seconds = SecondsSince(start);
  result.Count = collection->Count();
  return result;
}

double gAloneSeconds = 0;  // the mean of BM_LoadEachAlone, for the ratio

bool CheckLoad(benchmark::State& state, const TLoadResult& result, std::int32_t expected) {
  std::string error;
  if (result.Seconds < 0) {
    error = "no final progress report within 60 s";
  } else if (result.Count != expected) {
    error = "merged count " + std::to_string(result.Count) + " after loading, expected " +
            std::to_string(expected);
  }
  if (!error.empty()) state.SkipWithError(error.c_str());
  return error.empty();
}

void BM_LoadEachAlone(benchmark::State& state) {
  SetUiThread();
  const std::vector<std::string>& files = Files();
  double total = 0;
  for (auto _ : state) {
    double seconds = 0;
    bool ok = true;
    for (const std::string& file : files) {
      const TLoadResult result = LoadQueued(std::span(&file, 1));
      ok = CheckLoad(state, result, kFileEntries);
      if (!ok) break;
      seconds += result.Seconds;
    }
    if (!ok) break;
    state.SetIterationTime(seconds);
    total += seconds;
  }
  if (state.iterations() > 0) gAloneSeconds = total / static_cast<double>(state.iterations());
  state.SetItemsProcessed(state.iterations() * 3 * kFileEntries);
}

void BM_LoadQueuedTogether(benchmark::State& state) {
  SetUiThread();
  const std::vector<std::string>& files = Files();
  double total = 0;
  for (auto _ : state) {
    const TLoadResult result = LoadQueued(files);
    if (!CheckLoad(state, result, kFilesDistinct)) break;
    state.SetIterationTime(result.Seconds);
    total += result.Seconds;
  }
  state.SetItemsProcessed(state.iterations() * 3 * kFileEntries);
  if (gAloneSeconds > 0 && state.iterations() > 0)
    state.counters["vs_alone"] = total / static_cast<double>(state.iterations()) / gAloneSeconds;
}

BENCHMARK(BM_MergeHalfShared)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_Connect500kTo1M)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);
BENCHMARK(BM_Disconnect500kFrom1M)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);
// Alone first: the queued run reports its time as a ratio to it (vs_alone).
BENCHMARK(BM_LoadEachAlone)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_LoadQueuedTogether)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

int gMessages = 0;

TMessageAnswer ReportMessage(const TMessage& message) {
  ++gMessages;
  std::fprintf(stderr, "collection_bench: unexpected message: %s\n",
               Cp1251ToUtf8(message.Text).c_str());
  return TMessageAnswer::Ok;
}

}  // namespace
}  // namespace gryvel::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  gryvel::FillCollationMap();
  gryvel::SetMessageSink(gryvel::bench::ReportMessage);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return gryvel::bench::gMessages == 0 ? 0 : 1;
}
