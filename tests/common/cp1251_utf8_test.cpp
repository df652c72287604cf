#include "common/cp1251_utf8.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace gryvel {
namespace {

// "Привет, мир!" in code page 1251 and in UTF-8.
const std::string kRussian1251 = "\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0!";
const std::string kRussianUtf8 = "Привет, мир!";

TEST(Cp1251Utf8, RussianTextBothWays) {
  EXPECT_EQ(kRussianUtf8, Cp1251ToUtf8(kRussian1251));
  std::string out;
  ASSERT_TRUE(Utf8ToCp1251(kRussianUtf8, &out).ok());
  EXPECT_EQ(kRussian1251, out);
}

TEST(Cp1251Utf8, EmptyText) {
  EXPECT_EQ("", Cp1251ToUtf8(""));
  std::string out = "old";
  ASSERT_TRUE(Utf8ToCp1251("", &out).ok());
  EXPECT_EQ("", out);
}

// Every byte, including NUL and the unassigned 0x98, survives the trip through UTF-8.
TEST(Cp1251Utf8, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  std::string back;
  ASSERT_TRUE(Utf8ToCp1251(Cp1251ToUtf8(all), &back).ok());
  EXPECT_EQ(all, back);
}

// Bytes whose characters are easy to get wrong in the table.
TEST(Cp1251Utf8, CharactersOfTheUpperHalf) {
  const struct {
    char byte;
    const char* utf8;
  } cases[] = {
      {'\x80', "Ђ"},      {'\x82', "‚"}, {'\x88', "€"},      {'\x96', "–"}, {'\x97', "—"},
      {'\x98', "\u0098"}, {'\x99', "™"}, {'\xA0', "\u00A0"}, {'\xA5', "Ґ"}, {'\xA8', "Ё"},
      {'\xAD', "\u00AD"}, {'\xB4', "ґ"}, {'\xB8', "ё"},      {'\xB9', "№"}, {'\xBF', "ї"},
      {'\xC0', "А"},      {'\xDF', "Я"}, {'\xE0', "а"},      {'\xFF', "я"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(c.utf8, Cp1251ToUtf8(std::string(1, c.byte)));
  }
}

TEST(Cp1251Utf8, RefusesCharactersOutsideTheCodePage) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"ab中", "Character U+4E2D \"中\" at position 3 cannot be written in code page 1251"},
      {"😀", "Character U+1F600 \"😀\" at position 1 cannot be written in code page 1251"},
      {"é", "Character U+00E9 \"é\" at position 1 cannot be written in code page 1251"},
      {"\u0085", "Character U+0085 at position 1 cannot be written in code page 1251"},
  };
  for (const auto& c : cases) {
    std::string out = "untouched";
    const TStatus status = Utf8ToCp1251(c.text, &out);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(c.message, status.message());
    EXPECT_EQ("untouched", out);
  }
}

TEST(Cp1251Utf8, RefusesMalformedUtf8) {
  const struct {
    std::string text;
    const char* message;
  } cases[] = {
      {"a\x80", "Malformed UTF-8 at byte 1: continuation byte 0x80 without a lead byte"},
      {"\xFF", "Malformed UTF-8 at byte 0: byte 0xFF never occurs in UTF-8"},
      {"\xD0", "Malformed UTF-8 at byte 0: sequence cut short by the end of the text"},
      {"\xE2\x82", "Malformed UTF-8 at byte 0: sequence cut short by the end of the text"},
      {"\xD0z", "Malformed UTF-8 at byte 0: sequence cut short by byte 0x7A"},
      {"\xC0\xAF", "Malformed UTF-8 at byte 0: overlong encoding"},
      {"\xE0\x80\xAF", "Malformed UTF-8 at byte 0: overlong encoding"},
      {"\xF0\x80\x80\xAF", "Malformed UTF-8 at byte 0: overlong encoding"},
      {"\xED\xA0\x80", "Malformed UTF-8 at byte 0: encoded surrogate"},
      {"\xF4\x90\x80\x80", "Malformed UTF-8 at byte 0: value past U+10FFFF"},
  };
  for (const auto& c : cases) {
    std::string out = "untouched";
    const TStatus status = Utf8ToCp1251(c.text, &out);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(c.message, status.message());
    EXPECT_EQ("untouched", out);
  }
}

TEST(FindUnstorableTest, TextTheCodePageHoldsIsStorable) {
  for (const char* text : {"", "cat", "Привет, мир!", "€ 5 — №1 «ёж»", "\u0098\t\r\n"})
    EXPECT_EQ(std::nullopt, FindUnstorable(text)) << text;
}

// Positions count characters as a reader sees them; the UTF-16 span is what a text edit
// selects to show the whole of that character.
TEST(FindUnstorableTest, NamesTheFirstCharacterAndWhereItIsShown) {
  const struct {
    const char* text;
    char32_t code;
    std::size_t position;
    std::size_t utf16_start;
    std::size_t utf16_length;
    const char* shown;
  } cases[] = {
      {"описание нового ✓", 0x2713, 17, 16, 1, "✓"},
      {"café ✓", 0xE9, 4, 3, 1, "é"},
      {"ab😀c✓", 0x1F600, 3, 2, 2, "😀"},            // a surrogate pair in UTF-16
      {"😀😀x✓", 0x1F600, 1, 0, 2, "😀"},
      {"x😀✓", 0x1F600, 2, 1, 2, "😀"},
      {"cafe\u0301!", 0x301, 4, 3, 2, "e\u0301"},     // a combining accent on a letter
      {"ё\u0301ж", 0x301, 1, 0, 2, "ё\u0301"},
      {"\u0301a", 0x301, 1, 0, 1, "\u0301"},          // a mark with nothing before it
      {"ок👍🏽", 0x1F44D, 3, 2, 4, "👍🏽"},              // a skin tone joins the hand
      {"a👨\u200D👩b", 0x1F468, 2, 1, 5, "👨\u200D👩"},  // joined by a zero-width joiner
      {"я\u200Dz", 0x200D, 1, 0, 3, "я\u200Dz"},
      {"ŭ", 0x16D, 1, 0, 1, "ŭ"},
      {"ab\u0085", 0x85, 3, 2, 1, "\u0085"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<TUnstorable> found = FindUnstorable(c.text);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(c.code, found->Code);
    EXPECT_EQ(c.position, found->Position);
    EXPECT_EQ(c.utf16_start, found->Utf16Start);
    EXPECT_EQ(c.utf16_length, found->Utf16Length);
    EXPECT_EQ(c.shown, found->Shown);
  }
}

TEST(FindUnstorableTest, MessageQuotesWhatTheReaderSees) {
  EXPECT_EQ("Character U+0301 \"e\u0301\" at position 4 cannot be written in code page 1251",
            FindUnstorable("cafe\u0301")->Message);
  EXPECT_EQ("Character U+2713 \"✓\" at position 17 cannot be written in code page 1251",
            FindUnstorable("описание нового ✓")->Message);
}

TEST(FindUnstorableTest, MalformedUtf8IsFoundWhereItStarts) {
  const std::optional<TUnstorable> found = FindUnstorable("я\xE2\x82z");
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(0u, found->Code);
  EXPECT_EQ(2u, found->Position);
  EXPECT_EQ(1u, found->Utf16Start);
  EXPECT_EQ("", found->Shown);
  EXPECT_EQ("Malformed UTF-8 at byte 2: sequence cut short by byte 0x7A", found->Message);
  EXPECT_EQ("Malformed UTF-8 at byte 0: byte 0xFF never occurs in UTF-8",
            FindUnstorable("\xFF")->Message);
}

TEST(PathForMessageTest, KeepsWhatTheCodePageHoldsAndMarksTheRest) {
  const std::pair<std::string, std::string> cases[] = {
      {"/home/u/words.kiv", "/home/u/words.kiv"},
      {"/tmp/\xD1\x81\xD0\xBB\xD0\xBE\xD0\xB2.kiv", "/tmp/\xF1\xEB\xEE\xE2.kiv"},  // слов
      {"/tmp/\xE4\xB8\xAD\xD1\x8F.txt", "/tmp/?\xFF.txt"},  // 中я
      {"/tmp/\xFF\xD0.txt", "/tmp/??.txt"},
  };
  for (const auto& [path, text] : cases) EXPECT_EQ(text, PathForMessage(path)) << path;
}

}  // namespace
}  // namespace gryvel
