#include "results/entry_marks.h"

#include <gtest/gtest.h>

#include "dictionary/collection_checks.h"
#include "dictionary/dictionary_collection.h"
#include "results/language.h"
#include "search/letter_maps.h"

namespace gryvel {
namespace {

class EntryMarksTest : public ::testing::Test {
 protected:
  EntryMarksTest() {
    FillCollationMap();
    SetUILanguage(TUILanguage::English);
  }
  ~EntryMarksTest() override {
    SetUILanguage(TUILanguage::NotSet);
    ResetLetterMaps();
  }

  // A connected dictionary holding `words`, each with the given parts and flags.
  TKivDictionary& Add(const std::vector<std::string>& words, std::uint16_t parts,
                      std::uint16_t flags) {
    TKivDictionary& dictionary = *collection_.Dictionary(collection_.NewDictionary());
    testing::Fill(dictionary, words);
    for (TArticleItem* item : dictionary.Entries().Items()) {
      item->Parts = parts;
      item->Flags |= flags;
    }
    collection_.Connect(dictionary);
    return dictionary;
  }

  TDictionaryCollection collection_;
};

TEST_F(EntryMarksTest, GathersPartsFromEveryHolderAndCountsThem) {
  Add({"cat", "dog", "emu"}, kPartNoun, 0);
  Add({"cat", "dog"}, kPartVerb, kFlagPlural);
  Add({"cat"}, kPartAdjective, 0);
  EXPECT_EQ("[3] n., adj., v. (pl.)", EntryPartOfSpeechText(collection_, collection_.Find("cat")));
  EXPECT_EQ("[2] n., v. (pl.)", EntryPartOfSpeechText(collection_, collection_.Find("dog")));
  EXPECT_EQ("n.", EntryPartOfSpeechText(collection_, collection_.Find("emu")));
}

TEST_F(EntryMarksTest, NothingForAWordWithoutMarksOrAnIndexOutOfRange) {
  Add({"cat"}, 0, 0);
  EXPECT_EQ("", EntryPartOfSpeechText(collection_, 0));
  EXPECT_EQ("", EntryPartOfSpeechText(collection_, -1));
  EXPECT_EQ("", EntryPartOfSpeechText(collection_, 1));
}

}  // namespace
}  // namespace gryvel
