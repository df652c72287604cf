// The bundled meaning bridge (when the data is built): reading it (counter bytes: the memory
// the loaded bridge holds) and looking up one word in each direction.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "common/cp1251_utf8.h"
#include "dictionary/file_io.h"
#include "results/meaning_bridge.h"

namespace gryvel::bench {
namespace {

const std::string kBridge = GRYVEL_BUNDLED_BRIDGE;

void BM_LoadBridge(benchmark::State& state) {
  std::size_t bytes = 0;
  for (auto _ : state) {
    TMeaningBridge bridge;
    if (const TStatus status = bridge.Load(PosixFileSystem(), kBridge); !status.ok()) {
      state.SkipWithError(status.message().c_str());
      return;
    }
    bytes = bridge.MemoryBytes();
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_LoadBridge)->Unit(benchmark::kMillisecond);

// Looks up `utf8` in one direction, as the search by meaning does for each clue word.
void Lookup(benchmark::State& state, const char* utf8, bool russian) {
  TMeaningBridge bridge;
  std::string word;
  if (!bridge.Load(PosixFileSystem(), kBridge).ok() || !Utf8ToCp1251(utf8, &word).ok()) {
    state.SkipWithError("no bridge");
    return;
  }
  std::vector<TBridgeWord> found;
  for (auto _ : state) {
    russian ? bridge.EnglishFor(word, &found) : bridge.RussianFor(word, &found);
    benchmark::DoNotOptimize(found.data());
  }
  state.counters["words"] = static_cast<double>(found.size());
}
BENCHMARK_CAPTURE(Lookup, russian_word, "водоёмы", true);
BENCHMARK_CAPTURE(Lookup, english_word, "reduced", false);

}  // namespace
}  // namespace gryvel::bench

BENCHMARK_MAIN();
