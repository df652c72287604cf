#include "shell/search_request.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dictionary/collection_checks.h"
#include "results/result_source.h"
#include "search/character_manager.h"
#include "search/letter_maps.h"
#include "shell/search_history.h"
#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;
using ::testing::ElementsAre;

TEST(SearchRequestTest, EnterWrapsPlainTextAndAltEnterAsksForAnagrams) {
  struct Case {
    const char* typed;  // UTF-8
    bool alt;
    TRequestKind kind;
    const char* text;
  };
  const Case cases[] = {
      {"кот", false, TRequestKind::Crossword, "*кот*"},
      {"к?т", false, TRequestKind::Crossword, "к?т"},
      {"к1т1", false, TRequestKind::Crossword, "к1т1"},
      {"[аб]от", false, TRequestKind::Crossword, "[аб]от"},
      {"$@$", false, TRequestKind::Crossword, "$@$"},
      {"от]", false, TRequestKind::Crossword, "*от]*"},  // a lone closing bracket is a letter
      {"акрт", true, TRequestKind::Anagram, "акрт"},
      {"", false, TRequestKind::None, ""},
      {"", true, TRequestKind::None, ""},
  };
  for (const Case& c : cases) {
    const TSearchRequest request = EnterRequest(Cp(c.typed), c.alt);
    EXPECT_EQ(c.kind, request.Kind) << c.typed;
    EXPECT_EQ(Cp(c.text), request.Text) << c.typed;
  }
}

TEST(SearchRequestTest, PatternColonClueIsASearchByMeaningOnlyWhenASpaceTouchesTheColon) {
  struct Case {
    const char* typed;  // UTF-8
    TRequestKind kind;
    const char* text;
    const char* clue;
  };
  const Case cases[] = {
      {"п????а : успех", TRequestKind::Meaning, "п????а", "успех"},
      {"п????а: успех", TRequestKind::Meaning, "п????а", "успех"},
      {"*ость :грусть", TRequestKind::Meaning, "*ость", "грусть"},
      {" : холод зима ", TRequestKind::Meaning, "", "холод зима"},
      {"кот : ", TRequestKind::Crossword, "*кот : *", ""},  // no clue: plain text
      {"к:т", TRequestKind::Crossword, "*к:т*", ""},        // no space: plain text
      {"к?т:т", TRequestKind::Crossword, "к?т:т", ""},
      {"к:т : зверь", TRequestKind::Meaning, "к:т", "зверь"},  // the first spaced colon splits
  };
  for (const Case& c : cases) {
    const TSearchRequest request = EnterRequest(Cp(c.typed), false);
    EXPECT_EQ(c.kind, request.Kind) << c.typed;
    EXPECT_EQ(Cp(c.text), request.Text) << c.typed;
    EXPECT_EQ(Cp(c.clue), request.Clue) << c.typed;
  }
  EXPECT_EQ(Cp("п????а : успех"),
            MeaningRequestText(EnterRequest(Cp("п????а:  успех"), false)));
  EXPECT_EQ(TRequestKind::Anagram, EnterRequest(Cp("кот : кит"), true).Kind);
}

TEST(SearchRequestTest, TheLengthPanelShowsTheRangeOfAPatternOrTheLengthOfAWord) {
  TCharacterManager manager;
  TStringSearcher searcher;
  searcher.SetCharacterManager(&manager);
  struct Case {
    const char* typed;
    bool fast;
    const char* text;
    bool locate;
  };
  const Case cases[] = {
      {"кот", true, "3", true},    {"кот", false, "3", false}, {"?????", true, "5", false},
      {"??*?", true, "3+", false}, {"*", true, "0+", false},   {"", true, "", true},
      {"$@$@$@", true, "6", false},
      // A search by meaning shows its pattern's lengths and never moves the list.
      {"п????а : успех", true, "6", false}, {": успех", true, "", false},
      {"побед : успех", true, "5+", false},  // a plain word is searched as "*побед*"
  };
  for (const Case& c : cases) {
    const TTypingFeedback feedback = TypedTextChanged(Cp(c.typed), searcher, c.fast);
    EXPECT_EQ(c.text, feedback.LengthText) << c.typed;
    EXPECT_EQ(c.locate, feedback.Locate) << c.typed;
  }
  EXPECT_EQ("3...7", LengthRangeText(3, 7));
  EXPECT_EQ("", LengthRangeText(0, 0));
  EXPECT_EQ("4", LengthRangeText(4, 4));
  ResetLetterMaps();
}

class RunRequestTest : public ::testing::Test {
 protected:
  RunRequestTest() {
    FillCollationMap();
    searcher_.SetCharacterManager(&manager_);
    collection_.SetStringSearcher(&searcher_);
    TKivDictionary& dictionary = *collection_.Dictionary(collection_.NewDictionary());
    testing::Fill(dictionary, {Cp("кот"), Cp("скот"), Cp("ток"), Cp("шалаш"), Cp("кит")});
    dictionary.SetDescription(dictionary.Entries().IndexOf(Cp("кит")), Cp("морской зверь"));
    dictionary.SetDescription(dictionary.Entries().IndexOf(Cp("кот")), Cp("домашний зверь"));
    collection_.Connect(dictionary);
    source_.SetDictionary(&collection_);
  }
  ~RunRequestTest() override { ResetLetterMaps(); }

  std::vector<std::string> Shown() const {
    std::vector<std::string> words;
    for (const std::int32_t i : source_.View())
      words.push_back(testing::Utf(collection_.Item(i)->Word));
    return words;
  }

  TCharacterManager manager_;
  TStringSearcher searcher_;
  TDictionaryCollection collection_;
  TResultSource source_;
  TSearchHistory history_;
};

TEST_F(RunRequestTest, APlainWordFindsEveryWordHoldingItAndIsRecordedWrapped) {
  const TSearchRequest request = EnterRequest(Cp("кот"), false);
  EXPECT_TRUE(RunSearchRequest(source_, request));
  EXPECT_TRUE(source_.FilterActive());
  EXPECT_THAT(Shown(), ElementsAre("кот", "скот"));
  RecordSearchRequest(history_, request, searcher_.AnagramOptions());
  EXPECT_EQ(Cp("*кот*"), history_.Children(THistoryBranch::Crossword)[1].Text);
}

TEST_F(RunRequestTest, AnAnagramRunsInTheSearchersModeAndIsRecordedWithIt) {
  searcher_.SetAnagramOptions(aoUsual);
  const TSearchRequest request = EnterRequest(Cp("отк"), true);
  EXPECT_TRUE(RunSearchRequest(source_, request));
  EXPECT_THAT(Shown(), ElementsAre("кот", "ток"));
  RecordSearchRequest(history_, request, searcher_.AnagramOptions());
  EXPECT_EQ(Cp("отк"), history_.Children(THistoryBranch::Anagrams)[1].Text);
  EXPECT_EQ(aoUsual, history_.Children(THistoryBranch::Anagrams)[1].Mode);
}

TEST_F(RunRequestTest, AClueAfterTheColonFindsTheWordsOfThePatternDescribedByIt) {
  EXPECT_TRUE(RunSearchRequest(source_, EnterRequest(Cp("к?т : зверя"), false)));
  EXPECT_THAT(Shown(), ::testing::UnorderedElementsAre("кит", "кот"));
  EXPECT_TRUE(RunSearchRequest(source_, EnterRequest(Cp(": морской"), false)));
  EXPECT_THAT(Shown(), ElementsAre("кит"));
  EXPECT_FALSE(RunSearchRequest(source_, EnterRequest(Cp("кот : морской"), false)));
  // A plain word before the colon is taken as a crossword search takes it: "*от*".
  EXPECT_TRUE(RunSearchRequest(source_, EnterRequest(Cp("от : зверя"), false)));
  EXPECT_THAT(Shown(), ElementsAre("кот"));
}

TEST(SearchRequestTest, TheDialogsPatternAndClueFieldsMakeTheQuickSearchText) {
  struct Case {
    const char* pattern;  // UTF-8
    const char* clue;
    const char* typed;
  };
  const Case cases[] = {
      {"п????а", "успех", "п????а : успех"},
      {" п????а ", "  успех ", "п????а : успех"},
      {"", "грусть", ": грусть"},                  // any word
      {"к?т", "", "к?т"},                           // no clue: the crossword search as typed
      {"кот ", " ", "кот "},
      {"п????а : успех", "", "п????а : успех"},     // the pattern field's own clue
      {"п????а : успех", "борьба", "п????а : успех борьба"},
      {"", "", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Cp(c.typed), DialogSearchText(Cp(c.pattern), Cp(c.clue))) << c.pattern << c.clue;
  const TSearchRequest request = EnterRequest(DialogSearchText("", Cp("грусть")), false);
  EXPECT_EQ(TRequestKind::Meaning, request.Kind);
  EXPECT_EQ("", request.Text);
  EXPECT_EQ(Cp("грусть"), request.Clue);
}

TEST_F(RunRequestTest, ASearchByMeaningIsRecordedInItsOwnBranchAsPatternColonClue) {
  for (const char* typed : {"к?т : зверя", ": морской", "к?т:  зверя"})
    RecordSearchRequest(history_, EnterRequest(Cp(typed), false), aoUsual);
  EXPECT_EQ(0, history_.EntryCount(THistoryBranch::Crossword));
  ASSERT_EQ(2, history_.EntryCount(THistoryBranch::Meaning));
  EXPECT_EQ(Cp(": морской"), history_.Children(THistoryBranch::Meaning)[1].Text);
  EXPECT_EQ(Cp("к?т : зверя"), history_.Children(THistoryBranch::Meaning)[2].Text);
  // What the history holds runs the same search again.
  const TSearchRequest again = EnterRequest(history_.Children(THistoryBranch::Meaning)[1].Text, false);
  EXPECT_TRUE(RunSearchRequest(source_, again));
  EXPECT_THAT(Shown(), ElementsAre("кит"));
}

TEST_F(RunRequestTest, PalindromesAreShownButNotRecordedAndAnEmptyResultSaysSo) {
  EXPECT_TRUE(RunSearchRequest(source_, {TRequestKind::Palindromes, "", ""}));
  EXPECT_THAT(Shown(), ElementsAre("шалаш"));
  RecordSearchRequest(history_, {TRequestKind::Palindromes, "", ""}, aoUsual);
  EXPECT_EQ(0, history_.EntryCount(THistoryBranch::Crossword));
  EXPECT_FALSE(RunSearchRequest(source_, EnterRequest("xyz", false)));
  EXPECT_FALSE(RunSearchRequest(source_, EnterRequest("", false)));
}

}  // namespace
}  // namespace gryvel
