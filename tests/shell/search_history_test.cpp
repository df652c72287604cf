#include "shell/search_history.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "results/language.h"
#include "search/letter_maps.h"
#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;
using ::testing::ElementsAre;

class SearchHistoryTest : public ::testing::Test {
 protected:
  SearchHistoryTest() {
    hooks_ += history_.OnChange.Subscribe([this](const THistoryChange& change) {
      const char* kinds[] = {"+", "-", "~"};
      changes_.push_back(kinds[change.Kind] + std::to_string(static_cast<int>(change.Branch)) +
                         "@" + std::to_string(change.Row));
    });
  }
  ~SearchHistoryTest() override {
    SetUILanguage(TUILanguage::NotSet);
    ResetLetterMaps();
  }

  std::vector<std::string> Texts(THistoryBranch branch) const {
    std::vector<std::string> texts;
    for (const THistoryNode& node : history_.Children(branch))
      texts.push_back(TSearchHistory::Caption(node));
    return texts;
  }

  THistoryNodeId Child(THistoryBranch branch, std::size_t row) const {
    return history_.Children(branch)[row].Id;
  }

  TSearchHistory history_;
  TSubscriptions hooks_;
  TCharacterManager manager_;
  std::vector<std::string> changes_;
};

TEST_F(SearchHistoryTest, ThreeRootsWithNewSearchNodesInTheCurrentLanguage) {
  SetLanguage("ENG");
  EXPECT_EQ("Crossword", TSearchHistory::Caption(history_.Root(THistoryBranch::Crossword)));
  EXPECT_EQ("Equal letters", TSearchHistory::Caption(history_.Root(THistoryBranch::EqualLetters)));
  EXPECT_THAT(Texts(THistoryBranch::Anagrams), ElementsAre("New search..."));
  EXPECT_THAT(Texts(THistoryBranch::EqualLetters), ElementsAre());
  SetLanguage("RUS");
  EXPECT_EQ(Cp("Анаграммы"), TSearchHistory::Caption(history_.Root(THistoryBranch::Anagrams)));
  EXPECT_THAT(Texts(THistoryBranch::Crossword), ElementsAre(Cp("Новый поиск...")));
  EXPECT_EQ(6, TSearchHistory::ImageIndex(history_.Root(THistoryBranch::Crossword)));
  EXPECT_EQ(39, TSearchHistory::ImageIndex(history_.Children(THistoryBranch::Crossword)[0]));
}

TEST_F(SearchHistoryTest, SearchesAreRecordedNewestFirstOncePerTextUpToTheCount) {
  SetLanguage("ENG");
  for (const char* p : {"a", "b", "c", "d", "e"}) history_.AddPatternHistory(p);
  EXPECT_THAT(Texts(THistoryBranch::Crossword),
              ElementsAre("New search...", "e", "d", "c", "b", "a"));
  const THistoryNodeId c = Child(THistoryBranch::Crossword, 3);
  changes_.clear();

  history_.AddPatternHistory("c");  // repeated: keeps its place
  history_.AddPatternHistory("C");  // another text: case counts
  EXPECT_THAT(Texts(THistoryBranch::Crossword),
              ElementsAre("New search...", "C", "e", "d", "c", "b"));
  EXPECT_EQ(c, Child(THistoryBranch::Crossword, 4));  // the node stays the same node
  EXPECT_THAT(changes_, ElementsAre("-0@5", "+0@1"));
}

TEST_F(SearchHistoryTest, NothingIsRecordedWhenTheHistoryIsOffOrEmpty) {
  history_.SetDoSaveLast(false);
  history_.AddPatternHistory("a");
  history_.SetDoSaveLast(true);
  history_.SetSaveLastCount(0);
  history_.AddAnagramHistory("b", aoUsual);
  history_.SetSaveLastCount(5);
  history_.AddPatternHistory("");
  EXPECT_EQ(0, history_.EntryCount(THistoryBranch::Crossword));
  EXPECT_EQ(0, history_.EntryCount(THistoryBranch::Anagrams));
  EXPECT_THAT(changes_, ElementsAre());
}

TEST_F(SearchHistoryTest, RepeatingAnAnagramOnlyUpdatesItsMode) {
  history_.AddAnagramHistory(Cp("акрт"), aoUsual);
  history_.AddAnagramHistory("xyz", aoUsual);
  history_.AddAnagramHistory(Cp("акрт"), aoMakeWords);
  EXPECT_THAT(Texts(THistoryBranch::Anagrams), ElementsAre(::testing::_, "xyz", Cp("акрт")));
  EXPECT_EQ(aoMakeWords, history_.Children(THistoryBranch::Anagrams)[2].Mode);
  EXPECT_THAT(changes_, ElementsAre("+1@1", "+1@1", "~1@2"));
}

TEST_F(SearchHistoryTest, LoweringTheCountCutsBothBranchesAtOnce) {
  history_.SetSaveLastCount(10);
  for (int i = 0; i < 10; ++i) {
    history_.AddPatternHistory("p" + std::to_string(i));
    history_.AddAnagramHistory("a" + std::to_string(i), aoUsual);
  }
  history_.SetSaveLastCount(3);
  history_.TrimHistory();
  EXPECT_THAT(Texts(THistoryBranch::Crossword), ElementsAre(::testing::_, "p9", "p8", "p7"));
  EXPECT_THAT(Texts(THistoryBranch::Anagrams), ElementsAre(::testing::_, "a9", "a8", "a7"));
  history_.SetSaveLastCount(0);
  history_.TrimHistory();  // the "New search..." nodes stay
  EXPECT_EQ(1u, history_.Children(THistoryBranch::Crossword).size());
  EXPECT_EQ(1u, history_.Children(THistoryBranch::Anagrams).size());
}

TEST_F(SearchHistoryTest, ChangeAndDeleteApplyToEntriesAndEqualLettersOnly) {
  history_.AddPatternHistory("p");
  history_.AddAnagramHistory("a", aoUsual);
  const THistoryNodeId equal = history_.AddEqualLetters(manager_, {"ab", 'c', true});
  const THistoryNodeId pattern = Child(THistoryBranch::Crossword, 1);
  const THistoryNodeId anagram = Child(THistoryBranch::Anagrams, 1);
  const THistoryNodeId fixed[] = {history_.Root(THistoryBranch::Crossword).Id,
                                  Child(THistoryBranch::Anagrams, 0), 9999};
  EXPECT_TRUE(history_.CanChange(pattern) && history_.CanChange(anagram) &&
              history_.CanChange(equal));
  EXPECT_TRUE(history_.CanEditInPlace(pattern) && history_.CanEditInPlace(anagram));
  EXPECT_FALSE(history_.CanEditInPlace(equal));
  EXPECT_TRUE(history_.CanSetAnagramMode(anagram));
  EXPECT_FALSE(history_.CanSetAnagramMode(pattern));
  for (const THistoryNodeId id : fixed) {
    EXPECT_FALSE(history_.CanChange(id));
    EXPECT_FALSE(history_.SetEntryText(id, "x"));
    EXPECT_EQ(kNoHistoryNode, history_.Delete(id, manager_));
  }
  EXPECT_EQ(1, history_.EntryCount(THistoryBranch::Anagrams));
}

TEST_F(SearchHistoryTest, AnInPlaceEditBecomesTheTextThatRunsButNeverAnEmptyOne) {
  history_.AddAnagramHistory("abc", aoExtended);
  const THistoryNodeId id = Child(THistoryBranch::Anagrams, 1);
  EXPECT_TRUE(history_.SetEntryText(id, "abd"));
  EXPECT_FALSE(history_.SetEntryText(id, ""));
  const THistoryAction run = history_.DoubleClick(id);
  EXPECT_EQ(THistoryAction::RunAnagram, run.Kind);
  EXPECT_EQ("abd", run.Text);
  EXPECT_EQ(aoExtended, run.Mode);
  history_.SetAnagramMode(id, aoUsual);
  EXPECT_EQ(aoUsual, history_.DoubleClick(id).Mode);
}

TEST_F(SearchHistoryTest, DeletingSelectsTheNextSiblingElseThePreviousOne) {
  for (const char* p : {"a", "b", "c"}) history_.AddPatternHistory(p);  // c b a
  const THistoryNodeId c = Child(THistoryBranch::Crossword, 1);
  const THistoryNodeId b = Child(THistoryBranch::Crossword, 2);
  const THistoryNodeId a = Child(THistoryBranch::Crossword, 3);
  EXPECT_EQ(b, history_.Delete(c, manager_));
  EXPECT_EQ(b, history_.Delete(a, manager_));  // the last one: its previous sibling
  EXPECT_EQ(Child(THistoryBranch::Crossword, 0), history_.Delete(b, manager_));  // New search
  EXPECT_EQ(nullptr, history_.Find(b));

  const THistoryNodeId only = history_.AddEqualLetters(manager_, {"ab", 'c', true});
  EXPECT_EQ(history_.Root(THistoryBranch::EqualLetters).Id, history_.Delete(only, manager_));
  EXPECT_EQ(0, manager_.EqualLettersCount());
}

TEST_F(SearchHistoryTest, EqualLetterNodesKeepReferringToTheirOwnGroupAfterADeletion) {
  for (const char* letters : {"ab", "cd", "ef"})
    history_.AddEqualLetters(manager_, {letters, 'x', true});
  history_.Delete(Child(THistoryBranch::EqualLetters, 0), manager_);
  const THistoryNodeId first = Child(THistoryBranch::EqualLetters, 0);
  EXPECT_EQ("cd=x", history_.Find(first)->Text);

  EXPECT_TRUE(history_.ChangeEqualLetters(first, manager_, {"gh", 'y', true}));
  EXPECT_EQ("gh=y", history_.Find(first)->Text);
  EXPECT_EQ("gh", manager_.GetEqualLetters(0).Letters);
  EXPECT_EQ("ef", manager_.GetEqualLetters(1).Letters);
  EXPECT_EQ(1, history_.Children(THistoryBranch::EqualLetters)[1].EqualIndex);
}

TEST_F(SearchHistoryTest, TogglingSwitchesTheGroupInTheManager) {
  const THistoryNodeId id = history_.AddEqualLetters(manager_, {Cp("ё"), Cp("е")[0], true});
  EXPECT_EQ(50, TSearchHistory::ImageIndex(*history_.Find(id)));
  const auto yo = static_cast<std::uint8_t>(Cp("ё")[0]);
  EXPECT_EQ(static_cast<std::uint8_t>(Cp("е")[0]), manager_.FoldMap()[yo]);

  history_.ToggleEqualLetters(id, manager_);
  EXPECT_FALSE(manager_.GetEqualLettersActive(0));
  EXPECT_EQ(yo, manager_.FoldMap()[yo]);
  EXPECT_EQ(49, TSearchHistory::ImageIndex(*history_.Find(id)));

  // A changed group is in force, and its node shows it.
  EXPECT_TRUE(history_.ChangeEqualLetters(id, manager_, {Cp("ёЁ"), Cp("е")[0], true}));
  EXPECT_TRUE(history_.Find(id)->Active);
  EXPECT_TRUE(manager_.GetEqualLettersActive(0));
}

TEST_F(SearchHistoryTest, AnUnchangedOrIncompleteGroupChangesNothing) {
  const THistoryNodeId id = history_.AddEqualLetters(manager_, {"ab", 'c', false});
  changes_.clear();
  EXPECT_FALSE(history_.ChangeEqualLetters(id, manager_, {"ab", 'c', true}));
  EXPECT_FALSE(history_.ChangeEqualLetters(id, manager_, {"", 'c', true}));
  EXPECT_FALSE(history_.ChangeEqualLetters(id, manager_, {"ab", '\0', true}));
  EXPECT_EQ(kNoHistoryNode, history_.AddEqualLetters(manager_, {"", 'c', true}));
  EXPECT_EQ(kNoHistoryNode, history_.AddEqualNode(manager_, 5));
  EXPECT_FALSE(manager_.GetEqualLettersActive(0));
  EXPECT_EQ(1, manager_.EqualLettersCount());
  EXPECT_THAT(changes_, ElementsAre());
}

TEST(EqualLettersFromInputTest, BothFieldsMakeAnActiveGroupAndAnEmptyOneNothing) {
  EXPECT_EQ((TEqualLetters{Cp("ЕЁ"), Cp("е")[0], true}), EqualLettersFromInput(Cp("ЕЁ"), Cp("е")));
  // Only the first character of the equivalent counts.
  EXPECT_EQ((TEqualLetters{"ab", 'x', true}), EqualLettersFromInput("ab", "xyz"));
  EXPECT_FALSE(EqualLettersFromInput("ab", ""));
  EXPECT_FALSE(EqualLettersFromInput("", "x"));
}

TEST_F(SearchHistoryTest, RebuildingFollowsTheManager) {
  history_.AddEqualLetters(manager_, {"ab", 'c', true});
  TCharacterManager edited(TManagerRole::WorkingCopy);
  edited.AddEqualLetters({"xy", 'z', false});
  edited.AddEqualLetters({"uv", 'w', true});
  manager_.AssignEqualLetters(edited);
  history_.RebuildEqualNodes(manager_);
  EXPECT_THAT(Texts(THistoryBranch::EqualLetters), ElementsAre("xy=z", "uv=w"));
  EXPECT_FALSE(history_.Children(THistoryBranch::EqualLetters)[0].Active);
}

TEST_F(SearchHistoryTest, DoubleClickAndNewCommandsOpenWhatTheirBranchAsksFor) {
  history_.AddPatternHistory("*cat*");
  const THistoryNodeId equal = history_.AddEqualLetters(manager_, {"ab", 'c', true});
  const THistoryAction run = history_.DoubleClick(Child(THistoryBranch::Crossword, 1));
  EXPECT_EQ(THistoryAction::RunCrossword, run.Kind);
  EXPECT_EQ("*cat*", run.Text);
  EXPECT_EQ(THistoryAction::CrosswordPage,
            history_.DoubleClick(Child(THistoryBranch::Crossword, 0)).Kind);
  EXPECT_EQ(THistoryAction::AnagramPage,
            history_.DoubleClick(Child(THistoryBranch::Anagrams, 0)).Kind);
  EXPECT_EQ(THistoryAction::None,
            history_.DoubleClick(history_.Root(THistoryBranch::Crossword).Id).Kind);
  EXPECT_EQ(THistoryAction::None, history_.DoubleClick(equal).Kind);

  EXPECT_EQ(THistoryAction::CrosswordPage,
            history_.NewCommand(Child(THistoryBranch::Crossword, 1)).Kind);
  EXPECT_EQ(THistoryAction::AnagramPage,
            history_.NewCommand(history_.Root(THistoryBranch::Anagrams).Id).Kind);
  EXPECT_EQ(THistoryAction::AddEqualLetters, history_.NewCommand(equal).Kind);
  EXPECT_EQ(THistoryAction::None, history_.NewCommand(kNoHistoryNode).Kind);
}

TEST_F(SearchHistoryTest, SearchesByMeaningHaveABranchOfTheirOwnThatRunsThemAgain) {
  SetLanguage("RUS");
  EXPECT_EQ(Cp("По смыслу"), TSearchHistory::Caption(history_.Root(THistoryBranch::Meaning)));
  SetLanguage("ENG");
  EXPECT_EQ("By meaning", TSearchHistory::Caption(history_.Root(THistoryBranch::Meaning)));
  history_.SetSaveLastCount(2);
  for (const char* text : {"b???? : cold", ": grief", "b???? : cold", "*ness : joy"})
    history_.AddMeaningHistory(text);
  EXPECT_THAT(Texts(THistoryBranch::Meaning),
              ElementsAre("New search...", "*ness : joy", ": grief"));
  EXPECT_EQ(0, history_.EntryCount(THistoryBranch::Crossword));

  const THistoryNodeId entry = Child(THistoryBranch::Meaning, 1);
  const THistoryAction run = history_.DoubleClick(entry);
  EXPECT_EQ(THistoryAction::RunMeaning, run.Kind);
  EXPECT_EQ("*ness : joy", run.Text);
  EXPECT_EQ(THistoryAction::MeaningPage, history_.NewCommand(entry).Kind);
  EXPECT_EQ(THistoryAction::MeaningPage,
            history_.DoubleClick(Child(THistoryBranch::Meaning, 0)).Kind);

  // An edit in place keeps the entry a search by meaning.
  EXPECT_TRUE(history_.CanEditInPlace(entry));
  EXPECT_FALSE(history_.SetEntryText(entry, "*ness"));
  EXPECT_FALSE(history_.SetEntryText(entry, "*ness : "));
  EXPECT_TRUE(history_.SetEntryText(entry, "*ness : delight"));
  EXPECT_EQ("*ness : delight", history_.Children(THistoryBranch::Meaning)[1].Text);

  EXPECT_EQ(Child(THistoryBranch::Meaning, 1), history_.Delete(entry, manager_));
  EXPECT_THAT(Texts(THistoryBranch::Meaning), ElementsAre("New search...", ": grief"));
}

}  // namespace
}  // namespace gryvel
