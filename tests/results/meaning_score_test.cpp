#include "results/meaning_score.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "described_words.h"
#include "dictionary/dictionary_collection.h"
#include "results/meaning_index.h"
#include "results/result_source.h"
#include "results/word_commonness.h"
#include "search/character_manager.h"
#include "search/letter_maps.h"
#include "search/string_searcher.h"
#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;
using ::testing::ElementsAre;

// A few senses in the shape of the bundled English dictionary: a gloss, examples in quotes,
// then the labelled lists of related words.
class MeaningScoreTest : public ::testing::Test {
 protected:
  MeaningScoreTest() {
    FillCollationMap();
    searcher_.SetCharacterManager(&manager_);
    collection_.SetStringSearcher(&searcher_);
    dictionary_ = collection_.Dictionary(collection_.NewDictionary());
    const std::pair<const char*, const char*> entries[] = {
        {"alter", "make different; hypernym: change"},
        {"change", "make different; hypernym: transform"},
        {"decrease", "make smaller; syn.: lessen; hypernym: change"},
        {"diminish", "decrease in size; \"the pain diminished\""},
        {"large", ""},
        {"lessen", ""},
        {"little", ""},
        {"minor", ""},
        {"reduce", "cut down on; hypernym: decrease"},
        {"shrink", "become smaller; \"prices decrease as it shrinks\""},
        {"size", "the extent of something; attribute: small, large"},
        {"small",
         "limited in size; similar: little; also: minor; related: littleness; "
         "attribute: size"},
        {"littleness", ""},
        {"transform", ""},
        {"trim", "cut back; hypernym: reduce"},
    };
    testing::FillDescribed(*dictionary_, entries);
    collection_.Connect(*dictionary_);
    collection_.SetActive(dictionary_);
    source_.SetDictionary(&collection_);
    source_.SetCommonness(commonness_);
  }
  ~MeaningScoreTest() override { ResetLetterMaps(); }

  // The words found for `clue`, best first.
  std::vector<std::string> Search(const char* clue) {
    source_.SearchMeaning("", clue);
    source_.SetFilterActive(true);
    std::vector<std::string> words;
    for (const std::int32_t i : source_.View()) words.push_back(collection_.Item(i)->Word);
    source_.SetFilterActive(false);
    return words;
  }

  std::string Why(const char* word) { return source_.MeaningEvidence(collection_.Find(word)); }

  TCharacterManager manager_;
  TStringSearcher searcher_;
  TDictionaryCollection collection_;
  TKivDictionary* dictionary_ = nullptr;
  TWordCommonness commonness_;  // empty unless a test fills it
  TResultSource source_;
};

TEST_F(MeaningScoreTest, EachRelationFindsItsWordsAndSaysHow) {
  const struct {
    const char* clue;
    const char* word;
    const char* why;
  } cases[] = {
      {"decrease", "lessen", "lessen ← decrease (listed)"},
      {"lessen", "decrease", "decrease ← lessen (synonym)"},
      {"decrease", "reduce", "reduce ← decrease (hypernym)"},
      {"decrease", "change", "change ← decrease (broader)"},
      {"decrease", "trim", "trim ← reduce ← decrease (hypernym, two steps)"},
      {"decrease", "alter", "alter ← change ← decrease (sister)"},
      {"decrease", "transform", "transform ← change ← decrease (broader, two steps)"},
      {"decrease", "diminish", "diminish ← decrease (gloss)"},
      {"decrease", "shrink", "shrink ← decrease (example)"},
      {"small", "little", "little ← small (similar)"},
      {"small", "minor", "minor ← small (see also)"},
      {"small", "littleness", "littleness ← small (related form)"},
      {"small", "size", "size ← small (attribute)"},
      {"size", "small", "small ← size (attribute)"},
      {"diminish", "size", "size ← diminish (in its gloss)"},
  };
  for (const auto& c : cases) {
    Search(c.clue);
    EXPECT_EQ(c.why, Why(c.word)) << c.clue;
  }
  // A word does not answer itself.
  EXPECT_THAT(Search("decrease"), ::testing::Not(::testing::Contains("decrease")));
  EXPECT_EQ("", Why("decrease"));
}

TEST_F(MeaningScoreTest, StrongerRelationsComeFirst) {
  // One clue word: the strengths alone, equal ones in entry order (shrink, transform).
  EXPECT_THAT(Search("decrease"), ElementsAre("lessen", "reduce", "change", "diminish", "alter",
                                              "trim", "shrink", "transform"));
}

TEST_F(MeaningScoreTest, RareClueWordsWeighMore) {
  // "back" is in one description, "make" in three: trim's one gloss match beats theirs.
  EXPECT_THAT(Search("make back"), ElementsAre("trim", "alter", "change", "decrease"));
}

TEST_F(MeaningScoreTest, CommonWordsGoFirstAmongCloseOnes) {
  // reduce: 0.85 * (1 + 1.5 * 1) beats lessen: 1.0 * (1 + 1.5 * log 10 / log 1000).
  commonness_.AddList("reduce 999\nlessen 9\n");
  EXPECT_THAT(Search("decrease"), ElementsAre("reduce", "lessen", "change", "diminish", "alter",
                                              "trim", "shrink", "transform"));
}

TEST_F(MeaningScoreTest, AClueWordFoundNowhereLeavesTheOthersResult) {
  const std::vector<std::string> alone = Search("decrease");
  EXPECT_EQ(alone, Search("decrease qwzx"));
  EXPECT_EQ(alone, Search("qwzx decrease"));
  EXPECT_THAT(Search("qwzx"), ::testing::IsEmpty());
}

TEST_F(MeaningScoreTest, AnEditedDescriptionGivesItsRelations) {
  Search("decrease");
  ASSERT_EQ("trim ← reduce ← decrease (hypernym, two steps)", Why("trim"));
  source_.SetDescription(collection_.Find("trim"), "cut back; hypernym: decrease");
  Search("decrease");
  EXPECT_EQ("trim ← decrease (hypernym)", Why("trim"));
}

TEST_F(MeaningScoreTest, ATranslatedClueWordCarriesItsWeightAndItsSource) {
  TMeaningIndex& index = *source_.MeaningIndex();
  const auto score = [&](double weight) {
    const std::vector<TWeightedClueWord> clue{{{"decrease"}, weight, Cp("уменьшить")}};
    TMeaningScratch scratch;
    for (const TMeaningHit& hit : ScoreMeanings(index, collection_, clue, &scratch))
      if (hit.Entry == collection_.Find("reduce"))
        return std::make_pair(hit.Score, DescribeEvidence(collection_, clue, hit));
    return std::make_pair(0.0, std::string());
  };
  const auto [full, line] = score(1);
  EXPECT_GT(full, 0);
  EXPECT_DOUBLE_EQ(full / 4, score(0.25).first);
  EXPECT_EQ("reduce ← decrease ← уменьшить (hypernym)", line);
  // Two translations of one word that reach "diminish" count once, those of two words twice.
  const auto diminish = [&](const char* first_from, const char* second_from) {
    const std::vector<TWeightedClueWord> clue{{{"decrease"}, 1, Cp(first_from)},
                                              {{"size"}, 1, Cp(second_from)}};
    TMeaningScratch scratch;
    for (const TMeaningHit& hit : ScoreMeanings(index, collection_, clue, &scratch))
      if (hit.Entry == collection_.Find("diminish")) return hit.Score;
    return 0.0;
  };
  // Each word is in three (entry, field) pairs of 15 entries: log(16 / 4); a gloss gives 0.5.
  EXPECT_DOUBLE_EQ(0.5 * std::log(4.0), diminish("уменьшить", "уменьшить"));
  EXPECT_DOUBLE_EQ(std::log(4.0), diminish("уменьшить", "размер"));
  EXPECT_DOUBLE_EQ(std::log(4.0), diminish("", ""));
  // Carried back through a translation, two steps away.
  const std::vector<TWeightedClueWord> clue{{{"change"}, 1, Cp("изменить")}};
  TMeaningHit hit{collection_.Find("alter"), 1, {0, TMeaningRelation::kSister, -1, -1}};
  hit.Why.Via = collection_.Find("decrease");
  hit.Why.Back = collection_.Find("trim");
  EXPECT_EQ("alter ← trim ← decrease ← change ← изменить (sister)",
            DescribeEvidence(collection_, clue, hit));
}

TEST(MeaningFieldTest, LabelsOpenListsAndWholeItemsStandApart) {
  using F = TMeaningField;
  const struct {
    const char* text;
    std::vector<std::pair<std::string, F>> words;
  } cases[] = {
      {"cut down; \"cut fat\"; syn.: trim, cut back; hypernym: decrease",
       {{"cut", F::kGloss},
        {"down", F::kGloss},
        {"cut", F::kExample},
        {"fat", F::kExample},
        {"trim", F::kSynonym},
        {"cut", F::kGloss},
        {"back", F::kGloss},
        {"decrease", F::kHypernym}}},
      // A thesaurus line: whole items are listed, a phrase is a gloss; opposites are left out.
      {"удача, полный успех\nантонимы: провал",
       {{"удача", F::kListItem}, {"полный", F::kGloss}, {"успех", F::kGloss}}},
      // A label ends at ";" or a line; an unknown word before ":" is text.
      {"similar: big; note: vast\nalso: great",
       {{"big", F::kSimilar}, {"note", F::kGloss}, {"vast", F::kGloss}, {"great", F::kAlso}}},
      {"related: a; attribute: b", {{"a", F::kRelated}, {"b", F::kAttribute}}},
      // An example left open ends with its line.
      {"x \"y; z\nw",
       {{"x", F::kGloss}, {"y", F::kExample}, {"z", F::kExample}, {"w", F::kListItem}}},
  };
  for (const auto& c : cases) {
    std::vector<std::pair<std::string, F>> words;
    ForEachMeaningWord(Cp(c.text), [&](std::string_view word, F field) {
      words.emplace_back(testing::Utf(std::string(word)), field);
    });
    EXPECT_EQ(c.words, words) << c.text;
  }
}

}  // namespace
}  // namespace gryvel
