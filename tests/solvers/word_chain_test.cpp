#include "solvers/word_chain.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "solvers/search_world.h"

namespace gryvel {
namespace {

using testing::Cp;
using ::testing::ElementsAre;
using testing::Lines;
using testing::SearchWorld;

std::vector<std::string> Chains(SearchWorld& world, const char* start, const char* final,
                                int n = 1) {
  TWordChain chain(world.source);
  chain.Find(Cp(start), Cp(final), n);
  EXPECT_FALSE(chain.Running());
  return Lines(chain.Results());
}

TEST(WordChain, FindsTheShortestChainThroughDictionaryWords) {
  SearchWorld world({"кот", "рот", "рос", "пос", "пёс", "кит"});
  EXPECT_THAT(Chains(world, "кот", "пёс"), ElementsAre("кот - рот - рос - пос - пёс"));
}

TEST(WordChain, ReportsEveryShortestChainInCandidateOrderAndNoLongerOne) {
  // Two ways through level 1, one longer way through level 2.
  SearchWorld world({"aa", "ab", "ba", "bb", "ac", "cc", "cb"});
  EXPECT_THAT(Chains(world, "aa", "bb"), ElementsAre("aa - ab - bb", "aa - ba - bb"));
}

TEST(WordChain, SeveralParentsOfOneWordEachGiveAChain) {
  SearchWorld world({"aaa", "aab", "aba", "abb", "bbb"});
  EXPECT_THAT(Chains(world, "aaa", "bbb"),
              ElementsAre("aaa - aab - abb - bbb", "aaa - aba - abb - bbb"));
}

TEST(WordChain, WordsAlreadyNLettersApartAreTheOnlyChain) {
  SearchWorld world({"кот", "кит", "кат"});
  EXPECT_THAT(Chains(world, "кот", "кат"), ElementsAre("кот - кат"));
  // Neither word needs to be in the dictionary.
  EXPECT_THAT(Chains(world, "лес", "лис"), ElementsAre("лес - лис"));
}

TEST(WordChain, TheFinalWordIsNeverAnInnerWord) {
  SearchWorld world({"ab", "bb", "cb", "cd"});
  // ab → bb is a step, but bb is the final word: the chain cannot run on through it.
  EXPECT_THAT(Chains(world, "ab", "bb"), ElementsAre("ab - bb"));
  EXPECT_THAT(Chains(world, "ab", "cd"), ElementsAre("ab - cb - cd"));
}

TEST(WordChain, NChangesEveryPositionWhenItIsTheLength) {
  SearchWorld world({"abc", "xyz", "abd"});
  EXPECT_THAT(Chains(world, "abc", "abd", 3), ElementsAre("abc - xyz - abd"));
}

TEST(WordChain, LettersCompareThroughTheEqualLetters) {
  SearchWorld world({"лёд", "мед"});
  EXPECT_THAT(Chains(world, "лёд", "мед"), ElementsAre());
  world.manager.AddEqualLetters({Cp("ё"), Cp("е")[0], true});
  EXPECT_THAT(Chains(world, "лёд", "мед"), ElementsAre("лёд - мед"));
  EXPECT_THAT(Chains(world, "КОТ", "кот"), ElementsAre());  // no position differs
}

TEST(WordChain, WithoutNeighboursNothingIsCompared) {
  SearchWorld world({"abc", "xyz", "abd", "xbd"});
  TWordChain chain(world.source);
  chain.Find(Cp("abc"), Cp("xyz"), 1);
  EXPECT_EQ(0, chain.Results().Count());
  EXPECT_EQ(0u, chain.Variants());
  chain.Find(Cp("abc"), Cp("ab"), 1);  // different lengths
  chain.Find(Cp("abc"), Cp("abd"), 0);
  EXPECT_EQ(0, chain.Results().Count());
}

TEST(WordChain, StopEndsTheSearchAndKeepsTheChainsFound) {
  SearchWorld world({"aa", "ab", "ba", "bb"});
  TWordChain chain(world.source);
  // Stopped at the first link found: its chain is still reported, nothing after it.
  chain.ProcessEvents = [&] { chain.Stop(); };
  chain.Find(Cp("aa"), Cp("bb"), 1);
  EXPECT_THAT(Lines(chain.Results()), ElementsAre("aa - ab - bb"));
  EXPECT_FALSE(chain.Running());
}

}  // namespace
}  // namespace gryvel
