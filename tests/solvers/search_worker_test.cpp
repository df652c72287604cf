#include "solvers/search_worker.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "solvers/search_world.h"
#include "solvers/word_analysis.h"

namespace gryvel {
namespace {

using testing::Cp;
using testing::SearchWorld;

// Takes everything the worker hands over until its search has ended.
std::vector<std::string> TakeAll(TSearchWorker& worker) {
  std::vector<std::string> taken;
  while (worker.Busy()) worker.Take(taken);
  worker.Wait();
  worker.Take(taken);
  return taken;
}

// Many splits: every pair of distinct two-letter words over eight letters.
std::vector<std::string> PairWords() {
  std::vector<std::string> words;
  const std::string letters = "abcdefgh";
  for (const char a : letters)
    for (const char b : letters)
      if (a != b) words.push_back(std::string{a, b});
  return words;
}

TEST(SearchWorker, HandsOverEveryResultInTheOrderFound) {
  SearchWorld world(PairWords());
  TWordAnalysis direct(world.source);
  direct.Find("abcdefgh");
  ASSERT_GT(direct.Results().Count(), 1000);
  std::vector<std::string> expected;
  for (std::int32_t i = 0; i < direct.Results().Count(); ++i)
    expected.push_back(direct.Results().Text(i));

  TWordAnalysis analysis(world.source);
  TSearchWorker worker(analysis);
  for (int run = 0; run < 2; ++run) {  // a second search starts afresh
    worker.Start([&] { analysis.Find("abcdefgh"); });
    EXPECT_EQ(TakeAll(worker), expected);
    EXPECT_EQ(worker.Variants(), direct.Variants());
  }
}

TEST(SearchWorker, StopKeepsWhatWasFoundAndEndsTheThread) {
  SearchWorld world(PairWords());
  TWordAnalysis analysis(world.source);
  TSearchWorker worker(analysis);
  worker.Start([&] { analysis.Find("abcdefgh"); });
  worker.Stop();  // possibly before the search has set itself running
  const std::vector<std::string> taken = TakeAll(worker);
  EXPECT_TRUE(worker.StopRequested());
  EXPECT_FALSE(analysis.Running());
  EXPECT_EQ(static_cast<std::int32_t>(taken.size()), analysis.Results().Count());
}

TEST(SearchWorker, DestroyingTheWorkerStopsTheSearch) {
  SearchWorld world(PairWords());
  TWordAnalysis analysis(world.source);
  {
    TSearchWorker worker(analysis);
    worker.Start([&] { analysis.Find("abcdefgh"); });
  }
  EXPECT_FALSE(analysis.Running());
  EXPECT_FALSE(analysis.ProcessEvents);
}

}  // namespace
}  // namespace gryvel
