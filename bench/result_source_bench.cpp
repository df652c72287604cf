// The result source over a 1,000,000-entry merged list: Refresh; a crossword search with the
// switch to result mode, against the bare Match loop over the same entries; sorting the view
// by length and back, against one pass that copies the view; Locate; the four statistics.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "bench_words.h"
#include "dictionary/dictionary_collection.h"
#include "results/result_source.h"
#include "results/statistics.h"
#include "search/character_manager.h"
#include "search/string_searcher.h"

namespace gryvel::bench {
namespace {

const char* const kPatterns[] = {"п?бе*л?", "*ан*", "*ing", "*???*", "1*1"};

struct World {
  TCharacterManager manager;  // case-insensitive, as the program starts
  TStringSearcher searcher;
  TDictionaryCollection collection;
  TResultSource source;
  std::vector<std::string> probes;  // words to locate

  World() {
    searcher.SetCharacterManager(&manager);
    collection.SetStringSearcher(&searcher);
    std::vector<std::string> words = SortedDistinct(GenerateWords(1'050'000));
    words.resize(std::min<std::size_t>(words.size(), 1'000'000));
    FillEntries(collection.Dictionary(collection.NewDictionary())->Entries(), words);
    collection.Connect(*collection.Dictionary(0));
    source.SetDictionary(&collection);
    probes = GenerateWords(1000, 99);
  }
};

World& TheWorld() {
  static World world;
  return world;
}

std::string PatternOf(const benchmark::State& state) {
  return Cp(kPatterns[state.range(0)]);
}

void BM_Refresh(benchmark::State& state) {
  World& w = TheWorld();
  for (auto _ : state) w.source.Refresh();
  state.SetItemsProcessed(state.iterations() * w.collection.Count());
}

void BM_BareMatchLoop(benchmark::State& state) {
  World& w = TheWorld();
  w.searcher.SetPattern(PatternOf(state));
  for (auto _ : state) {
    std::int32_t found = 0;
    for (const TArticleItem* item : w.collection.Items()) found += w.searcher.Match(item->Word);
    benchmark::DoNotOptimize(found);
  }
  state.SetLabel(kPatterns[state.range(0)]);
  state.SetItemsProcessed(state.iterations() * w.collection.Count());
}

void BM_SearchAndShowResults(benchmark::State& state) {
  World& w = TheWorld();
  const std::string pattern = PatternOf(state);
  std::int32_t found = 0;
  for (auto _ : state) {
    w.source.SearchPattern(pattern);
    w.source.SetFilterActive(true);
    state.PauseTiming();
    found = w.source.Count();
    w.source.SetFilterActive(false);
    state.ResumeTiming();
  }
  state.SetLabel(std::string(kPatterns[state.range(0)]) + ": " + std::to_string(found) + " of " +
                 std::to_string(w.collection.Count()));
  state.SetItemsProcessed(state.iterations() * w.collection.Count());
}

void BM_CopyView(benchmark::State& state) {
  World& w = TheWorld();
  for (auto _ : state) {
    std::vector<std::int32_t> copy = w.source.View();
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetItemsProcessed(state.iterations() * w.source.Count());
}

// Times SortByLength (range 0), the same right after a Refresh, which has to order the
// entries by length anew (range 1), or the way back, SortAlphabetically (range 2).
void BM_SortByLengthAndBack(benchmark::State& state) {
  World& w = TheWorld();
  const std::int64_t what = state.range(0);
  for (auto _ : state) {
    state.PauseTiming();
    if (what == 1) w.source.Refresh();
    if (what != 2) state.ResumeTiming();
    w.source.SortByLength();
    if (what != 2)
      state.PauseTiming();
    else
      state.ResumeTiming();
    w.source.SortAlphabetically();
    if (what != 2) state.ResumeTiming();
  }
  const char* const labels[] = {"by length", "by length after a Refresh", "alphabetical again"};
  state.SetLabel(labels[what]);
  state.SetItemsProcessed(state.iterations() * w.source.Count());
}

void BM_Locate(benchmark::State& state) {
  World& w = TheWorld();
  std::size_t next = 0;
  for (auto _ : state) {
    w.source.Locate(w.probes[next]);
    next = (next + 1) % w.probes.size();
  }
}

void BM_Statistic(benchmark::State& state) {
  World& w = TheWorld();
  const auto kind = static_cast<TStatisticKind>(state.range(0));
  for (auto _ : state) {
    TStatistic statistic = ComputeStatistic(kind, w.source.View(), w.collection.Items());
    benchmark::DoNotOptimize(statistic.Records.data());
  }
  state.SetItemsProcessed(state.iterations() * w.source.Count());
}

BENCHMARK(BM_Refresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareMatchLoop)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchAndShowResults)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyView)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByLengthAndBack)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Locate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Statistic)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace gryvel::bench

BENCHMARK_MAIN();
