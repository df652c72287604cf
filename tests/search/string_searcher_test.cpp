#include "search/string_searcher.h"

#include <gtest/gtest.h>

#include <random>

#include "search/character_manager.h"
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

TEST_F(StringSearcherTest, SyntaxTranslation) {
  const std::pair<const char*, const char*> cases[] = {
      {"!(аб)", "[!аб]"}, {"(!аб)", "[!аб]"}, {"!+", "@"},    {"+а+", "$а$"},
      {"!!(", "![!"},     {"!((", "[[!"},     {"a!", "a!"},   {"[!a]", "[!a]"},
      {"!+!+", "@@"},     {"(a)", "[a]"},     {"*?*", "*?*"},
  };
  for (auto [typed, compiled] : cases)
    EXPECT_EQ(Cp(compiled), TPattern::TranslateSyntax(Cp(typed))) << typed;
}

TEST_F(StringSearcherTest, CompiledStructure) {
  searcher.SetPattern(Cp("п?бе*л?"));
  const TPattern& p = searcher.Pattern();
  ASSERT_EQ(1, p.PatternCount());
  const TPatternStruct& ps = p.Patterns(0);
  EXPECT_EQ(2, ps.ItemCount);
  EXPECT_TRUE(ps.AnchoredStart && ps.AnchoredEnd);
  EXPECT_FALSE(ps.LengthOnly || ps.NoStar || ps.HasNames);
  EXPECT_EQ(1, ps.FirstMovable);
  EXPECT_EQ(0, ps.LastMovable);
  EXPECT_EQ(6, ps.Items[0].MinRest);

  searcher.SetPattern(Cp("**?1?1**3"));
  const TPatternStruct& named = p.Patterns(0);
  EXPECT_EQ(2, named.ItemCount);
  EXPECT_EQ(4, named.Items[0].LeadingAny);
  ASSERT_EQ(2u, p.Names().size());
  EXPECT_EQ("1", p.Names()[0].Name);
  EXPECT_EQ(2, p.MaxNamedCount());
  EXPECT_TRUE(named.HasNames);

  searcher.SetPattern(Cp("*???*"));
  EXPECT_TRUE(p.Patterns(0).LengthOnly);
  searcher.SetPattern(Cp("**"));
  EXPECT_EQ(0, p.Patterns(0).ItemCount);
}

// Every placement of the compiled items, tried exhaustively; what Match must agree with.
class BruteForce {
 public:
  BruteForce(const TPattern& pattern, std::string_view word)
      : ps_(pattern.Patterns(0)), names_(pattern.Names()), word_(word) {}

  bool Run() {
    const int len = static_cast<int>(word_.size());
    if (len < ps_.MinLength || len > ps_.MaxLength) return false;
    if (ps_.ItemCount == 0) return true;
    starts_.assign(ps_.ItemCount, 0);
    return Place(0, 0);
  }

 private:
  bool Place(int i, int from) {
    const int len = static_cast<int>(word_.size());
    if (i == ps_.ItemCount) return (!ps_.AnchoredEnd || from == len) && NamesHold();
    const int count = ps_.Items[i].Chars.Count;
    int lo = from, hi = len - count;
    if (i == 0 && ps_.AnchoredStart) hi = 0;
    if (i == ps_.ItemCount - 1 && ps_.AnchoredEnd) lo = std::max(lo, len - count);
    for (int p = lo; p <= hi; ++p) {
      if (!Fits(i, p)) continue;
      starts_[i] = p;
      if (Place(i + 1, p + count)) return true;
    }
    return false;
  }
  bool Fits(int i, int p) const {
    const TPatternItem& item = ps_.Items[i];
    if (item.Chars.Count == 0 &&
        ((i == 0 && ps_.AnchoredStart) || (i == ps_.ItemCount - 1 && ps_.AnchoredEnd)))
      return false;
    for (int k = 0; k < item.Chars.Count; ++k)
      if (!item.Chars.Sets[k].Contains(At(p + k))) return false;
    return true;
  }
  bool NamesHold() const {
    std::vector<std::uint8_t> letters;
    for (const TNamedCharItem& name : names_) {
      const std::uint8_t first = At(starts_[name.Places[0].Item] + name.Places[0].Pos - 1);
      for (std::uint8_t other : letters)
        if (other == first) return false;
      letters.push_back(first);
      for (const TNamedPlace& place : name.Places)
        if (At(starts_[place.Item] + place.Pos - 1) != first) return false;
    }
    return true;
  }
  std::uint8_t At(int k) const { return MatchMap()[static_cast<std::uint8_t>(word_[k])]; }

  const TPatternStruct& ps_;
  const TNamedCharItems& names_;
  std::string_view word_;
  std::vector<int> starts_;
};

TEST_F(StringSearcherTest, AgreesWithExhaustivePlacementSearch) {
  std::mt19937 rng(20261210);
  const std::string alphabet = "abcAB";
  const std::string tokens[] = {"a", "b", "c",    "?",    "*",  "*", "1",
                                "2", "3", "[ab]", "[!a]", "**", "["};
  auto pick = [&](int n) { return static_cast<int>(rng() % n); };
  int matched = 0;
  for (int round = 0; round < 4000; ++round) {
    std::string pattern;
    for (int k = 1 + pick(7); k > 0; --k) pattern += tokens[pick(std::size(tokens))];
    searcher.SetPattern(pattern);
    if (searcher.Pattern().PatternCount() == 0) continue;
    for (int w = 0; w < 20; ++w) {
      std::string word;
      for (int k = pick(9); k > 0; --k) word += alphabet[pick(alphabet.size())];
      const bool expected = BruteForce(searcher.Pattern(), word).Run();
      matched += expected;
      ASSERT_EQ(expected, searcher.Match(word)) << pattern << " / " << word;
    }
  }
  EXPECT_GT(matched, 1000);  // the generator reaches both answers
}

}  // namespace
}  // namespace gryvel
