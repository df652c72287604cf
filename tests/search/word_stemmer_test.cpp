#include "search/word_stemmer.h"

#include <gtest/gtest.h>

#include <string>

#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;

TEST(WordStemmerTest, StemsRussianAndEnglishWordsAndLeavesOthersWhole) {
  const struct {
    const char* word;
    const char* stem;
  } cases[] = {
      {"успеха", "успех"}, {"успех", "успех"},  {"победа", "побед"},  {"победить", "побед"},
      {"ёлками", "ёлк"},   {"щёголь", "щёгол"}, {"colds", "cold"},    {"happiness", "happi"},
      {"running", "run"},  {"cold", "cold"},    {"abc1", "abc1"},     {"colдом", "colдом"},
      {"", ""},
  };
  TWordStemmer stemmer;
  std::string stem;
  for (const auto& c : cases) {
    stemmer.Stem(Cp(c.word), &stem);
    EXPECT_EQ(Cp(c.stem), stem) << c.word;
  }
}

}  // namespace
}  // namespace gryvel
