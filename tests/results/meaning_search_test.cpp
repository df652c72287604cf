#include "results/meaning_search.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "described_words.h"
#include "dictionary/dictionary_collection.h"
#include "results/meaning_build.h"
#include "results/meaning_index.h"
#include "results/result_source.h"
#include "search/character_manager.h"
#include "search/letter_maps.h"
#include "search/string_searcher.h"
#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A small dictionary whose descriptions point at each other the way a thesaurus and a
// glossary do.
class MeaningSearchTest : public ::testing::Test {
 protected:
  MeaningSearchTest() {
    FillCollationMap();
    searcher_.SetCharacterManager(&manager_);
    collection_.SetStringSearcher(&searcher_);
    dictionary_ = collection_.Dictionary(collection_.NewDictionary());
    const std::pair<const char*, const char*> entries[] = {
        {"bleak", "unpleasantly cold and damp"},
        {"cold", "having a low temperature; syn.: chilly, frigid"},
        {"chilly", ""},
        {"frigid", "extremely cold"},
        {"warm", "having a comfortable temperature"},
        {"ёлка", "хвойное дерево"},
        {"ель", "дерево, похожее на ёлку"},
        {"дуб", "лиственное дерево"},
        {"перевес", ""},
        {"победа", "перевес, успех, торжество\nантонимы: поражение"},
        {"поражение", "неудача, провал\nантонимы: победа"},
        {"провал", "полная неудача"},
        {"счастье", "радость"},
        {"триумф", "торжество победы, полный успех"},
        {"удача", "везение"},
        {"успех", "удача, счастье"},
    };
    testing::FillDescribed(*dictionary_, entries);
    collection_.Connect(*dictionary_);
    collection_.SetActive(dictionary_);
    source_.SetDictionary(&collection_);
    source_.SetCommonness(no_commonness_);  // equally found words stay in entry order
  }
  ~MeaningSearchTest() override { ResetLetterMaps(); }

  // The words shown after a search by meaning, in view order, as UTF-8.
  std::vector<std::string> Search(const char* pattern, const char* clue) {
    source_.SearchMeaning(Cp(pattern), Cp(clue));
    source_.SetFilterActive(true);
    std::vector<std::string> words;
    for (const std::int32_t i : source_.View())
      words.push_back(testing::Utf(collection_.Item(i)->Word));
    return words;
  }

  std::int32_t IndexOf(const char* word) { return collection_.Find(Cp(word)); }

  TCharacterManager manager_;
  TStringSearcher searcher_;
  TDictionaryCollection collection_;
  TKivDictionary* dictionary_ = nullptr;
  TWordCommonness no_commonness_;
  TResultSource source_;
};

TEST_F(MeaningSearchTest, TheClueEntrysOwnListComesFirstThenTheDescriptionsThatHoldTheClue) {
  // «успех» lists «удача» and «счастье»; «победа» lists «успех» among others, «триумф»
  // only holds it in a longer phrase.
  EXPECT_THAT(Search("", "успех"), ElementsAre("счастье", "удача", "победа", "триумф"));
  // The best come first in either direction; the order by length ignores the ranks.
  source_.SetIncrementSort(false);
  EXPECT_THAT(Search("", "успех"), ElementsAre("счастье", "удача", "победа", "триумф"));
  source_.SetIncrementSort(true);
  source_.SortByLength();
  EXPECT_THAT(Search("", "успех"), ElementsAre("удача", "победа", "триумф", "счастье"));
  EXPECT_EQ(TResultKind::kMeaning, source_.ResultKind());
  EXPECT_EQ(1u, source_.Rank(IndexOf("удача")));
  EXPECT_EQ(3u, source_.Rank(IndexOf("триумф")));
  EXPECT_EQ(kNoMeaning, source_.Rank(IndexOf("провал")));
}

TEST_F(MeaningSearchTest, SavedResultsFollowTheRankOrder) {
  Search("", "успех");
  TResultSource::TEntryList list;
  source_.ResultsToList(list);
  std::vector<std::string> words;
  for (const TArticleItem* item : list) words.push_back(testing::Utf(item->Word));
  EXPECT_THAT(words, ElementsAre("счастье", "удача", "победа", "триумф"));
}

TEST_F(MeaningSearchTest, ThePatternFiltersAndAnEmptyPatternTakesAnyWord) {
  EXPECT_THAT(Search("п????а", "успех"), ElementsAre("победа"));
  EXPECT_THAT(Search("b????", "cold"), ElementsAre("bleak"));
  EXPECT_THAT(Search("", "cold"), ElementsAre("chilly", "frigid", "bleak"));
}

TEST_F(MeaningSearchTest, APlainWordPatternHoldsTheWordAsInACrosswordSearch) {
  EXPECT_THAT(Search("побед", "успех"), ElementsAre("победа"));
  EXPECT_THAT(Search("ig", "cold"), ElementsAre("frigid"));
  EXPECT_THAT(Search("победа", "успех"), ElementsAre("победа"));
}

TEST_F(MeaningSearchTest, WordsCompareByTheirStems) {
  const struct {
    const char* clue;
    std::vector<std::string> found;
  } cases[] = {
      {"успеха", {"счастье", "удача", "победа", "триумф"}},
      {"успехом", {"счастье", "удача", "победа", "триумф"}},
      {"неудачи", {"поражение", "провал"}},
      {"colds", {"chilly", "frigid", "bleak"}},
      // The stemmer keeps comparatives whole: the base is looked up too.
      {"colder", {"chilly", "frigid", "bleak"}},
      {"temperatures", {"cold", "warm"}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.found, Search("", c.clue)) << c.clue;
}

TEST_F(MeaningSearchTest, AHyphenatedWordDoesNotHideTheClueWordsOwnEntry) {
  // "co-lab" sorts as "colab", between "col" (where the own entries of "cold" are looked
  // for) and "cold".
  ASSERT_GE(collection_.AddWord("co-lab"), 0);
  EXPECT_THAT(Search("", "cold"), ElementsAre("chilly", "frigid", "bleak"));
  EXPECT_THAT(Search("", "col*"), ElementsAre("chilly", "frigid", "bleak"));
}

TEST_F(MeaningSearchTest, AStarStandsForAnyEnding) {
  // «побед*»: «триумф» holds «победы»; «победа» is the clue word's own entry and lists
  // «перевес» and «успех».
  EXPECT_THAT(Search("", "побед*"), ElementsAre("перевес", "успех", "триумф"));
  EXPECT_THAT(Search("", "неуда*"), ElementsAre("поражение", "провал"));
  EXPECT_THAT(Search("", "colde*"), IsEmpty());
}

TEST_F(MeaningSearchTest, AntonymLinesAreNotMeanings) {
  // «поражение» names «победа» only among its antonyms.
  EXPECT_THAT(Search("", "победа"), ElementsAre("перевес", "успех", "триумф"));
}

TEST_F(MeaningSearchTest, EqualLettersFollowTheCharacterManager) {
  EXPECT_THAT(Search("", "елка"), IsEmpty());
  manager_.AddEqualLetters({Cp("ёЁ"), Cp("е")[0], true});
  EXPECT_THAT(Search("", "елка"), ElementsAre("ель"));
  EXPECT_THAT(Search("", "ёлки"), ElementsAre("ель"));
}

TEST_F(MeaningSearchTest, TheCaseOptionFollowsTheCharacterManager) {
  EXPECT_THAT(Search("", "COLD"), ElementsAre("chilly", "frigid", "bleak"));
  manager_.SetCaseSensitive(true);
  EXPECT_THAT(Search("", "COLD"), IsEmpty());
  EXPECT_THAT(Search("", "cold"), ElementsAre("chilly", "frigid", "bleak"));
}

TEST_F(MeaningSearchTest, AnAbsentClueFindsNothing) {
  EXPECT_THAT(Search("", "абракадабра"), IsEmpty());
  EXPECT_THAT(Search("", "..."), IsEmpty());
}

TEST_F(MeaningSearchTest, SeveralClueWordsAddUp) {
  // «в» is a function word and is dropped. Each other word is in two descriptions (the same
  // rarity); «победа» lists two of them (0.9 each), «триумф» holds all three in phrases (0.5
  // each), «счастье» and «удача» are listed by «успех» (0.95), «провал» holds «полная» (0.5).
  EXPECT_THAT(Search("", "полный успех в торжестве"),
              ElementsAre("победа", "триумф", "счастье", "удача", "провал"));
}

TEST_F(MeaningSearchTest, AnEntryEditedAfterTheIndexWasBuiltIsFoundByItsNewText) {
  EXPECT_THAT(Search("", "везение"), ElementsAre("удача"));
  source_.SetDescription(IndexOf("триумф"), Cp("большое везение"));
  EXPECT_THAT(Search("", "везение"), ElementsAre("удача", "триумф"));
  EXPECT_THAT(Search("", "торжество"), ElementsAre("победа"));
  // A new word changes the list: the index is built again.
  ASSERT_GE(collection_.AddWord(Cp("фортуна")), 0);
  source_.SetDescription(IndexOf("фортуна"), Cp("везение"));
  EXPECT_THAT(Search("", "везение"), ElementsAre("удача", "фортуна", "триумф"));
  EXPECT_THAT(Search("", "фортуна"), IsEmpty());
}

TEST_F(MeaningSearchTest, ASearchTakesTheBackgroundBuildInsteadOfBuildingAgain) {
  source_.BuildMeaningIndexInBackground();
  ASSERT_TRUE(source_.MeaningIndexPending());
  // The search waits for the build if it still runs; either way it finds what a build on the
  // spot finds, and no build is left behind.
  EXPECT_THAT(Search("", "успех"), ElementsAre("счастье", "удача", "победа", "триумф"));
  EXPECT_FALSE(source_.MeaningIndexPending());
  const TMeaningIndex* index = source_.MeaningIndex();
  EXPECT_THAT(Search("b????", "cold"), ElementsAre("bleak"));
  EXPECT_EQ(index, source_.MeaningIndex());
}

TEST_F(MeaningSearchTest, EditsAndListChangesDuringABackgroundBuildReachItsIndex) {
  source_.BuildMeaningIndexInBackground();
  // The build may have read the old text: the edit is applied when the index is taken.
  source_.SetDescription(IndexOf("триумф"), Cp("большое везение"));
  EXPECT_THAT(Search("", "везение"), ElementsAre("удача", "триумф"));
  // A new word changes the list: a new build starts, the old one is dropped.
  ASSERT_GE(collection_.AddWord(Cp("фортуна")), 0);
  EXPECT_TRUE(source_.MeaningIndexPending());
  source_.SetDescription(IndexOf("фортуна"), Cp("везение"));
  EXPECT_THAT(Search("", "везение"), ElementsAre("удача", "фортуна", "триумф"));
}

TEST_F(MeaningSearchTest, TheFilterHidesFoundEntriesButKeepsTheIndex) {
  source_.BuildMeaningIndexInBackground();
  ASSERT_NE(nullptr, source_.MeaningIndex());  // takes the build
  TFilterSettings filter;
  filter.Enable = filter.LengthEnable = true;
  filter.MinLength = 6;
  filter.MaxLength = 6;
  source_.SetFilterSettings(filter);
  EXPECT_FALSE(source_.MeaningIndexPending());  // no build again
  EXPECT_THAT(Search("", "успех"), ElementsAre("победа", "триумф"));
}

TEST_F(MeaningSearchTest, ABackgroundBuildUnderAnotherLetterMapIsNotUsed) {
  source_.BuildMeaningIndexInBackground();
  manager_.SetCaseSensitive(true);
  EXPECT_THAT(Search("", "COLD"), IsEmpty());
  EXPECT_THAT(Search("", "cold"), ElementsAre("chilly", "frigid", "bleak"));
}

TEST_F(MeaningSearchTest, ASourceGoesWhileItsIndexBuilds) {
  // Its destruction cancels the build and waits for the thread: the sanitizers see the rest.
  for (int i = 0; i < 8; ++i) {
    auto source = std::make_unique<TResultSource>();
    source->SetDictionary(&collection_);
    source->BuildMeaningIndexInBackground();
    if (i % 2 == 1) collection_.AddWord(Cp("слово") + std::string(1, static_cast<char>('a' + i)));
  }
  EXPECT_THAT(Search("", "успех"), ElementsAre("счастье", "удача", "победа", "триумф"));
}

// Over a megabyte of text, so that the build reads it in two runs on two threads.
TEST(MeaningBuildTest, ABuildOnAnotherThreadFindsEveryDocumentAndACancelledOneEndsEmpty) {
  TMeaningDocuments documents;
  std::string filler;
  for (int i = 0; i < 20; ++i) filler += " lorem ipsum dolor";
  constexpr std::int32_t kCount = 3000;
  for (std::int32_t entry = 0; entry < kCount; ++entry)
    documents.Add(entry,
                  (entry % 3 == 0 ? "cold wind, chilly" : "warm days\r\nantonyms: cold") + filler);
  ASSERT_GE(documents.Bytes(), std::size_t{1} << 20);
  TMeaningBuild build(kLowerCase, documents);
  const std::unique_ptr<TMeaningIndex> index = build.Take();
  ASSERT_NE(nullptr, index);
  EXPECT_TRUE(build.Done());
  EXPECT_EQ(nullptr, build.Take());
  const auto entries = [&](const char* word) {
    std::string key;
    index->Key(word, &key);
    std::vector<std::int32_t> found;
    index->EntriesWithKey(key, &found);
    std::sort(found.begin(), found.end());
    return found;
  };
  std::vector<std::int32_t> every, thirds, others;
  for (std::int32_t entry = 0; entry < kCount; ++entry) {
    every.push_back(entry);
    (entry % 3 == 0 ? thirds : others).push_back(entry);
  }
  EXPECT_EQ(every, entries("cold"));
  EXPECT_EQ(every, entries("LOREM"));
  EXPECT_EQ(thirds, entries("chilly"));
  EXPECT_EQ(others, entries("warm"));
  EXPECT_THAT(entries("absent"), IsEmpty());
  EXPECT_EQ(9u, index->WordCount());  // cold wind chilly warm days antonyms lorem ipsum dolor

  const std::atomic<bool> cancel{true};
  TMeaningIndex cancelled(kLowerCase);
  EXPECT_FALSE(cancelled.Build(documents, &cancel));
  EXPECT_EQ(0u, cancelled.PairCount());
}

TEST(ParseClueTest, SplitsLettersDropsFunctionWordsAndMarksPrefixes) {
  const struct {
    const char* clue;
    std::vector<TClueWord> words;
  } cases[] = {
      {"Успех в борьбе", {{Cp("Успех")}, {Cp("борьбе")}}},
      {"побед*", {{Cp("побед"), true}}},
      {"в", {{Cp("в")}}},  // nothing else: the function word stays
      {"cold, colder; cold", {{"cold"}, {"colder"}}},
      {"the end of a day", {{"end"}, {"day"}}},
      {"*", {}},
      {" 12 - ", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.words, ParseClue(Cp(c.clue))) << c.clue;
}

}  // namespace
}  // namespace gryvel
