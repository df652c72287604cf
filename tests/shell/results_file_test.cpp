#include "shell/results_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "dictionary/collection_checks.h"
#include "search/character_manager.h"
#include "search/letter_maps.h"
#include "search/string_searcher.h"
#include "support/capture_messages.h"
#include "support/failing_file_system.h"
#include "support/temp_dir.h"
#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr char kBanner[] =
    "Результаты поиска.\r\n"
    "Программа: Gryvel 2.6\r\n"
    "https://gryvel.example/en/  (английская версия)\r\n"
    "https://gryvel.example/ru/  (русская версия)\r\n"
    "\r\n"
    "Результаты поиска можно использовать для любых целей,\r\n"
    "КРОМЕ ПОЛУЧЕНИЯ ПРИБЫЛИ.\r\n"
    "По всем вопросам обращайтесь: author@gryvel.example\r\n"
    "\r\n"
    "Если вы публикуете эти результаты, пожалуйста, укажите\r\n"
    "ссылку на сайт автора: https://gryvel.example/\r\n"
    "Спасибо!\r\n"
    "\r\n";
constexpr char kHeading[] = "\r\n\t------- Результаты -------\r\n\r\n";

class ResultsFileTest : public ::testing::Test {
 protected:
  ResultsFileTest() {
    FillCollationMap();
    searcher_.SetCharacterManager(&manager_);
    collection_.SetStringSearcher(&searcher_);
    TKivDictionary& dictionary = *collection_.Dictionary(collection_.NewDictionary());
    testing::Fill(dictionary, {Cp("кот"), Cp("скот"), Cp("шалаш"), Cp("котик"), "abba"});
    collection_.Connect(dictionary);
    source_.SetDictionary(&collection_);
  }
  ~ResultsFileTest() override { ResetLetterMaps(); }

  // Saves to `name` in the temporary directory and returns the file as UTF-8.
  std::string Save(const TResultsRequest& request) {
    const std::string path = dir_.File("results.txt");
    EXPECT_TRUE(SaveResultsFile(PosixFileSystem(), path, source_, request,
                                TWordListEncoding::Cp1251Crlf, &last_).ok());
    EXPECT_EQ(path, last_);
    return testing::Utf(dir_.Read("results.txt"));
  }

  TCharacterManager manager_;
  TStringSearcher searcher_;
  TDictionaryCollection collection_;
  TResultSource source_;
  testing::TempDir dir_;
  std::string last_;
};

TEST_F(ResultsFileTest, ACrosswordResultNamesTheMaskAsSearchedAndListsTheWords) {
  source_.SearchPattern(Cp("*кот*"));
  source_.SetFilterActive(true);
  EXPECT_EQ(std::string(kBanner) + "Вид поиска: КРОССВОРД\r\nМаска: *кот*\r\n" + kHeading +
                "кот\r\nкотик\r\nскот\r\n",
            Save({TResultKind::kPattern, Cp("*кот*"), Cp("акрт")}));
}

TEST_F(ResultsFileTest, WordsFollowTheChosenLengthOrder) {
  source_.SearchPattern(Cp("*кот*"));
  source_.SetFilterActive(true);
  source_.SortByLength();
  source_.SetIncrementSort(false);
  EXPECT_THAT(Save({TResultKind::kPattern, Cp("*кот*"), ""}),
              ::testing::EndsWith(std::string(kHeading) + "котик\r\nскот\r\nкот\r\n"));
}

TEST_F(ResultsFileTest, EachKindHasItsOwnLinesAndAnEmptyResultStillHasTheHeading) {
  source_.SearchPalindromes();
  source_.SetFilterActive(true);
  EXPECT_EQ(std::string(kBanner) + "Вид поиска: ПАЛИНДРОМЫ\r\n" + kHeading + "abba\r\nшалаш\r\n",
            Save({TResultKind::kPalindromes, "x", "y"}));

  source_.SearchAnagrams(Cp("zzz"));
  source_.SetFilterActive(true);
  EXPECT_EQ(std::string(kBanner) + "Вид поиска: АНАГРАММЫ\r\nНабор букв: zzz\r\n" + kHeading,
            Save({TResultKind::kAnagrams, "x", "zzz"}));

  EXPECT_EQ(std::string(kBanner) + kHeading, Save({TResultKind::kNone, "x", "y"}));
}

TEST_F(ResultsFileTest, TheUtf8FormHasTheSameLinesEndedByLineFeeds) {
  source_.SearchPalindromes();
  source_.SetFilterActive(true);
  const std::string path = dir_.File("utf8.txt");
  ASSERT_TRUE(
      SaveResultsFile(PosixFileSystem(), path, source_, {TResultKind::kPalindromes, "", ""},
                      TWordListEncoding::Utf8Lf, &last_)
          .ok());
  std::string expected = std::string(kBanner) + "Вид поиска: ПАЛИНДРОМЫ\r\n" + kHeading +
                         "abba\r\nшалаш\r\n";
  std::erase(expected, '\r');
  EXPECT_EQ(expected, dir_.Read("utf8.txt"));
}

TEST_F(ResultsFileTest, AFailedSaveIsShownAndKeepsTheOldFileAndTheLastName) {
  testing::CaptureMessages messages;
  const std::string path = dir_.Write("old.txt", "old");
  testing::FailingFileSystem files;
  files.FailAfterBytes(100);
  last_ = "/earlier.txt";
  const TStatus status = SaveResultsFile(files, path, source_, {}, TWordListEncoding::Utf8Lf, &last_);
  EXPECT_FALSE(status.ok());
  EXPECT_EQ("/earlier.txt", last_);
  EXPECT_EQ("old", dir_.Read("old.txt"));
  EXPECT_THAT(messages.Texts(), ElementsAre("The file \"" + path + "\" could not be written:\r\n" +
                                            status.message()));

  EXPECT_FALSE(
      SaveResultsFile(PosixFileSystem(), dir_.File("no/such/dir.txt"), source_, {},
                      TWordListEncoding::Utf8Lf, &last_).ok());
  EXPECT_EQ("/earlier.txt", last_);
  ASSERT_EQ(2u, messages.Texts().size());
  EXPECT_THAT(messages.Texts()[1], HasSubstr("no/such/dir.txt"));
  EXPECT_TRUE(ResultsNeedFileName(false, ""));
  EXPECT_FALSE(ResultsNeedFileName(false, last_));
  EXPECT_TRUE(ResultsNeedFileName(true, last_));
}

}  // namespace
}  // namespace gryvel
