#include "solvers/word_analysis.h"

#include <array>
#include <span>
#include <vector>

#include "dictionary/dictionary_collection.h"
#include "results/length_sort.h"
#include "results/result_source.h"
#include "search/character_manager.h"
#include "search/letter_maps.h"
#include "search/string_searcher.h"

namespace gryvel {

namespace {

// One analysis: the candidates, shortest first, and the letters of the word still free.
class TSplitter {
 public:
  TSplitter(std::vector<std::string_view> candidates, std::string_view word, const TByteMap& map,
            std::int32_t min_items, std::int32_t max_items, const std::atomic<bool>& running)
      : FCandidates(std::move(candidates)),
        FMap(map),
        FLength(word.size()),
        FMinItems(min_items),
        FMaxItems(max_items),
        FRunning(running) {
    for (const char c : word) ++FPool[Code(c)];
    // A split has at most one word per two letters.
    FPath.reserve(word.size() / 2 + 1);
  }

  // Calls count() for every candidate tried, report(path) with the candidate indices of every
  // split, then process_events().
  template <typename Count, typename Report, typename Events>
  void Run(Count count, Report report, Events process_events) {
    if (!FCandidates.empty())
      Split(static_cast<std::int32_t>(FCandidates.size()) - 1, count, report, process_events);
  }

 private:
  std::uint8_t Code(char c) const { return FMap[static_cast<std::uint8_t>(c)]; }

  // Takes the letters of `word` from the pool; false, with the pool as it was, when one is
  // not free.
  bool Take(std::string_view word) {
    for (std::size_t k = 0; k < word.size(); ++k) {
      if (--FPool[Code(word[k])] >= 0) continue;
      for (std::size_t g = 0; g <= k; ++g) ++FPool[Code(word[g])];
      return false;
    }
    return true;
  }

  void GiveBack(std::string_view word) {
    for (const char c : word) ++FPool[Code(c)];
  }

  // Tries the candidates from index `from` down, longer words first.
  template <typename Count, typename Report, typename Events>
  void Split(std::int32_t from, Count& count, Report& report, Events& process_events) {
    for (std::int32_t i = from; i >= 0; --i) {
      if (!FRunning.load(std::memory_order_relaxed)) return;
      count();
      const std::string_view word = FCandidates[i];
      if (word.size() + FUsed > FLength || !Take(word)) continue;
      const std::size_t rest = FLength - FUsed - word.size();
      const auto items = static_cast<std::int32_t>(FPath.size()) + 1;
      if (rest >= 2) {
        // No shorter candidate could finish the word at this depth either.
        if (items == FMaxItems || i == 0) {
          GiveBack(word);
          return;
        }
        FPath.push_back(static_cast<std::uint32_t>(i));
        FUsed += word.size();
        Split(i - 1, count, report, process_events);
        FUsed -= word.size();
        FPath.pop_back();
      } else if (rest == 0) {
        if (FMinItems <= items && items <= FMaxItems) {
          FPath.push_back(static_cast<std::uint32_t>(i));
          report(std::span<const std::uint32_t>(FPath));
          FPath.pop_back();
        }
        process_events();
      }
      GiveBack(word);
    }
  }

  std::vector<std::string_view> FCandidates;
  const TByteMap& FMap;
  std::size_t FLength;
  std::int32_t FMinItems;
  std::int32_t FMaxItems;
  const std::atomic<bool>& FRunning;
  std::array<std::int32_t, 256> FPool{};
  std::vector<std::uint32_t> FPath;  // candidate indices of the words taken
  std::size_t FUsed = 0;
};

}  // namespace

void TWordAnalysis::Find(std::string_view word, std::int32_t min_items, std::int32_t max_items) {
  if (word.empty()) return;
  Begin();  // a Stop while the candidates are gathered is kept
  FResults.Clear();
  TDictionaryCollection* collection = FSource.Dictionary();
  TStringSearcher* searcher = collection != nullptr ? collection->StringSearcher() : nullptr;
  if (searcher == nullptr) {
    FRunning.store(false);
    return;
  }

  // The words that can be made up from its letters, shortest first, none so long that fewer
  // than two letters would be left for the other words.
  const TAnagramOptions options = searcher->AnagramOptions();
  searcher->SetAnagramOptions(aoMakeWords);
  TResultSource::TEntryList list;
  FSource.AnagramsToList(list, word);
  searcher->SetAnagramOptions(options);
  SortByWordLength(
      list, [](const TArticleItem* item) { return item->Word.size(); }, true);
  std::vector<std::string_view> candidates;
  for (const TArticleItem* item : list)
    if (item->Word.size() + 2 <= word.size()) candidates.push_back(item->Word);

  const TByteMap& map = searcher->CharacterManager() != nullptr
                            ? searcher->CharacterManager()->LetterMap()
                            : IdentityMap();
  FResults.Reset(candidates, "+");
  StartTiming("Analyze");
  TSplitter splitter(std::move(candidates), word, map, min_items, max_items, FRunning);
  splitter.Run([this] { CountVariant(); },
               [this](std::span<const std::uint32_t> path) { Report(path); },
               [this] { LetEventsRun(); });
  StopTiming("Analyze");
  FRunning.store(false);
}

}  // namespace gryvel
