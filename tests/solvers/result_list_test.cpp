#include "solvers/result_list.h"

#include <gtest/gtest.h>

#include <string>

#include "search/letter_maps.h"

namespace gryvel {
namespace {

TEST(ResultList, ResultsBecomeNumberedEntriesWhenShown) {
  TResultList results;
  for (int i = 0; i < 10001; ++i) results.Add("result " + std::to_string(i));
  EXPECT_EQ(10001, results.Count());
  EXPECT_EQ("result 9999", results.Text(9999));

  TDictionaryCollection& shown = results.Collection();
  ASSERT_EQ(10001, shown.Count());
  EXPECT_EQ("result 0", shown.Description(shown.Find("0001")));
  EXPECT_EQ("result 9998", shown.Description(shown.Find("9999")));
  EXPECT_EQ("result 9999", shown.Description(shown.Find("10000")));
  EXPECT_EQ("result 10000", shown.Description(shown.Find("10001")));

  results.Add("one more");
  EXPECT_EQ("one more", results.Collection().Description(shown.Find("10002")));
  results.Clear();
  EXPECT_EQ(0, results.Count());
  EXPECT_EQ(0, results.Collection().Count());
}

}  // namespace
}  // namespace gryvel
