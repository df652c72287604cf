// Crossword matching over 1,000,000 entries held in an entry list, against a pass that only
// sums word lengths, RE2 and PCRE2-JIT asking the same questions of the same words. Ends with
// a table of ratios and fails if the engines disagree on a result count.

#include <benchmark/benchmark.h>
#include <re2/re2.h>

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench_words.h"
#include "common/cp1251_case.h"
#include "dictionary/article_list.h"
#include "search/character_manager.h"
#include "search/string_searcher.h"

namespace gryvel::bench {
namespace {

constexpr std::size_t kEntries = 1'000'000;

struct Query {
  const char* pattern;  // ours, UTF-8 here, code page 1251 when used
  const char* re2;      // full-match expression over lower-cased words; null: not expressible
  const char* pcre;     // the same question for PCRE2, anchors included
};

#define V "[аеёиоуыэюя]"
#define C "[бвгджзйклмнпрстфхцчшщ]"
const Query kQueries[] = {
    {"п?бе*л?", "п.бе.*л.", "^п.бе.*л.$"},
    {"*???*", ".{3,}", "^.{3,}$"},
    {"????????", ".{8}", "^.{8}$"},
    {"*ing", ".*ing", "ing$"},
    {"@$@$@", V C V C V, "^" V C V C V "$"},
    {"[!аб]*", "[^аб].*", "^[^аб]"},
    {"1221", nullptr, "^(.)(?!\\1)(.)\\2\\1$"},
    {"*11*", nullptr, "(.)\\1"},
    {"1*1", nullptr, "^(.).*\\1$"},
};
#undef V
#undef C

struct Corpus {
  TCharacterManager manager;  // case-insensitive, as the program starts
  TArticleList list;
  std::vector<std::string> lowered;  // what the regular expressions see

  Corpus() {
    std::vector<std::string> words = GenerateWords(kEntries);
    list.SetCapacity(static_cast<std::int32_t>(words.size()));
    for (std::string& word : words) {
      list.AddArticle(word);
      for (char& c : word) c = static_cast<char>(Lower(static_cast<std::uint8_t>(c)));
      lowered.push_back(std::move(word));
    }
  }
};

Corpus& TheCorpus() {
  static Corpus corpus;
  return corpus;
}

std::map<std::string, std::map<std::string, long>> gCounts;  // pattern -> engine -> matches

void Record(const char* pattern, const char* engine, long matches, benchmark::State& state) {
  gCounts[pattern][engine] = matches;
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kEntries));
  state.counters["matches"] = static_cast<double>(matches);
}

void BM_Baseline(benchmark::State& state) {
  TArticleList& list = TheCorpus().list;
  for (auto _ : state) {
    std::size_t sum = 0;
    for (std::int32_t i = 0; i < list.Count(); ++i) sum += list.Get(i)->Word.size();
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kEntries));
}

void BM_Gryvel(benchmark::State& state, const Query& q) {
  Corpus& corpus = TheCorpus();
  TStringSearcher searcher;
  searcher.SetCharacterManager(&corpus.manager);
  long matches = 0;
  for (auto _ : state) {
    searcher.SetPattern(Cp(q.pattern));
    matches = 0;
    for (std::int32_t i = 0; i < corpus.list.Count(); ++i)
      matches += searcher.Match(corpus.list.Get(i)->Word);
  }
  Record(q.pattern, "gryvel", matches, state);
}

void BM_RE2(benchmark::State& state, const Query& q) {
  RE2::Options options;
  options.set_encoding(RE2::Options::EncodingLatin1);
  options.set_dot_nl(true);
  const RE2 re(Cp(q.re2), options);
  if (!re.ok()) state.SkipWithError(re.error().c_str());
  long matches = 0;
  for (auto _ : state) {
    matches = 0;
    for (const std::string& word : TheCorpus().lowered) matches += RE2::FullMatch(word, re);
  }
  Record(q.pattern, "re2", matches, state);
}

void BM_PCRE2(benchmark::State& state, const Query& q) {
  const std::string expression = Cp(q.pcre);
  int error = 0;
  PCRE2_SIZE offset = 0;
  std::unique_ptr<pcre2_code, decltype(&pcre2_code_free)> code(
      pcre2_compile(reinterpret_cast<PCRE2_SPTR>(expression.c_str()), expression.size(),
                    PCRE2_DOTALL | PCRE2_DOLLAR_ENDONLY, &error, &offset, nullptr),
      &pcre2_code_free);
  if (!code || pcre2_jit_compile(code.get(), PCRE2_JIT_COMPLETE) != 0) {
    state.SkipWithError("PCRE2 compile or JIT failed");
    return;
  }
  std::unique_ptr<pcre2_match_data, decltype(&pcre2_match_data_free)> data(
      pcre2_match_data_create_from_pattern(code.get(), nullptr), &pcre2_match_data_free);
  long matches = 0;
  for (auto _ : state) {
    matches = 0;
    for (const std::string& word : TheCorpus().lowered)
      matches += pcre2_jit_match(code.get(), reinterpret_cast<PCRE2_SPTR>(word.data()), word.size(),
                                 0, 0, data.get(), nullptr) > 0;
  }
  Record(q.pattern, "pcre2-jit", matches, state);
}

// Remembers each benchmark's time per iteration for the ratio table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration)
        times[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

std::string Name(const char* engine, const Query& q) {
  return std::string(engine) + "/" + q.pattern;
}

int PrintRatios(const RatioReporter& reporter) {
  const auto time = [&](const std::string& name) {
    const auto it = reporter.times.find(name);
    return it == reporter.times.end() ? 0.0 : it->second;
  };
  const double baseline = time("Baseline");
  std::printf("\n%-12s %10s %12s %12s %14s\n", "pattern", "ns/entry", "/baseline", "RE2/ours",
              "PCRE2-JIT/ours");
  int disagreements = 0;
  for (const Query& q : kQueries) {
    const double ours = time(Name("Gryvel", q));
    if (ours == 0) continue;  // filtered out
    const double re2 = q.re2 ? time(Name("RE2", q)) : 0;
    const double pcre = time(Name("PCRE2", q));
    std::printf("%-12s %10.2f %12.2f %12s %14s\n", q.pattern,
                ours * 1e6 / kEntries,  // times are in milliseconds
                baseline > 0 ? ours / baseline : 0.0,
                re2 > 0 ? std::to_string(re2 / ours).substr(0, 6).c_str() : "-",
                pcre > 0 ? std::to_string(pcre / ours).substr(0, 6).c_str() : "-");
    const auto& counts = gCounts[q.pattern];
    for (const auto& [engine, n] : counts) {
      if (n != counts.at("gryvel")) {
        std::printf("  MISMATCH %s: %s found %ld, gryvel %ld\n", q.pattern, engine.c_str(), n,
                    counts.at("gryvel"));
        ++disagreements;
      }
    }
  }
  return disagreements == 0 ? 0 : 1;
}

}  // namespace
}  // namespace gryvel::bench

int main(int argc, char** argv) {
  using namespace gryvel::bench;
  benchmark::Initialize(&argc, argv);
  benchmark::RegisterBenchmark("Baseline", BM_Baseline)->Unit(benchmark::kMillisecond);
  for (const Query& q : kQueries) {
    benchmark::RegisterBenchmark(Name("Gryvel", q).c_str(), BM_Gryvel, q)
        ->Unit(benchmark::kMillisecond);
    if (q.re2)
      benchmark::RegisterBenchmark(Name("RE2", q).c_str(), BM_RE2, q)
          ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(Name("PCRE2", q).c_str(), BM_PCRE2, q)
        ->Unit(benchmark::kMillisecond);
  }
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return PrintRatios(reporter);
}
