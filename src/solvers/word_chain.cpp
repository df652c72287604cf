#include "solvers/word_chain.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "results/result_source.h"
#include "search/letter_maps.h"

namespace gryvel {

namespace {

constexpr int kDepthLimit = 100;
constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
constexpr std::uint64_t kHigh = 0x8080808080808080ULL;

// Words of one length, mapped through MatchMap and packed into 8-byte chunks (zero-padded),
// so that counting the differing positions of two words is a few operations per chunk.
class TPackedWords {
 public:
  TPackedWords(std::size_t length) : FChunks((length + 7) / 8) {}

  // Appends `word` (of the set length) and returns its index.
  std::size_t Add(std::string_view word, const TByteMap& map) {
    const std::size_t at = FData.size();
    FData.resize(at + FChunks, 0);
    auto* bytes = reinterpret_cast<unsigned char*>(FData.data() + at);
    for (std::size_t k = 0; k < word.size(); ++k)
      bytes[k] = map[static_cast<unsigned char>(word[k])];
    return at / FChunks;
  }

  // The number of positions at which words a and b differ, counted until it passes `limit`.
  int Differences(std::size_t a, std::size_t b, int limit) const {
    const std::uint64_t* x = FData.data() + a * FChunks;
    const std::uint64_t* y = FData.data() + b * FChunks;
    int count = 0;
    for (std::size_t c = 0; c < FChunks && count <= limit; ++c) {
      const std::uint64_t diff = x[c] ^ y[c];
      // The high bit of each byte that differs.
      count += std::popcount((((diff & kLow7) + kLow7) | diff) & kHigh);
    }
    return count;
  }

 private:
  std::size_t FChunks;
  std::vector<std::uint64_t> FData;
};

}  // namespace

// One step of a chain: the link it came from in the previous level and its word.
struct TWordChain::TLink {
  std::int32_t Parent;  // index in the previous level; -1 in level 0
  std::int32_t Word;    // index in the packed words
};

// The words a chain may pass through: 0 and 1 are the two end words, the candidates (the
// dictionary's words of their length) follow from 2 on.
struct TWordChain::TGraph {
  static constexpr std::size_t kStart = 0, kFinal = 1, kFirst = 2;

  explicit TGraph(std::size_t length) : Words(length) {}

  TPackedWords Words;
  std::vector<std::uint8_t> Used;         // reached by an earlier level, or an end word
  std::vector<std::uint8_t> Reached;      // Used, with the words of the level being built
  std::vector<std::uint8_t> NextToFinal;  // n letters from the final word
  std::int32_t StartWord = kStart;        // the start word's own entry when listed
  bool AnyFromStart = false;
  bool AnyToFinal = false;
  std::vector<std::vector<TLink>> Levels;  // the links found, level by level
  std::vector<std::uint32_t> Chain;        // the chain being reported
};

void TWordChain::Find(std::string_view start, std::string_view final, int n) {
  if (start.empty() || final.empty() || n < 1 || start.size() != final.size()) return;
  FResults.Clear();
  Begin();
  TResultSource::TEntryList candidates;
  FSource.PatternMatchesToList(candidates, std::string(start.size(), '?'));
  TGraph graph(start.size());
  AddWords(graph, start, final, candidates, n);

  StartTiming("Chain");
  int limit = kDepthLimit;
  // Words already n letters apart make the shortest chain there is.
  if (graph.Words.Differences(TGraph::kStart, TGraph::kFinal, n) == n) {
    const std::uint32_t ends[] = {TGraph::kStart, TGraph::kFinal};
    Report(ends);
    limit = 0;
  }
  graph.Levels = {{TLink{-1, graph.StartWord}}};
  for (int k = 1; k <= limit && graph.AnyFromStart && graph.AnyToFinal && FRunning.load(); ++k) {
    std::vector<TLink> level = NextLevel(graph, n, k, limit);
    if (level.empty() || !FRunning.load()) break;
    graph.Used = graph.Reached;
    graph.Levels.push_back(std::move(level));
  }
  StopTiming("Chain");
  FRunning.store(false);
}

void TWordChain::AddWords(TGraph& graph, std::string_view start, std::string_view final,
                          const TResultSource::TEntryList& candidates, int n) {
  const TByteMap& map = MatchMap();
  TPackedWords& words = graph.Words;
  words.Add(start, map);
  words.Add(final, map);
  graph.Used.assign(TGraph::kFirst, 1);
  graph.Reached.assign(TGraph::kFirst, 1);
  graph.NextToFinal.assign(TGraph::kFirst, 0);
  for (const TArticleItem* item : candidates) {
    const std::size_t i = words.Add(item->Word, map);
    const bool end_word = item->Word == start || item->Word == final;
    if (item->Word == start) graph.StartWord = static_cast<std::int32_t>(i);
    graph.Used.push_back(end_word);
    graph.Reached.push_back(end_word);
    graph.NextToFinal.push_back(words.Differences(i, TGraph::kFinal, n) == n);
    graph.AnyFromStart = graph.AnyFromStart || words.Differences(i, TGraph::kStart, n) == n;
    graph.AnyToFinal = graph.AnyToFinal || graph.NextToFinal.back();
  }
  std::vector<std::string_view> texts{start, final};
  for (const TArticleItem* item : candidates) texts.push_back(item->Word);
  FResults.Reset(texts, " - ");
}

std::vector<TWordChain::TLink> TWordChain::NextLevel(TGraph& graph, int n, int k, int& limit) {
  std::vector<TLink> level;
  const std::vector<TLink>& previous = graph.Levels.back();
  const std::size_t count = graph.Used.size();
  for (std::size_t j = 0; j < previous.size(); ++j) {
    const auto from = static_cast<std::size_t>(previous[j].Word);
    for (std::size_t i = TGraph::kFirst; i < count; ++i) {
      if (!FRunning.load(std::memory_order_relaxed)) break;
      if (graph.Used[i]) continue;
      CountVariant();
      if (graph.Words.Differences(from, i, n) != n) continue;
      graph.Reached[i] = 1;
      level.push_back({static_cast<std::int32_t>(j), static_cast<std::int32_t>(i)});
      LetEventsRun();
      if (graph.NextToFinal[i]) {
        limit = k;
        ReportChain(graph, level);
      }
    }
    if (!FRunning.load()) break;
    LetEventsRun();
  }
  return level;
}

void TWordChain::ReportChain(TGraph& graph, const std::vector<TLink>& level) {
  const std::vector<std::vector<TLink>>& levels = graph.Levels;
  graph.Chain.assign(levels.size() + 2, TGraph::kFinal);
  std::int32_t link = static_cast<std::int32_t>(level.size()) - 1;
  for (std::size_t k = levels.size() + 1; k-- > 0;) {
    const TLink& step = k == levels.size() ? level[link] : levels[k][link];
    graph.Chain[k] = static_cast<std::uint32_t>(step.Word);
    link = step.Parent;
  }
  Report(graph.Chain);
}

}  // namespace gryvel
