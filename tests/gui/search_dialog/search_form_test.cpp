// The search dialog through the main window: its four commands, the requests it hands back,
// and word chains and analyses run in it, stopped, cancelled and cut short by closing.

#include "gui/search_dialog/search_form.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QAbstractItemView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "common/format.h"
#include "dictionary/kiv_dictionary.h"
#include "gui/app/application.h"
#include "gui/app/platform_hooks.h"
#include "gui/help_window.h"
#include "gui/main_window/kiv_main_form.h"
#include "gui/main_window/main_commands.h"
#include "gui/main_window/search_tree.h"
#include "gui/search_dialog/result_row_delegate.h"
#include "gui/text.h"
#include "gui/widgets/enter_edit.h"
#include "gui/widgets/kiv_viewer.h"
#include "results/language.h"
#include "scripted_dialogs.h"
#include "shell/session.h"
#include "window_test.h"

using namespace gryvel;
using namespace gryvel::gui;

namespace {

// The designed object names of the widgets these tests reach.
constexpr char kChangeCountEdit[] = "Edit1";
constexpr char kFromItemEdit[] = "Edit2";
constexpr char kToItemEdit[] = "Edit3";
constexpr char kVariantsCountLabel[] = "Label4";
constexpr char kFoundCountLabel[] = "Label5";
constexpr char kResultPanel[] = "Panel3";
constexpr char kElapsedLabel[] = "Label6";

// Words with descriptions for the search by meaning: «успех» lists «победа» itself, and
// «пальма» (before it in the list) holds the clue in its own description.
void WriteMeaningDictionary(const QString& path) {
  const std::pair<const char*, const char*> entries[] = {
      {"пальма", "символ успеха"}, {"победа", "успех в борьбе"}, {"палата", "комната"},
      {"успех", "удача, победа"},  {"премия", "награда"},
  };
  TKivDictionary dictionary;
  dictionary.SetLoaded();
  for (const auto& [word, description] : entries) {
    const std::string text = *FromQString(QString::fromUtf8(word));
    (void)dictionary.AddWord(text);
    dictionary.SetDescription(dictionary.Entries().IndexOf(text),
                              *FromQString(QString::fromUtf8(description)));
  }
  QVERIFY(dictionary.SaveToFile(PathFromQString(path)).ok());
}

const QStringList kWords = {"кот", "кит",  "котёл", "скот", "полкот", "рот",
                            "рос", "пос",  "пёс",   "дом",  "мост",   "ток",
                            "ра",  "ар",   "стол",  "слово"};

}  // namespace

class TSearchFormTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir FDir;
  std::unique_ptr<TSession> FSession;
  std::unique_ptr<TKivMainForm> FForm;

  void Open(const QString& dictionary = {}) {
    FForm.reset();
    const QString target = FDir.filePath("Dictionaries/dictionary.kiv");
    QFile::remove(target);
    if (dictionary.isEmpty()) {
      WriteDictionary(target, kWords);
    } else {
      QVERIFY(QFile::copy(dictionary, target));
    }
    FSession = std::make_unique<TSession>(ProgramSettings(PathFromQString(FDir.path())));
    FForm = std::make_unique<TKivMainForm>(*FSession);
    FForm->show();
    QTRY_VERIFY(FSession->Collection.Count() > 0 && FSession->Collection.LoadingCount() == 0);
  }
  TMainCommands& Commands() const { return *FForm->findChild<TMainCommands*>(); }
  TSearchForm* Dialog() const { return FForm->findChild<TSearchForm*>(); }
  template <typename T>
  T* Child(const char* name) const {
    return Dialog()->findChild<T*>(name);
  }
  QString Label(const char* name) const { return Child<QLabel>(name)->text(); }
  TKivViewer& MainList() const { return *FForm->findChild<TKivViewer*>("KivViewer1"); }
  // The words the main list shows.
  QStringList MainWords() const {
    QStringList words;
    for (const std::int32_t index : FSession->Source.View())
      words << ToQString(FSession->Collection.Item(index)->Word);
    words.sort();
    return words;
  }
  // The result texts of the dialog's list, in list order.
  QStringList DialogResults() const {
    QStringList texts;
    const QAbstractItemModel* model = Child<QAbstractItemView>("ResultList")->model();
    for (int row = 0; row < model->rowCount(); ++row)
      texts << model->index(row, 0).data().toString();
    return texts;
  }
  // The number a counter shows.
  qint64 Count(const char* name) const {
    return Label(name).remove(QRegularExpression(QStringLiteral("\\D"))).toLongLong();
  }

 private Q_SLOTS:
  void initTestCase() {
    InstallPlatformHooks();
    QVERIFY(FDir.isValid());
    QDir(FDir.path()).mkpath("Dictionaries");
  }
  void cleanupTestCase() { RemovePlatformHooks(); }
  void cleanup() {
    FForm.reset();
    FSession.reset();
    QFile::remove(FDir.filePath("gryvel.ini"));
    SetUILanguage(TUILanguage::NotSet);
  }

  // Each command, from the menu and from the toolbar, shows only its own page and panel; the
  // panel's Help button opens the help page of that page.
  void CommandsOpenTheirPages_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("request");
    QTest::addColumn<QString>("help");
    QTest::newRow("crossword") << "SearchCrosswordItem" << "tbCrossword" << 1 << true
                               << "wildcards";
    QTest::newRow("anagrams") << "SearchAnagramsItem" << "tbAnagram" << 2 << true
                              << "find_anagram";
    QTest::newRow("analysis") << "SearchWordAnalysisItem" << "tbWordAnalysis" << 3 << false
                              << "word_analysis";
    QTest::newRow("chain") << "SearchWordChainItem" << "tbChain" << 0 << false << "word_chain";
  }
  void CommandsOpenTheirPages() {
    QFETCH(QString, action);
    QFETCH(QString, button);
    QFETCH(int, page);
    QFETCH(bool, request);
    QFETCH(QString, help);
    Open();
    for (int way = 0; way < 2; ++way) {
      if (way == 0) {
        QAction* command = FForm->findChild<QAction*>(action);
        QVERIFY(command != nullptr && command->isEnabled());
        command->trigger();
      } else {
        auto* tool = FForm->findChild<QToolButton*>(button);
        QVERIFY(tool != nullptr);
        tool->click();
      }
      QVERIFY(Dialog() != nullptr && Dialog()->isVisible());
      auto* pages = Child<QTabWidget>("PageControl");
      QCOMPARE(pages->currentIndex(), page);
      for (int i = 0; i < pages->count(); ++i) QCOMPARE(pages->isTabVisible(i), i == page);
      QCOMPARE(Child<QWidget>("RequestPanel")->isVisible(), request);
      QCOMPARE(Child<QWidget>("SearchPanel")->isVisible(), !request);
      QCOMPARE(Child<QWidget>(kResultPanel)->isVisible(), !request);
      QPushButton* help_button = Child<QPushButton>(request ? "btnHelp" : "btnHelp2");
      QVERIFY(help_button->isVisible());
      help_button->click();
      auto* help_window = Dialog()->findChild<THelpWindow*>();
      QVERIFY(help_window != nullptr && help_window->isVisible());
      // The page, or where the help is not beside the test, the message naming it.
      const QString file = help + (UILanguage() == TUILanguage::Russian ? ".html" : "_en.html");
      QTextBrowser* browser = help_window->Browser();
      QVERIFY2(browser->source().fileName() == file || browser->toPlainText().contains(file),
               qPrintable(browser->source().toString() + browser->toPlainText()));
      help_window->close();
      Dialog()->activateWindow();
      QTest::keyClick(Dialog(), Qt::Key_Escape);
      QVERIFY(!Dialog()->isVisible());
    }
  }

  // The crossword page hands its text to the main window, which wraps a plain word.
  void CrosswordRequests_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("plain word") << "кот" << QStringList{"кот", "котёл", "полкот", "скот"};
    QTest::newRow("pattern") << "к?т" << QStringList{"кит", "кот"};
  }
  void CrosswordRequests() {
    QFETCH(QString, typed);
    QFETCH(QStringList, found);
    Open();
    Commands().SearchCrossword->trigger();
    Child<QLineEdit>("MaskWord")->setText(typed);
    QTest::keyClick(Child<QLineEdit>("MaskWord"), Qt::Key_Return);
    QVERIFY(!Dialog()->isVisible());
    QCOMPARE(MainWords(), found);
    QCOMPARE(FForm->findChild<TEnterEdit*>("FastSearch")->text(), typed);
    QCOMPARE(FSession->History.Children(THistoryBranch::Crossword).size(), std::size_t{2});
  }

  // The clue field with the pattern runs a search by meaning through the quick search's path:
  // the box shows "pattern : clue", the history records it in its own branch.
  void MeaningRequests_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("clue");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("found");  // in the list's order
    QTest::newRow("pattern and clue")
        << "п????а" << "успех" << "п????а : успех" << QStringList{"победа", "пальма"};
    QTest::newRow("clue in the pattern field")
        << "п????а : успех" << "" << "п????а : успех" << QStringList{"победа", "пальма"};
    QTest::newRow("any word") << "" << "удача" << ": удача" << QStringList{"успех"};
    QTest::newRow("clue only a blank") << "по????" << " " << "по????" << QStringList{"победа"};
  }
  void MeaningRequests() {
    QFETCH(QString, pattern);
    QFETCH(QString, clue);
    QFETCH(QString, typed);
    QFETCH(QStringList, found);
    WriteMeaningDictionary(FDir.filePath("meaning.kiv"));
    Open(FDir.filePath("meaning.kiv"));
    Commands().SearchCrossword->trigger();
    auto* mask = Child<QLineEdit>("MaskWord");
    auto* clue_edit = Child<QLineEdit>("ClueEdit");
    QVERIFY(clue_edit != nullptr);
    QWidget* next = mask->nextInFocusChain();
    while (!(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
    QCOMPARE(next, clue_edit);  // Tab goes from the pattern to the clue
    QCOMPARE(Child<QLabel>("ClueLabel")->buddy(), clue_edit);
    mask->setText(pattern);
    clue_edit->setText(clue);
    QTest::keyClick(clue_edit, Qt::Key_Return);
    QVERIFY(!Dialog()->isVisible());
    QCOMPARE(FForm->findChild<TEnterEdit*>("FastSearch")->text(), typed);
    QStringList shown;
    for (const std::int32_t index : FSession->Source.View())
      shown << ToQString(FSession->Collection.Item(index)->Word);
    QCOMPARE(shown, found);
    const bool meaning = typed.contains(" : ") || typed.startsWith(": ");
    const THistoryBranch branch = meaning ? THistoryBranch::Meaning : THistoryBranch::Crossword;
    const THistoryBranch other = meaning ? THistoryBranch::Crossword : THistoryBranch::Meaning;
    QCOMPARE(FSession->History.EntryCount(branch), 1);
    QCOMPARE(FSession->History.EntryCount(other), 0);
    QCOMPARE(ToQString(FSession->History.Children(branch)[1].Text), typed);
  }

  // Reopened, the dialog splits the last search by meaning into its two fields; a history entry
  // runs it again; the branch's "New search..." opens the dialog in the clue field.
  void MeaningSearchIsShownAgainAndRerunFromTheHistory() {
    WriteMeaningDictionary(FDir.filePath("meaning.kiv"));
    Open(FDir.filePath("meaning.kiv"));
    auto* fast = FForm->findChild<TEnterEdit*>("FastSearch");
    Commands().SearchCrossword->trigger();
    Child<QLineEdit>("MaskWord")->setText(QString::fromUtf8("п????а"));
    Child<QLineEdit>("ClueEdit")->setText(QString::fromUtf8("успех"));
    Child<QPushButton>("btnFind")->click();
    Commands().SearchCrossword->trigger();
    QCOMPARE(Child<QLineEdit>("MaskWord")->text(), QString::fromUtf8("п????а"));
    QCOMPARE(Child<QLineEdit>("ClueEdit")->text(), QString::fromUtf8("успех"));
    Dialog()->reject();

    fast->setText(QString::fromUtf8("у*"));
    QTest::keyClick(fast, Qt::Key_Return);
    QCOMPARE(FSession->Source.View().size(), std::size_t{1});
    auto* tree = FForm->findChild<TSearchTree*>();
    const TSearchHistory& history = FSession->History;
    tree->OnAction(history.DoubleClick(history.Children(THistoryBranch::Meaning)[1].Id));
    QCOMPARE(fast->text(), QString::fromUtf8("п????а : успех"));
    QCOMPARE(ToQString(FSession->Collection.Item(FSession->Source.View().front())->Word),
             QString::fromUtf8("победа"));
    QCOMPARE(history.EntryCount(THistoryBranch::Meaning), 1);

    tree->OnAction(history.DoubleClick(history.Children(THistoryBranch::Meaning)[0].Id));
    QVERIFY(Dialog()->isVisible());
    QCOMPARE(Child<QTabWidget>("PageControl")->currentIndex(), 1);
    QTRY_COMPARE(Dialog()->focusWidget(), Child<QLineEdit>("ClueEdit"));
  }

  void AnagramModeIsRememberedOnReopening() {
    Open();
    Commands().SearchAnagrams->trigger();
    QVERIFY(Child<QRadioButton>("rbUsual")->isChecked());
    Child<QRadioButton>("rbMakeUpWords")->setChecked(true);
    QCOMPARE(Label("AnagramDescription"), ToQString(Term(TTerm::AnagramsMakeUpWords)));
    Child<QLineEdit>("AnagramWord")->setText(QString::fromUtf8("токр"));
    Child<QPushButton>("btnFind")->click();
    QCOMPARE(FSession->Searcher.AnagramOptions(), aoMakeWords);
    QCOMPARE(MainWords(), (QStringList{"кот", "рот", "ток"}));
    Commands().SearchCrossword->trigger();
    Dialog()->reject();
    Commands().SearchAnagrams->trigger();
    QVERIFY(Child<QRadioButton>("rbMakeUpWords")->isChecked());
    QCOMPARE(Child<QLineEdit>("AnagramWord")->text(), QString::fromUtf8("токр"));
  }

  // Find on the chain page follows the two words' lengths; the spinner's word follows its count.
  void ChainFindNeedsWordsOfEqualLength() {
    SetUILanguage(TUILanguage::Russian);
    Open();
    Commands().SearchWordChain->trigger();
    auto* find = Child<QPushButton>("btnFind2");
    Child<QLineEdit>("FirstWord")->setText(QString::fromUtf8("мост"));
    Child<QLineEdit>("LastWord")->setText(QString::fromUtf8("слово"));
    QVERIFY(!find->isEnabled());
    QTest::keyClick(Child<QLineEdit>("LastWord"), Qt::Key_Return);
    QVERIFY(!Dialog()->Searching());
    QCOMPARE(Label(kVariantsCountLabel), QStringLiteral("0"));
    QCOMPARE(Child<QSpinBox>(kChangeCountEdit)->maximum(), 5);
    Child<QLineEdit>("LastWord")->setText(QString::fromUtf8("стол"));
    QVERIFY(find->isEnabled());
    Child<QSpinBox>(kChangeCountEdit)->setValue(1);
    QCOMPARE(Label("LettersLabel"), QString::fromUtf8("букву"));
    Child<QSpinBox>(kChangeCountEdit)->setValue(3);
    QCOMPARE(Label("LettersLabel"), QString::fromUtf8("букв"));
  }

  // The number of letters to change is what the field shows, whatever way it got there;
  // 0, also for an empty field, runs no search. The arrows stay at 1 or more.
  void ChainChangeCountIsWhatTheFieldShows() {
    SetUILanguage(TUILanguage::Russian);
    Open();
    Commands().SearchWordChain->trigger();
    Child<QLineEdit>("FirstWord")->setText(QString::fromUtf8("кот"));
    Child<QLineEdit>("LastWord")->setText(QString::fromUtf8("пёс"));
    auto* spin = Child<QSpinBox>(kChangeCountEdit);
    auto* field = spin->findChild<QLineEdit*>();
    QVERIFY(field != nullptr);
    auto type = [&](const QString& text) {
      QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
      if (text.isEmpty()) {
        QTest::keyClick(field, Qt::Key_Backspace);
      } else {
        QTest::keyClicks(field, text);
      }
    };
    type("3");
    QTest::keyClick(field, Qt::Key_Return);
    QTRY_VERIFY(!Dialog()->Searching());
    const QStringList direct = {QString::fromUtf8("кот - пёс")};
    QCOMPARE(DialogResults(), direct);

    const QString cases[] = {"0", ""};
    for (const QString& text : cases) {
      type(text);
      QCOMPARE(spin->value(), 0);
      QCOMPARE(Label("LettersLabel"), QString::fromUtf8("букв"));
      QTest::keyClick(field, Qt::Key_Return);
      QVERIFY2(!Dialog()->Searching(), qPrintable(text));
      QCOMPARE(DialogResults(), direct);  // nothing ran, nothing was cleared
      QCOMPARE(spin->value(), 0);
      QCOMPARE(field->text(), QStringLiteral("0"));
    }

    QTest::keyClick(field, Qt::Key_Up);
    QCOMPARE(spin->value(), 1);
    QTest::keyClick(field, Qt::Key_Down);
    QCOMPARE(spin->value(), 1);  // the arrows' least
    QCOMPARE(Label("LettersLabel"), QString::fromUtf8("букву"));
    QTest::keyClick(field, Qt::Key_Up);
    QCOMPARE(spin->value(), 2);
    QCOMPARE(field->text(), QStringLiteral("2"));

    QGuiApplication::clipboard()->setText(QStringLiteral("1"));
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(field->text(), QStringLiteral("1"));
    QCOMPARE(spin->value(), 1);
    QTest::keyClick(field, Qt::Key_Return);
    QTRY_VERIFY(!Dialog()->Searching());
    QCOMPARE(DialogResults(), QStringList{QString::fromUtf8("кот - рот - рос - пос - пёс")});
  }

  // Enter on a focused button presses it; Enter in an edit or on a radio button runs the
  // page's search.
  void EnterPressesTheFocusedButtonOrRunsThePage_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("crossword, Find") << 1 << "btnFind" << "crossword";
    QTest::newRow("crossword, pattern") << 1 << "MaskWord" << "crossword";
    QTest::newRow("crossword, Cancel") << 1 << "btnCancel" << "closed";
    QTest::newRow("crossword, Help") << 1 << "btnHelp" << "help";
    QTest::newRow("anagrams, Find") << 2 << "btnFind" << "anagrams";
    QTest::newRow("anagrams, radio") << 2 << "rbMakeUpWords" << "anagrams";
    QTest::newRow("chain, Find") << 0 << "btnFind2" << "chain";
    QTest::newRow("chain, count") << 0 << kChangeCountEdit << "chain";
    QTest::newRow("chain, Cancel") << 0 << "btnCancel2" << "closed";
    QTest::newRow("analysis, Find") << 3 << "btnFind2" << "analysis";
    QTest::newRow("analysis, range") << 3 << kToItemEdit << "analysis";
    QTest::newRow("analysis, radio") << 3 << "rbRange" << "analysis";
  }
  void EnterPressesTheFocusedButtonOrRunsThePage() {
    QFETCH(int, page);
    QFETCH(QString, target);
    QFETCH(QString, outcome);
    Open();
    QAction* commands[] = {Commands().SearchWordChain, Commands().SearchCrossword,
                           Commands().SearchAnagrams, Commands().SearchWordAnalysis};
    commands[page]->trigger();
    Child<QLineEdit>("MaskWord")->setText(QString::fromUtf8("к?т"));
    Child<QLineEdit>("AnagramWord")->setText(QString::fromUtf8("токр"));
    Child<QRadioButton>("rbMakeUpWords")->setChecked(true);
    Child<QLineEdit>("FirstWord")->setText(QString::fromUtf8("кот"));
    Child<QLineEdit>("LastWord")->setText(QString::fromUtf8("пёс"));
    Child<QLineEdit>("edAnalyze")->setText(QString::fromUtf8("кортос"));
    Child<QRadioButton>("rbRange")->setChecked(true);
    QWidget* widget = Child<QWidget>(qPrintable(target));
    QVERIFY(widget != nullptr && widget->isVisible());
    if (auto* spin = qobject_cast<QSpinBox*>(widget)) widget = spin->findChild<QLineEdit*>();
    QTest::keyClick(widget, Qt::Key_Return);
    QTRY_VERIFY(!Dialog()->Searching());
    if (outcome == "crossword") {
      QVERIFY(!Dialog()->isVisible());
      QCOMPARE(MainWords(), (QStringList{"кит", "кот"}));
    } else if (outcome == "anagrams") {
      QVERIFY(!Dialog()->isVisible());
      QCOMPARE(MainWords(), (QStringList{"кот", "рот", "ток"}));
    } else if (outcome == "closed") {
      QVERIFY(!Dialog()->isVisible());
      QCOMPARE(FSession->Source.ResultKind(), TResultKind::kNone);
    } else if (outcome == "help") {
      auto* help_window = Dialog()->findChild<THelpWindow*>();
      QVERIFY(help_window != nullptr && help_window->isVisible());
      help_window->close();
    } else if (outcome == "chain") {
      QCOMPARE(DialogResults(), QStringList{QString::fromUtf8("кот - рот - рос - пос - пёс")});
    } else {
      QCOMPARE(DialogResults(), (QStringList{QString::fromUtf8("ток+рос"),
                                             QString::fromUtf8("рос+кот")}));
    }
  }

  // Ctrl+A in the quick search selects its text; Ctrl+Shift+A opens the anagram page from it.
  void AnagramPageOpensFromTheQuickSearch() {
    Open();
    QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
    auto* fast = FForm->findChild<TEnterEdit*>("FastSearch");
    fast->setFocus();
    QTRY_VERIFY(fast->hasFocus());
    fast->setText(QString::fromUtf8("кот"));
    fast->deselect();
    QTest::keyClick(fast, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(fast->selectedText(), QString::fromUtf8("кот"));
    QVERIFY(Dialog() == nullptr || !Dialog()->isVisible());
    QTest::keyClick(fast, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(Dialog() != nullptr && Dialog()->isVisible());
    QCOMPARE(Child<QTabWidget>("PageControl")->currentIndex(), 2);
  }

  // The dialog's list looks like the main list: its texture, or its colour when the main list
  // shows none; the rows are numbered from 0001.
  void ResultListTakesTheMainListsLook() {
    Open();
    Commands().SearchWordChain->trigger();
    auto* results = Child<QAbstractItemView>("ResultList");
    QVERIFY(MainList().ShowTexture());
    QVERIFY(!results->palette().base().textureImage().isNull());
    Dialog()->reject();
    MainList().SetShowTexture(false);
    MainList().SetColor(QColor(12, 200, 34));
    Commands().SearchWordChain->trigger();
    QVERIFY(results->palette().base().textureImage().isNull());
    QCOMPARE(results->palette().base().color(), QColor(12, 200, 34));
    QCOMPARE(ResultNumber(0), QStringLiteral("0001"));
    QCOMPARE(ResultNumber(12344), QStringLiteral("12345"));
  }

  // The anagram page's controls stand at the top of the dialog, where the crossword page's do,
  // and stay there whichever mode is chosen.
  void AnagramPageStandsStillAtTheTop() {
    Open();
    Commands().SearchCrossword->trigger();
    const QPoint pattern = Child<QWidget>("MaskWord")->mapTo(Dialog(), QPoint());
    Dialog()->reject();
    Commands().SearchAnagrams->trigger();
    for (const char* mode : {"rbUsual", "rbExpanded", "rbMakeUpWords", "rbUsual"}) {
      Child<QRadioButton>(mode)->click();
      QCOMPARE(Child<QWidget>("AnagramWord")->mapTo(Dialog(), QPoint()), pattern);
    }
  }

  void ItemRangeKeepsFromAtMostTo() {
    Open();
    Commands().SearchWordAnalysis->trigger();
    auto* from = Child<QSpinBox>(kFromItemEdit);
    auto* to = Child<QSpinBox>(kToItemEdit);
    QVERIFY(!from->isEnabled());
    Child<QRadioButton>("rbRange")->setChecked(true);
    QVERIFY(from->isEnabled() && to->isEnabled());
    to->setValue(3);
    from->setValue(5);
    QCOMPARE(to->value(), 5);
    to->setValue(4);
    QCOMPARE(from->value(), 4);
  }

  // A chain and an analysis run in the dialog; closing empties the list and the counters.
  void ChainAndAnalysisShowTheirResults() {
    Open();
    Commands().SearchWordChain->trigger();
    Child<QLineEdit>("FirstWord")->setText(QString::fromUtf8("кот"));
    Child<QLineEdit>("LastWord")->setText(QString::fromUtf8("пёс"));
    QTest::keyClick(Child<QLineEdit>("LastWord"), Qt::Key_Return);
    QTRY_VERIFY(!Dialog()->Searching());
    QCOMPARE(DialogResults(), QStringList{QString::fromUtf8("кот - рот - рос - пос - пёс")});
    QCOMPARE(Label(kFoundCountLabel), QStringLiteral("1"));
    QVERIFY(Label(kVariantsCountLabel) != QStringLiteral("0"));
    QVERIFY(Child<QPushButton>("btnFind2")->isEnabled());
    QVERIFY(!Child<QPushButton>("btnStop")->isEnabled());
    Child<QPushButton>("btnCancel2")->click();
    QVERIFY(!Dialog()->isVisible());
    QCOMPARE(Dialog()->ResultCount(), 0);
    for (const char* counter : {kVariantsCountLabel, kFoundCountLabel, kElapsedLabel})
      QCOMPARE(Label(counter), QStringLiteral("0"));

    Commands().SearchWordAnalysis->trigger();
    Child<QLineEdit>("edAnalyze")->setText(QString::fromUtf8("кортос"));
    Child<QPushButton>("btnFind2")->click();
    QTRY_VERIFY(!Dialog()->Searching());
    // Longer or later words first: ток > рос > кот in word order; «ос» is no word here.
    QCOMPARE(DialogResults(), (QStringList{QString::fromUtf8("ток+рос"),
                                           QString::fromUtf8("рос+кот")}));
  }

  // The dialog's list copies its selected lines, selects all, and saves every result as UTF-8
  // text, one a line.
  void ResultsAreCopiedAndSaved() {
    Open();
    Commands().SearchWordAnalysis->trigger();
    Child<QLineEdit>("edAnalyze")->setText(QString::fromUtf8("кортос"));
    Child<QPushButton>("btnFind2")->click();
    QTRY_VERIFY(!Dialog()->Searching());
    auto* list = Child<QAbstractItemView>("ResultList");
    list->setFocus();
    list->setCurrentIndex(list->model()->index(1, 0));
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromUtf8("рос+кот\n"));
    QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromUtf8("ток+рос\nрос+кот\n"));
    QCOMPARE(list->contextMenuPolicy(), Qt::ActionsContextMenu);
    QCOMPARE(list->actions().size(), 3);

    TScriptedDialogs dialogs;
    dialogs.Files = {FDir.filePath(QStringLiteral("splits"))};
    SetDialogs(&dialogs);
    Dialog()->findChild<QAction*>("SaveResultsAction")->trigger();
    SetDialogs(nullptr);
    QFile saved(FDir.filePath(QStringLiteral("splits.txt")));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(saved.readAll()), QString::fromUtf8("ток+рос\nрос+кот\n"));
  }

  // An analysis stops at the limit of the options and says so.
  void AnAnalysisStopsAtTheResultLimit() {
    if (!QFile::exists(GRYVEL_BUNDLED_DICTIONARY)) QSKIP("the bundled dictionary is not built");
    SetUILanguage(TUILanguage::Russian);
    Open(QStringLiteral(GRYVEL_BUNDLED_DICTIONARY));
    TSearchOptions options = FSession->SearchOptions();
    options.ResultLimit = 1000;
    FSession->SetSearchOptions(options);
    Commands().SearchWordAnalysis->trigger();
    Child<QLineEdit>("edAnalyze")->setText(QString::fromUtf8("достопримечательность"));
    Child<QPushButton>("btnFind2")->click();
    QTRY_VERIFY(!Dialog()->Searching());
    QCOMPARE(Dialog()->ResultCount(), 1000);
    QCOMPARE(Count(kFoundCountLabel), 1000);
    QVERIFY(Child<QLabel>("LimitLabel")->isVisible());
    QCOMPARE(Label("LimitLabel"), QString::fromUtf8("Найдено больше ") + ToQString(FormatCount(1000)) +
                                      QString::fromUtf8(" вариантов, поиск остановлен"));
    Child<QPushButton>("btnCancel2")->click();
    QVERIFY(!Child<QLabel>("LimitLabel")->isVisible());
  }

  // Stop, Cancel and closing the main window during long searches of the bundled dictionary.
  void LongSearchesStopCancelAndClose_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("how");  // 0 Stop, 1 Cancel, 2 Escape, 3 the main window closes
    for (int page : {0, 3})
      for (int how = 0; how < 4; ++how)
        QTest::addRow("%s %d", page == 0 ? "chain" : "analysis", how) << page << how;
  }
  void LongSearchesStopCancelAndClose() {
    QFETCH(int, page);
    QFETCH(int, how);
    if (!QFile::exists(GRYVEL_BUNDLED_DICTIONARY)) QSKIP("the bundled dictionary is not built");
    Open(QStringLiteral(GRYVEL_BUNDLED_DICTIONARY));
    if (page == 0) {
      Commands().SearchWordChain->trigger();
      Child<QLineEdit>("FirstWord")->setText(QString::fromUtf8("сторона"));
      Child<QLineEdit>("LastWord")->setText(QString::fromUtf8("плавник"));
      Child<QSpinBox>(kChangeCountEdit)->setValue(2);
    } else {
      Commands().SearchWordAnalysis->trigger();
      Child<QLineEdit>("edAnalyze")->setText(QString::fromUtf8("достопримечательность"));
    }
    Child<QPushButton>("btnFind2")->click();
    QVERIFY(Dialog()->Searching());
    QVERIFY(Child<QPushButton>("btnStop")->isEnabled());
    QTRY_VERIFY(Label(kElapsedLabel) != QStringLiteral("0"));  // the ticker runs
    // The counters and the list move together at the tick.
    QCOMPARE(Count(kFoundCountLabel), Dialog()->ResultCount());
    QVERIFY(Count(kVariantsCountLabel) > 0);
    switch (how) {
      case 0:
        Child<QPushButton>("btnStop")->click();
        break;
      case 1:
        Child<QPushButton>("btnCancel2")->click();
        break;
      case 2:
        QTest::keyClick(Dialog(), Qt::Key_Escape);
        break;
      default:
        FForm->close();
        break;
    }
    QTRY_VERIFY(!Dialog()->Searching());
    if (how == 0) {
      QVERIFY(Dialog()->isVisible());
      QVERIFY(Child<QPushButton>("btnFind2")->isEnabled());
      QVERIFY(!Child<QPushButton>("btnStop")->isEnabled());
      QCOMPARE(Label(kFoundCountLabel).remove(QRegularExpression(QStringLiteral("\\D"))).toInt(),
               Dialog()->ResultCount());
    } else {
      QVERIFY(!Dialog()->isVisible());
      QCOMPARE(Dialog()->ResultCount(), 0);
    }
    if (how == 3) QVERIFY(!FForm->isVisible());
  }
};

QTEST_MAIN(TSearchFormTest)
#include "search_form_test.moc"
