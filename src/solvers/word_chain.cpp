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

// One step of a chain: the link it came from in the previous level and its word.
struct TLink {
  std::int32_t Parent;  // index in the previous level; -1 in level 0
  std::int32_t Word;    // index in the packed words
};

}  // namespace

void TWordChain::Find(std::string_view start, std::string_view final, int n) {
  if (start.empty() || final.empty() || n < 1 || start.size() != final.size()) return;
  FResults.Clear();
  Begin();
  TResultSource::TEntryList candidates;
  FSource.PatternMatchesToList(candidates, std::string(start.size(), '?'));

  // Words 0 and 1 are the two end words; candidates follow from 2 on.
  const TByteMap& map = MatchMap();
  TPackedWords words(start.size());
  words.Add(start, map);
  words.Add(final, map);
  constexpr std::size_t kStart = 0, kFinal = 1, kFirst = 2;
  std::vector<std::uint8_t> used(kFirst, 1);
  std::vector<std::uint8_t> reached(kFirst, 1);
  std::vector<std::uint8_t> next_to_final(kFirst, 0);
  std::int32_t start_word = kStart;
  bool any_from_start = false;
  bool any_to_final = false;
  for (const TArticleItem* item : candidates) {
    const std::size_t i = words.Add(item->Word, map);
    const bool end_word = item->Word == start || item->Word == final;
    if (item->Word == start) start_word = static_cast<std::int32_t>(i);
    used.push_back(end_word);
    reached.push_back(end_word);
    next_to_final.push_back(words.Differences(i, kFinal, n) == n);
    any_from_start = any_from_start || words.Differences(i, kStart, n) == n;
    any_to_final = any_to_final || next_to_final.back();
  }
  std::vector<std::string_view> texts{start, final};
  for (const TArticleItem* item : candidates) texts.push_back(item->Word);
  FResults.Reset(texts, " - ");

  // Reports the chain ending in the last link of `levels`.
  std::vector<std::vector<TLink>> levels{{TLink{-1, start_word}}};
  std::vector<std::uint32_t> chain;
  auto report = [&](const std::vector<TLink>& level) {
    chain.assign(levels.size() + 2, kFinal);
    std::int32_t link = static_cast<std::int32_t>(level.size()) - 1;
    for (std::size_t k = levels.size() + 1; k-- > 0;) {
      const TLink& step = k == levels.size() ? level[link] : levels[k][link];
      chain[k] = static_cast<std::uint32_t>(step.Word);
      link = step.Parent;
    }
    Report(chain);
  };

  StartTiming("Chain");
  int limit = kDepthLimit;
  // Words already n letters apart make the shortest chain there is.
  if (words.Differences(kStart, kFinal, n) == n) {
    const std::uint32_t ends[] = {kStart, kFinal};
    Report(ends);
    limit = 0;
  }
  const std::size_t count = used.size();
  for (int k = 1; k <= limit && any_from_start && any_to_final && FRunning.load(); ++k) {
    std::vector<TLink> level;
    const std::vector<TLink>& previous = levels.back();
    for (std::size_t j = 0; j < previous.size(); ++j) {
      const auto from = static_cast<std::size_t>(previous[j].Word);
      for (std::size_t i = kFirst; i < count; ++i) {
        if (!FRunning.load(std::memory_order_relaxed)) break;
        if (used[i]) continue;
        CountVariant();
        if (words.Differences(from, i, n) != n) continue;
        reached[i] = 1;
        level.push_back({static_cast<std::int32_t>(j), static_cast<std::int32_t>(i)});
        LetEventsRun();
        if (next_to_final[i]) {
          limit = k;
          report(level);
        }
      }
      if (!FRunning.load()) break;
      LetEventsRun();
    }
    if (level.empty() || !FRunning.load()) break;
    used = reached;
    levels.push_back(std::move(level));
  }
  StopTiming("Chain");
  FRunning.store(false);
}

}  // namespace gryvel
