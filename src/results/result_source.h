#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/event.h"
#include "dictionary/article_list.h"
#include "results/meaning_build.h"
#include "results/meaning_index.h"
#include "results/meaning_score.h"
#include "results/word_commonness.h"

// Between one dictionary collection and the word lists that show it: a few flags per entry of
// the collection's merged list (shown at all, in the current search result, hidden by the
// result filter) and, from them and the chosen order, the view: the entry indices a word list
// displays, in display order. It runs the searches over the whole collection, applies the
// result filter and switches between the whole dictionary and the current result.

namespace gryvel {

class TDictionaryCollection;

// The result filter: words stay visible when they have a length within the range and/or
// match a crossword pattern.
struct TFilterSettings {
  bool Enable = false;
  bool PatternEnable = false;
  std::string Pattern;  // code page 1251
  bool LengthEnable = false;
  std::int32_t MinLength = 0;  // both limits inclusive, in characters
  std::int32_t MaxLength = 0;

  bool operator==(const TFilterSettings&) const = default;
};

// The kind of the last search.
enum class TResultKind : std::uint8_t {
  kNone = 0,
  kPattern = 1,
  kAnagrams = 2,
  kPalindromes = 3,
  kMeaning = 4,
};

// A word list showing a result source. Calls come on the UI thread.
class TResultViewer {
 public:
  virtual ~TResultViewer() = default;
  // The view was rebuilt: lay out and repaint.
  virtual void DataChanged() = 0;
  // Entry `index` changed (its description): repaint it.
  virtual void ItemChanged(std::int32_t index) = 0;
  // Select entry `index`, at view position `position`, and scroll it towards the middle
  // (see CenteredTop).
  virtual void LocateItem(std::int32_t index, std::int32_t position) = 0;
  // The source is being destroyed: forget it, without calling it back.
  virtual void SourceDestroyed() = 0;
};

// The top position that puts view position `position` in the middle of `visible` rows.
inline std::int32_t CenteredTop(std::int32_t position, std::int32_t visible) {
  return position - visible / 2 + (visible % 2 == 0 ? 1 : 0);
}

// Thread safety: UI thread only; the collection's loaders reach it through the collection's
// change handler, which runs there.
class TResultSource {
 public:
  using TNotify = TEvent<TResultSource&>;
  using TEntryList = std::vector<TArticleItem*>;

  // Bits of the per-entry flags.
  static constexpr std::uint8_t kExcluded = 0x01;     // the collection does not show it
  static constexpr std::uint8_t kInResult = 0x02;     // in the current search result
  static constexpr std::uint8_t kFilteredOut = 0x04;  // fails the result filter

  TResultSource() = default;
  // Lets go of the collection and tells each viewer (SourceDestroyed).
  ~TResultSource();
  TResultSource(const TResultSource&) = delete;
  TResultSource& operator=(const TResultSource&) = delete;

  // Any number of listeners each (see TEvent). OnChange follows every rebuilt view and changed
  // entry; the Before/After pairs bracket a switch between the result and the whole list.
  TNotify OnChange;
  TNotify OnBeforeFilterActivated;
  TNotify OnAfterFilterActivated;
  TNotify OnBeforeFilterDeactivated;
  TNotify OnAfterFilterDeactivated;

  // The collection whose merged list is viewed (borrowed). Setting another one subscribes
  // this source to its list changes (OnListChange runs Refresh) and runs Refresh; the source
  // lets go of it when the collection is destroyed (OnDestroy).
  TDictionaryCollection* Dictionary() const { return FDictionary; }
  void SetDictionary(TDictionaryCollection* collection);

  // Viewers are borrowed; a viewer removes itself before it is destroyed.
  void AddViewer(TResultViewer* viewer);
  void RemoveViewer(TResultViewer* viewer);

  // The entry indices shown, in display order.
  const std::vector<std::int32_t>& View() const { return FView; }
  std::int32_t Count() const { return FCount; }
  // Flags of entry `index` (0 beyond the flags held).
  std::uint8_t Flags(std::int32_t index) const;
  bool FilterActive() const { return FFilterActive; }
  const TFilterSettings& FilterSettings() const { return FFilterSettings; }
  TResultKind ResultKind() const { return FResultKind; }
  // Seconds the last search took.
  double SearchTime() const { return FSearchTime; }
  bool IncrementSort() const { return FIncrementSort; }
  bool ByLength() const { return (FSortFlags & kSortByLength) != 0; }

  // Recomputes every flag (which empties the current result) and rebuilds the view.
  void Refresh();

  // Mark the result of a search over every visible entry of the collection; nothing without
  // a string searcher. They rebuild nothing and fire nothing: SetFilterActive(true) shows it.
  void SearchPattern(std::string_view pattern);
  void SearchAnagrams(std::string_view letters);
  void SearchPalindromes();
  // The search by meaning (see meaning_search.h): the entries that fit `pattern` as typed (any
  // word when empty; plain text as "*text*", see SearchedPattern) and that the words of `clue`
  // find. Each found entry gets a rank (Rank), its place by evidence and commonness (see
  // meaning_score.h); while the result is shown in the alphabetical order, the ranks give the
  // order instead. The order by length ignores ranks. Builds the meaning index first when
  // needed.
  void SearchMeaning(std::string_view pattern, std::string_view clue);
  // The rank of entry `index` in the last search by meaning, 0 for the best (kNoMeaning when
  // not found or after another search).
  std::uint32_t Rank(std::int32_t index) const;
  // The table by which the search by meaning puts common words first among equally found
  // ones (borrowed; TWordCommonness::Bundled() unless set).
  void SetCommonness(const TWordCommonness& table) { FCommonness = &table; }
  // Why the last search by meaning found entry `index`, as a UTF-8 line ("reduce ← decrease
  // (hypernym)"); empty when it did not.
  std::string MeaningEvidence(std::int32_t index) const;

  // The index of the search by meaning, built from the collection's descriptions under the
  // current MatchMap when it is missing or compares otherwise; a background build of the same
  // map is waited for and taken instead. Kept up to date by SetDescription; dropped when the
  // merged list changes (Refresh). Null without a collection.
  TMeaningIndex* MeaningIndex();
  // Builds the meaning index on another thread: now (the descriptions are read here, the
  // words indexed there) and again after every Refresh while no dictionary is loading.
  // A build left behind by a change is cancelled. REQUIRES: the UI thread.
  void BuildMeaningIndexInBackground();
  // True while a background build has not been taken by MeaningIndex.
  bool MeaningIndexPending() const { return FMeaningBuild != nullptr; }
  // Where built meaning indexes are kept and looked for first (see meaning_cache.h); none
  // when empty, as at first.
  void SetMeaningCacheDirectory(std::string directory) {
    FMeaningCacheDirectory = std::move(directory);
  }

  // Shows only the result (true) or the whole dictionary (false); always rebuilds.
  void SetFilterActive(bool on);
  // Stores a record that differs and runs Refresh.
  void SetFilterSettings(const TFilterSettings& settings);

  void SetIncrementSort(bool ascending);
  void SortAlphabetically();
  void SortByLength();

  // Has every viewer select the visible entry nearest to `word` (the first not less than it,
  // else the last of the view) and scroll it towards the middle.
  void Locate(std::string_view word);

  // Bracket changes: nothing is rebuilt or announced inside; the last EndUpdate runs one
  // Refresh and announces it.
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();

  // Empties the flags and the view and every dictionary of the collection.
  void Clear();
  // Sets the description of entry `index` in the collection's active dictionary.
  void SetDescription(std::int32_t index, std::string_view text);

  // Every visible-by-flags entry (neither excluded nor filtered out) that matches, in merged
  // order; flags are left alone and the pattern or letters stay set on the searcher. Nothing,
  // and `list` untouched, without a string searcher.
  void PatternMatchesToList(TEntryList& list, std::string_view pattern);
  void AnagramsToList(TEntryList& list, std::string_view letters);
  // Every entry in the result, in merged order, then by length when that order is chosen.
  void ResultsToList(TEntryList& list) const;
  // Orders `list` by word length, stable, in the IncrementSort direction.
  void SortListByLength(TEntryList& list) const;

 private:
  static constexpr std::uint8_t kSortAscending = 0x01;
  static constexpr std::uint8_t kSortDescending = 0x02;
  static constexpr std::uint8_t kSortAlphabetical = 0x04;
  static constexpr std::uint8_t kSortByLength = 0x08;

  // The result filter's marks.
  void ApplyFilter();
  // Marks kInResult by `test` over the entries neither excluded nor filtered out.
  template <typename Test>
  void MarkResult(TResultKind kind, const char* timer, Test test);
  template <typename Test>
  void MatchesToList(TEntryList& list, Test test);
  bool Visible(std::uint8_t flags) const;
  void RebuildView();
  // Puts the ranked entries of a shown search by meaning in rank order, stable.
  template <typename List, typename RankOf>
  void OrderByRank(List& list, RankOf rank_of) const;
  bool Ranked() const;
  // Every entry index ordered by word length, stable; made when first needed after a Refresh.
  const std::vector<std::int32_t>& LengthOrder();
  void SelectOrder(std::uint8_t order);
  void SetDirectionBits();
  void Changed();
  void NotifyItemChanged(std::int32_t index);
  void Unhook();
  // Forgets the merged list and everything built from it.
  void DropEntries();
  // Refresh without dropping the meaning index: the merged list is the same.
  void Recompute();
  // Drops the meaning index and any build of it; starts a new build in the background mode.
  void ResetMeaningIndex();
  void StartMeaningBuild();
  // Takes the background build's index, bringing the entries edited meanwhile up to date.
  void TakeMeaningBuild();
  // Gives the meaning index the current descriptions of entry `index`.
  void UpdateMeaning(std::int32_t index);

  TDictionaryCollection* FDictionary = nullptr;
  TSubscriptions FDictionaryHooks;
  TFilterSettings FFilterSettings;
  std::vector<std::uint8_t> FFlags;
  std::vector<std::uint8_t> FLengths;  // word lengths, 255 for 255 and more
  std::vector<std::int32_t> FLengthOrder;
  std::size_t FHiddenCount = 0;  // entries excluded or filtered out
  std::vector<std::int32_t> FView;
  std::int32_t FUpdateCount = 0;
  std::vector<TResultViewer*> FViewers;
  std::int32_t FCount = 0;
  std::uint8_t FSortFlags = kSortAscending | kSortAlphabetical;
  bool FFilterActive = false;
  bool FIncrementSort = true;
  bool FReady = false;
  TResultKind FResultKind = TResultKind::kNone;
  std::vector<std::uint32_t> FRanks;  // per entry, for a result of kind kMeaning
  std::vector<TWeightedClueWord> FMeaningClue;  // of the last search by meaning
  std::vector<TMeaningHit> FMeaningHits;        // its hits, best first: FRanks index them
  TMeaningScratch FMeaningScratch;
  const TWordCommonness* FCommonness = nullptr;  // null: the bundled table, read when needed
  std::unique_ptr<TMeaningIndex> FMeaningIndex;
  std::unique_ptr<TMeaningBuild> FMeaningBuild;
  std::vector<std::int32_t> FEditedDuringBuild;  // entries to update once the build is taken
  bool FMeaningInBackground = false;
  std::string FMeaningCacheDirectory;
  double FSearchTime = 0;
};

}  // namespace gryvel
