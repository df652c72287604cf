#include "gui/main_window/search_tree.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QtTest>
#include <vector>

#include "gui/dialogs.h"
#include "gui/fonts.h"
#include "gui/icons.h"
#include "gui/text.h"
#include "results/language.h"
#include "scripted_dialogs.h"
#include "search/letter_maps.h"
#include "support/text.h"

namespace gryvel::gui {
namespace {

using testing::Cp;

}  // namespace

class TSearchTreeTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TSearchHistory> FHistory;
  std::unique_ptr<TCharacterManager> FManager;
  std::unique_ptr<TSearchTree> FTree;
  std::vector<THistoryAction> FActions;

  QTreeWidgetItem* Root(THistoryBranch branch) const {
    return FTree->topLevelItem(static_cast<int>(branch));
  }
  QStringList Texts(THistoryBranch branch) const {
    QStringList texts;
    for (int i = 0; i < Root(branch)->childCount(); ++i) texts << Root(branch)->child(i)->text(0);
    return texts;
  }
  QTreeWidgetItem* Item(THistoryBranch branch, int row) const { return Root(branch)->child(row); }
  QPoint Centre(QTreeWidgetItem* item) const { return FTree->visualItemRect(item).center(); }
  void Show() {
    FTree->resize(300, 400);
    FTree->show();
    FTree->ExpandAllAndScrollTop();
    QVERIFY(QTest::qWaitForWindowExposed(FTree.get()));
  }
  // Opens the context menu on `item` and returns whether each action is enabled.
  QString MenuState(QTreeWidgetItem* item) {
    const QPoint pos = Centre(item);
    QTest::mousePress(FTree->viewport(), Qt::RightButton, {}, pos);
    QTest::mouseRelease(FTree->viewport(), Qt::RightButton, {}, pos);
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, FTree->viewport()->mapToGlobal(pos));
    QApplication::sendEvent(FTree->viewport(), &event);
    auto* menu = FTree->findChild<QMenu*>("searchTreeMenu");
    QString state;
    for (const char* name :
         {"searchTreeNewAction", "searchTreeChangeAction", "searchTreeDeleteAction"})
      state += FTree->findChild<QAction*>(name)->isEnabled() ? "1" : "0";
    state += FTree->findChild<QMenu*>("searchTreeModeMenu")->isEnabled() ? "1" : "0";
    menu->close();
    return state;
  }
  QAction* Action(const char* name) const { return FTree->findChild<QAction*>(name); }

 private Q_SLOTS:
  void init() {
    SetUILanguage(TUILanguage::English);
    FHistory = std::make_unique<TSearchHistory>();
    FManager = std::make_unique<TCharacterManager>();
    FTree = std::make_unique<TSearchTree>(*FHistory, *FManager);
    FActions.clear();
    FTree->OnAction = [this](const THistoryAction& action) { FActions.push_back(action); };
  }
  void cleanup() {
    FTree.reset();
    FManager.reset();
    FHistory.reset();
    SetUILanguage(TUILanguage::NotSet);
    ResetLetterMaps();
  }

  void RootsAndNewSearchFollowTheLanguage() {
    QCOMPARE(FTree->objectName(), QString("SearchTree"));
    QCOMPARE(FTree->topLevelItemCount(), 4);
    QCOMPARE(Root(THistoryBranch::Crossword)->text(0), QString("Crossword"));
    QCOMPARE(Root(THistoryBranch::Anagrams)->text(0), QString("Anagrams"));
    QCOMPARE(Root(THistoryBranch::EqualLetters)->text(0), QString("Equal letters"));
    QCOMPARE(Texts(THistoryBranch::Anagrams), QStringList{"New search..."});
    FHistory->AddPatternHistory("k?t");
    SetUILanguage(TUILanguage::Russian);
    FTree->ApplyLanguage();
    QCOMPARE(Root(THistoryBranch::Crossword)->text(0), QString("Кроссворд"));
    QCOMPARE(Root(THistoryBranch::Anagrams)->text(0), QString("Анаграммы"));
    QCOMPARE(Root(THistoryBranch::EqualLetters)->text(0), QString("Эквиваленты"));
    QCOMPARE(Texts(THistoryBranch::Crossword), (QStringList{"Новый поиск...", "k?t"}));
    QCOMPARE(Action("searchTreeDeleteAction")->text(), QString("&Удалить"));
    QCOMPARE(Action("searchTreeMakeUpWordsAction")->text(), QString("&Составить слова"));
  }

  // As at start-up: expanded while hidden, every node shows once the tree does.
  void ExpandedWhileHiddenShowsEveryNodeWhenShown() {
    FHistory->AddPatternHistory("cat");
    FHistory->AddAnagramHistory("tac", aoUsual);
    FTree->resize(300, 400);
    FTree->ExpandAllAndScrollTop();
    FTree->show();
    QVERIFY(QTest::qWaitForWindowExposed(FTree.get()));
    for (THistoryBranch branch : {THistoryBranch::Crossword, THistoryBranch::Anagrams}) {
      QVERIFY(Root(branch)->isExpanded());
      for (int row = 0; row < Root(branch)->childCount(); ++row)
        QVERIFY(FTree->visualItemRect(Item(branch, row)).isValid());
    }
    QCOMPARE(FTree->verticalScrollBar()->value(), 0);
  }

  void NodesGetTheirFontsAndIcons() {
    FHistory->AddPatternHistory("cat");
    FHistory->AddEqualLetters(*FManager, {Cp("ЕЁ"), Cp("Е")[0], false});
    QCOMPARE(Item(THistoryBranch::Crossword, 0)->foreground(0).color(), QColor(128, 0, 0));
    QCOMPARE(Item(THistoryBranch::Crossword, 0)->font(0).pointSize(), 8);
    QCOMPARE(DesignedFamily(Item(THistoryBranch::Crossword, 1)->font(0).family()), QString("Courier New"));
    QCOMPARE(Item(THistoryBranch::Crossword, 1)->font(0).pointSize(), 10);
    QCOMPARE(DesignedFamily(Root(THistoryBranch::Anagrams)->font(0).family()), QString("Verdana"));
    QCOMPARE(Item(THistoryBranch::EqualLetters, 0)->text(0), QString("ЕЁ=Е"));
    QCOMPARE(Item(THistoryBranch::EqualLetters, 0)->icon(0).cacheKey(),
             Icon(TIcon::EqualInactive).cacheKey());
  }

  void RecordingShowsNewestFirstAndTrims() {
    FHistory->SetSaveLastCount(2);
    for (const char* text : {"a*", "b*", "c*"}) FHistory->AddPatternHistory(text);
    QCOMPARE(Texts(THistoryBranch::Crossword), (QStringList{"New search...", "c*", "b*"}));
    FHistory->AddAnagramHistory("rat", aoExtended);
    FHistory->AddAnagramHistory("tar", aoUsual);
    FHistory->AddAnagramHistory("rat", aoMakeWords);  // present: keeps its place
    QCOMPARE(Texts(THistoryBranch::Anagrams), (QStringList{"New search...", "tar", "rat"}));
    FHistory->SetSaveLastCount(1);
    FHistory->TrimHistory();
    QCOMPARE(Texts(THistoryBranch::Crossword), (QStringList{"New search...", "c*"}));
    QCOMPARE(Texts(THistoryBranch::Anagrams), (QStringList{"New search...", "tar"}));
    for (int row = 0; row < 2; ++row)
      QCOMPARE(TSearchTree::NodeId(Item(THistoryBranch::Anagrams, row)),
               FHistory->Children(THistoryBranch::Anagrams)[row].Id);
  }

  void OnlyEntriesAreEditedInPlaceAndTheModelKeepsTheText() {
    FHistory->AddPatternHistory("k?t");
    FHistory->AddEqualLetters(*FManager, {Cp("ЕЁ"), Cp("Е")[0], true});
    QTreeWidgetItem* entry = Item(THistoryBranch::Crossword, 1);
    QVERIFY(entry->flags() & Qt::ItemIsEditable);
    for (QTreeWidgetItem* item :
         {Root(THistoryBranch::Crossword), Item(THistoryBranch::Crossword, 0),
          Item(THistoryBranch::EqualLetters, 0)})
      QVERIFY(!(item->flags() & Qt::ItemIsEditable));

    Show();
    FTree->setCurrentItem(entry);
    Action("searchTreeChangeAction")->trigger();
    auto* editor = FTree->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor != nullptr);
    QVERIFY(editor->isVisible());
    editor->setText("к?т*");
    QTest::keyClick(editor, Qt::Key_Return);  // commits through a queued call
    QTRY_COMPARE(ToQString(FHistory->Children(THistoryBranch::Crossword)[1].Text), QString("к?т*"));

    // Refused texts: empty, and a character code page 1251 lacks.
    for (const QString& refused : {QString(), QString("日本")}) {
      entry->setText(0, refused);
      QCOMPARE(entry->text(0), QString("к?т*"));
    }
  }

  void DeleteKeySelectsTheNextSiblingElseThePrevious() {
    for (const char* text : {"a*", "b*", "c*"}) FHistory->AddPatternHistory(text);
    Show();
    FTree->setCurrentItem(Item(THistoryBranch::Crossword, 2));  // b*
    QTest::keyClick(FTree.get(), Qt::Key_Delete);
    QCOMPARE(Texts(THistoryBranch::Crossword), (QStringList{"New search...", "c*", "a*"}));
    QCOMPARE(FTree->currentItem()->text(0), QString("a*"));
    QTest::keyClick(FTree.get(), Qt::Key_Delete);
    QCOMPARE(FTree->currentItem()->text(0), QString("c*"));
    // "New search..." and roots stay.
    FTree->setCurrentItem(Item(THistoryBranch::Crossword, 0));
    QTest::keyClick(FTree.get(), Qt::Key_Delete);
    FTree->setCurrentItem(Root(THistoryBranch::Crossword));
    QTest::keyClick(FTree.get(), Qt::Key_Delete);
    QCOMPARE(Texts(THistoryBranch::Crossword), (QStringList{"New search...", "c*"}));
  }

  void DeletingAnEqualLettersNodeDeletesItsGroup() {
    FHistory->AddEqualLetters(*FManager, {"ab", 'a', true});
    FHistory->AddEqualLetters(*FManager, {"cd", 'c', true});
    Show();
    FTree->setCurrentItem(Item(THistoryBranch::EqualLetters, 0));
    Action("searchTreeDeleteAction")->trigger();
    QCOMPARE(FManager->EqualLettersCount(), 1);
    QCOMPARE(QString::fromStdString(FManager->GetEqualLetters(0).Letters), QString("cd"));
    QCOMPARE(Texts(THistoryBranch::EqualLetters), QStringList{"cd=c"});
    QCOMPARE(FTree->currentItem()->text(0), QString("cd=c"));
  }

  void ClickOnTheIconTogglesAnEqualLettersGroup() {
    FHistory->AddEqualLetters(*FManager, {"ab", 'a', true});
    Show();
    QTreeWidgetItem* item = Item(THistoryBranch::EqualLetters, 0);
    const QRect icon = FTree->IconRect(item);
    QVERIFY(!icon.isEmpty());
    QVERIFY(icon.right() < FTree->visualItemRect(item).center().x());
    // A click on the text only selects.
    QTest::mouseClick(FTree->viewport(), Qt::LeftButton, {}, Centre(item) + QPoint(20, 0));
    QVERIFY(FManager->GetEqualLettersActive(0));
    QTest::mouseClick(FTree->viewport(), Qt::LeftButton, {}, icon.center());
    QVERIFY(!FManager->GetEqualLettersActive(0));
    QCOMPARE(Item(THistoryBranch::EqualLetters, 0)->icon(0).cacheKey(),
             Icon(TIcon::EqualInactive).cacheKey());
    // QTest stamps each click half a second after the last release: never a double click.
    QTest::mouseClick(FTree->viewport(), Qt::LeftButton, {}, icon.center());
    QVERIFY(FManager->GetEqualLettersActive(0));
    QCOMPARE(Item(THistoryBranch::EqualLetters, 0)->icon(0).cacheKey(),
             Icon(TIcon::EqualActive).cacheKey());
  }

  void DoubleClickRunsAnEntryOrOpensTheDialogPage() {
    FHistory->AddPatternHistory("*cat*");
    FHistory->AddAnagramHistory("rat", aoMakeWords);
    Show();
    for (QTreeWidgetItem* item :
         {Item(THistoryBranch::Crossword, 1), Item(THistoryBranch::Anagrams, 1),
          Item(THistoryBranch::Anagrams, 0)}) {
      // A double click is a click followed by a second press.
      QTest::mouseClick(FTree->viewport(), Qt::LeftButton, {}, Centre(item));
      QTest::mouseDClick(FTree->viewport(), Qt::LeftButton, {}, Centre(item));
    }
    QCOMPARE(FActions.size(), std::size_t{3});
    QCOMPARE(FActions[0].Kind, THistoryAction::RunCrossword);
    QCOMPARE(QString::fromStdString(FActions[0].Text), QString("*cat*"));
    QCOMPARE(FActions[1].Kind, THistoryAction::RunAnagram);
    QCOMPARE(QString::fromStdString(FActions[1].Text), QString("rat"));
    QCOMPARE(FActions[1].Mode, aoMakeWords);
    QCOMPARE(FActions[2].Kind, THistoryAction::AnagramPage);
    // Nothing is recorded again.
    QCOMPARE(FHistory->EntryCount(THistoryBranch::Crossword), 1);
  }

  // The meaning branch: its root in both languages, its entries, and a double click that runs
  // one again or, on "New search...", asks for the dialog's clue field.
  void MeaningBranchShowsAndRunsItsSearches() {
    FHistory->AddMeaningHistory(Cp("п????а : успех"));
    FHistory->AddPatternHistory("k?t");
    QCOMPARE(Root(THistoryBranch::Meaning)->text(0), QString("By meaning"));
    QCOMPARE(Root(THistoryBranch::Meaning)->icon(0).cacheKey(), Icon(TIcon::InfoNode).cacheKey());
    QCOMPARE(Texts(THistoryBranch::Meaning), (QStringList{"New search...", "п????а : успех"}));
    QCOMPARE(Texts(THistoryBranch::Crossword), (QStringList{"New search...", "k?t"}));
    QCOMPARE(Item(THistoryBranch::Meaning, 1)->icon(0).cacheKey(),
             Icon(TIcon::PatternEntry).cacheKey());
    SetUILanguage(TUILanguage::Russian);
    FTree->ApplyLanguage();
    QCOMPARE(Root(THistoryBranch::Meaning)->text(0), QString("По смыслу"));
    QCOMPARE(Item(THistoryBranch::Meaning, 0)->text(0), QString("Новый поиск..."));

    Show();
    for (QTreeWidgetItem* item : {Item(THistoryBranch::Meaning, 1), Item(THistoryBranch::Meaning, 0)}) {
      QTest::mouseClick(FTree->viewport(), Qt::LeftButton, {}, Centre(item));
      QTest::mouseDClick(FTree->viewport(), Qt::LeftButton, {}, Centre(item));
    }
    QCOMPARE(FActions.size(), std::size_t{2});
    QCOMPARE(FActions[0].Kind, THistoryAction::RunMeaning);
    QCOMPARE(ToQString(FActions[0].Text), QString("п????а : успех"));
    QCOMPARE(FActions[1].Kind, THistoryAction::MeaningPage);
    // Enter on an entry runs it as a double click does.
    FTree->setCurrentItem(Item(THistoryBranch::Meaning, 1));
    QTest::keyClick(FTree.get(), Qt::Key_Return);
    QCOMPARE(FActions.size(), std::size_t{3});
    QCOMPARE(FActions[2].Kind, THistoryAction::RunMeaning);
  }

  void ContextMenuEnablesWhatTheNodeAllows() {
    FHistory->AddPatternHistory("k?t");
    FHistory->AddAnagramHistory("rat", aoExtended);
    FHistory->AddEqualLetters(*FManager, {"ab", 'a', true});
    Show();
    // New, Change, Delete, search kind.
    QCOMPARE(MenuState(Root(THistoryBranch::Crossword)), QString("1000"));
    QCOMPARE(MenuState(Item(THistoryBranch::Anagrams, 0)), QString("1000"));
    QCOMPARE(MenuState(Item(THistoryBranch::Crossword, 1)), QString("1110"));
    QCOMPARE(MenuState(Item(THistoryBranch::EqualLetters, 0)), QString("1110"));
    QCOMPARE(MenuState(Item(THistoryBranch::Anagrams, 1)), QString("1111"));
    QVERIFY(Action("searchTreeIncludeAllAction")->isChecked());
    QVERIFY(!Action("searchTreeUsualAction")->isChecked());

    Action("searchTreeMakeUpWordsAction")->trigger();
    QCOMPARE(FHistory->Children(THistoryBranch::Anagrams)[1].Mode, aoMakeWords);
    QVERIFY(FActions.empty());  // setting the mode does not run the search
    Action("searchTreeNewAction")->trigger();
    FTree->setCurrentItem(Item(THistoryBranch::EqualLetters, 0));
    Action("searchTreeNewAction")->trigger();
    QCOMPARE(FActions.size(), std::size_t{2});
    QCOMPARE(FActions[0].Kind, THistoryAction::AnagramPage);
    QCOMPARE(FActions[1].Kind, THistoryAction::AddEqualLetters);
  }

  void ChangeOnAnEqualLettersNodeOpensItsDialog() {
    TScriptedDialogs dialogs;
    dialogs.DefaultAnswer = TMessageAnswer::Ok;
    dialogs.Equal = TEqualLetters{"xy", 'z', true};
    TDialogs* previous = SetDialogs(&dialogs);
    FHistory->AddEqualLetters(*FManager, {"ab", 'a', false});
    Show();
    FTree->setCurrentItem(Item(THistoryBranch::EqualLetters, 0));
    QTest::keyClick(FTree.get(), Qt::Key_F2);
    SetDialogs(previous);
    QCOMPARE(dialogs.EqualAsked.size(), std::size_t{1});
    QCOMPARE(dialogs.EqualAsked[0], std::make_pair(false, TEqualLetters{"ab", 'a', false}));
    QCOMPARE(Texts(THistoryBranch::EqualLetters), QStringList{"xy=z"});
    QCOMPARE(FManager->GetEqualLetters(0), (TEqualLetters{"xy", 'z', true}));
    QCOMPARE(Item(THistoryBranch::EqualLetters, 0)->icon(0).cacheKey(),
             Icon(TIcon::EqualActive).cacheKey());
  }

  void RightButtonSelectsTheNode() {
    FHistory->AddPatternHistory("k?t");
    Show();
    QTreeWidgetItem* entry = Item(THistoryBranch::Crossword, 1);
    QTest::mousePress(FTree->viewport(), Qt::RightButton, {}, Centre(entry));
    QCOMPARE(FTree->currentItem(), entry);
    QTest::mouseRelease(FTree->viewport(), Qt::RightButton, {}, Centre(entry));
  }
};

}  // namespace gryvel::gui

QTEST_MAIN(gryvel::gui::TSearchTreeTest)
#include "search_tree_test.moc"
