#include "solvers/search_worker.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "solvers/search_world.h"
#include "solvers/word_analysis.h"
#include "solvers/word_chain.h"

namespace gryvel {
namespace {

using testing::Cp;
using testing::SearchWorld;

// The worker's results once its search has ended.
std::vector<std::string> WaitForAll(TSearchWorker& worker, const TResultList& results) {
  worker.Wait();
  EXPECT_FALSE(worker.Busy());
  std::vector<std::string> texts;
  for (std::int32_t i = 0; i < results.Count(); ++i) texts.push_back(results.Text(i));
  return texts;
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

TEST(SearchWorker, FindsEveryResultInTheOrderFound) {
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
    EXPECT_EQ(WaitForAll(worker, analysis.Results()), expected);
    const TSearchProgress progress = worker.Progress();
    EXPECT_EQ(direct.Variants(), progress.Variants);
    EXPECT_EQ(direct.Results().Count(), progress.Found);
    EXPECT_LE(static_cast<double>(progress.Seconds), worker.Seconds());
  }
}

TEST(SearchWorker, StopKeepsWhatWasFoundAndEndsTheThread) {
  SearchWorld world(PairWords());
  TWordAnalysis analysis(world.source);
  TSearchWorker worker(analysis);
  worker.Start([&] { analysis.Find("abcdefgh"); });
  worker.Stop();  // possibly before the search has set itself running
  worker.Wait();
  EXPECT_TRUE(worker.StopRequested());
  EXPECT_FALSE(analysis.Running());
  EXPECT_EQ(analysis.Results().Count(), worker.Progress().Found);
}

// The counters are live between results too: a chain lets events run at every link, long
// before it finds a chain.
TEST(SearchWorker, ProgressCountsStepsBeforeAnyResult) {
  SearchWorld world({"aaaa", "baaa", "bbaa", "bbba", "bbbb"});
  TWordChain chain(world.source);
  TSearchWorker worker(chain);
  TSearchProgress first_link;
  bool seen = false;
  chain.ProcessEvents = [&] {  // on the worker thread; the test reads as a window would
    if (seen) return;
    seen = true;
    first_link = worker.Progress();
  };
  worker.Start([&] { chain.Find("aaaa", "bbbb", 1); });
  worker.Wait();
  ASSERT_TRUE(seen);
  EXPECT_EQ(0, first_link.Found);
  EXPECT_GT(first_link.Variants, 0u);
  EXPECT_EQ(1, chain.Results().Count());
}

TEST(SearchWorker, ALimitEndsTheSearchAtThatManyResults) {
  SearchWorld world(PairWords());
  TWordAnalysis analysis(world.source);
  analysis.Results().SetLimit(100);
  TSearchWorker worker(analysis);
  worker.Start([&] { analysis.Find("abcdefgh"); });
  worker.Wait();
  EXPECT_EQ(100, worker.Progress().Found);
  EXPECT_TRUE(analysis.Results().LimitReached());
  EXPECT_FALSE(analysis.Running());
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
