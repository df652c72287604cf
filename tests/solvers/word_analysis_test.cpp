#include "solvers/word_analysis.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "solvers/search_world.h"

namespace gryvel {
namespace {

using testing::Cp;
using ::testing::ElementsAre;
using testing::Lines;
using testing::SearchWorld;

std::vector<std::string> Splits(SearchWorld& world, const char* word, std::int32_t min = 0,
                                std::int32_t max = TWordAnalysis::kAnyItems) {
  TWordAnalysis analysis(world.source);
  analysis.Find(Cp(word), min, max);
  EXPECT_FALSE(analysis.Running());
  return Lines(analysis.Results());
}

TEST(WordAnalysis, EachSetOfWordsIsReportedOnceLongerAndLaterFirst) {
  SearchWorld world({"ab", "ba", "cd", "abcd", "a"});
  EXPECT_THAT(Splits(world, "abcd"), ElementsAre("cd+ba", "cd+ab"));
  EXPECT_THAT(Splits(world, "dcab"), ElementsAre("cd+ba", "cd+ab"));
}

TEST(WordAnalysis, ShortWordsDoNotSplit) {
  SearchWorld world({"ab", "a", "b", "c", "bc"});
  EXPECT_THAT(Splits(world, "abc"), ElementsAre());
  EXPECT_THAT(Splits(world, "bcab"), ElementsAre("bc+ab"));
}

TEST(WordAnalysis, AnagramCandidatesGiveSeparateResults) {
  SearchWorld world({"кот", "ток", "ум", "мук"});
  EXPECT_THAT(Splits(world, "котум"), ElementsAre("ток+ум", "кот+ум"));
}

TEST(WordAnalysis, TheItemsRangeKeepsSplitsOfThatManyWords) {
  SearchWorld world({"ab", "cd", "ef", "abcd", "efab"});
  EXPECT_THAT(Splits(world, "abcdef"), ElementsAre("efab+cd", "abcd+ef", "ef+cd+ab"));
  EXPECT_THAT(Splits(world, "abcdef", 3, 3), ElementsAre("ef+cd+ab"));
  EXPECT_THAT(Splits(world, "abcdef", 2, 2), ElementsAre("efab+cd", "abcd+ef"));
}

TEST(WordAnalysis, AWordIsUsedOnceAndLettersCountAsTheyRepeat) {
  SearchWorld world({"ab", "abab"});
  EXPECT_THAT(Splits(world, "abab"), ElementsAre());
  EXPECT_THAT(Splits(world, "ababab"), ElementsAre("abab+ab"));
}

TEST(WordAnalysis, StopEndsTheAnalysisAfterTheSplitFound) {
  SearchWorld world({"ab", "ba", "cd", "dc"});
  TWordAnalysis analysis(world.source);
  analysis.ProcessEvents = [&] { analysis.Stop(); };
  analysis.Find(Cp("abcd"));
  EXPECT_EQ(1, analysis.Results().Count());
  EXPECT_FALSE(analysis.Running());
  // The anagram options of the searcher are left as they were.
  EXPECT_EQ(aoUsual, world.searcher.AnagramOptions());
}

}  // namespace
}  // namespace gryvel
