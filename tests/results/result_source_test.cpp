#include "results/result_source.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "dictionary/collection_checks.h"
#include "dictionary/dictionary_collection.h"
#include "search/character_manager.h"
#include "search/letter_maps.h"
#include "search/string_searcher.h"
#include "support/fake_clock.h"

namespace gryvel {
namespace {

using ::testing::ElementsAre;
using ::testing::Each;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::StartsWith;

// Records what a word list hears, and the source's own events, in order.
struct RecordingViewer : TResultViewer {
  void DataChanged() override { events->push_back("data"); }
  void ItemChanged(std::int32_t index) override {
    events->push_back("item " + std::to_string(index));
  }
  void LocateItem(std::int32_t index, std::int32_t position) override {
    events->push_back("locate " + std::to_string(index) + "@" + std::to_string(position));
  }
  void SourceDestroyed() override { events->push_back("source gone"); }
  std::vector<std::string>* events;
};

const std::string kLong40(40, 'q');
const std::string kLong300(300, 'r');

class ResultSourceTest : public ::testing::Test {
 protected:
  ResultSourceTest() {
    FillCollationMap();
    searcher_.SetCharacterManager(&manager_);
    collection_.SetStringSearcher(&searcher_);
    dictionary_ = collection_.Dictionary(collection_.NewDictionary());
    // In word order: 0 ab, 1 abc, 2 abcd, 3 b, 4 ba, 5 cab, 6 dd, 7 q×40, 8 r×300, 9 xyzzy
    testing::Fill(*dictionary_,
                  {"ab", "abc", "abcd", "b", "ba", "cab", "dd", kLong40, kLong300, "xyzzy"});
    collection_.Connect(*dictionary_);
    viewer_.events = &events_;
    source_.AddViewer(&viewer_);
    hooks_ += source_.OnChange.Subscribe([this](TResultSource&) { events_.push_back("change"); });
    source_.SetDictionary(&collection_);
    events_.clear();
  }
  ~ResultSourceTest() override {
    source_.RemoveViewer(&viewer_);  // the viewer goes first
    ResetLetterMaps();
  }

  std::vector<std::string> ViewWords() const {
    std::vector<std::string> words;
    for (std::int32_t i : source_.View()) words.push_back(collection_.Item(i)->Word);
    return words;
  }

  TCharacterManager manager_;
  TStringSearcher searcher_;
  TDictionaryCollection collection_;
  TKivDictionary* dictionary_ = nullptr;
  TResultSource source_;
  TSubscriptions hooks_;
  RecordingViewer viewer_;
  std::vector<std::string> events_;
};

TEST_F(ResultSourceTest, TheWholeDictionaryIsShownInBothAlphabeticalDirections) {
  EXPECT_THAT(source_.View(), ElementsAre(0, 1, 2, 3, 4, 5, 6, 7, 8, 9));
  EXPECT_EQ(10, source_.Count());
  source_.SetIncrementSort(false);
  EXPECT_THAT(source_.View(), ElementsAre(9, 8, 7, 6, 5, 4, 3, 2, 1, 0));
  EXPECT_THAT(events_, ElementsAre("data", "change"));
}

TEST_F(ResultSourceTest, ByLengthIsStableAndDescendingIsItsExactReverse) {
  source_.SortByLength();
  EXPECT_THAT(ViewWords(),
              ElementsAre("b", "ab", "ba", "dd", "abc", "cab", "abcd", "xyzzy", kLong40, kLong300));
  const std::vector<std::int32_t> ascending = source_.View();
  source_.SetIncrementSort(false);
  EXPECT_THAT(source_.View(), ElementsAreArray(ascending.rbegin(), ascending.rend()));
  source_.SortAlphabetically();
  EXPECT_THAT(source_.View(), ElementsAre(9, 8, 7, 6, 5, 4, 3, 2, 1, 0));
}

// Two windows listen to one source (the list and the statistics, say); the first closes
// while a search is being announced.
TEST_F(ResultSourceTest, EveryListenerIsToldAndOneMayGoInTheMiddleOfANotice) {
  struct TWindow {
    TSubscription Hook;
    std::vector<std::int32_t> Counts;
  };
  auto first = std::make_unique<TWindow>();
  auto second = std::make_unique<TWindow>();
  first->Hook = source_.OnChange.Subscribe([&](TResultSource& source) {
    first->Counts.push_back(source.Count());
    if (source.FilterActive()) second.reset();
  });
  second->Hook = source_.OnChange.Subscribe([&](TResultSource& source) {
    second->Counts.push_back(source.Count());
  });
  source_.Refresh();
  EXPECT_THAT(first->Counts, ElementsAre(10));
  EXPECT_THAT(second->Counts, ElementsAre(10));
  source_.SearchPattern("?b*");
  source_.SetFilterActive(true);
  EXPECT_EQ(nullptr, second);
  source_.SetFilterActive(false);
  EXPECT_THAT(first->Counts, ElementsAre(10, 3, 10));
}

TEST_F(ResultSourceTest, ASearchIsShownInResultModeUntilTheNextRefresh) {
  int before = 0, after = 0;
  hooks_ += source_.OnBeforeFilterActivated.Subscribe([&](TResultSource&) { events_.push_back("before on"); });
  hooks_ += source_.OnAfterFilterActivated.Subscribe([&](TResultSource&) { events_.push_back("after on"); });
  hooks_ += source_.OnBeforeFilterDeactivated.Subscribe([&](TResultSource&) { ++before; });
  hooks_ += source_.OnAfterFilterDeactivated.Subscribe([&](TResultSource&) { ++after; });

  source_.SearchPattern("?b*");
  EXPECT_EQ(10, source_.Count());  // nothing shown yet
  EXPECT_THAT(events_, ElementsAre());
  EXPECT_EQ(TResultKind::kPattern, source_.ResultKind());
  source_.SetFilterActive(true);
  EXPECT_THAT(ViewWords(), ElementsAre("ab", "abc", "abcd"));
  // Announced once: the list is laid out once per switch.
  EXPECT_THAT(events_, ElementsAre("before on", "data", "after on", "change"));

  source_.SetFilterActive(false);
  EXPECT_EQ(10, source_.Count());
  EXPECT_EQ(1, before);
  EXPECT_EQ(1, after);
  source_.SetFilterActive(true);
  EXPECT_EQ(3, source_.Count());

  // A change of the list empties the result.
  collection_.SetActive(dictionary_);
  collection_.AddWord("abba");
  EXPECT_EQ(0, source_.Count());
}

TEST_F(ResultSourceTest, AnagramAndPalindromeSearchesMarkTheirWords) {
  // Every clock reading moves time on by 125 ms: a search is timed from its start to its end.
  testing::FakeClock clock(std::chrono::milliseconds(125));
  source_.SearchAnagrams("bac");
  source_.SetFilterActive(true);
  EXPECT_THAT(ViewWords(), ElementsAre("abc", "cab"));
  EXPECT_EQ(TResultKind::kAnagrams, source_.ResultKind());
  EXPECT_DOUBLE_EQ(0.125, source_.SearchTime());

  source_.SearchPalindromes();
  source_.SetFilterActive(true);
  EXPECT_THAT(ViewWords(), ElementsAre("b", "dd", kLong40, kLong300));
  EXPECT_EQ(TResultKind::kPalindromes, source_.ResultKind());
  EXPECT_DOUBLE_EQ(0.125, source_.SearchTime());
}

TEST_F(ResultSourceTest, EntriesTheCollectionDoesNotShowAreNeverSeenOrSearched) {
  collection_.Item(1)->Flags &= static_cast<std::uint16_t>(~kFlagShown);
  source_.Refresh();
  EXPECT_EQ(TResultSource::kExcluded, source_.Flags(1));
  EXPECT_EQ(9, source_.Count());
  source_.SearchPattern("ab*");
  source_.SetFilterActive(true);
  EXPECT_THAT(ViewWords(), ElementsAre("ab", "abcd"));
}

TEST_F(ResultSourceTest, TheFilterHidesWordsAndLeavesTheSearchersPatternAlone) {
  searcher_.SetPattern("b*");
  TFilterSettings filter;
  filter.Enable = true;
  filter.LengthEnable = true;
  filter.MinLength = filter.MaxLength = 2;
  source_.SetFilterSettings(filter);
  EXPECT_THAT(ViewWords(), ElementsAre("ab", "ba", "dd"));

  filter.PatternEnable = true;
  filter.Pattern = "?b";
  source_.SetFilterSettings(filter);
  EXPECT_THAT(ViewWords(), ElementsAre("ab"));
  EXPECT_TRUE(searcher_.Match("ba"));  // its own pattern is back
  EXPECT_FALSE(searcher_.Match("ab"));

  // A search skips hidden words, in result mode as well.
  source_.SearchPattern("*b*");
  source_.SetFilterActive(true);
  EXPECT_THAT(ViewWords(), ElementsAre("ab"));

  // Switched off, the other fields have no effect.
  filter.Enable = false;
  source_.SetFilterSettings(filter);
  source_.SetFilterActive(false);
  EXPECT_EQ(10, source_.Count());
}

TEST_F(ResultSourceTest, OnlyAFilterThatDiffersRefreshes) {
  TFilterSettings filter;
  filter.Enable = true;
  filter.LengthEnable = true;
  filter.MinLength = 3;
  filter.MaxLength = 4;
  source_.SetFilterSettings(filter);
  source_.SearchPattern("*");
  source_.SetFilterSettings(filter);
  source_.SetFilterActive(true);
  EXPECT_THAT(ViewWords(), ElementsAre("abc", "abcd", "cab"));  // the result survived
  EXPECT_THAT(events_, ElementsAre("data", "change", "data", "change"));
}

TEST_F(ResultSourceTest, WithoutASearcherOnlyTheLengthFilters) {
  collection_.SetStringSearcher(nullptr);
  TFilterSettings filter;
  filter.Enable = filter.PatternEnable = filter.LengthEnable = true;
  filter.Pattern = "zzz";
  filter.MinLength = 1;
  filter.MaxLength = 2;
  source_.SetFilterSettings(filter);
  EXPECT_THAT(ViewWords(), ElementsAre("ab", "b", "ba", "dd"));
  source_.SearchPattern("*");
  EXPECT_EQ(TResultKind::kNone, source_.ResultKind());
}

TEST_F(ResultSourceTest, LocateSelectsTheNearestShownEntry) {
  const struct {
    const char* word;
    const char* locate;
  } cases[] = {
      {"abc", "locate 1@1"}, {"abcc", "locate 2@2"}, {"zzz", "locate 9@9"}, {"", "locate 0@0"}};
  for (const auto& c : cases) {
    events_.clear();
    source_.Locate(c.word);
    EXPECT_THAT(events_, ElementsAre(c.locate)) << c.word;
  }

  // In result mode, and past filtered-out entries.
  source_.SearchPattern("*c*");
  source_.SetFilterActive(true);
  events_.clear();
  source_.Locate("abcde");
  EXPECT_THAT(events_, ElementsAre("locate 5@2"));
  TFilterSettings filter;
  filter.Enable = filter.LengthEnable = true;
  filter.MinLength = filter.MaxLength = 2;
  source_.SetFilterSettings(filter);
  source_.SetFilterActive(false);
  events_.clear();
  source_.Locate("abc");
  EXPECT_THAT(events_, ElementsAre("locate 4@1"));

  EXPECT_EQ(8, CenteredTop(10, 5));
  EXPECT_EQ(9, CenteredTop(10, 4));
}

TEST_F(ResultSourceTest, AnUpdateBracketHoldsBackEverythingUntilItsEnd) {
  source_.BeginUpdate();
  source_.BeginUpdate();
  collection_.SetActive(dictionary_);
  collection_.AddWord("abba");
  source_.SortByLength();
  source_.EndUpdate();
  EXPECT_THAT(events_, ElementsAre());
  EXPECT_EQ(10, source_.Count());
  source_.EndUpdate();
  EXPECT_EQ(11, source_.Count());
  EXPECT_THAT(events_, ElementsAre("data", "change", "data", "change"));

  source_.EndUpdate();  // one too many: the counter stays at 0
  events_.clear();
  source_.SetIncrementSort(false);
  EXPECT_THAT(events_, ElementsAre("data", "change"));
}

TEST_F(ResultSourceTest, ListsForTheChainAndAnalysisSearches) {
  TResultSource::TEntryList list;
  source_.PatternMatchesToList(list, "?b*");
  ASSERT_EQ(3u, list.size());
  EXPECT_EQ("abcd", list[2]->Word);
  source_.AnagramsToList(list, "ab");
  ASSERT_EQ(2u, list.size());
  EXPECT_EQ("ba", list[1]->Word);
  EXPECT_EQ("ab", searcher_.AnagramString());

  source_.SearchPattern("*b*");
  source_.SortByLength();
  source_.SetIncrementSort(false);
  source_.ResultsToList(list);
  std::vector<std::string> words;
  for (const TArticleItem* item : list) words.push_back(item->Word);
  EXPECT_THAT(words, ElementsAre("abcd", "cab", "abc", "ba", "ab", "b"));
}

TEST_F(ResultSourceTest, ADescriptionChangeRepaintsItsItem) {
  collection_.SetActive(dictionary_);
  source_.SetDescription(4, "a word");
  EXPECT_EQ("a word", collection_.Description(4));
  EXPECT_THAT(events_, ElementsAre("item 4", "change"));
}

TEST_F(ResultSourceTest, EitherSideMayBeDestroyedFirst) {
  auto collection = std::make_unique<TDictionaryCollection>();
  testing::Fill(*collection->Dictionary(collection->NewDictionary()), {"one", "two"});
  {
    std::vector<std::string> heard;
    RecordingViewer watcher;
    watcher.events = &heard;
    auto other = std::make_unique<TResultSource>();
    other->AddViewer(&watcher);
    other->SetDictionary(collection.get());
    collection->Connect(*collection->Dictionary(0));
    EXPECT_EQ(2, other->Count());
    heard.clear();
    other.reset();  // its viewer is told, so it can let go
    EXPECT_THAT(heard, ElementsAre("source gone"));
  }
  collection->Disconnect(*collection->Dictionary(0));  // no source to tell

  source_.SetDictionary(collection.get());
  collection.reset();
  EXPECT_EQ(nullptr, source_.Dictionary());
  EXPECT_EQ(0, source_.Count());
  // The list shows nothing and selects nothing, whatever is asked of it.
  events_.clear();
  source_.Refresh();
  source_.Locate("one");
  source_.SearchPattern("o*");
  source_.SetFilterActive(true);
  EXPECT_THAT(source_.View(), IsEmpty());
  EXPECT_EQ(0, source_.Count());
  EXPECT_THAT(events_, Each(Not(StartsWith("locate"))));
}

TEST_F(ResultSourceTest, ClearEmptiesTheCollection) {
  source_.Clear();
  EXPECT_EQ(0, collection_.Count());
  EXPECT_EQ(0, source_.Count());
  EXPECT_THAT(events_, ElementsAre("data", "change", "data", "change"));
}

}  // namespace
}  // namespace gryvel
