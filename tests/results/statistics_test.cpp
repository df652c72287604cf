#include "results/statistics.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "search/character_manager.h"
#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;
using testing::Utf;

constexpr TStatisticKind kLength = TStatisticKind::Length;
constexpr TStatisticKind kFirst = TStatisticKind::FirstLetters;
constexpr TStatisticKind kUnique = TStatisticKind::UniqueLetters;
constexpr TStatisticKind kAll = TStatisticKind::AllLetters;

// "label:count" of every point in chart order, labels in UTF-8.
std::string Chart(const TStatistic& statistic) {
  std::string out;
  for (const TStatPoint& point : ChartPoints(statistic)) {
    if (!out.empty()) out += ' ';
    out += Utf(point.Label) + ":" + std::to_string(point.Y);
  }
  return out;
}

class StatisticsTest : public ::testing::Test {
 protected:
  ~StatisticsTest() override { ResetLetterMaps(); }

  // Entries for `words` (UTF-8) and a view over all of them.
  void SetWords(const std::vector<std::string>& words) {
    records.clear();
    items.clear();
    view.clear();
    for (const std::string& word : words) {
      records.push_back(TArticleItem{Cp(word)});
      view.push_back(static_cast<std::int32_t>(items.size()));
      items.push_back(&records.back());
    }
  }

  TStatistic Compute(TStatisticKind kind, const TByteMap& map = IdentityMap()) {
    return ComputeStatistic(kind, view, items, map);
  }

  std::string Ordered(TStatisticKind kind, TStatOrder order, const TByteMap& map = IdentityMap()) {
    TStatistic statistic = Compute(kind, map);
    ApplyOrder(statistic, order);
    return Chart(statistic);
  }

  std::deque<TArticleItem> records;  // a deque keeps the item pointers valid
  std::vector<TArticleItem*> items;
  std::vector<std::int32_t> view;
};

TEST_F(StatisticsTest, LengthsThatOccurTakeConsecutivePositions) {
  SetWords({"ab", "abc", "xyz"});
  const TStatistic statistic = Compute(kLength);
  EXPECT_TRUE(statistic.IsLength);
  const std::vector<TStatRecord> expected = {{0, 1, "2", false}, {1, 2, "3", false}};
  EXPECT_EQ(expected, statistic.Records);
}

TEST_F(StatisticsTest, EachKindCountsItsCategories) {
  const std::string x36(36, 'x');
  const std::string x300(300, 'x');
  struct Case {
    TStatisticKind kind;
    std::vector<std::string> words;
    std::string expected;
  };
  const Case cases[] = {
      {kLength, {"ab", "abc", "xyz"}, "2:1 3:2"},
      {kLength, {"", "b"}, "0:1 1:1"},
      {kLength, {"ёжик"}, "4:1"},
      {kLength, {x300, "a", x36 + "yyyy", x36}, "1:1 36:1 40:1 300:1"},
      {kFirst, {"ab", "abc", "xyz"}, "a:2 x:1"},
      {kFirst, {"", "b"}, "b:1"},
      {kUnique, {"aa", "ab"}, "a:2 b:1"},
      {kUnique, {"мама", "ум"}, "а:1 м:2 у:1"},
      {kUnique, {x300 + "y", "xy"}, "x:2 y:2"},
      {kAll, {"aa", "ab"}, "a:3 b:1"},
      {kAll, {"мама", "ум"}, "а:2 м:3 у:1"},
      {kAll, {x300 + "y", "xy"}, "x:301 y:2"},
      {kAll, {"", ""}, ""},
  };
  for (const Case& c : cases) {
    SetWords(c.words);
    EXPECT_EQ(c.expected, Chart(Compute(c.kind)))
        << int(c.kind) << " " << ::testing::PrintToString(c.words);
  }
}

TEST_F(StatisticsTest, EmptyViewGivesEmptyStatistic) {
  SetWords({"ab", "abc"});
  view.clear();
  for (TStatisticKind kind : {kLength, kFirst, kUnique, kAll}) {
    const TStatistic statistic = Compute(kind);
    EXPECT_TRUE(statistic.Records.empty()) << int(kind);
    EXPECT_EQ(kind == kLength, statistic.IsLength) << int(kind);
    EXPECT_EQ(0, TotalCount(statistic));
    EXPECT_TRUE(ChartPoints(statistic).empty());
  }
}

TEST_F(StatisticsTest, CountsOnlyTheEntriesOfTheView) {
  SetWords({"ab", "abc", "xyz", "q"});
  view = {3, 1};
  EXPECT_EQ("1:1 3:1", Chart(Compute(kLength)));
  EXPECT_EQ("a:1 q:1", Chart(Compute(kFirst)));
}

TEST_F(StatisticsTest, IoFollowsIeWhateverElseTheTableHolds) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"ё", "ё:1"},
      {"ёж", "ё:1 ж:1"},
      {"жё", "ё:1 ж:1"},
      {"её", "е:1 ё:1"},
      {"аёя", "а:1 ё:1 я:1"},
      {"дёж", "д:1 ё:1 ж:1"},
      {"ё-z", "-:1 z:1 ё:1"},
      {"Ёж-ea", "-:1 a:1 e:1 Ё:1 ж:1"},
      {"ЁЕЖё", "Е:1 Ё:1 Ж:1 ё:1"},
      {"ЁДЖ", "Д:1 Ё:1 Ж:1"},
      {"ёЁ", "Ё:1 ё:1"},
      {"і№ё", "і:1 №:1 ё:1"},  // other letters beyond the alphabet keep code order
  };
  for (const auto& [word, expected] : cases) {
    SetWords({word});
    EXPECT_EQ(expected, Chart(Compute(kAll))) << word;
  }
  SetWords({"жук", "ёж", "еж"});
  EXPECT_EQ("е:1 ё:1 ж:1", Chart(Compute(kFirst)));
}

TEST_F(StatisticsTest, ByValueKeepsCategoryOrderOnTiesAndAscendingIsTheReverse) {
  SetWords({"cab", "bd", "d"});  // a:1 b:2 c:1 d:2
  EXPECT_EQ("b:2 d:2 a:1 c:1", Ordered(kAll, TStatOrder::ByValueDescending));
  EXPECT_EQ("c:1 a:1 d:2 b:2", Ordered(kAll, TStatOrder::ByValueAscending));

  SetWords({"жё", "еж"});  // ties in category order, not code order
  EXPECT_EQ("ж:2 е:1 ё:1", Ordered(kAll, TStatOrder::ByValueDescending));
  EXPECT_EQ("ё:1 е:1 ж:2", Ordered(kAll, TStatOrder::ByValueAscending));

  SetWords({"ab", "abc", "xyz"});
  EXPECT_EQ("3:2 2:1", Ordered(kLength, TStatOrder::ByValueDescending));
}

TEST_F(StatisticsTest, OrdersCanBeSwitchedBackAndForth) {
  SetWords({"cab", "bd", "d"});
  TStatistic statistic = Compute(kAll);
  ApplyOrder(statistic, TStatOrder::ByValueAscending);
  ApplyOrder(statistic, TStatOrder::ByValueDescending);
  EXPECT_EQ("b:2 d:2 a:1 c:1", Chart(statistic));
  ApplyOrder(statistic, TStatOrder::ByCategory);
  EXPECT_EQ("a:1 b:2 c:1 d:2", Chart(statistic));
  EXPECT_EQ("a:1 b:2 c:1 d:2", Chart(Compute(kAll)));  // computed ordered by category
}

TEST_F(StatisticsTest, CharactersPassThroughTheLetterMap) {
  SetWords({"Аа", "аБ"});
  EXPECT_EQ("а:3 б:1", Chart(Compute(kAll, kLowerCase)));
  EXPECT_EQ("А:1 Б:1 а:2", Chart(Compute(kAll, IdentityMap())));
  EXPECT_EQ("а:2 б:1", Chart(Compute(kUnique, kLowerCase)));
  EXPECT_EQ("а:2", Chart(Compute(kFirst, kLowerCase)));
}

TEST_F(StatisticsTest, UsesTheSearchMapByDefault) {
  TCharacterManager manager;
  manager.AddEqualLetters(TEqualLetters{Cp("ё"), Cp("е")[0], true});
  SetWords({"Ёлка", "Ель"});
  const auto computed = [&] { return Chart(ComputeStatistic(kUnique, view, items)); };
  EXPECT_EQ("а:1 е:2 к:1 л:2 ь:1", computed());
  manager.SetCaseSensitive(true);
  EXPECT_EQ("Е:2 а:1 к:1 л:2 ь:1", computed());  // case kept, Ё still counted as Е
}

TEST_F(StatisticsTest, ChartPointsGiveEachValueItsShareOfTheTotal) {
  SetWords({"ab", "abc", "xyz"});
  TStatistic statistic = Compute(kLength);
  ApplyOrder(statistic, TStatOrder::ByValueDescending);
  EXPECT_EQ(3, TotalCount(statistic));
  const std::vector<TStatPoint> points = ChartPoints(statistic);
  ASSERT_EQ(2u, points.size());
  EXPECT_EQ(0, points[0].X);
  EXPECT_EQ("3", points[0].Label);
  EXPECT_NEAR(200.0 / 3, points[0].Percent, 1e-9);
  EXPECT_EQ(1, points[1].X);
  EXPECT_NEAR(100.0 / 3, points[1].Percent, 1e-9);
  EXPECT_EQ(8, TotalCount(Compute(kAll)));  // every character of every word
}

}  // namespace
}  // namespace gryvel
