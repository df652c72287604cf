// Word chains and word analysis over a generated 1,000,000-word list and over the bundled
// Russian dictionary (when it is built): the time per word comparison of a chain search
// (counter ns_per_comparison) and splits of 10- to 12-letter words.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_words.h"
#include "common/synchronize.h"
#include "dictionary/dictionary_collection.h"
#include "results/result_source.h"
#include "search/character_manager.h"
#include "search/string_searcher.h"
#include "solvers/word_analysis.h"
#include "solvers/word_chain.h"

namespace gryvel::bench {
namespace {

struct World {
  TCharacterManager manager;
  TStringSearcher searcher;
  TDictionaryCollection collection;
  TResultSource source;
  std::vector<std::string> words;

  explicit World(std::vector<std::string> sorted_words) : words(std::move(sorted_words)) {
    FillEntries(collection.Dictionary(collection.NewDictionary())->Entries(), words);
    Connect();
  }

  // The dictionary in `file`.
  explicit World(const std::string& file) {
    SetUiThread();
    collection.Dictionary(collection.AddDictionary(file))->EnsureLoaded();
    // The loading run ends with a report that waits for this thread; a loader left waiting
    // keeps the program from ending.
    SynchronizeWhile([this] { return collection.LoadingCount() > 0; });
    for (const TArticleItem* item : collection.Dictionary(0)->Entries().Items())
      words.push_back(item->Word);
    Connect();
  }

  void Connect() {
    searcher.SetCharacterManager(&manager);
    collection.SetStringSearcher(&searcher);
    collection.Connect(*collection.Dictionary(0));
    source.SetDictionary(&collection);
  }

  // The `k`-th word of `length` letters in word order.
  const std::string& WordOfLength(std::size_t length, std::size_t k) const {
    for (const std::string& word : words)
      if (word.size() == length && k-- == 0) return word;
    return words.front();
  }
};

World& TheWorld() {
  static World world(SortedDistinct(GenerateWords(1'000'000)));
  return world;
}

// The bundled Russian dictionary, or null when it has not been built.
World* Bundled() {
  static World* world = std::filesystem::exists(GRYVEL_BUNDLED_DICTIONARY)
                            ? new World(std::string(GRYVEL_BUNDLED_DICTIONARY))
                            : nullptr;
  return world;
}

// Runs `chain` from `start` to `final` and reports its counters.
void TimeChain(benchmark::State& state, TWordChain& chain, const std::string& start,
               const std::string& final) {
  double seconds = 0;
  for (auto _ : state) {
    chain.Find(start, final, 1);
    seconds += chain.Seconds();
  }
  const double comparisons = static_cast<double>(chain.Variants()) * state.iterations();
  state.counters["comparisons"] = static_cast<double>(chain.Variants());
  state.counters["chains"] = chain.Results().Count();
  state.counters["ns_per_comparison"] = comparisons > 0 ? seconds * 1e9 / comparisons : 0;
}

// Chains between two words of range(0) letters, changing one letter per step.
void BM_Chain(benchmark::State& state) {
  World& w = TheWorld();
  const auto length = static_cast<std::size_t>(state.range(0));
  const std::string& start = w.WordOfLength(length, 10);
  const std::string& final = w.WordOfLength(length, 5000);
  TWordChain chain(w.source);
  TimeChain(state, chain, start, final);
}

void BM_ChainBundled(benchmark::State& state) {
  World* w = Bundled();
  if (w == nullptr) return state.SkipWithError("the bundled dictionary is not built");
  TWordChain chain(w->source);
  TimeChain(state, chain, Cp("кот"), Cp("пёс"));
}

void BM_AnalysisBundled(benchmark::State& state) {
  World* w = Bundled();
  if (w == nullptr) return state.SkipWithError("the bundled dictionary is not built");
  const char* const words[] = {"победитель", "подстановка", "колокольчики"};
  const std::string word = Cp(words[state.range(0)]);
  TWordAnalysis analysis(w->source);
  for (auto _ : state) analysis.Find(word);
  state.SetLabel(words[state.range(0)]);
  state.counters["splits"] = analysis.Results().Count();
}

// The memory the results of a long analysis take: range(0) splits of «достопримечательность»
// kept, the bytes each takes in the result list (bytes_per_split).
void BM_AnalysisStore(benchmark::State& state) {
  World* w = Bundled();
  if (w == nullptr) return state.SkipWithError("the bundled dictionary is not built");
  TWordAnalysis analysis(w->source);
  analysis.Results().SetLimit(static_cast<std::int32_t>(state.range(0)));
  for (auto _ : state) analysis.Find(Cp("достопримечательность"));
  const TResultList& results = analysis.Results();
  state.counters["splits"] = results.Count();
  state.counters["bytes_per_split"] = static_cast<double>(results.Bytes()) / results.Count();
}

// Splits of the first words of range(0) letters.
void BM_Analysis(benchmark::State& state) {
  World& w = TheWorld();
  const auto length = static_cast<std::size_t>(state.range(0));
  TWordAnalysis analysis(w.source);
  std::size_t next = 0;
  double splits = 0;
  for (auto _ : state) {
    analysis.Find(w.WordOfLength(length, next++ % 20));
    splits += analysis.Results().Count();
  }
  state.counters["splits"] = benchmark::Counter(splits, benchmark::Counter::kAvgIterations);
}

BENCHMARK(BM_Chain)->DenseRange(3, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Analysis)->DenseRange(10, 12)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChainBundled)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalysisBundled)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalysisStore)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace gryvel::bench

BENCHMARK_MAIN();
