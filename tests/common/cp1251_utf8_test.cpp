#include "common/cp1251_utf8.h"

#include <gtest/gtest.h>

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
      {"ab中", "Character U+4E2D \"中\" cannot be written in code page 1251"},
      {"😀", "Character U+1F600 \"😀\" cannot be written in code page 1251"},
      {"é", "Character U+00E9 \"é\" cannot be written in code page 1251"},
      {"\u0085", "Character U+0085 cannot be written in code page 1251"},
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
