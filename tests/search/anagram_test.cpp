#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>

#include "search/character_manager.h"
#include "search/string_searcher.h"
#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;

class AnagramTest : public ::testing::Test {
 protected:
  AnagramTest() { searcher.SetCharacterManager(&manager); }
  ~AnagramTest() override { ResetLetterMaps(); }

  bool Anagram(TAnagramOptions options, std::string_view letters, std::string_view word) {
    searcher.SetAnagramOptions(options);
    searcher.SetAnagramString(Cp(letters));
    return searcher.IsAnagram(Cp(word));
  }

  TCharacterManager manager;
  TStringSearcher searcher;
};

struct AnagramCase {
  TAnagramOptions options;
  const char* letters;
  const char* word;
  bool expected;
};

TEST_F(AnagramTest, ThreeQuestions) {
  const AnagramCase cases[] = {
      {aoUsual, "кот", "ток", true},
      {aoUsual, "кот", "кто", true},
      {aoUsual, "кот", "коты", false},
      {aoUsual, "кот", "кит", false},
      {aoUsual, "к?т", "кот", true},
      {aoUsual, "к?т", "кит", true},
      {aoUsual, "к?т", "тук", true},
      {aoUsual, "к?т", "кок", false},
      {aoUsual, "кот", "Кот", false},  // case is kept whatever the case option
      {aoUsual, "??", "ab", true},
      {aoUsual, "", "", true},
      {aoUsual, "", "а", false},
      {aoUsual, "аа", "аб", false},
      {aoExtended, "ао", "корова", true},
      {aoExtended, "ао", "оса", true},
      {aoExtended, "ао", "молоко", false},
      {aoExtended, "ао", "сок", false},
      {aoExtended, "а?", "ах", true},
      {aoExtended, "а?", "а", false},
      {aoExtended, "а?", "ох", false},
      {aoExtended, "оо", "кот", false},
      {aoExtended, "", "кот", true},
      {aoMakeWords, "молоко", "мол", true},
      {aoMakeWords, "молоко", "кол", true},
      {aoMakeWords, "молоко", "око", true},
      {aoMakeWords, "молоко", "молоко", true},
      {aoMakeWords, "молоко", "мама", false},
      {aoMakeWords, "мол?", "мало", true},
      {aoMakeWords, "мол?", "малая", false},
      {aoMakeWords, "мол", "ммм", false},
      {aoMakeWords, "", "", true},
      {aoMakeWords, "", "а", false},
  };
  for (const AnagramCase& c : cases)
    EXPECT_EQ(c.expected, Anagram(c.options, c.letters, c.word))
        << int(c.options) << " " << c.letters << " / " << c.word;
}

TEST_F(AnagramTest, EqualLettersApplyWhenTheLettersAreSet) {
  EXPECT_FALSE(Anagram(aoUsual, "ёлка", "елка"));
  manager.AddEqualLetters(TEqualLetters{Cp("ё"), Cp("е")[0], true});
  EXPECT_FALSE(searcher.IsAnagram(Cp("елка")));  // the letters were mapped without the group
  EXPECT_TRUE(Anagram(aoUsual, "ёлка", "елка"));
  EXPECT_TRUE(Anagram(aoUsual, "елка", "ёлка"));
  EXPECT_TRUE(Anagram(aoMakeWords, "ёлка", "ел"));
  EXPECT_EQ(Cp("елка"), searcher.AnagramString());
}

TEST_F(AnagramTest, Palindromes) {
  for (auto word : {"анна", "шалаш", "а", "abba", "aba", ""})
    EXPECT_TRUE(searcher.IsPalindrome(Cp(word))) << word;
  for (auto word : {"Анна", "ab", "abca"}) EXPECT_FALSE(searcher.IsPalindrome(Cp(word))) << word;
  manager.AddEqualLetters(TEqualLetters{Cp("ё"), Cp("е")[0], true});
  EXPECT_TRUE(searcher.IsPalindrome(Cp("ёже")));
}

// The three questions answered by counting letters, with the test's own letter identity: the
// group b = a below makes b and B count as a and A; case counts.
char Letter(char c) { return c == 'b' ? 'a' : c == 'B' ? 'A' : c; }

bool Reference(TAnagramOptions options, const std::string& letters, const std::string& word) {
  std::map<char, int> given, found;
  int jokers = 0;
  for (char c : letters) c == '?' ? ++jokers : ++given[Letter(c)];
  for (char c : word) ++found[Letter(c)];
  // Letters of the word beyond what the given letters hold, and given letters it lacks.
  int extra = 0, lacking = 0;
  for (auto [letter, n] : found) extra += std::max(0, n - given[letter]);
  for (auto [letter, n] : given) lacking += std::max(0, n - found[letter]);
  switch (options) {
    case aoUsual:  // the same letters, each joker standing for one letter of the word
      return word.size() == letters.size() && lacking == 0 && extra == jokers;
    case aoExtended:  // every given letter at least as often; jokers only ask for length
      return word.size() >= letters.size() && lacking == 0;
    case aoMakeWords:  // each letter of the word from a given one, or from a joker
      return extra <= jokers;
  }
  return false;
}

TEST_F(AnagramTest, AgreesWithCountingLetters) {
  manager.AddEqualLetters(TEqualLetters{"b", 'a', true});
  std::mt19937 rng(1251);
  const std::string alphabet = "aabbcdAB?";
  auto random_text = [&](int max) {
    std::string s;
    for (int k = static_cast<int>(rng() % (max + 1)); k > 0; --k)
      s += alphabet[rng() % alphabet.size()];
    return s;
  };
  int matched = 0, tried = 0;
  for (int round = 0; round < 3000; ++round) {
    const std::string letters = random_text(6);
    const auto options = static_cast<TAnagramOptions>(rng() % 3);
    searcher.SetAnagramOptions(options);
    searcher.SetAnagramString(letters);
    for (int k = 0; k < 10; ++k) {
      std::string word = random_text(7);
      std::erase(word, '?');
      const bool expected = Reference(options, letters, word);
      matched += expected;
      ++tried;
      ASSERT_EQ(expected, searcher.IsAnagram(word))
          << int(options) << " " << letters << " / " << word;
    }
  }
  EXPECT_GT(matched, tried / 20);  // the generator reaches both answers
}

}  // namespace
}  // namespace gryvel
