#include "search/string_searcher.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <regex>
#include <string>

#include "search/character_manager.h"
#include "support/pattern_regex.h"
#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;
using testing::Utf;

class StringSearcherTest : public ::testing::Test {
 protected:
  StringSearcherTest() { searcher.SetCharacterManager(&manager); }
  ~StringSearcherTest() override { ResetLetterMaps(); }

  bool Matches(std::string_view pattern, std::string_view word) {
    searcher.SetPattern(Cp(pattern));
    return searcher.Match(Cp(word));
  }

  TCharacterManager manager;
  TStringSearcher searcher;
};

struct MatchCase {
  const char* pattern;
  const char* word;
  bool expected;
};

TEST_F(StringSearcherTest, MatchesTable) {
  const MatchCase cases[] = {
      {"п?бе*л?", "победитель", true},
      {"п?бе*л?", "победил", false},
      {"п?бе*л?", "пробел", false},
      {"*", "кот", true},
      {"**", "кот", true},
      {"", "кот", false},
      {"?*", "а", true},
      {"*???*", "ab", false},
      {"*???*", "abc", true},
      {"*???*", "abcdefgh", true},
      {"????????", "абвгдежз", true},
      {"????????", "абвгдеж", false},
      {"*ing", "ring", true},
      {"*ing", "ringo", false},
      {"@$@$@", "акула", true},
      {"@$@$@", "кулак", false},
      {"+а+", "мак", true},
      {"$а$", "мак", true},
      {"+а+", "аак", false},
      {"!+", "о", true},
      {"!+", "к", false},
      {"!(аб)", "в", true},
      {"!(аб)", "-", true},
      {"!(аб)", "а", false},
      {"(!аб)", "б", false},
      {"[!аб]", "7", true},
      {"[!аб]*", "вот", true},
      {"[!аб]*", "бот", false},
      {"[аб", "б", true},
      {"[аб", "в", false},
      {"[$]", "к", true},
      {"[$]", "о", false},
      {"[a*b]", "ab", false},  // the star splits: items "[a" and "b]"
      {"[a*b]", "axb]", true},
      {"]", "]", true},
      {"[", "[", false},
      {"1221", "анна", true},
      {"1221", "абба", true},
      {"1221", "аааа", false},
      {"1221", "абва", false},
      {"11*", "ссора", true},
      {"11*", "сорр", false},
      {"*11*", "масса", true},
      {"*11*", "дома", false},
      {"1*1", "шалаш", true},
      {"1*1", "шалам", false},
      {"1???", "abcd", true},
      {"*1*2*1*2*", "abab", true},
      {"*1*2*1*2*", "xaybzaqb", true},
      {"*1*2*1*2*", "aabb", false},
      {"1*2*1", "aaca", true},   // a later placement of the middle name fits
      {"1*2*1", "aaaa", false},  // 2 must differ from 1
      {"*1*1*1*", "abacad", true},
      {"*1*1*1*", "abcabd", false},
      {"[1]?1", "aba", true},    // a bracketed digit is a name too
      {"[12]?1", "aba", false},  // names "12" and "1" must differ
      {"[!1]", "1", true},       // digits in a negated bracket are skipped: no name, no letter
      {"[!1a]", "a", false},
      {"^", "^", true},
      {"a!b", "a!b", true},
      {"**", "", true},        // no runs at all: every word
      {"*?a?*", "bab", true},  // a letter among the any-letter positions counts
      {"*?a?*", "bbbb", false},
      {"**?1?1**3", "xayaz", true},
      {"**?1?1**3", "xayaa", false},  // 3 must differ from 1
      {"**?1?1**3", "xaybz", false},
      {"??*c", "abcc", true},  // the last run is pinned to the end
      {"??*c", "acca", false},
      // Latin letters have classes too: a e i o u vowels, y a consonant.
      {"c@a$", "coat", true},
      {"c@a$", "cyan", false},
      {"$@$", "yes", true},
      {"$@$", "you", false},
      {"$@$", "Cat", true},
      {"@$?*ist", "artist", true},
      {"@$?*ist", "tourist", false},
      {"[$]", "w", true},
      {"[@]", "y", false},
      {"[!@]", "y", true},
      {"!+!+", "ea", true},
      {"+a+", "bay", true},
  };
  for (const MatchCase& c : cases)
    EXPECT_EQ(c.expected, Matches(c.pattern, c.word)) << c.pattern << " / " << c.word;
}

TEST_F(StringSearcherTest, CaseInsensitiveFoldsPatternAndWord) {
  EXPECT_TRUE(Matches("кот", "Кот"));
  EXPECT_TRUE(Matches("Кот", "кот"));
  EXPECT_TRUE(Matches("КОТ", "кОт"));
  EXPECT_TRUE(Matches("[!К]от", "рот"));
  EXPECT_FALSE(Matches("[!К]от", "кот"));
  EXPECT_TRUE(Matches("(КР)от", "рот"));
  EXPECT_TRUE(Matches("111", "Ааа"));  // names compare folded letters, pre-check included
  EXPECT_TRUE(Matches("12", "Аб"));
  EXPECT_FALSE(Matches("12", "Аа"));
}

TEST_F(StringSearcherTest, CaseSensitiveKeepsCase) {
  manager.SetCaseSensitive(true);
  EXPECT_TRUE(Matches("Кот", "Кот"));
  EXPECT_FALSE(Matches("Кот", "кот"));
  EXPECT_FALSE(Matches("кот", "Кот"));
  EXPECT_FALSE(Matches("111", "Ааа"));
  EXPECT_TRUE(Matches("12", "Аа"));
}

TEST_F(StringSearcherTest, CaseChangeRecompilesSameText) {
  searcher.SetPattern(Cp("[!к]от"));
  EXPECT_FALSE(searcher.Match(Cp("Кот")));
  manager.SetCaseSensitive(true);
  searcher.SetPattern(Cp("[!к]от"));
  EXPECT_TRUE(searcher.Match(Cp("Кот")));
  manager.SetCaseSensitive(false);
  searcher.SetPattern(Cp("[!к]от"));
  EXPECT_FALSE(searcher.Match(Cp("Кот")));
}

TEST_F(StringSearcherTest, EqualLettersInBothCaseModes) {
  manager.AddEqualLetters(TEqualLetters{Cp("ё"), Cp("е")[0], true});
  for (bool case_sensitive : {false, true}) {
    manager.SetCaseSensitive(case_sensitive);
    EXPECT_TRUE(Matches("ёж", "еж")) << case_sensitive;
    EXPECT_TRUE(Matches("еж", "ёж")) << case_sensitive;
    EXPECT_TRUE(Matches("1*1", "ёлке")) << case_sensitive;
  }
}

TEST_F(StringSearcherTest, NoPatternMatchesNothing) {
  EXPECT_FALSE(searcher.Match(Cp("кот")));
  EXPECT_EQ(0, searcher.MinLength());
  EXPECT_EQ(0, searcher.MaxLength());
}

TEST_F(StringSearcherTest, LengthLimits) {
  const struct {
    const char* pattern;
    int min, max;
  } cases[] = {{"п?бе*л?", 6, -1}, {"??", 2, 2},    {"*", 0, -1}, {"", 0, 0},
               {"[аб]1*", 2, -1},  {"!(аб)", 1, 1}, {"[", 0, 0}};
  for (const auto& c : cases) {
    searcher.SetPattern(Cp(c.pattern));
    EXPECT_EQ(c.min, searcher.MinLength()) << c.pattern;
    EXPECT_EQ(c.max, searcher.MaxLength()) << c.pattern;
  }
}

TEST_F(StringSearcherTest, IsPatternKnowsBothSyntaxes) {
  for (auto text : {"п?бе", "*ing", "1221", "!(а)", "+а", "(аб)", "a)", "a!", "$@$", "к@т", "@",
                    "$", "[аб]", "к[оиу]т", "[", "a[!b"})
    EXPECT_TRUE(TStringSearcher::IsPattern(Cp(text))) << text;
  for (auto text : {"кот", "", "a-b", "]", "a]", "^", "^c", "a^b]"})
    EXPECT_FALSE(TStringSearcher::IsPattern(Cp(text))) << text;
}

TEST_F(StringSearcherTest, PlainTextIsSearchedAsTheWordsHoldingIt) {
  const std::pair<const char*, const char*> cases[] = {
      {"побед", "*побед*"}, {"к?т", "к?т"}, {"$@$", "$@$"}, {"a^b]", "*a^b]*"}, {"", "**"},
  };
  for (auto [typed, searched] : cases)
    EXPECT_EQ(Cp(searched), TStringSearcher::SearchedPattern(Cp(typed))) << typed;
}

TEST_F(StringSearcherTest, SyntaxTranslation) {
  const std::pair<const char*, const char*> cases[] = {
      {"!(аб)", "[!аб]"}, {"(!аб)", "[!аб]"}, {"!+", "@"},    {"+а+", "$а$"},
      {"!!(", "![!"},     {"!((", "[[!"},     {"a!", "a!"},   {"[!a]", "[!a]"},
      {"!+!+", "@@"},     {"(a)", "[a]"},     {"*?*", "*?*"},
  };
  for (auto [typed, compiled] : cases)
    EXPECT_EQ(Cp(compiled), TPattern::TranslateSyntax(Cp(typed))) << typed;
}

// Each pattern matched against an independent reading of the pattern language, as a regular
// expression, over words of Latin and Russian letters in both cases.
TEST_F(StringSearcherTest, AgreesWithARegularExpressionReading) {
  std::mt19937 rng(20261210);
  const std::string alphabet = "abcAB" + Cp("акАК");
  // Lower-case letters only in the pattern: case folding is checked by the tests above.
  const std::string tokens[] = {"a",    "b",    "c",     "?",   "*",     "*",    "1",
                                "2",    "3",    "[ab]",  "[!a]", "**",   "[",    "]",
                                Cp("а"), Cp("к"), "@",   "$",   "+",     "!+",   "(ab)",
                                "!(b)", "[1]",  "[a$]",  "[12]", "[!1a]", "[" + Cp("а") + "@]"};
  auto pick = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
  // The word as the searcher compares it: Latin and Russian capitals folded unless case counts.
  auto fold = [](std::string word, bool case_sensitive) {
    if (!case_sensitive)
      for (char& c : word) {
        const auto b = static_cast<std::uint8_t>(c);
        if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDF)) c = static_cast<char>(b + 0x20);
      }
    return word;
  };
  int matched = 0, tried = 0;
  for (bool case_sensitive : {false, true}) {
    manager.SetCaseSensitive(case_sensitive);
    for (int round = 0; round < 1000; ++round) {
      std::string pattern;
      for (std::size_t k = 1 + pick(7); k > 0; --k) pattern += tokens[pick(std::size(tokens))];
      searcher.SetPattern(pattern);
      const std::optional<testing::PatternRegex> reading = testing::ReadPattern(pattern);
      const std::regex expression(reading ? reading->Expression : "[^\\s\\S]");
      for (int w = 0; w < 30; ++w) {
        std::string word;
        for (std::size_t k = pick(9); k > 0; --k) word += alphabet[pick(alphabet.size())];
        const bool expected = reading && std::regex_match(fold(word, case_sensitive), expression);
        matched += expected;
        ++tried;
        ASSERT_EQ(expected, searcher.Match(word))
            << Utf(pattern) << " / " << Utf(word) << " / case sensitive " << case_sensitive
            << " / " << (reading ? reading->Expression : "no match");
      }
    }
  }
  // The generator reaches both answers.
  EXPECT_GT(matched, tried / 20);
  EXPECT_LT(matched, tried - tried / 20);
}

}  // namespace
}  // namespace gryvel
