#include "solvers/result_list.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace gryvel {
namespace {

class ResultListTest : public ::testing::Test {
 protected:
  ResultListTest() { results.Reset({"кот", "ток", "ум", "а"}, "+"); }

  bool Add(std::vector<std::uint32_t> path) { return results.Add(path); }

  TResultList results;
};

TEST_F(ResultListTest, ResultsReadBackAsTheirWordsInOrder) {
  // Results sharing their leading words, then leaving them, as a depth-first search finds them.
  const std::vector<std::pair<std::vector<std::uint32_t>, std::string>> cases = {
      {{0, 2}, "кот+ум"},  {{0, 2, 3}, "кот+ум+а"}, {{0, 2, 1}, "кот+ум+ток"},
      {{1, 2}, "ток+ум"},  {{3}, "а"},             {{0, 2, 3}, "кот+ум+а"},
      {{0, 0, 0}, "кот+кот+кот"},
  };
  for (const auto& [path, text] : cases) ASSERT_TRUE(Add(path));
  ASSERT_EQ(static_cast<std::int32_t>(cases.size()), results.Count());
  for (std::size_t i = 0; i < cases.size(); ++i)
    EXPECT_EQ(cases[i].second, results.Text(static_cast<std::int32_t>(i))) << i;
}

TEST_F(ResultListTest, AResultTakesOneLinkAndSharesItsLeadingWords) {
  ASSERT_TRUE(Add({0, 1, 2}));
  ASSERT_TRUE(Add({0, 1, 3}));  // shares 0+1
  ASSERT_TRUE(Add({0, 2, 3}));  // shares 0, adds 0+2
  // Three results, and leading sequences 0, 0+1 and 0+2: six bytes each.
  EXPECT_EQ(6u * 6u, results.Bytes());
  results.Clear();
  EXPECT_EQ(0, results.Count());
  EXPECT_EQ(0u, results.Bytes());
  ASSERT_TRUE(Add({0, 1, 3}));  // nothing shared with the cleared results
  EXPECT_EQ("кот+ток+а", results.Text(0));
}

TEST_F(ResultListTest, TheLimitRefusesMoreResultsAndSaysSo) {
  results.SetLimit(2);
  EXPECT_TRUE(Add({0}));
  EXPECT_FALSE(results.LimitReached());
  EXPECT_TRUE(Add({1}));
  EXPECT_FALSE(Add({2}));
  EXPECT_TRUE(results.LimitReached());
  EXPECT_EQ(2, results.Count());
  results.Clear();
  EXPECT_FALSE(results.LimitReached());
  EXPECT_EQ(2, results.Limit());  // kept for the next search

  results.SetLimit(0);
  EXPECT_EQ(1, results.Limit());
  EXPECT_EQ(TResultList::kDefaultLimit, TResultList().Limit());
}

TEST_F(ResultListTest, ResetTakesANewWordTableAndSeparator) {
  ASSERT_TRUE(Add({0, 1}));
  results.Reset({"лес", "лис"}, " - ");
  EXPECT_EQ(0, results.Count());
  ASSERT_TRUE(Add({0, 1}));
  EXPECT_EQ("лес - лис", results.Text(0));
}

TEST_F(ResultListTest, WordsOfALargeTableKeepTheirIndicesAndLinks) {
  // 300,000 words need 19 bits of a link; the words at both ends of the table must survive.
  std::vector<std::string> texts;
  for (int i = 0; i < 300'000; ++i) texts.push_back("w" + std::to_string(i));
  results.Reset(std::vector<std::string_view>(texts.begin(), texts.end()), " ");
  ASSERT_TRUE(Add({299'999, 0, 262'144}));
  ASSERT_TRUE(Add({299'999, 1, 131'071, 299'998}));
  EXPECT_EQ("w299999 w0 w262144", results.Text(0));
  EXPECT_EQ("w299999 w1 w131071 w299998", results.Text(1));
}

}  // namespace
}  // namespace gryvel
