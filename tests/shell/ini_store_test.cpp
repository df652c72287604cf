#include "shell/ini_store.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;
using ::testing::ElementsAre;

TEST(IniStoreTest, NamesCompareWithoutCaseAndValuesLoseSurroundingBlanks) {
  const TIniStore store("[main]\r\n  ShowStatusBar = 0 \r\nLANGUAGE=\n[Other]\nlanguage=Eng");
  EXPECT_EQ("0", store.Value("Main", "showstatusbar"));
  EXPECT_EQ("", store.Value("MAIN", "Language"));  // present and empty
  EXPECT_EQ(std::nullopt, store.Value("Main", "Missing"));
  EXPECT_EQ(std::nullopt, store.Value("Missing", "Language"));
  EXPECT_EQ("dflt", store.ReadString("Main", "Missing", "dflt"));
  EXPECT_EQ("", store.ReadString("Main", "Language", "RUS"));
}

TEST(IniStoreTest, IntegersAndBooleansFallBackOnAnythingButANumber) {
  const TIniStore store(
      "[S]\nEmpty=\nText=abc\nTrailing=12x\nNegative=-7\nPlus=+7\nBig=4294967296\n"
      "Zero=0\nTwo=2\nSpaced= 5 \nPlusMinus=+-5\nHex=$1F");
  struct Case {
    const char* key;
    std::int32_t expected;
  };
  for (const Case& c : {Case{"Missing", 99}, Case{"Empty", 99}, Case{"Text", 99},
                        Case{"Trailing", 99}, Case{"Negative", -7}, Case{"Plus", 7},
                        Case{"Big", 99}, Case{"Spaced", 5}, Case{"PlusMinus", 99}, Case{"Hex", 99}})
    EXPECT_EQ(c.expected, store.ReadInteger("S", c.key, 99)) << c.key;
  EXPECT_TRUE(store.ReadBool("S", "Empty", true));
  EXPECT_FALSE(store.ReadBool("S", "Text", false));
  EXPECT_FALSE(store.ReadBool("S", "Zero", true));
  EXPECT_TRUE(store.ReadBool("S", "Two", false));
  EXPECT_TRUE(store.ReadBool("S", "Negative", false));
}

TEST(IniStoreTest, WritingReplacesInPlaceAppendsToTheSectionOrAddsItAtTheEnd) {
  TIniStore store(
      "; kept comment\n[Main]\nA=1\nnot a key line\n\n[Other]\nX=1\n[broken\n=no key\n");
  store.WriteInteger("MAIN", "a", 2);  // in place, the key as written now
  store.WriteBool("Main", "B", true);  // after the last line of the section that is not blank
  store.WriteString("New", "K", "v");
  EXPECT_EQ(
      "; kept comment\r\n[Main]\r\na=2\r\nnot a key line\r\nB=1\r\n\r\n[Other]\r\nX=1\r\n"
      "[broken\r\n=no key\r\n\r\n[New]\r\nK=v\r\n",
      store.Text());
}

TEST(IniStoreTest, ClearingASectionRemovesItsKeysAndKeepsItsPlace) {
  TIniStore store("[A]\nk=1\n[List]\nCount=9\n; note\nName_9=x\nname_9=y\n\n[B]\nm=2\n");
  store.ClearSection("list");
  store.WriteInteger("List", "Count", 1);
  store.ClearSection("Missing");
  EXPECT_EQ("[A]\r\nk=1\r\n[List]\r\n; note\r\nCount=1\r\n\r\n[B]\r\nm=2\r\n", store.Text());
}

TEST(IniStoreTest, OnlyTheFirstSectionAndKeyOfANameCount) {
  TIniStore store("[A]\nk=1\nk=2\n[a]\nk=3\nm=4\n");
  EXPECT_EQ("1", store.Value("A", "k"));
  EXPECT_EQ(std::nullopt, store.Value("A", "m"));
  store.WriteString("A", "k", "9");
  EXPECT_EQ("[A]\r\nk=9\r\nk=2\r\n[a]\r\nk=3\r\nm=4\r\n", store.Text());
}

TEST(IniStoreTest, AValueCannotBreakIntoLinesOfItsOwn) {
  TIniStore store;
  store.WriteString("Pattern", "1", "a\r\n[Main]\nLanguage=ENG");
  EXPECT_EQ("[Pattern]\r\n1=a  [Main] Language=ENG\r\n", store.Text());
  EXPECT_EQ(std::nullopt, TIniStore(store.Text()).Value("Main", "Language"));
}

TEST(IniStoreTest, CodePageTextAndOddBytesSurviveARoundTrip) {
  TIniStore store;
  const std::string value = Cp("ёлка ") + std::string("\0\x98\xFF", 3) + "=x";
  store.WriteString("Pattern", "1", value);
  EXPECT_EQ(value, TIniStore(store.Text()).Value("Pattern", "1"));
}

TEST(IniStoreTest, NumberedKeysListOnlyThoseThatExist) {
  const TIniStore store(
      "[Equal]\nCount=2000000000\n3=c\n1=a\n01=z\n+2=z\n-1=z\n0=z\n1=dup\n1000000=far\n"
      "FileName_7=f\nfilename_2=g\nFileName_=h\n[Next]\n2=b\n");
  EXPECT_THAT(store.NumberedKeys("Equal", "", 2000000000), ElementsAre(1, 3, 1000000));
  EXPECT_THAT(store.NumberedKeys("Equal", "", 3), ElementsAre(1, 3));
  EXPECT_THAT(store.NumberedKeys("Equal", "FileName_", 10), ElementsAre(2, 7));
  EXPECT_THAT(store.NumberedKeys("Equal", "", 0), ElementsAre());
  EXPECT_THAT(store.NumberedKeys("Missing", "", 10), ElementsAre());
}

TEST(IniStoreTest, LineEndsOfEitherKindAndAMissingLastOneAreRead) {
  const TIniStore store("[A]\r\nx=1\ny=2\r\nz=3");
  EXPECT_EQ("1", store.Value("A", "x"));
  EXPECT_EQ("2", store.Value("A", "y"));
  EXPECT_EQ("3", store.Value("A", "z"));
  EXPECT_EQ("[A]\r\nx=1\r\ny=2\r\nz=3\r\n", store.Text());
  EXPECT_TRUE(TIniStore("").Empty());
}

TEST(IniStoreTest, ABareCarriageReturnEndsNoLineAndIsNotWrittenBack) {
  TIniStore store("[A]\r\nx=a\rb\r\n[B]\ry=2\r\n");
  EXPECT_EQ("a\rb", store.Value("A", "x"));
  EXPECT_EQ(std::nullopt, store.Value("B", "y"));  // "[B]\ry=2" is one line, no section header
  store.WriteString("A", "x", *store.Value("A", "x"));
  EXPECT_EQ("[A]\r\nx=a b\r\n[B]\ry=2\r\n", store.Text());
}

}  // namespace
}  // namespace gryvel
