#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/cli_runner.h"
#include "dictionary/article_list.h"
#include "dictionary/kiv_dictionary.h"
#include "support/capture_messages.h"
#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;
using testing::Utf;

// A bundled dictionary file, loaded through the engine, with the messages its load showed.
struct TBundled {
  explicit TBundled(const char* path) {
    testing::CaptureMessages capture;
    Dictionary.SetFileName(path);
    Dictionary.Load();
    Messages = capture.Texts();
  }

  // The index of the entry whose word is byte for byte `word`, or -1.
  std::int32_t Find(std::string_view word) const {
    for (std::int32_t i = 0; i < Dictionary.Count(); ++i)
      if (Dictionary.Entries().Get(i)->Word == word) return i;
    return -1;
  }

  // The first word with a byte outside `allowed` (a 256-entry table), or empty.
  std::string FirstWordOutside(const std::vector<bool>& allowed) const {
    for (const TArticleItem* item : Dictionary.Entries().Items())
      for (const char c : item->Word)
        if (!allowed[static_cast<unsigned char>(c)]) return item->Word;
    return {};
  }

  TKivDictionary Dictionary;
  std::vector<std::string> Messages;
};

// Bytes of code page 1251 for `ranges` of inclusive pairs plus the hyphen.
std::vector<bool> Alphabet(std::initializer_list<std::pair<int, int>> ranges) {
  std::vector<bool> allowed(256, false);
  allowed['-'] = true;
  for (const auto& [first, last] : ranges)
    for (int c = first; c <= last; ++c) allowed[c] = true;
  return allowed;
}

class BundledDictionaryTest : public ::testing::Test {
 protected:
  // Each file is read once for the whole suite.
  static void SetUpTestSuite() {
    russian_ = std::make_unique<TBundled>(GRYVEL_RUSSIAN_DICTIONARY);
    english_ = std::make_unique<TBundled>(GRYVEL_ENGLISH_DICTIONARY);
  }
  static void TearDownTestSuite() {
    russian_.reset();
    english_.reset();
  }

  static std::unique_ptr<TBundled> russian_;
  static std::unique_ptr<TBundled> english_;
};

std::unique_ptr<TBundled> BundledDictionaryTest::russian_;
std::unique_ptr<TBundled> BundledDictionaryTest::english_;

TEST_F(BundledDictionaryTest, BothLoadSilentlyWithTheirLanguageAndLicence) {
  const std::pair<const TBundled*, const char*> cases[] = {{russian_.get(), "RUS"},
                                                           {english_.get(), "ENG"}};
  for (const auto& [bundled, language] : cases) {
    const TKivDictionary& dictionary = bundled->Dictionary;
    SCOPED_TRACE(dictionary.FileName());
    EXPECT_TRUE(bundled->Messages.empty()) << Utf(bundled->Messages.front());
    EXPECT_TRUE(dictionary.Loaded());
    EXPECT_EQ(2u, dictionary.Head().Version);
    EXPECT_EQ(language, dictionary.Head().Language);
    EXPECT_EQ(static_cast<std::int32_t>(dictionary.Head().Count), dictionary.Count());
    EXPECT_FALSE(dictionary.Head().Title.empty());
    EXPECT_NE(std::string::npos, dictionary.Head().Comments.find("License:"));
  }
}

TEST_F(BundledDictionaryTest, TheRussianHeaderNamesBothSourcesAndTheirLicences) {
  const std::string& comments = russian_->Dictionary.Head().Comments;
  for (const char* text : {"hunspell-ru", "License: custom-bsd-4-clauses", "mythes-ru",
                           "License: LGPL-2.1"})
    EXPECT_NE(std::string::npos, comments.find(text)) << text;
}

TEST_F(BundledDictionaryTest, RussianWordsAreDescribedByTheirSynonymsThenAntonyms) {
  // The word list's 146,269 words and the thesaurus's 1,089 single head words it lacks.
  EXPECT_EQ(147'358, russian_->Dictionary.Count());
  std::int32_t described = 0;
  for (const TArticleItem* item : russian_->Dictionary.Entries().Items())
    described += (item->Flags & kFlagHasDescription) != 0;
  EXPECT_EQ(11'346, described);
  const struct {
    const char* word;
    const char* description;
  } cases[] = {
      {"победа", "перевес, успех, торжество, триумф, лавры\r\nантонимы: поражение"},
      {"Америка", "США, Штаты"},  // the thesaurus's «америка», a proper noun in the list
      {"абракадабра",
       "нелепость, нелепица, абсурд, ахинея, бессмыслица, белиберда, вздор, галиматья, дичь, "
       "дребедень, ерунда, несообразность, околесина, околесица, околесная, чепуха, чушь, "
       "сапоги всмятку"},
  };
  for (const auto& c : cases) {
    const std::int32_t index = russian_->Find(Cp(c.word));
    ASSERT_GE(index, 0) << c.word;
    EXPECT_EQ(c.description, Utf(russian_->Dictionary.GetDescription(index))) << c.word;
  }
  EXPECT_EQ(-1, russian_->Find(Cp("америка")));
  EXPECT_EQ(-1, russian_->Find(Cp("брать в наем")));  // several words: only a description
}

TEST_F(BundledDictionaryTest, RussianHoldsCommonWordsAndKeepsTheirCase) {
  EXPECT_GT(russian_->Dictionary.Count(), 100'000);
  for (const char* word : {"победитель", "кот", "пёс", "Москва"})
    EXPECT_GE(russian_->Find(Cp(word)), 0) << word;
  EXPECT_EQ(-1, russian_->Find(Cp("москва")));
}

TEST_F(BundledDictionaryTest, WordsAreLettersOfTheirAlphabetAndHyphens) {
  const std::vector<bool> cyrillic =
      Alphabet({{0xC0, 0xFF}, {0xA8, 0xA8}, {0xB8, 0xB8}});  // А-я Ё ё
  const std::vector<bool> latin = Alphabet({{'a', 'z'}});    // WordNet's lemmas are lower case
  EXPECT_EQ("", Utf(russian_->FirstWordOutside(cyrillic)));
  EXPECT_EQ("", english_->FirstWordOutside(latin));
}

TEST_F(BundledDictionaryTest, EnglishWordsCarryTheirPartsOfSpeech) {
  EXPECT_GT(english_->Dictionary.Count(), 60'000);
  const std::pair<const char*, std::uint16_t> cases[] = {
      {"run", kPartNoun | kPartVerb},
      {"happy", kPartAdjective},
      {"quickly", kPartAdverb},
      {"fast", kPartNoun | kPartVerb | kPartAdjective | kPartAdverb},
      {"well-known", kPartAdjective},  // a satellite adjective
  };
  for (const auto& [word, parts] : cases) {
    const std::int32_t index = english_->Find(word);
    ASSERT_GE(index, 0) << word;
    EXPECT_EQ(parts, english_->Dictionary.Entries().Get(index)->Parts) << word;
  }
}

TEST_F(BundledDictionaryTest, EnglishDescriptionsNumberTheSensesNounsFirst) {
  std::int32_t described = 0;
  for (const TArticleItem* item : english_->Dictionary.Entries().Items())
    described += (item->Flags & kFlagHasDescription) != 0;
  EXPECT_GT(described, english_->Dictionary.Count() * 9 / 10);

  const std::int32_t run_index = english_->Find("run");
  ASSERT_GE(run_index, 0);
  const std::string run = english_->Dictionary.GetDescription(run_index);
  // Sixteen noun senses, then the verb senses, numbered on.
  EXPECT_TRUE(run.starts_with("1. a score in baseball")) << run.substr(0, 80);
  EXPECT_NE(std::string::npos, run.find("\r\n2. the act of testing something"));
  // Each sense ends with the other words of its synset, then the related ones.
  EXPECT_NE(std::string::npos, run.find("a new trial\"; syn.: test, trial; hypernym: "));
  EXPECT_NE(std::string::npos, run.find("\r\n17. move fast by using one's feet"));

  // A single sense goes without a number.
  const std::int32_t entity = english_->Find("entity");
  ASSERT_GE(entity, 0);
  EXPECT_EQ(
      "that which is perceived or known or inferred to have its own distinct existence "
      "(living or nonliving)",
      english_->Dictionary.GetDescription(entity));
}

// The broader synsets of each sense, and the derived forms of the word itself, not of the
// other words of its synset.
TEST_F(BundledDictionaryTest, EnglishSensesNameTheirRelatedWords) {
  const std::int32_t reduce = english_->Find("reduce");
  ASSERT_GE(reduce, 0);
  EXPECT_NE(std::string::npos, english_->Dictionary.GetDescription(reduce).find(
                                   "; hypernym: decrease, lessen, minify; related: reductive, "
                                   "reduction\r\n2. "));
  const std::int32_t valorous = english_->Find("valorous");
  ASSERT_GE(valorous, 0);
  EXPECT_TRUE(english_->Dictionary.GetDescription(valorous).ends_with(
      "; syn.: valiant; similar: brave, courageous; related: valor, valorousness"));
}

// WordNet's adjective clusters: a satellite names its head's words, the head its satellites';
// the senses of other parts of speech name none.
TEST_F(BundledDictionaryTest, EnglishAdjectivesNameTheWordsOfSimilarSynsets) {
  const std::int32_t valiant = english_->Find("valiant");
  ASSERT_GE(valiant, 0);
  EXPECT_TRUE(english_->Dictionary.GetDescription(valiant).ends_with(
      "; syn.: valorous; similar: brave, courageous; related: valiancy"));
  const std::int32_t brave = english_->Find("brave");
  ASSERT_GE(brave, 0);
  const std::string text = english_->Dictionary.GetDescription(brave);
  const std::size_t adjective = text.find("\r\n4. possessing or displaying courage");
  ASSERT_NE(std::string::npos, adjective);
  EXPECT_EQ(std::string::npos, text.substr(0, adjective).find("similar:"));
  EXPECT_NE(std::string::npos, text.find("valiant, valorous", adjective));
}

TEST_F(BundledDictionaryTest, CliSearchesTheRussianDictionaryWithoutDictionaryOption) {
  const testing::CliResult result = testing::RunCli({"crossword", "п?бе*л?"});
  EXPECT_EQ(0, result.exit_code) << result.err;
  EXPECT_NE(std::string::npos, ("\n" + result.out).find("\nпобедитель\n")) << result.out;
}

// «$@$@$@» typed alone asks for six-letter words alternating consonant and vowel, as
// «+!++!++!+» does, not for every word holding such a run.
TEST_F(BundledDictionaryTest, CliSecondSyntaxPatternFindsTheSixLetterWordsOnly) {
  const std::string vowels = Cp("аеёиоуыэюяАЕЁИОУЫЭЮЯ");
  const std::string consonants = Cp("бвгджзйклмнпрстфхцчшщБВГДЖЗЙКЛМНПРСТФХЦЧШЩ");
  auto is = [](const std::string& letters, char c) {
    return letters.find(c) != std::string::npos;
  };
  int expected = 0;
  for (const TArticleItem* item : russian_->Dictionary.Entries().Items()) {
    const std::string& w = item->Word;
    bool fits = w.size() == 6;
    for (std::size_t k = 0; fits && k < w.size(); ++k)
      fits = is(k % 2 == 0 ? consonants : vowels, w[k]);
    expected += fits;
  }
  EXPECT_GT(expected, 500);
  for (const char* typed : {"$@$@$@", "+!++!++!+"}) {
    const testing::CliResult result = testing::RunCli({"--count", "crossword", typed});
    EXPECT_EQ(0, result.exit_code) << result.err;
    EXPECT_EQ(std::to_string(expected) + "\n", result.out) << typed;
  }
}

}  // namespace
}  // namespace gryvel
