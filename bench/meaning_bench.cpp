// The search by meaning over both bundled dictionaries (when they are built): loading the two
// dictionaries, building the meaning index from their descriptions (counters: words, pairs,
// index_MiB), and its two halves: reading the descriptions and indexing them; reading the index
// a build kept in the cache; a search with an empty pattern for a common and a rare clue of each
// language, and, as the yardstick, rg -w CLUE over a text dump of the same descriptions (one line
// per description; the time includes starting rg, as a user running it pays it).

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "bench_files.h"
#include "bundled_session.h"
#include "common/cp1251_utf8.h"
#include "dictionary/dictionary_collection.h"
#include "results/meaning_cache.h"
#include "results/meaning_index.h"
#include "results/result_source.h"
#include "results/word_commonness.h"
#include "search/letter_maps.h"

namespace gryvel::bench {
namespace {

using World = TBundledSession;

World& TheWorld() {
  static World world;
  return world;
}

void BM_LoadBothDictionaries(benchmark::State& state) {
  // Runs before TheWorld exists: only one character manager drives MatchMap at a time.
  std::unique_ptr<World> world;
  for (auto _ : state) {
    world = std::make_unique<World>();
    benchmark::DoNotOptimize(world->Collection.Count());
    state.PauseTiming();  // freeing is not loading
    world.reset();
    state.ResumeTiming();
  }
}

void BM_BuildIndex(benchmark::State& state) {
  World& world = TheWorld();
  std::unique_ptr<TMeaningIndex> index;
  for (auto _ : state) {
    world.Source.Refresh();  // drops the index
    benchmark::DoNotOptimize(world.Source.MeaningIndex());
  }
  index = std::make_unique<TMeaningIndex>(MatchMap());
  const TMeaningDocuments documents = CollectDescriptions(world.Collection);
  index->Build(documents);
  state.counters["descriptions"] = static_cast<double>(documents.Count());
  state.counters["words"] = static_cast<double>(index->WordCount());
  state.counters["pairs"] = static_cast<double>(index->PairCount());
  state.counters["index_MiB"] = static_cast<double>(index->MemoryBytes()) / (1 << 20);
}

// Indexing descriptions already read: the part a background build does on its own thread.
void BM_IndexDocuments(benchmark::State& state) {
  const TMeaningDocuments documents = CollectDescriptions(TheWorld().Collection);
  for (auto _ : state) {
    TMeaningIndex index(MatchMap());
    benchmark::DoNotOptimize(index.Build(documents));
  }
  state.counters["MiB_read"] = static_cast<double>(documents.Bytes()) / (1 << 20);
}

// What a start with the same dictionaries does instead of building: working out the cache
// file's name on the UI thread (cache_key_ms), then reading the index kept there.
void BM_ReadKeptIndex(benchmark::State& state) {
  World& world = TheWorld();
  const std::string directory = Directory() + "/cache";
  std::filesystem::remove_all(directory);
  (void)BuildAndKeepMeaningIndex(MatchMap(), CollectDescriptions(world.Collection),
                                 MeaningCacheFile(world.Collection, MatchMap(), directory));
  const auto start = std::chrono::steady_clock::now();
  const TMeaningCacheFile kept = MeaningCacheFile(world.Collection, MatchMap(), directory);
  state.counters["cache_key_ms"] =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  if (!kept.Saved) state.SkipWithError("the index was not kept");
  for (auto _ : state) benchmark::DoNotOptimize(ReadMeaningCache(kept, MatchMap()));
  state.counters["file_MiB"] =
      static_cast<double>(std::filesystem::file_size(kept.Path)) / (1 << 20);
}

// Reading the descriptions alone (into one copy, as for a build on another thread).
void BM_CollectDescriptions(benchmark::State& state) {
  World& world = TheWorld();
  for (auto _ : state) benchmark::DoNotOptimize(CollectDescriptions(world.Collection).Count());
}

std::string Clue(const char* utf8) {
  std::string text;
  (void)Utf8ToCp1251(utf8, &text);
  return text;
}

void BM_Search(benchmark::State& state, const char* clue_utf8) {
  World& world = TheWorld();
  const std::string clue = Clue(clue_utf8);
  world.Source.SearchMeaning("", clue);  // builds the index
  for (auto _ : state) world.Source.SearchMeaning("", clue);
  world.Source.SetFilterActive(true);
  state.counters["found"] = world.Source.Count();
  world.Source.SetFilterActive(false);
}

// Reading the word frequency lists built into the program into a commonness table: what the
// first search by meaning of a process pays once.
void BM_LoadCommonness(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(TWordCommonness::ReadBundledLists().Count());
}

// The descriptions as UTF-8 text, one per line, written once.
const std::string& DumpFile() {
  static const std::string path = [] {
    const std::string file = Directory() + "/descriptions.txt";
    std::ofstream out(file, std::ios::binary);
    const TMeaningDocuments documents = CollectDescriptions(TheWorld().Collection);
    for (std::size_t i = 0; i < documents.Count(); ++i) {
      std::string line = Cp1251ToUtf8(documents.Text(i));
      for (char& c : line)
        if (c == '\r' || c == '\n') c = ' ';
      out << line << '\n';
    }
    return file;
  }();
  return path;
}

double ChildrenCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// rg_cpu_ms: the CPU time of rg itself (and its shell) per run, which the CPU column leaves out.
void BM_Rg(benchmark::State& state, const char* clue_utf8) {
  const std::string command =
      std::string("rg -w -c '") + clue_utf8 + "' '" + DumpFile() + "' >/dev/null";
  const double before = ChildrenCpuSeconds();
  for (auto _ : state)
    if (std::system(command.c_str()) == -1) state.SkipWithError("cannot run rg");
  state.counters["rg_cpu_ms"] =
      (ChildrenCpuSeconds() - before) * 1000 / static_cast<double>(state.iterations());
}

// The index reads its text on two threads: the CPU time counts every thread.
BENCHMARK(BM_LoadBothDictionaries)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->MeasureProcessCPUTime();
BENCHMARK(BM_CollectDescriptions)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_BuildIndex)->Unit(benchmark::kMillisecond)->Iterations(5)->MeasureProcessCPUTime();
BENCHMARK(BM_ReadKeptIndex)->Unit(benchmark::kMillisecond)->Iterations(10)->MeasureProcessCPUTime();
BENCHMARK(BM_IndexDocuments)->Unit(benchmark::kMillisecond)->Iterations(5)->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(BM_Search, common_ru, "успех")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, common_en, "cold")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, rare_ru, "пращур")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, rare_en, "quagmire")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, three_words_en, "hold back growth")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, three_words_ru, "старинная мера длины")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCommonness)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Rg, common_ru, "успех")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Rg, common_en, "cold")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Rg, rare_ru, "пращур")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Rg, rare_en, "quagmire")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace gryvel::bench

BENCHMARK_MAIN();
