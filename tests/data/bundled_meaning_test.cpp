// The search by meaning over both bundled dictionaries, and the examples of the help pages'
// section on it, run against them.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
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

// The rows <tr class="meaning-example"> of a help page: pattern, clue, and the words in <b>.
struct TExample {
  std::string Pattern, Clue;
  std::vector<std::string> Finds;
};

std::vector<TExample> Examples(const std::string& page) {
  std::ifstream in(std::string(GRYVEL_HELP_DIRECTORY) + "/" + page);
  std::stringstream text;
  text << in.rdbuf();
  const std::string html = text.str();
  const std::regex row(R"(<tr class="meaning-example"><td><code>([^<]*)</code></td><td><code>([^<]*)</code></td><td>(.*?)</td></tr>)");
  const std::regex bold("<b>([^<]*)</b>");
  std::vector<TExample> examples;
  for (auto at = std::sregex_iterator(html.begin(), html.end(), row); at != std::sregex_iterator();
       ++at) {
    TExample example{(*at)[1], (*at)[2], {}};
    const std::string finds = (*at)[3];
    for (auto b = std::sregex_iterator(finds.begin(), finds.end(), bold);
         b != std::sregex_iterator(); ++b)
      example.Finds.push_back((*b)[1]);
    examples.push_back(example);
  }
  return examples;
}

TEST_F(BundledMeaningTest, TheHelpPagesExamplesFindWhatTheySay) {
  for (const char* page : {"index.html", "index_en.html"}) {
    const std::vector<TExample> examples = Examples(page);
    EXPECT_GE(examples.size(), 3u) << page;
    for (const TExample& example : examples) {
      SCOPED_TRACE(std::string(page) + ": " + example.Pattern + " : " + example.Clue);
      ASSERT_FALSE(example.Finds.empty());
      const std::vector<std::string> found = Search(Cp(example.Pattern), Cp(example.Clue));
      for (const std::string& word : example.Finds)
        EXPECT_THAT(found, ::testing::Contains(word));
    }
  }
}

}  // namespace
}  // namespace gryvel
