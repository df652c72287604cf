#include "common/stopwatch.h"

#include <gtest/gtest.h>

#include <chrono>

#include "support/fake_clock.h"

namespace gryvel {
namespace {

using std::chrono::milliseconds;

class Stopwatch : public ::testing::Test {
 protected:
  void SetUp() override { TStopwatch::Reset(); }
  void TearDown() override { TStopwatch::Reset(); }
};

TEST_F(Stopwatch, UnknownNameGivesZero) {
  testing::FakeClock clock;
  EXPECT_EQ(0, TStopwatch::Stop("Pattern"));
  EXPECT_EQ(0, TStopwatch::Elapsed("Pattern"));
  TStopwatch::Start("Pattern");
  clock.Advance(milliseconds(500));
  EXPECT_EQ(0, TStopwatch::Elapsed("Pattern"));  // started, never stopped
}

TEST_F(Stopwatch, StopStoresWhatItReturns) {
  testing::FakeClock clock;
  TStopwatch::Start("Chain");
  clock.Advance(milliseconds(1500));
  EXPECT_DOUBLE_EQ(1.5, TStopwatch::Stop("Chain"));
  clock.Advance(milliseconds(700));
  EXPECT_DOUBLE_EQ(1.5, TStopwatch::Elapsed("Chain"));
}

// A second Stop measures from the same start; a restart measures anew.
TEST_F(Stopwatch, StopAgainAndRestart) {
  testing::FakeClock clock;
  TStopwatch::Start("Analyze");
  clock.Advance(milliseconds(1000));
  EXPECT_DOUBLE_EQ(1.0, TStopwatch::Stop("Analyze"));
  clock.Advance(milliseconds(2000));
  EXPECT_DOUBLE_EQ(3.0, TStopwatch::Stop("Analyze"));
  TStopwatch::Start("Analyze");
  EXPECT_DOUBLE_EQ(3.0, TStopwatch::Elapsed("Analyze"));  // kept until the next Stop
  clock.Advance(milliseconds(250));
  EXPECT_DOUBLE_EQ(0.25, TStopwatch::Stop("Analyze"));
}

TEST_F(Stopwatch, NamesAreIndependent) {
  testing::FakeClock clock;
  TStopwatch::Start("Anagrams");
  clock.Advance(milliseconds(1000));
  TStopwatch::Start("Palindromes");
  clock.Advance(milliseconds(2000));
  EXPECT_DOUBLE_EQ(3.0, TStopwatch::Stop("Anagrams"));
  EXPECT_EQ(0, TStopwatch::Elapsed("Palindromes"));
  clock.Advance(milliseconds(4000));
  EXPECT_DOUBLE_EQ(6.0, TStopwatch::Stop("Palindromes"));
  EXPECT_DOUBLE_EQ(3.0, TStopwatch::Elapsed("Anagrams"));
}

TEST_F(Stopwatch, ResetForgetsEverything) {
  testing::FakeClock clock;
  TStopwatch::Start("LoadDictionary");
  clock.Advance(milliseconds(10));
  TStopwatch::Stop("LoadDictionary");
  TStopwatch::Reset();
  EXPECT_EQ(0, TStopwatch::Elapsed("LoadDictionary"));
  EXPECT_EQ(0, TStopwatch::Stop("LoadDictionary"));
}

// Without a test clock the stopwatch reads the steady clock: time seen to pass on it shows.
TEST_F(Stopwatch, TheSteadyClockIsReadByDefault) {
  TStopwatch::Start("Pattern");
  const auto begun = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - begun < milliseconds(2)) {
  }
  const double elapsed = TStopwatch::Stop("Pattern");
  EXPECT_GE(elapsed, 0.002);
  EXPECT_LT(elapsed, 60.0);
}

}  // namespace
}  // namespace gryvel
