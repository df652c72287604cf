#include "shell/dictionary_info.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "dictionary/file_io.h"
#include "dictionary/kiv_dictionary.h"
#include "results/language.h"
#include "search/letter_maps.h"
#include "support/fake_clock.h"
#include "support/kiv_bytes.h"
#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using testing::HeadTexts;
using testing::V2Header;
using testing::V2Record;

using TKind = TNodeKind;

// "kind<parent:text", readable in failure output.
std::vector<std::string> Lines(TKivDictionary& dictionary) {
  std::vector<std::string> lines;
  for (const TDictionaryInfoLine& line : DictionaryInfoLines(dictionary))
    lines.push_back(std::to_string(static_cast<int>(line.Kind)) + "<" +
                    std::to_string(static_cast<int>(line.Parent)) + ":" + testing::Utf(line.Text));
  return lines;
}

class DictionaryInfoTest : public ::testing::Test {
 protected:
  DictionaryInfoTest() {
    ResetLetterMaps();
    FillCollationMap();
    SetUILanguage(TUILanguage::English);
  }
  ~DictionaryInfoTest() override {
    SetUILanguage(TUILanguage::NotSet);
    ResetLetterMaps();
  }

  // A dictionary on the file `path` holding `bytes`, its header not read yet.
  TKivDictionary& Open(const std::string& path, const std::string& bytes) {
    files_.SetFile(path, {bytes.begin(), bytes.end()});
    auto& dictionary = dictionaries_.emplace_back(std::make_unique<TKivDictionary>(&files_));
    dictionary->SetFileName(path);
    return *dictionary;
  }

  std::string Binary(std::uint32_t count, const HeadTexts& texts) {
    return V2Header(count, texts) + V2Record("cat") + V2Record("dog");
  }

  TMemoryFileSystem files_;
  std::vector<std::unique_ptr<TKivDictionary>> dictionaries_;
};

TEST_F(DictionaryInfoTest, BinaryDictionaryNotLoadedAnswersFromItsHeader) {
  struct Case {
    HeadTexts texts;
    std::vector<std::string> expected_head;  // the lines before the word count
  };
  const Case cases[] = {
      {{"Title", "", "Ann", "ann@example.org", "http://example.org"},
       {"2<1:Author: Ann", "3<2:http://example.org", "4<2:ann@example.org"}},
      {{"Title", "", "Ann", "", "http://example.org"},
       {"2<1:Author: Ann", "3<2:http://example.org"}},
      {{"Title", "", "Ann", "ann@example.org", ""}, {"2<1:Author: Ann", "4<2:ann@example.org"}},
      // The addresses hang under the author: without one they are not shown.
      {{"Title", "", "", "ann@example.org", "http://example.org"}, {}},
  };
  for (const Case& c : cases) {
    TKivDictionary& dictionary = Open("/data/dicts/words.kiv", Binary(12345, c.texts));
    std::vector<std::string> expected = c.expected_head;
    expected.insert(expected.end(),
                    {"5<1:Words: 12,345", "6<1:File name: words.kiv", "7<1:Loading: "});
    EXPECT_EQ(expected, Lines(dictionary)) << c.texts.Author << c.texts.Web << c.texts.Email;
    EXPECT_FALSE(dictionary.Loaded());
  }
}

TEST_F(DictionaryInfoTest, LoadedDictionaryCountsItsEntriesAndShowsTheLoadTime) {
  TKivDictionary& dictionary = Open("words.kiv", Binary(2, {"T", "", "Ann", "", ""}));
  // Every clock reading moves time on by 1.25 s: the load is timed from its start to its end.
  testing::FakeClock clock(std::chrono::milliseconds(1250));
  dictionary.EnsureLoaded();
  ASSERT_TRUE(dictionary.Loaded());
  const std::vector<TDictionaryInfoLine> lines = DictionaryInfoLines(dictionary);
  ASSERT_EQ(4u, lines.size());
  EXPECT_EQ("Words: 2", lines[1].Text);
  EXPECT_EQ("File name: words.kiv", lines[2].Text);
  EXPECT_EQ("Loading: 1.250 sec", lines[3].Text);
}

TEST_F(DictionaryInfoTest, TextListCountIsUnknownUntilLoaded) {
  TKivDictionary& dictionary = Open("/lists/animals.txt", "cat dog\nant\n");
  EXPECT_THAT(Lines(dictionary),
              ElementsAre("5<1:Words: ?", "6<1:File name: animals.txt", "7<1:Loading: "));
  dictionary.EnsureLoaded();
  const std::vector<TDictionaryInfoLine> lines = DictionaryInfoLines(dictionary);
  ASSERT_EQ(3u, lines.size());
  EXPECT_EQ("Words: 3", lines[0].Text);
  EXPECT_THAT(lines[2].Text, EndsWith(" sec"));
}

TEST_F(DictionaryInfoTest, TextsFollowTheLanguage) {
  TKivDictionary& dictionary =
      Open("/д/слова.kiv", Binary(1234567, {"T", "", Cp("Иванов"), "", ""}));
  SetUILanguage(TUILanguage::Russian);
  EXPECT_THAT(Lines(dictionary), ElementsAre("2<1:Автор: Иванов", "5<1:Слов: 1,234,567",
                                             "6<1:Имя файла: слова.kiv", "7<1:Открытие: "));
}

TEST_F(DictionaryInfoTest, MissingFileGivesTheLinesOfAnEmptyHeader) {
  TKivDictionary dictionary(&files_);
  dictionary.SetFileName("gone.kiv");
  EXPECT_THAT(Lines(dictionary),
              ElementsAre("5<1:Words: ?", "6<1:File name: gone.kiv", "7<1:Loading: "));
}

TEST(DictionaryStateImage, ConnectedAndActiveSelectTheImage) {
  EXPECT_EQ(1, DictionaryStateImage(false, false));
  EXPECT_EQ(2, DictionaryStateImage(true, false));
  EXPECT_EQ(3, DictionaryStateImage(false, true));
  EXPECT_EQ(4, DictionaryStateImage(true, true));
  // A failed load shows only while the dictionary stays disconnected.
  EXPECT_EQ(5, DictionaryStateImage(false, false, true));
  EXPECT_EQ(6, DictionaryStateImage(false, true, true));
  EXPECT_EQ(2, DictionaryStateImage(true, false, true));
}

}  // namespace
}  // namespace gryvel
