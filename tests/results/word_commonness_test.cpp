#include "results/word_commonness.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;

TEST(WordCommonnessTest, ScalesLogCountsToTheHighestAndFoldsCaseAndYo) {
  TWordCommonness table;
  // A form met again keeps its first count; lines that are no "word count" pair are skipped.
  table.AddList("ёлка 999\r\nель 9\nель 500\nbroken\n 7\nlarch x\noak 0\nyew 12y\n");
  EXPECT_EQ(3u, table.Count());
  EXPECT_DOUBLE_EQ(1, table.Of(Cp("ёлка")));
  EXPECT_DOUBLE_EQ(1, table.Of(Cp("ЕЛКА")));
  EXPECT_DOUBLE_EQ(std::log(10) / std::log(1000), table.Of(Cp("Ель")));
  EXPECT_DOUBLE_EQ(0, table.Of("oak"));  // met no time: no more than a word not listed
  EXPECT_DOUBLE_EQ(0, table.Of("larch"));
  EXPECT_DOUBLE_EQ(0, TWordCommonness().Of("oak"));
  // Each list has its own scale.
  table.AddList("pine 9999\nfir\t99\n");  // a tab parts them as a space does
  EXPECT_DOUBLE_EQ(1, table.Of("pine"));
  EXPECT_DOUBLE_EQ(0.5, table.Of("fir"));
  EXPECT_DOUBLE_EQ(1, table.Of(Cp("ёлка")));
}

TEST(WordCommonnessTest, TheBundledTableHoldsBothLanguages) {
  const TWordCommonness& table = TWordCommonness::Bundled();
  EXPECT_GT(table.Of("house"), table.Of("abacus"));
  EXPECT_GT(table.Of(Cp("дом")), table.Of(Cp("флибустьер")));
  EXPECT_GT(table.Of(Cp("ещё")), 0.5);  // the lists write «еще»
}

}  // namespace
}  // namespace gryvel
