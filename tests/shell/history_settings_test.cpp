#include "shell/history_settings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/letter_maps.h"
#include "shell/settings_fixture.h"

namespace gryvel {
namespace {

using testing::Cp;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class HistorySettingsTest : public testing::SettingsFixture {
 protected:
  ~HistorySettingsTest() override { ResetLetterMaps(); }

  // The texts of a branch's entries, newest first, as UTF-8.
  std::vector<std::string> Entries(THistoryBranch branch) const {
    std::vector<std::string> texts;
    for (std::size_t i = branch == THistoryBranch::EqualLetters ? 0 : 1;
         i < history_.Children(branch).size(); ++i)
      texts.push_back(testing::Utf(history_.Children(branch)[i].Text));
    return texts;
  }

  std::vector<int> Modes() const {
    std::vector<int> modes;
    for (const THistoryNode& node : history_.Children(THistoryBranch::Anagrams))
      if (node.Kind == THistoryNodeKind::Anagram) modes.push_back(node.Mode);
    return modes;
  }

  TCharacterManager manager_;
  TSearchHistory history_;
};

TEST_F(HistorySettingsTest, PatternsAreReadNewestFirstUpToTheRememberedCount) {
  std::string ini = "[Pattern]\nCount=20\n";
  for (int i = 1; i <= 20; ++i) ini += std::to_string(i) + "=p" + std::to_string(i) + "\n";
  SetIni(ini + "3=\n");
  history_.SetSaveLastCount(5);
  ASSERT_TRUE(ReadPatternHistory(settings_, history_));
  EXPECT_THAT(Entries(THistoryBranch::Crossword), ElementsAre("p1", "p2", "p3", "p4", "p5"));

  TSearchHistory off;
  off.SetDoSaveLast(false);
  ASSERT_TRUE(ReadPatternHistory(settings_, off));
  EXPECT_EQ(0, off.EntryCount(THistoryBranch::Crossword));
}

TEST_F(HistorySettingsTest, AnEmptyPatternIsSkipped) {
  SetIni("[Pattern]\nCount=3\n1=a\n2=\n3=c\n");
  ASSERT_TRUE(ReadPatternHistory(settings_, history_));
  EXPECT_THAT(Entries(THistoryBranch::Crossword), ElementsAre("a", "c"));
}

TEST_F(HistorySettingsTest, AbsurdlyLongEntriesAreCutWhenRead) {
  const std::string huge(5u << 20, 'a');
  const struct {
    std::size_t Length;
    std::size_t Kept;
  } cases[] = {{999, 999}, {1000, 1000}, {1001, 1000}, {huge.size(), 1000}};
  for (const auto& c : cases) {
    const std::string value = huge.substr(0, c.Length);
    SetIni("[Pattern]\nCount=1\n1=" + value + "\n[Anagram]\nCount=1\n1=" + value + ",2\n");
    TSearchHistory history;
    ASSERT_TRUE(ReadPatternHistory(settings_, history));
    ASSERT_TRUE(ReadAnagramHistory(settings_, history));
    EXPECT_EQ(c.Kept, history.Children(THistoryBranch::Crossword)[1].Text.size()) << c.Length;
    const THistoryNode& anagram = history.Children(THistoryBranch::Anagrams)[1];
    EXPECT_EQ(c.Kept, anagram.Text.size()) << c.Length;
    EXPECT_EQ(2, anagram.Mode);  // the mode after the letters survives the cut
  }
}

TEST_F(HistorySettingsTest, AnagramEntriesBringTheirModes) {
  SetIni(std::string("[Anagram]\nCount=4\n1=акрт,2\n2=акрт\n3=а,б,1\n4=,2\n"));
  ASSERT_TRUE(ReadAnagramHistory(settings_, history_));
  EXPECT_THAT(Entries(THistoryBranch::Anagrams), ElementsAre("акрт", "акрт", "а,б"));
  EXPECT_THAT(Modes(), ElementsAre(aoMakeWords, aoUsual, aoExtended));
}

TEST_F(HistorySettingsTest, ADamagedAnagramModeIsReportedOnceAndSkipped) {
  SetIni("[Anagram]\nCount=4\n1=abc,x\n2=def,1\n3=ghi,7\n4=jkl,\n");
  EXPECT_FALSE(ReadAnagramHistory(settings_, history_));
  EXPECT_THAT(Entries(THistoryBranch::Anagrams), ElementsAre("def"));
  EXPECT_THAT(messages_.Texts(),
              ElementsAre(Cp("Ошибка при чтении параметров поиска (анаграммы)")));
}

TEST_F(HistorySettingsTest, EqualLettersAreReadIntoTheManagerAndTheTree) {
  struct Case {
    const char* value;  // UTF-8
    const char* letters;
    const char* equivalent;
    bool active;
  };
  const Case used[] = {
      {"ЕЁ=Е", "ЕЁ", "Е", true},   {"ЕЁ=Е,", "ЕЁ", "Е", true},    {"ЕЁ=Е,0", "ЕЁ", "Е", false},
      {"ЕЁ=Е,1", "ЕЁ", "Е", true}, {"аб=вг,0", "аб", "в", false}, {"а=б=в,1", "а=б", "в", true},
      {"аб=,,1", "аб", ",", true}, {"ш=щ,x", "ш", "щ", false},
  };
  std::string ini = "[Equal]\nCount=12\n";
  int key = 0;
  for (const Case& c : used) ini += std::to_string(++key) + "=" + c.value + "\n";
  for (const char* ignored : {"Е=", "=Е", "=ЕЁ", "ЕЁ"})
    ini += std::to_string(++key) + "=" + ignored + "\n";
  SetIni(ini);

  ASSERT_TRUE(ReadEqualLetters(settings_, manager_, history_));
  ASSERT_EQ(8, manager_.EqualLettersCount());
  for (int i = 0; i < 8; ++i) {
    const TEqualLetters group = manager_.GetEqualLetters(i);
    EXPECT_EQ(Cp(used[i].letters), group.Letters) << used[i].value;
    EXPECT_EQ(Cp(used[i].equivalent), std::string(1, group.Equivalent)) << used[i].value;
    EXPECT_EQ(used[i].active, group.Active) << used[i].value;
    const THistoryNode& node = history_.Children(THistoryBranch::EqualLetters)[i];
    EXPECT_EQ(i, node.EqualIndex);
    EXPECT_EQ(group.Active, node.Active);
  }
  EXPECT_EQ("ЕЁ=Е", Entries(THistoryBranch::EqualLetters)[0]);
}

TEST_F(HistorySettingsTest, TheHistoryAndTheEqualLettersRoundTrip) {
  SetIni("[Pattern]\nCount=9\n9=stale\n");
  history_.AddPatternHistory(Cp("*кот*"));
  history_.AddPatternHistory(Cp("п?бе*л?"));
  history_.AddAnagramHistory(Cp("акрт"), aoMakeWords);
  history_.AddAnagramHistory("a,b", aoExtended);
  history_.AddEqualLetters(manager_, {Cp("ЕЁ"), Cp("Е")[0], true});
  history_.AddEqualLetters(manager_, {"a=b", ',', false});
  ASSERT_TRUE(WritePatternHistory(settings_, history_).ok());
  ASSERT_TRUE(WriteAnagramHistory(settings_, history_).ok());
  ASSERT_TRUE(WriteEqualLetters(settings_, manager_).ok());
  EXPECT_EQ(
      "[Pattern]\nCount=2\n9=stale\n1=п?бе*л?\n2=*кот*\n\n[Anagram]\nCount=2\n1=a,b,1\n"
      "2=акрт,2\n\n[Equal]\nCount=2\n1=ЕЁ=Е,1\n2=a=b=,,0\n",
      Ini());

  TCharacterManager manager;
  TSearchHistory history;
  ASSERT_TRUE(ReadPatternHistory(settings_, history));
  ASSERT_TRUE(ReadAnagramHistory(settings_, history));
  ASSERT_TRUE(ReadEqualLetters(settings_, manager, history));
  for (THistoryBranch branch :
       {THistoryBranch::Crossword, THistoryBranch::Anagrams, THistoryBranch::EqualLetters}) {
    ASSERT_EQ(history_.Children(branch).size(), history.Children(branch).size());
    for (std::size_t i = 0; i < history.Children(branch).size(); ++i) {
      EXPECT_EQ(history_.Children(branch)[i].Text, history.Children(branch)[i].Text);
      EXPECT_EQ(history_.Children(branch)[i].Mode, history.Children(branch)[i].Mode);
      EXPECT_EQ(history_.Children(branch)[i].Active, history.Children(branch)[i].Active);
    }
  }
  for (int i = 0; i < 2; ++i) EXPECT_EQ(manager_.GetEqualLetters(i), manager.GetEqualLetters(i));
  EXPECT_THAT(messages_.Texts(), ElementsAre());
}

TEST_F(HistorySettingsTest, AFileFromBeforeTheMeaningBranchReadsAsItAlwaysDid) {
  // Its history in three groups, a "pattern : clue" typed into [Pattern] by hand among them.
  SetIni("[Pattern]\nCount=2\n1=к?т\n2=к?т : зверь\n[Anagram]\nCount=1\n1=акрт,2\n"
         "[Equal]\nCount=1\n1=ЕЁ=Е,1\n");
  ASSERT_TRUE(ReadPatternHistory(settings_, history_));
  ASSERT_TRUE(ReadAnagramHistory(settings_, history_));
  ASSERT_TRUE(ReadEqualLetters(settings_, manager_, history_));
  ASSERT_TRUE(ReadMeaningHistory(settings_, history_));
  EXPECT_THAT(Entries(THistoryBranch::Crossword), ElementsAre("к?т", "к?т : зверь"));
  EXPECT_THAT(Entries(THistoryBranch::Anagrams), ElementsAre("акрт"));
  EXPECT_THAT(Entries(THistoryBranch::EqualLetters), ElementsAre("ЕЁ=Е"));
  EXPECT_EQ(0, history_.EntryCount(THistoryBranch::Meaning));
  EXPECT_THAT(messages_.Texts(), ElementsAre());
}

TEST_F(HistorySettingsTest, MeaningEntriesRoundTripInASectionOlderReadersPassOver) {
  SetIni("[Pattern]\nCount=0\n");
  history_.AddPatternHistory(Cp("к?т"));
  history_.AddMeaningHistory(Cp("п????а : успех"));
  history_.AddMeaningHistory(Cp(": грусть"));
  ASSERT_TRUE(WritePatternHistory(settings_, history_).ok());
  ASSERT_TRUE(WriteAnagramHistory(settings_, history_).ok());
  ASSERT_TRUE(WriteMeaningHistory(settings_, history_).ok());
  // [Pattern] and [Anagram] hold what an older reader expects, and nothing of the meanings.
  EXPECT_EQ(
      "[Pattern]\nCount=1\n1=к?т\n\n[Anagram]\nCount=0\n\n[Meaning]\nCount=2\n1=: грусть\n"
      "2=п????а : успех\n",
      Ini());

  TSearchHistory history;
  ASSERT_TRUE(ReadPatternHistory(settings_, history));
  ASSERT_TRUE(ReadMeaningHistory(settings_, history));
  ASSERT_EQ(3u, history.Children(THistoryBranch::Meaning).size());
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(history_.Children(THistoryBranch::Meaning)[i].Kind,
              history.Children(THistoryBranch::Meaning)[i].Kind);
    EXPECT_EQ(history_.Children(THistoryBranch::Meaning)[i].Text,
              history.Children(THistoryBranch::Meaning)[i].Text);
  }
  EXPECT_EQ(1, history.EntryCount(THistoryBranch::Crossword));
  EXPECT_THAT(messages_.Texts(), ElementsAre());
}

TEST_F(HistorySettingsTest, AMeaningEntryWithoutAClueIsReportedOnceAndSkipped) {
  SetIni("[Meaning]\nCount=5\n1=к?т\n2=: зверь\n3=кот :\n4=\n5=а : б\n");
  EXPECT_FALSE(ReadMeaningHistory(settings_, history_));
  EXPECT_THAT(Entries(THistoryBranch::Meaning), ElementsAre(": зверь", "а : б"));
  EXPECT_THAT(messages_.Texts(),
              ElementsAre(Cp("Ошибка при чтении параметров поиска (по смыслу)")));
}

TEST_F(HistorySettingsTest, AHugeEqualCountDoesNotKeepTheReaderBusy) {
  SetIni("[Equal]\nCount=2147483647\n1=ab=c\n2147483647=de=f,0\n");
  ASSERT_TRUE(ReadEqualLetters(settings_, manager_, history_));
  EXPECT_EQ(2, manager_.EqualLettersCount());
}

}  // namespace
}  // namespace gryvel
