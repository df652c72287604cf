#include "common/stopwatch.h"

#include <gtest/gtest.h>

namespace gryvel {
namespace {

class Stopwatch : public ::testing::Test {
 protected:
  void SetUp() override { TStopwatch::Reset(); }
  void TearDown() override { TStopwatch::Reset(); }
};

TEST_F(Stopwatch, UnknownNameGivesZero) {
  EXPECT_EQ(0, TStopwatch::Stop("Pattern"));
  EXPECT_EQ(0, TStopwatch::Elapsed("Pattern"));
  TStopwatch::Start("Pattern");
  EXPECT_EQ(0, TStopwatch::Elapsed("Pattern"));  // started, never stopped
}

TEST_F(Stopwatch, StopStoresWhatItReturns) {
  TStopwatch::Start("Chain");
  const double elapsed = TStopwatch::Stop("Chain");
  EXPECT_GE(elapsed, 0);
  EXPECT_EQ(elapsed, TStopwatch::Elapsed("Chain"));
}

// A second Stop measures from the same start, so it can only grow; a restart measures anew.
TEST_F(Stopwatch, StopAgainAndRestart) {
  TStopwatch::Start("Analyze");
  const double first = TStopwatch::Stop("Analyze");
  const double second = TStopwatch::Stop("Analyze");
  EXPECT_GE(second, first);
  TStopwatch::Start("Analyze");
  EXPECT_EQ(second, TStopwatch::Elapsed("Analyze"));  // kept until the next Stop
  EXPECT_GE(TStopwatch::Stop("Analyze"), 0);
}

TEST_F(Stopwatch, NamesAreIndependent) {
  TStopwatch::Start("Anagrams");
  TStopwatch::Start("Palindromes");
  const double anagrams = TStopwatch::Stop("Anagrams");
  EXPECT_EQ(0, TStopwatch::Elapsed("Palindromes"));
  const double palindromes = TStopwatch::Stop("Palindromes");
  EXPECT_EQ(anagrams, TStopwatch::Elapsed("Anagrams"));
  EXPECT_EQ(palindromes, TStopwatch::Elapsed("Palindromes"));
}

TEST_F(Stopwatch, ResetForgetsEverything) {
  TStopwatch::Start("LoadDictionary");
  TStopwatch::Stop("LoadDictionary");
  TStopwatch::Reset();
  EXPECT_EQ(0, TStopwatch::Elapsed("LoadDictionary"));
  EXPECT_EQ(0, TStopwatch::Stop("LoadDictionary"));
}

}  // namespace
}  // namespace gryvel
