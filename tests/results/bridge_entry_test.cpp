#include "results/bridge_entry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;
using testing::Utf;

std::vector<TBridgeTranslation> Parse(std::string_view entry) {
  std::vector<TBridgeTranslation> out;
  ParseBridgeEntry(entry, &out);
  return out;
}

std::vector<std::string> Words(const std::vector<TBridgeTranslation>& translations) {
  std::vector<std::string> words;
  for (const TBridgeTranslation& t : translations) words.push_back(Utf(t.Word));
  return words;
}

TEST(BridgeEntry, SensesAndPlacesInOrderWithoutExamplesRemarksAndLabels) {
  const auto found = Parse(
      "decrease\n"
      "   1. _n. [↗di:kri:s] уменьшение, убывание, (сильный) спад; to be on the\n"
      "   decrease идти на убыль; ни рыба ни мясо\n"
      "   2. _v. [di:↗kri:s] _разг. уменьшать(ся), убывать\n");
  EXPECT_THAT(Words(found),
              ::testing::ElementsAre("уменьшение", "убывание", "спад", "уменьшать", "убывать"));
  ASSERT_EQ(5u, found.size());
  EXPECT_EQ(255, found[0].Weight);
  EXPECT_GT(found[0].Weight, found[1].Weight);  // later in its sense
  EXPECT_GT(found[1].Weight, found[2].Weight);
  EXPECT_GT(found[0].Weight, found[3].Weight);  // the first of a later sense
  EXPECT_GT(found[3].Weight, found[4].Weight);
}

TEST(BridgeEntry, HomonymsNumberedSensesAndPhrases) {
  const auto found = Parse(
      "pike\n"
      "   _I  [paɪk] _n. щука\n"
      "   _II [paɪk]\n"
      "      1. _n.\n"
      "         1) пика, копьё\n"
      "         2) наконечник для стрелы\n"
      "      2. _v. закалывать пикой; _ам. что-л. т.п.\n");
  EXPECT_THAT(Words(found), ::testing::ElementsAre("щука", "пика", "копье", "наконечник", "стрелы",
                                                   "закалывать", "пикой"));
  ASSERT_EQ(7u, found.size());
  // "_II" with "1." and "1)" right after it open one sense, the second.
  EXPECT_EQ(TranslationWeight(1, 0, false), found[1].Weight);
  EXPECT_EQ(TranslationWeight(2, 0, true), found[3].Weight);
  EXPECT_EQ(found[3].Weight, found[4].Weight);  // the words of one phrase weigh the same
  EXPECT_EQ(TranslationWeight(3, 0, true), found[5].Weight);
}

TEST(BridgeEntry, LetteredSensesAfterAnExampleBelongToIt) {
  const auto found = Parse(
      "water\n"
      "   1) вода; to hold water\n"
      "      а) не пропускать воду;\n"
      "      б) выдерживать критику\n"
      "   2) водоём\n"
      "   3) а) волны; б) море\n");
  EXPECT_THAT(Words(found), ::testing::ElementsAre("вода", "водоем", "волны", "море"));
  ASSERT_EQ(4u, found.size());
  EXPECT_EQ(TranslationWeight(1, 0, false), found[1].Weight);
  EXPECT_EQ(TranslationWeight(3, 0, false), found[3].Weight);  // "б)" is a sense of its own
}

TEST(BridgeEntry, LettersLowerCaseAndYoWrittenYe) {
  const auto found = Parse("fir\nЁЛКА, Ёлочный\n");
  EXPECT_EQ(Cp("елка"), found.at(0).Word);
  EXPECT_EQ(Cp("елочный"), found.at(1).Word);
}

TEST(BridgeEntry, NothingFromAHeadWordAloneOrBrokenText) {
  EXPECT_THAT(Parse("lake"), ::testing::IsEmpty());
  EXPECT_THAT(Parse("lake\n   = lake-country"), ::testing::IsEmpty());
  // An unclosed bracket hides the rest; a cut letter is no word.
  EXPECT_THAT(Words(Parse("x\nозеро (пруд; море\n")), ::testing::ElementsAre("озеро"));
  EXPECT_THAT(Parse("x\n\xD0"), ::testing::IsEmpty());
}

TEST(BridgeEntry, WeightFallsWithSensePlaceAndPhrase) {
  EXPECT_EQ(255, TranslationWeight(0, 0, false));
  EXPECT_GT(TranslationWeight(0, 1, false), TranslationWeight(0, 2, false));
  EXPECT_GT(TranslationWeight(1, 0, false), TranslationWeight(2, 0, false));
  EXPECT_NEAR(TranslationWeight(0, 0, false) / 2, TranslationWeight(0, 0, true), 1);
  EXPECT_EQ(1, TranslationWeight(100000, 100000, true));  // never 0: a weight means a pair
}

}  // namespace
}  // namespace gryvel
