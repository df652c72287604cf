// Loading 1,000,000-entry dictionaries: version 2 (some descriptions), version 1 compressed,
// and a plain-text list (unsorted, with duplicates; sorting and de-duplication included),
// against a raw pass that reads the version-2 file and walks its records.

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>

#include "bench_files.h"
#include "dictionary/kiv_dictionary.h"
#include "dictionary/kiv_format.h"

namespace gryvel::bench {
namespace {

constexpr std::size_t kEntries = 1'000'000;

void Load(benchmark::State& state, const std::string& path) {
  std::int64_t count = 0;
  for (auto _ : state) {
    auto dictionary = std::make_unique<TKivDictionary>();
    dictionary->SetFileName(path);
    dictionary->Load();
    count = dictionary->Count();
    state.PauseTiming();  // freeing the entries is not loading them
    dictionary.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * count);
  state.counters["entries"] = static_cast<double>(count);
}

void BM_LoadKiv2(benchmark::State& state) {
  Load(state, MakeKiv2File(kEntries));
}
void BM_LoadKiv1Compressed(benchmark::State& state) {
  Load(state, MakeKiv1File(kEntries));
}
void BM_LoadText(benchmark::State& state) {
  Load(state, MakeTextFile(kEntries));
}

// The least a version-2 load must do: read the file and step from record to record.
void BM_RawKiv2(benchmark::State& state) {
  const std::string path = MakeKiv2File(kEntries);
  std::int64_t count = 0;
  for (auto _ : state) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
    std::size_t at = 7 + LoadU32(p + 3);
    at += 4 + LoadU32(p + at);  // the reserved block
    count = 0;
    std::uint64_t letters = 0;
    while (at + 12 <= bytes.size()) {
      letters += LoadU32(p + at + 8);
      at += LoadU32(p + at);
      ++count;
    }
    benchmark::DoNotOptimize(letters);
  }
  state.SetItemsProcessed(state.iterations() * count);
}

BENCHMARK(BM_RawKiv2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadKiv2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadKiv1Compressed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadText)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace gryvel::bench

BENCHMARK_MAIN();
