#include <gtest/gtest.h>

#include <random>

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

// The letter-marking procedure the tests must agree with, done on copies.
bool Consume(std::string_view x, std::string y, int jokers, const TByteMap& m) {
  int misses = 0;
  for (char c : x) {
    const auto wanted = static_cast<char>(m[static_cast<std::uint8_t>(c)]);
    const std::size_t at = y.find(wanted);
    if (at != std::string::npos) {
      y[at] = '\0';
    } else if (++misses > jokers) {
      return false;
    }
  }
  return true;
}

bool Reference(TAnagramOptions options, const std::string& a, const std::string& w,
               const TByteMap& m) {
  const int jokers = static_cast<int>(std::count(a.begin(), a.end(), '?'));
  auto counts = [&](const std::string& s, bool skip_jokers) {
    std::array<int, 256> n{};
    for (char c : s)
      if (!(skip_jokers && c == '?')) ++n[m[static_cast<std::uint8_t>(c)]];
    return n;
  };
  const auto letters = counts(a, true);
  auto prechecked = [&] {
    int misses = 0;
    for (char c : w)
      if (letters[m[static_cast<std::uint8_t>(c)]] == 0 && ++misses > jokers) return false;
    return true;
  };
  std::string mapped = w;
  for (char& c : mapped) c = static_cast<char>(m[static_cast<std::uint8_t>(c)]);
  switch (options) {
    case aoUsual:
      return w.size() == a.size() && prechecked() && Consume(a, mapped, jokers, m);
    case aoExtended: {
      if (w.size() < a.size()) return false;
      const auto word = counts(w, false);
      for (char c : a)
        if (c != '?' &&
            letters[m[static_cast<std::uint8_t>(c)]] > word[m[static_cast<std::uint8_t>(c)]])
          return false;
      return true;
    }
    case aoMakeWords:
      return w.size() <= a.size() && prechecked() && Consume(w, a, jokers, m);
  }
  return false;
}

TEST_F(AnagramTest, AgreesWithMarkingLettersInCopies) {
  manager.AddEqualLetters(TEqualLetters{"b", 'a', true});
  std::mt19937 rng(1251);
  const std::string alphabet = "aabbcdA?";
  auto random_text = [&](int max) {
    std::string s;
    for (int k = static_cast<int>(rng() % (max + 1)); k > 0; --k)
      s += alphabet[rng() % alphabet.size()];
    return s;
  };
  for (int round = 0; round < 3000; ++round) {
    const std::string letters = random_text(6);
    const auto options = static_cast<TAnagramOptions>(rng() % 3);
    searcher.SetAnagramOptions(options);
    searcher.SetAnagramString(letters);
    const std::string& a = searcher.AnagramString();
    for (int k = 0; k < 10; ++k) {
      std::string word = random_text(7);
      std::erase(word, '?');
      ASSERT_EQ(Reference(options, a, word, manager.LetterMap()), searcher.IsAnagram(word))
          << int(options) << " " << letters << " / " << word;
    }
  }
}

}  // namespace
}  // namespace gryvel
