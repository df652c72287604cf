// The search by meaning over both bundled dictionaries (the help pages' examples of it are
// run by help_examples_test).

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "common/synchronize.h"
#include "dictionary/dictionary_collection.h"
#include "results/result_source.h"
#include "search/character_manager.h"
#include "search/letter_maps.h"
#include "search/string_searcher.h"
#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;
using testing::Utf;

class BundledMeaningTest : public ::testing::Test {
 protected:
  struct TWorld {
    TCharacterManager Manager;
    TStringSearcher Searcher;
    TDictionaryCollection Collection;
    TResultSource Source;
  };

  static void SetUpTestSuite() {
    SetUiThread();
    world_ = std::make_unique<TWorld>();
    world_->Searcher.SetCharacterManager(&world_->Manager);
    world_->Collection.SetStringSearcher(&world_->Searcher);
    TKivDictionaries both;
    for (const char* file : {GRYVEL_RUSSIAN_DICTIONARY, GRYVEL_ENGLISH_DICTIONARY})
      both.push_back(world_->Collection.Dictionary(world_->Collection.AddDictionary(file)));
    world_->Collection.LoadNow(both);
    for (TKivDictionary* dictionary : both) world_->Collection.Connect(*dictionary);
    world_->Source.SetDictionary(&world_->Collection);
  }
  static void TearDownTestSuite() {
    world_.reset();
    ResetLetterMaps();
  }

  // The words found for `pattern` and `clue` (code page 1251), in view order, as UTF-8.
  static std::vector<std::string> Search(const std::string& pattern, const std::string& clue) {
    TResultSource& source = world_->Source;
    source.SearchMeaning(pattern, clue);
    source.SetFilterActive(true);
    std::vector<std::string> words;
    for (const std::int32_t i : source.View())
      words.push_back(Utf(world_->Collection.Item(i)->Word));
    source.SetFilterActive(false);
    return words;
  }

  static std::unique_ptr<TWorld> world_;
};

std::unique_ptr<BundledMeaningTest::TWorld> BundledMeaningTest::world_;

TEST_F(BundledMeaningTest, ClassicCluesFindTheirAnswers) {
  EXPECT_THAT(Search(Cp("п????а"), Cp("успех")), ::testing::Contains("победа"));
  EXPECT_THAT(Search("b????", "cold"), ::testing::Contains("bleak"));
  // The thesaurus's entry for «победа» lists «успех»: its word comes first.
  EXPECT_EQ("успех", Search(Cp("?????"), Cp("победа")).front());
  // Adjectives WordNet calls similar find each other, in both directions.
  EXPECT_EQ("valiant", Search("?a?i???", "brave").front());
  EXPECT_THAT(Search("b????", "valiant"), ::testing::Contains("brave"));
}

TEST_F(BundledMeaningTest, WordNetRelationsReachWordsThatNoGlossNames) {
  // "reduce" has a sense whose broader word is "decrease"; "multiply" is the broader word of
  // "proliferate".
  const auto top_ten = [](std::vector<std::string> words) {
    words.resize(std::min<std::size_t>(words.size(), 10));
    return words;
  };
  EXPECT_THAT(top_ten(Search("??????", "decrease")), ::testing::Contains("reduce"));
  EXPECT_THAT(top_ten(Search("????????", "proliferate")), ::testing::Contains("multiply"));
}

}  // namespace
}  // namespace gryvel
