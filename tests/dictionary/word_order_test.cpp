#include "dictionary/word_order.h"

#include <gtest/gtest.h>

#include <string>

#include "search/letter_maps.h"
#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;

class WordOrderTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetLetterMaps(); }
  void TearDown() override { ResetLetterMaps(); }
};

TEST_F(WordOrderTest, SkipsHyphensAndBreaksTiesByLength) {
  struct Case {
    const char* a;
    const char* b;
    int expected;
  };
  const Case cases[] = {
      {"abc", "abd", -1},  {"abd", "abc", 1}, {"abc", "abc", 0}, {"ab", "abc", -1},
      {"abc", "ab", 1},    {"abc", "ab-", 1}, {"ab", "a-b", -1}, {"a-b", "ab", 1},
      {"a-b-c", "abc", 2}, {"-a", "a-", 0},   {"a-c", "abb", 1}, {"a-b", "abc", -1},
      {"a--b", "abc", -1}, {"-", "a", -1},    {"\xE0", "z", 1},  {"", "a", 1},
      {"a", "", 1},        {"", "", 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, CompareWords(c.a, c.b)) << '"' << c.a << "\" vs \"" << c.b << '"';
}

TEST_F(WordOrderTest, FilledCollationMapIgnoresCaseAndReadsYoAsYe) {
  EXPECT_EQ(-1, CompareWords("Abc", "abc"));
  EXPECT_EQ(-1, CompareWords(Cp("ёж"), Cp("еж")));
  EXPECT_EQ(-1, CompareWords(Cp("Бык"), Cp("арка")));

  FillCollationMap();
  EXPECT_EQ(0, CompareWords("Abc", "abc"));
  EXPECT_EQ(0, CompareWords(Cp("Ёж"), Cp("еж")));
  EXPECT_EQ(0, CompareWords(Cp("ЁЖ"), Cp("ёж")));
  EXPECT_EQ(1, CompareWords(Cp("Бык"), Cp("арка")));
  EXPECT_EQ(-1, CompareWords(Cp("Ёж"), Cp("ежи")));
  EXPECT_EQ(-1, CompareWords(Cp("Жу"), Cp("жу-жу")));
  EXPECT_EQ(1, CompareWords(Cp("Жу-жу"), Cp("жужу")));
}

}  // namespace
}  // namespace gryvel
