#include "results/result_source.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "common/stopwatch.h"
#include "dictionary/dictionary_collection.h"
#include "results/length_sort.h"
#include "results/meaning_cache.h"
#include "results/meaning_search.h"
#include "search/letter_maps.h"
#include "search/string_searcher.h"

namespace gryvel {

namespace {

constexpr std::uint8_t kHidden = TResultSource::kExcluded | TResultSource::kFilteredOut;
constexpr std::uint8_t kLongLength = 255;  // FLengths holds 255 for this length and more

}  // namespace

TResultSource::~TResultSource() {
  Unhook();
  // A viewer may remove itself while it is told.
  for (TResultViewer* viewer : std::vector(FViewers)) viewer->SourceDestroyed();
}

void TResultSource::SetDictionary(TDictionaryCollection* collection) {
  if (collection == FDictionary) return;
  Unhook();
  FDictionary = collection;
  if (collection == nullptr) return;
  FDictionaryHooks +=
      collection->OnListChange.Subscribe([this](TDictionaryCollection&) { Refresh(); });
  FDictionaryHooks += collection->OnDestroy.Subscribe([this](TDictionaryCollection&) {
    FDictionary = nullptr;
    DropEntries();
    FReady = false;
  });
  Refresh();
}

void TResultSource::DropEntries() {
  FFlags.clear();
  FLengths.clear();
  FLengthOrder.clear();
  FView.clear();
  FRanks.clear();
  FMeaningIndex.reset();
  FMeaningBuild.reset();
  FEditedDuringBuild.clear();
  FCount = 0;
}

void TResultSource::Unhook() {
  FDictionaryHooks.Reset();
}

void TResultSource::AddViewer(TResultViewer* viewer) {
  if (std::find(FViewers.begin(), FViewers.end(), viewer) == FViewers.end())
    FViewers.push_back(viewer);
}

void TResultSource::RemoveViewer(TResultViewer* viewer) {
  FViewers.erase(std::remove(FViewers.begin(), FViewers.end(), viewer), FViewers.end());
}

std::uint8_t TResultSource::Flags(std::int32_t index) const {
  return index >= 0 && static_cast<std::size_t>(index) < FFlags.size() ? FFlags[index] : 0;
}

void TResultSource::Refresh() {
  if (FDictionary == nullptr || FUpdateCount > 0) return;
  ResetMeaningIndex();  // its entry indices are those of the old list
  Recompute();
}

void TResultSource::Recompute() {
  if (FDictionary == nullptr || FUpdateCount > 0) return;
  FReady = false;
  FFlags.clear();
  FRanks.clear();
  FLengths.clear();
  FLengthOrder.clear();
  FView.clear();
  const TEntryPointers& items = FDictionary->Items();
  if (items.empty()) {
    FCount = 0;
    Changed();
    return;
  }
  FFlags.assign(items.size(), 0);
  FLengths.resize(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (!FDictionary->Matches(static_cast<std::int32_t>(i))) FFlags[i] = kExcluded;
    FLengths[i] =
        static_cast<std::uint8_t>(std::min<std::size_t>(items[i]->Word.size(), kLongLength));
  }
  ApplyFilter();
  FHiddenCount = static_cast<std::size_t>(std::count_if(
      FFlags.begin(), FFlags.end(), [](std::uint8_t f) { return (f & kHidden) != 0; }));
  SetDirectionBits();
  FReady = true;
  RebuildView();
  FCount = static_cast<std::int32_t>(FView.size());
  Changed();
}

void TResultSource::ApplyFilter() {
  const TFilterSettings& filter = FFilterSettings;
  if (!filter.Enable) return;
  // Without a searcher there is no pattern to test: only the length condition applies.
  TStringSearcher* searcher = FDictionary->StringSearcher();
  const bool by_pattern = filter.PatternEnable && searcher != nullptr;
  std::string own_pattern;
  if (by_pattern) {
    own_pattern = searcher->Pattern().Text();
    searcher->SetPattern(filter.Pattern);
  }
  const TEntryPointers& items = FDictionary->Items();
  for (std::size_t i = 0; i < FFlags.size(); ++i) {
    if (FFlags[i] & kHidden) continue;
    const std::string& word = items[i]->Word;
    const auto length = static_cast<std::int64_t>(word.size());
    if ((filter.LengthEnable && (length < filter.MinLength || length > filter.MaxLength)) ||
        (by_pattern && !searcher->Match(word)))
      FFlags[i] |= kFilteredOut;
  }
  if (by_pattern) searcher->SetPattern(own_pattern);
}

template <typename Test>
void TResultSource::MarkResult(TResultKind kind, const char* timer, Test test) {
  FResultKind = kind;
  FRanks.clear();
  TStopwatch::Start(timer);
  const TEntryPointers& items = FDictionary->Items();
  const std::size_t n = std::min(FFlags.size(), items.size());
  for (std::size_t i = 0; i < n; ++i) {
    std::uint8_t& flags = FFlags[i];
    if (flags & kHidden) continue;
    flags = test(items[i]->Word) ? flags | kInResult : flags & ~kInResult;
  }
  FSearchTime = TStopwatch::Stop(timer);
}

void TResultSource::SearchPattern(std::string_view pattern) {
  TStringSearcher* searcher = FDictionary != nullptr ? FDictionary->StringSearcher() : nullptr;
  if (searcher == nullptr) return;
  searcher->SetPattern(pattern);
  MarkResult(TResultKind::kPattern, "Pattern",
             [searcher](std::string_view word) { return searcher->Match(word); });
}

void TResultSource::SearchAnagrams(std::string_view letters) {
  TStringSearcher* searcher = FDictionary != nullptr ? FDictionary->StringSearcher() : nullptr;
  if (searcher == nullptr) return;
  searcher->SetAnagramString(letters);
  MarkResult(TResultKind::kAnagrams, "Anagrams",
             [searcher](std::string_view word) { return searcher->IsAnagram(word); });
}

void TResultSource::SearchPalindromes() {
  TStringSearcher* searcher = FDictionary != nullptr ? FDictionary->StringSearcher() : nullptr;
  if (searcher == nullptr) return;
  MarkResult(TResultKind::kPalindromes, "Palindromes",
             [searcher](std::string_view word) { return searcher->IsPalindrome(word); });
}

TMeaningIndex* TResultSource::MeaningIndex() {
  if (FDictionary == nullptr) return nullptr;
  if (FMeaningBuild != nullptr) {
    if (FMeaningBuild->Map() == MatchMap()) {
      TakeMeaningBuild();
    } else {
      FMeaningBuild.reset();
      FEditedDuringBuild.clear();
    }
  }
  if (FMeaningIndex == nullptr || FMeaningIndex->Map() != MatchMap()) {
    TStopwatch::Start("MeaningIndex");
    const TMeaningCacheFile cache =
        MeaningCacheFile(*FDictionary, MatchMap(), FMeaningCacheDirectory);
    FMeaningIndex = cache.Saved ? ReadMeaningCache(cache, MatchMap()) : nullptr;
    if (FMeaningIndex == nullptr)
      FMeaningIndex =
          BuildAndKeepMeaningIndex(MatchMap(), CollectDescriptions(*FDictionary), cache);
    TStopwatch::Stop("MeaningIndex");
  }
  return FMeaningIndex.get();
}

void TResultSource::BuildMeaningIndexInBackground() {
  FMeaningInBackground = true;
  if (FMeaningBuild == nullptr && (FMeaningIndex == nullptr || FMeaningIndex->Map() != MatchMap()))
    StartMeaningBuild();
}

void TResultSource::ResetMeaningIndex() {
  FMeaningIndex.reset();
  FMeaningBuild.reset();
  FEditedDuringBuild.clear();
  if (FMeaningInBackground) StartMeaningBuild();
}

void TResultSource::StartMeaningBuild() {
  if (FDictionary == nullptr) return;
  // A dictionary still loading gives no descriptions yet: its end starts the build again.
  for (std::int32_t d = 0; d < FDictionary->DictionaryCount(); ++d)
    if (FDictionary->Dictionary(d)->Loading()) return;
  TMeaningCacheFile cache = MeaningCacheFile(*FDictionary, MatchMap(), FMeaningCacheDirectory);
  // A saved index needs no descriptions: reading them is most of the time spent here.
  TMeaningDocuments documents;
  if (!cache.Saved) documents = CollectDescriptions(*FDictionary);
  FMeaningBuild =
      std::make_unique<TMeaningBuild>(MatchMap(), std::move(documents), std::move(cache));
}

void TResultSource::TakeMeaningBuild() {
  FMeaningIndex = FMeaningBuild->Take();
  FMeaningBuild.reset();
  if (FMeaningIndex != nullptr)
    for (const std::int32_t entry : FEditedDuringBuild) UpdateMeaning(entry);
  FEditedDuringBuild.clear();
}

void TResultSource::UpdateMeaning(std::int32_t index) {
  std::vector<std::string> texts;
  for (const auto& [dictionary, item] : FDictionary->HeldEntries(index))
    texts.push_back(dictionary->GetDescription(dictionary->Entries().IndexOf(item->Word)));
  FMeaningIndex->Update(index, texts);
}

void TResultSource::SearchMeaning(std::string_view pattern, std::string_view clue) {
  TStringSearcher* searcher = FDictionary != nullptr ? FDictionary->StringSearcher() : nullptr;
  if (searcher == nullptr) return;
  TMeaningIndex& index = *MeaningIndex();
  const bool any_word = pattern.empty();
  if (!any_word) searcher->SetPattern(TStringSearcher::SearchedPattern(pattern));
  TStopwatch::Start("Meaning");
  FMeaningClue.clear();
  for (TClueWord& word : ParseClue(clue)) FMeaningClue.push_back({std::move(word), 1, {}});
  FMeaningHits = ScoreMeanings(index, *FDictionary, FMeaningClue, &FMeaningScratch);
  OrderMeanings(*FDictionary, FCommonness != nullptr ? *FCommonness : TWordCommonness::Bundled(),
                &FMeaningHits);
  std::vector<std::uint32_t> ranks(FFlags.size(), kNoMeaning);
  for (std::size_t k = 0; k < FMeaningHits.size(); ++k)
    if (static_cast<std::size_t>(FMeaningHits[k].Entry) < ranks.size())
      ranks[FMeaningHits[k].Entry] = static_cast<std::uint32_t>(k);
  const TEntryPointers& items = FDictionary->Items();
  for (std::size_t i = 0; i < FFlags.size(); ++i) {
    std::uint8_t& flags = FFlags[i];
    if (flags & kHidden) continue;
    const bool found = ranks[i] != kNoMeaning && (any_word || searcher->Match(items[i]->Word));
    flags = found ? flags | kInResult : flags & ~kInResult;
  }
  FSearchTime = TStopwatch::Stop("Meaning");
  FResultKind = TResultKind::kMeaning;
  FRanks = std::move(ranks);
}

std::uint32_t TResultSource::Rank(std::int32_t index) const {
  return index >= 0 && static_cast<std::size_t>(index) < FRanks.size() ? FRanks[index] : kNoMeaning;
}

std::string TResultSource::MeaningEvidence(std::int32_t index) const {
  const std::uint32_t rank = FResultKind == TResultKind::kMeaning ? Rank(index) : kNoMeaning;
  if (rank >= FMeaningHits.size()) return {};
  return DescribeEvidence(*FDictionary, FMeaningClue, FMeaningHits[rank]);
}

bool TResultSource::Ranked() const {
  return FResultKind == TResultKind::kMeaning && !ByLength() && FRanks.size() == FFlags.size();
}

template <typename List, typename RankOf>
void TResultSource::OrderByRank(List& list, RankOf rank_of) const {
  std::stable_sort(list.begin(), list.end(),
                   [&](const auto& a, const auto& b) { return rank_of(a) < rank_of(b); });
}

void TResultSource::SetFilterActive(bool on) {
  FFilterActive = on;
  if (FDictionary == nullptr) return;
  (on ? OnBeforeFilterActivated : OnBeforeFilterDeactivated)(*this);
  RebuildView();
  FCount = static_cast<std::int32_t>(FView.size());
  // Announced once: the viewers lay out before the after-event puts back their place.
  for (auto viewer = FViewers.rbegin(); viewer != FViewers.rend(); ++viewer)
    (*viewer)->DataChanged();
  (on ? OnAfterFilterActivated : OnAfterFilterDeactivated)(*this);
  if (FUpdateCount == 0) OnChange(*this);
}

void TResultSource::SetFilterSettings(const TFilterSettings& settings) {
  if (settings == FFilterSettings) return;
  FFilterSettings = settings;
  Recompute();
}

bool TResultSource::Visible(std::uint8_t flags) const {
  return !(flags & kHidden) && (!FFilterActive || (flags & kInResult));
}

void TResultSource::RebuildView() {
  if (!FReady || FUpdateCount > 0) return;
  // Visible: (flags & mask) == want, tested without a branch so the walks stay as fast as a
  // copy.
  const std::uint8_t mask = kHidden | (FFilterActive ? kInResult : 0);
  const std::uint8_t want = FFilterActive ? kInResult : 0;
  const auto n = static_cast<std::int32_t>(FFlags.size());
  const bool descending = (FSortFlags & kSortDescending) != 0;
  FView.resize(FFlags.size());
  if (!FFilterActive && FHiddenCount == 0) {
    // Everything is shown: the view is the order itself.
    if (ByLength())
      FView = LengthOrder();
    else
      std::iota(FView.begin(), FView.end(), 0);
    if (descending) std::reverse(FView.begin(), FView.end());
    return;
  }
  const std::int32_t* order = ByLength() ? LengthOrder().data() : nullptr;
  std::size_t k = 0;
  for (std::int32_t j = 0; j < n; ++j) {
    const std::int32_t at = descending ? n - 1 - j : j;
    const std::int32_t i = order != nullptr ? order[at] : at;
    FView[k] = i;
    k += (FFlags[i] & mask) == want;
  }
  FView.resize(k);
  if (FFilterActive && Ranked()) OrderByRank(FView, [this](std::int32_t i) { return FRanks[i]; });
}

const std::vector<std::int32_t>& TResultSource::LengthOrder() {
  if (FLengthOrder.size() == FFlags.size()) return FLengthOrder;
  FLengthOrder.resize(FFlags.size());
  for (std::size_t i = 0; i < FLengthOrder.size(); ++i)
    FLengthOrder[i] = static_cast<std::int32_t>(i);
  const TEntryPointers& items = FDictionary->Items();
  SortByWordLength(
      FLengthOrder,
      [&](std::int32_t i) {
        return FLengths[i] < kLongLength ? std::size_t{FLengths[i]} : items[i]->Word.size();
      },
      true);
  return FLengthOrder;
}

void TResultSource::SetDirectionBits() {
  FSortFlags = static_cast<std::uint8_t>((FSortFlags & (kSortAlphabetical | kSortByLength)) |
                                         (FIncrementSort ? kSortAscending : kSortDescending));
}

void TResultSource::SetIncrementSort(bool ascending) {
  if (ascending == FIncrementSort) return;
  FIncrementSort = ascending;
  SetDirectionBits();
  if (!FReady) return;
  RebuildView();
  FCount = static_cast<std::int32_t>(FView.size());
  Changed();
}

void TResultSource::SortAlphabetically() {
  SelectOrder(kSortAlphabetical);
}

void TResultSource::SortByLength() {
  SelectOrder(kSortByLength);
}

void TResultSource::SelectOrder(std::uint8_t order) {
  if (FSortFlags & order) return;
  FSortFlags = static_cast<std::uint8_t>((FSortFlags & (kSortAscending | kSortDescending)) | order);
  RebuildView();
  FCount = static_cast<std::int32_t>(FView.size());
  Changed();
}

void TResultSource::Locate(std::string_view word) {
  if (FView.empty() || FDictionary == nullptr) return;
  std::size_t index = static_cast<std::size_t>(FDictionary->FindPosition(word));
  // A hidden entry is not in the view: the nearest one that is.
  while (index < FFlags.size() && !Visible(FFlags[index])) ++index;
  std::int32_t target = FView.back();
  auto position = static_cast<std::int32_t>(FView.size()) - 1;
  if (index < FFlags.size()) {
    target = static_cast<std::int32_t>(index);
    const auto at = std::find(FView.begin(), FView.end(), target);
    position = at == FView.end() ? 0 : static_cast<std::int32_t>(at - FView.begin());
  }
  for (auto viewer = FViewers.rbegin(); viewer != FViewers.rend(); ++viewer)
    (*viewer)->LocateItem(target, position);
}

void TResultSource::EndUpdate() {
  if (FUpdateCount <= 0) {
    FUpdateCount = 0;
    return;
  }
  if (--FUpdateCount > 0) return;
  Refresh();
  Changed();
}

void TResultSource::Clear() {
  DropEntries();
  if (FDictionary != nullptr) FDictionary->ClearAll();
  Changed();
}

void TResultSource::SetDescription(std::int32_t index, std::string_view text) {
  if (FDictionary == nullptr) return;
  FDictionary->SetEntryDescription(index, text);
  if (FMeaningBuild != nullptr)
    FEditedDuringBuild.push_back(index);  // the build may have read the old text
  else if (FMeaningIndex != nullptr)
    UpdateMeaning(index);
  FCount = static_cast<std::int32_t>(FView.size());
  NotifyItemChanged(index);
}

template <typename Test>
void TResultSource::MatchesToList(TEntryList& list, Test test) {
  const TEntryPointers& items = FDictionary->Items();
  list.resize(items.size());
  std::size_t found = 0;
  for (std::size_t i = 0; i < items.size(); ++i)
    if (!(Flags(static_cast<std::int32_t>(i)) & kHidden) && test(items[i]->Word))
      list[found++] = items[i];
  list.resize(found);
}

void TResultSource::PatternMatchesToList(TEntryList& list, std::string_view pattern) {
  TStringSearcher* searcher = FDictionary != nullptr ? FDictionary->StringSearcher() : nullptr;
  if (searcher == nullptr) return;
  searcher->SetPattern(pattern);
  MatchesToList(list, [searcher](std::string_view word) { return searcher->Match(word); });
}

void TResultSource::AnagramsToList(TEntryList& list, std::string_view letters) {
  TStringSearcher* searcher = FDictionary != nullptr ? FDictionary->StringSearcher() : nullptr;
  if (searcher == nullptr) return;
  searcher->SetAnagramString(letters);
  MatchesToList(list, [searcher](std::string_view word) { return searcher->IsAnagram(word); });
}

void TResultSource::ResultsToList(TEntryList& list) const {
  list.clear();
  if (FDictionary == nullptr) return;
  const TEntryPointers& items = FDictionary->Items();
  const std::size_t n = std::min(FFlags.size(), items.size());
  std::vector<std::int32_t> found;
  for (std::size_t i = 0; i < n; ++i)
    if (FFlags[i] & kInResult) found.push_back(static_cast<std::int32_t>(i));
  if (Ranked()) OrderByRank(found, [this](std::int32_t i) { return FRanks[i]; });
  for (const std::int32_t i : found) list.push_back(items[i]);
  if (ByLength()) SortListByLength(list);
}

void TResultSource::SortListByLength(TEntryList& list) const {
  SortByWordLength(
      list, [](const TArticleItem* item) { return item->Word.size(); }, FIncrementSort);
}

void TResultSource::Changed() {
  if (FUpdateCount > 0) return;
  for (auto viewer = FViewers.rbegin(); viewer != FViewers.rend(); ++viewer)
    (*viewer)->DataChanged();
  OnChange(*this);
}

void TResultSource::NotifyItemChanged(std::int32_t index) {
  for (auto viewer = FViewers.rbegin(); viewer != FViewers.rend(); ++viewer)
    (*viewer)->ItemChanged(index);
  OnChange(*this);
}

}  // namespace gryvel
