#include "search/character_manager.h"

#include <gtest/gtest.h>

#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;

std::uint8_t B(std::string_view utf8_letter) {
  return static_cast<std::uint8_t>(Cp(utf8_letter)[0]);
}

class CharacterManagerTest : public ::testing::Test {
 protected:
  void TearDown() override { ResetLetterMaps(); }

  static TEqualLetters Group(std::string_view letters, std::string_view equivalent, bool active) {
    return TEqualLetters{Cp(letters), Cp(equivalent)[0], active};
  }
};

TEST_F(CharacterManagerTest, CaseTablesFollowTheCodePage) {
  EXPECT_EQ('a', Lower('A'));
  EXPECT_EQ(B("я"), Lower(B("Я")));
  EXPECT_EQ(B("ё"), Lower(B("Ё")));
  const std::pair<int, int> extra[] = {{0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0xA3, 0xBC},
                                       {0xA5, 0xB4}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE}};
  for (auto [upper, lower] : extra) {
    EXPECT_EQ(lower, Lower(static_cast<std::uint8_t>(upper))) << upper;
    EXPECT_EQ(upper, Upper(static_cast<std::uint8_t>(lower))) << lower;
  }
  for (char c : std::string("0123456789-.,!?*[] ")) {
    const auto x = static_cast<std::uint8_t>(c);
    EXPECT_EQ(x, Lower(x));
    EXPECT_EQ(x, Upper(x));
  }
  EXPECT_EQ(0x98, Lower(0x98));
}

TEST_F(CharacterManagerTest, ConstructionFillsSharedMaps) {
  EXPECT_EQ('A', MatchMap()['A']);  // identity before any manager
  EXPECT_EQ(B("Ё"), CollationMap()[B("Ё")]);
  {
    TCharacterManager manager;
    EXPECT_EQ(&manager.FoldMap(), &MatchMap());
    EXPECT_EQ(B("е"), CollationMap()[B("Ё")]);
    EXPECT_EQ(B("е"), CollationMap()[B("ё")]);
    EXPECT_EQ(B("ж"), CollationMap()[B("Ж")]);
    manager.SetCaseSensitive(true);
    EXPECT_EQ(&manager.LetterMap(), &MatchMap());
  }
  EXPECT_EQ('A', MatchMap()['A']);  // back to identity once the manager is gone
}

TEST_F(CharacterManagerTest, WorkingCopyNeverTouchesMatchMap) {
  TCharacterManager search;
  TCharacterManager copy(TManagerRole::WorkingCopy);
  copy.SetCaseSensitive(true);
  copy.AddEqualLetters(Group("ё", "е", true));
  EXPECT_EQ(&search.FoldMap(), &MatchMap());
  EXPECT_EQ(B("ё"), MatchMap()[B("ё")]);
}

TEST_F(CharacterManagerTest, ActiveGroupMapsBothCases) {
  TCharacterManager m;
  m.AddEqualLetters(Group("ё", "е", true));
  for (auto letter : {"Ё", "ё", "Е", "е"}) EXPECT_EQ(B("е"), m.FoldMap()[B(letter)]) << letter;
  EXPECT_EQ(B("Е"), m.LetterMap()[B("Ё")]);
  EXPECT_EQ(B("е"), m.LetterMap()[B("ё")]);
  EXPECT_EQ(B("Е"), m.LetterMap()[B("Е")]);
  EXPECT_EQ(B("е"), MatchMap()[B("Ё")]);

  m.SetEqualLettersActive(0, false);
  EXPECT_EQ(B("ё"), m.FoldMap()[B("Ё")]);
  EXPECT_EQ(B("ё"), m.LetterMap()[B("ё")]);
  EXPECT_EQ(B("е"), CollationMap()[B("Ё")]);
}

TEST_F(CharacterManagerTest, EquivalentOutsideLettersStaysItself) {
  TCharacterManager m;
  m.AddEqualLetters(Group("аб", "в", true));
  EXPECT_EQ(B("в"), m.LetterMap()[B("а")]);
  EXPECT_EQ(B("В"), m.LetterMap()[B("Б")]);
  EXPECT_EQ(B("в"), m.LetterMap()[B("в")]);
  EXPECT_EQ(B("В"), m.LetterMap()[B("В")]);
}

TEST_F(CharacterManagerTest, SharedLetterFollowsLastApplyAndAnyRemove) {
  TCharacterManager m;
  m.AddEqualLetters(Group("аб", "в", true));
  m.AddEqualLetters(Group("бг", "д", true));
  EXPECT_EQ(B("д"), m.LetterMap()[B("б")]);  // the last group applied wins
  m.SetEqualLettersActive(1, false);
  EXPECT_EQ(B("б"), m.LetterMap()[B("б")]);  // reset although group 0 is still active
  EXPECT_EQ(B("б"), m.FoldMap()[B("Б")]);
  EXPECT_EQ(B("в"), m.LetterMap()[B("а")]);
}

TEST_F(CharacterManagerTest, AddingInactiveGroupResetsItsLetters) {
  TCharacterManager m;
  m.AddEqualLetters(Group("аб", "в", true));
  m.AddEqualLetters(Group("а", "г", false));
  EXPECT_EQ(B("а"), m.LetterMap()[B("а")]);
  EXPECT_EQ(B("в"), m.LetterMap()[B("б")]);
}

TEST_F(CharacterManagerTest, SetEqualLettersOnInactiveGroupKeepsOldLetters) {
  TCharacterManager m;
  m.AddEqualLetters(Group("а", "г", false));
  m.AddEqualLetters(Group("аб", "в", true));
  m.SetEqualLetters(0, Group("к", "л", true));
  EXPECT_EQ(B("л"), m.LetterMap()[B("к")]);
  EXPECT_EQ(B("в"), m.LetterMap()[B("а")]);  // the old, inactive letters were not reset
  EXPECT_EQ(Group("к", "л", true), m.GetEqualLetters(0));

  m.SetEqualLetters(1, Group("м", "н", false));  // an active old group is removed first
  EXPECT_EQ(B("а"), m.LetterMap()[B("а")]);
  EXPECT_EQ(B("б"), m.FoldMap()[B("Б")]);
  EXPECT_EQ(B("м"), m.LetterMap()[B("м")]);
}

TEST_F(CharacterManagerTest, OutOfRangeIndicesChangeNothing) {
  TCharacterManager m;
  m.AddEqualLetters(Group("ё", "е", true));
  for (int index : {-1, 1}) {
    EXPECT_EQ(TEqualLetters{}, m.GetEqualLetters(index));
    EXPECT_FALSE(m.GetEqualLettersActive(index));
    m.DeleteEqualLetters(index);
    m.SetEqualLettersActive(index, false);
    m.SetEqualLetters(index, Group("а", "б", true));
  }
  EXPECT_EQ(1, m.EqualLettersCount());
  EXPECT_EQ(B("е"), m.LetterMap()[B("ё")]);
  EXPECT_EQ(B("а"), m.LetterMap()[B("а")]);
}

TEST_F(CharacterManagerTest, DeleteClearAndAssign) {
  TCharacterManager m;
  m.AddEqualLetters(Group("ё", "е", true));
  m.AddEqualLetters(Group("й", "и", false));
  m.AddEqualLetters(Group("ъ", "ь", true));
  m.DeleteEqualLetters(0);
  EXPECT_EQ(2, m.EqualLettersCount());
  EXPECT_EQ(Group("й", "и", false), m.GetEqualLetters(0));
  EXPECT_EQ(B("ё"), m.LetterMap()[B("ё")]);

  TCharacterManager copy(TManagerRole::WorkingCopy);
  copy.AddEqualLetters(Group("о", "а", true));
  copy.AssignEqualLetters(m);
  EXPECT_EQ(2, copy.EqualLettersCount());
  EXPECT_EQ(B("о"), copy.LetterMap()[B("о")]);
  EXPECT_EQ(B("ь"), copy.LetterMap()[B("ъ")]);

  m.ClearEqualLetters();
  EXPECT_EQ(0, m.EqualLettersCount());
  EXPECT_EQ(B("ъ"), m.LetterMap()[B("ъ")]);
}

TEST_F(CharacterManagerTest, NonLettersMapToThemselves) {
  TCharacterManager m;
  m.AddEqualLetters(Group("ё", "е", true));
  for (char c : std::string("0123456789-.,;:!?")) {
    const auto x = static_cast<std::uint8_t>(c);
    EXPECT_EQ(x, m.LetterMap()[x]);
    EXPECT_EQ(x, m.FoldMap()[x]);
    EXPECT_EQ(x, CollationMap()[x]);
  }
}

TEST_F(CharacterManagerTest, MapStringUsesLetterMap) {
  TCharacterManager m;
  m.AddEqualLetters(Group("ё", "е", true));
  std::string s = Cp("Ёлка ёж");
  m.MapString(s);
  EXPECT_EQ(Cp("Елка еж"), s);
}

TEST(LetterClassesTest, VowelsAndConsonants) {
  int vowels = 0, consonants = 0;
  for (int x = 0; x < 256; ++x) {
    vowels += VowelClass().Contains(static_cast<std::uint8_t>(x));
    consonants += ConsonantClass().Contains(static_cast<std::uint8_t>(x));
  }
  EXPECT_EQ(20 + 10, vowels);  // Russian, then Latin, in both cases
  EXPECT_EQ(42 + 42, consonants);
  for (auto vowel : {"Ё", "я", "a", "E", "i", "O", "u"})
    EXPECT_TRUE(VowelClass().Contains(B(vowel))) << vowel;
  for (auto consonant : {"Щ", "й", "b", "Y", "y", "z", "Q"})
    EXPECT_TRUE(ConsonantClass().Contains(B(consonant))) << consonant;
  for (auto neither : {"ъ", "Ъ", "ь", "Ь", "-", "'", "1", "№"}) {
    EXPECT_FALSE(VowelClass().Contains(B(neither))) << neither;
    EXPECT_FALSE(ConsonantClass().Contains(B(neither))) << neither;
  }
  EXPECT_TRUE(AnyClass().IsFull());
}

}  // namespace
}  // namespace gryvel
