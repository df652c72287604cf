// The main window's dictionary, results and clipboard commands, with every file dialog and
// question answered through the dialogs seam.

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>
#include <functional>
#include <memory>

#include "dictionary/kiv_dictionary.h"
#include "gui/app/application.h"
#include "gui/app/platform_hooks.h"
#include "gui/dialogs.h"
#include "gui/entry_editor_dialog.h"
#include "gui/main_window/dictionary_tree.h"
#include "gui/main_window/kiv_main_form.h"
#include "gui/main_window/main_commands.h"
#include "gui/text.h"
#include "gui/widgets/enter_edit.h"
#include "gui/widgets/kiv_viewer.h"
#include "results/language.h"
#include "scripted_dialogs.h"
#include "shell/session.h"
#include "support/text.h"
#include "window_test.h"

using namespace gryvel;
using namespace gryvel::gui;
using gryvel::testing::Cp;

namespace {

// The designed object names of the widgets these tests reach.
constexpr char kTitleEdit[] = "Edit4";
constexpr char kAuthorEdit[] = "Edit1";
constexpr char kDescriptionEdit[] = "Memo1";
constexpr char kWebAddressEdit[] = "Edit2";
constexpr char kMailAddressEdit[] = "Edit3";

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TDictionaryCommandsTest : public TWindowTest {
  Q_OBJECT

 public:
  TDictionaryCommandsTest() { FDialogs.UrlsOpen = true; }

 private:
  QString IniText() const { return ToQString(ReadFile(Path("gryvel.ini")).toStdString()); }
  void Open() {
    FForm.reset();
    FSession = std::make_unique<TSession>(ProgramSettings(PathFromQString(FDir.path())));
    FForm = std::make_unique<TKivMainForm>(*FSession);
    FForm->resize(600, 420);
    FForm->ShowRightPanel();
    FForm->show();
    QTRY_VERIFY(FSession->Collection.LoadingCount() == 0);
  }
  void Close() {
    QVERIFY(FForm->close());
    FForm.reset();
    FSession.reset();
  }
  TDictionaryCollection& Collection() const { return FSession->Collection; }
  TDictionaryTree& Tree() const { return *FForm->findChild<TDictionaryTree*>("DictionaryTree"); }
  TMainCommands& Commands() const { return *FForm->findChild<TMainCommands*>(); }
  TKivViewer& Viewer() const { return *FForm->findChild<TKivViewer*>("KivViewer1"); }
  QMenu& Menu() const { return *FForm->findChild<QMenu*>("DictionaryMenu"); }
  QAction* MenuItem(const char* name) const { return Menu().findChild<QAction*>(name); }
  // Opens the tree's menu on `item` and returns it.
  void OpenMenuOn(QTreeWidgetItem* item) {
    Tree().setCurrentItem(item);
    Q_EMIT Tree().customContextMenuRequested(Tree().visualItemRect(item).center());
    QTRY_VERIFY(Menu().isVisible());
  }
  void Choose(const char* item) {
    MenuItem(item)->trigger();
    Menu().hide();
  }
  TKivDictionary& Dictionary(int i) const { return *Collection().Dictionary(i); }
  QStringList Words() const {
    QStringList words;
    for (const TArticleItem* item : Collection().Items()) words << ToQString(item->Word);
    return words;
  }
  // Fills the properties dialog with `title` and accepts it.
  void AcceptProperties(const char* title) {
    FDialogs.Fill = [title](QDialog& dialog) {
      dialog.findChild<QLineEdit*>(kTitleEdit)->setText(QString::fromUtf8(title));
      return int(QDialog::Accepted);
    };
  }

 private Q_SLOTS:
  void init() {
    QVERIFY(FDir.isValid());
    QDir(FDir.path()).removeRecursively();
    QDir().mkpath(FDir.filePath("Dictionaries"));
    WriteDictionary(Path("Dictionaries/dictionary.kiv"), {U("кот"), U("кит"), U("дом")},
                    "Основной");
    FDialogs = TScriptedDialogs();
  }

  void RemovingADictionaryDropsItFromTheSettingsFileAndKeepsTheFile() {
    Open();
    QCOMPARE(Tree().topLevelItemCount(), 1);
    OpenMenuOn(Tree().topLevelItem(0));
    FDialogs.Answers = {TMessageAnswer::No};
    Choose("EditDeleteItem");
    QCOMPARE(FDialogs.Asked, QStringList{U("Удалить словарь \"Основной\" из списка?")});
    QCOMPARE(Collection().DictionaryCount(), 1);

    OpenMenuOn(Tree().topLevelItem(0));
    FDialogs.Answers = {TMessageAnswer::Yes};
    Choose("EditDeleteItem");
    QCOMPARE(Collection().DictionaryCount(), 0);
    QCOMPARE(Tree().topLevelItemCount(), 0);
    QCOMPARE(Collection().Count(), 0);
    Close();
    QVERIFY(IniText().contains("Count=0"));
    QVERIFY(QFile::exists(Path("Dictionaries/dictionary.kiv")));
    Open();
    QCOMPARE(Collection().DictionaryCount(), 0);
  }

  // A listed dictionary cut short: told once, naming it; kept in the tree and the settings,
  // disconnected, with its state; once mended, a click on the state image loads it.
  void ADictionaryThatFailsToLoadIsKeptAndAClickRetriesIt() {
    WriteDictionary(Path("cut.kiv"), {U("ёж"), U("уж")}, "Обрезанный");
    const QByteArray whole = ReadFile(Path("cut.kiv"));
    QFile cut(Path("cut.kiv"));
    QVERIFY(cut.open(QIODevice::WriteOnly | QIODevice::Truncate));
    cut.write(whole.left(whole.size() - 3));
    cut.close();
    QFile ini(Path("gryvel.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(QStringLiteral("[Main]\nLanguage=RUS\n[Dictionaries]\nCount=2\nFileName_1=%1\n"
                             "IsConnected_1=1\nFileName_2=%2\nIsConnected_2=1\n")
                  .arg(Path("Dictionaries/dictionary.kiv"), Path("cut.kiv"))
                  .toUtf8());
    ini.close();
    Open();
    QTRY_COMPARE(FDialogs.Asked.size(), 1);
    QCOMPARE(FDialogs.Asked[0], U("Не удалось загрузить словарь \"%1\":\r\nНеожиданный конец файла: "
                                  "файл обрезан.")
                                    .arg(Path("cut.kiv")));
    QCOMPARE(Tree().topLevelItemCount(), 2);
    QTreeWidgetItem* node = Tree().topLevelItem(1);
    QCOMPARE(Tree().StateImage(node), 5);
    QVERIFY(node->toolTip(0).contains(U("Неожиданный конец файла")));
    QVERIFY(!Dictionary(1).Connected());
    QCOMPARE(Words(), (QStringList{U("дом"), U("кит"), U("кот")}));
    Close();
    QVERIFY(IniText().contains("Count=2"));
    QVERIFY(IniText().contains("FileName_2=" + Path("cut.kiv")));
    QVERIFY(IniText().contains("IsConnected_2=0"));

    cut.open(QIODevice::WriteOnly | QIODevice::Truncate);
    cut.write(whole);
    cut.close();
    Open();
    node = Tree().topLevelItem(1);
    QCOMPARE(Tree().StateImage(node), 1);  // not tried this time: not connected
    QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, Tree().StateImageRect(node).center());
    QTRY_COMPARE(Words(), (QStringList{U("дом"), U("ёж"), U("кит"), U("кот"), U("уж")}));
    QCOMPARE(Tree().StateImage(node), 2);
    QVERIFY(node->toolTip(0).isEmpty());
    QCOMPARE(FDialogs.Asked.size(), 1);
  }

  void TheMenuFollowsTheNodeItOpensOn() {
    WriteDictionary(Path("locked.kiv"), {U("а")}, "Закрытый");
    Open();
    Collection().SetActive(nullptr);
    QTreeWidgetItem* top = Tree().topLevelItem(0);
    OpenMenuOn(top);
    QVERIFY(MenuItem("DictionaryRenameItem")->isEnabled());
    QVERIFY(MenuItem("EditDeleteItem")->isEnabled());
    QVERIFY(MenuItem("DictionaryMakeActiveItem")->isEnabled());
    QVERIFY(MenuItem("FilePropertiesItem")->isEnabled());
    QVERIFY(!MenuItem("DictionaryGoToItem")->isVisible());
    Choose("DictionaryMakeActiveItem");
    QCOMPARE(Collection().Active(), &Dictionary(0));
    QVERIFY(Tree().font().bold() || top->font(0).bold());

    OpenMenuOn(top);
    QVERIFY(!MenuItem("DictionaryMakeActiveItem")->isEnabled());  // already active
    OpenMenuOn(top->child(0));  // an information node
    QVERIFY(!MenuItem("DictionaryRenameItem")->isEnabled());
    QVERIFY(!MenuItem("EditDeleteItem")->isEnabled());
    Menu().hide();
  }

  void WebAndMailNodesOfferTheirCommandsAndSayWhenNothingOpensThem() {
    {
      TKivDictionary dictionary;
      dictionary.SetLoaded();
      TDictHead head = dictionary.Head();
      head.Title = "Web";
      head.Author = "A";
      head.Web = "https://a.example";
      head.Email = "a@a.example";
      dictionary.SetHeader(head);
      (void)dictionary.AddWord("x");
      QVERIFY(dictionary.SaveToFile(PathFromQString(Path("Dictionaries/dictionary.kiv"))).ok());
    }
    Open();
    QTreeWidgetItem* author = Tree().topLevelItem(0)->child(0);
    QCOMPARE(author->childCount(), 2);
    OpenMenuOn(author->child(0));
    QVERIFY(MenuItem("DictionaryGoToItem")->isVisible());
    QVERIFY(!MenuItem("DictionaryMessageItem")->isVisible());
    OpenMenuOn(author->child(1));
    QVERIFY(!MenuItem("DictionaryGoToItem")->isVisible());
    QVERIFY(MenuItem("DictionaryMessageItem")->isVisible());
    Menu().hide();

    // Without a browser or a mail program each command says so, naming the address.
    FDialogs.UrlsOpen = false;
    OpenMenuOn(author->child(0));
    Choose("DictionaryGoToItem");
    OpenMenuOn(author->child(1));
    Choose("DictionaryMessageItem");
    FDialogs.Fill = [](QDialog& dialog) {
      dialog.findChild<QPushButton*>("ButtonGoTo")->click();
      dialog.findChild<QPushButton*>("ButtonMessage")->click();
      return int(QDialog::Rejected);
    };
    Commands().FileProperties->trigger();
    Commands().HelpHomePage->trigger();
    QCOMPARE(FDialogs.Urls, (QStringList{"https://a.example", "mailto:a@a.example",
                                         "https://a.example", "mailto:a@a.example",
                                         "https://gryvel.example/"}));
    const QString browser = U("Не удалось запустить браузер, чтобы открыть адрес\r\n%1\r\n");
    const QString mail =
        U("Не удалось запустить почтовую программу, чтобы написать по адресу\r\n%1\r\n");
    const QStringList starts = {browser.arg("https://a.example"), mail.arg("a@a.example"),
                                browser.arg("https://a.example"), mail.arg("a@a.example"),
                                browser.arg("https://gryvel.example/")};
    QCOMPARE(FDialogs.Asked.size(), starts.size());
    for (qsizetype i = 0; i < starts.size(); ++i)
      QVERIFY2(FDialogs.Asked[i].startsWith(starts[i]), qPrintable(FDialogs.Asked[i]));

    // Opened, they say nothing.
    FDialogs.UrlsOpen = true;
    FDialogs.Asked.clear();
    Commands().HelpHomePage->trigger();
    Commands().FileProperties->trigger();
    QCOMPARE(FDialogs.Asked, QStringList());
    QCOMPARE(FDialogs.Urls.size(), 8);
  }

  void RenamingInPlaceIsWrittenAndRenamingBackStoresAnEmptyName() {
    Open();
    QTreeWidgetItem* node = Tree().topLevelItem(0);
    node->setText(0, U("Мой"));  // what an edit in place ends with
    QCOMPARE(ToQString(Dictionary(0).Name()), U("Мой"));
    QVERIFY(IniText().contains(U("Name_1=Мой")));
    node->setText(0, U("<Словарь>"));
    QVERIFY(IniText().contains("Name_1=\n") || IniText().contains("Name_1=\r\n"));
    Close();
    Open();
    QCOMPARE(Tree().topLevelItem(0)->text(0), U("Основной"));  // the header's title again
  }

  // The old name stays; the edit opens again on the text as typed, the character selected.
  void RenamingInPlaceRefusesACharacterTheSettingsCannotHold() {
    Open();
    const QString ini = IniText();
    QTreeWidgetItem* node = Tree().topLevelItem(0);
    node->setText(0, U("Мой ✓"));  // what an edit in place ends with
    QTRY_COMPARE(FDialogs.Asked.size(), 1);
    QCOMPARE(FDialogs.Asked.first(), U("Символ U+2713 «✓» в позиции 5 нельзя записать в кодировке 1251."));
    QCOMPARE(node->text(0), U("Основной"));
    QCOMPARE(ToQString(Dictionary(0).Name()), U("Основной"));
    QCOMPARE(IniText(), ini);
    QLineEdit* editor = nullptr;
    for (QLineEdit* edit : Tree().viewport()->findChildren<QLineEdit*>())
      if (!edit->isHidden()) editor = edit;
    QVERIFY(editor != nullptr);
    QCOMPARE(editor->text(), U("Мой ✓"));
    QCOMPARE(editor->selectedText(), U("✓"));
    editor->setText(U("Мой"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(ToQString(Dictionary(0).Name()), U("Мой"));
    QCOMPARE(FDialogs.Asked.size(), 1);
  }

  void AClickOnTheStateImageDisconnectsAndConnects() {
    Open();
    QCOMPARE(Words().size(), 3);
    QTreeWidgetItem* node = Tree().topLevelItem(0);
    const QPoint image = Tree().StateImageRect(node).center();
    QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, image);
    QVERIFY(!Dictionary(0).Connected());
    QCOMPARE(Words().size(), 0);
    QCOMPARE(Tree().StateImage(node), 1 + 2 * int(Collection().Active() == &Dictionary(0)));
    QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, image);
    QTRY_COMPARE(Words().size(), 3);
  }

  // Words that come before the selected one, connected (loaded in the background), then
  // disconnected, connected again and removed: the selection stays on its word throughout.
  void TheSelectionKeepsItsWordWhenDictionariesComeAndGo() {
    WriteDictionary(Path("b.kiv"), {U("абак"), U("бак"), U("ваза"), U("жук")}, "Б");
    Open();
    // Listed, not connected, not loaded, as the settings reader leaves it.
    QCOMPARE(Collection().AddDictionary(PathFromQString(Path("b.kiv"))), 1);
    QTreeWidgetItem* node = Tree().AddDictionaryNode("B", Dictionary(1));
    const QPoint image = Tree().StateImageRect(node).center();
    const auto selected = [this] { return ToQString(Collection().Item(Viewer().SelItem())->Word); };
    Viewer().SetSelItem(Collection().Find(Cp("кот")));
    QCOMPARE(selected(), U("кот"));

    QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, image);
    QTRY_VERIFY(Collection().LoadingCount() == 0 && Collection().Count() == 7);
    QCOMPARE(selected(), U("кот"));
    for (const int count : {3, 7}) {  // disconnected, connected again
      QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, image);
      QCOMPARE(Collection().Count(), count);
      QCOMPARE(selected(), U("кот"));
    }
    OpenMenuOn(node);
    FDialogs.Answers = {TMessageAnswer::Yes};
    Choose("EditDeleteItem");
    QCOMPARE(Collection().Count(), 3);
    QCOMPARE(selected(), U("кот"));
  }

  void AWordInThreeDictionariesShowsTheirCount() {
    WriteDictionary(Path("b.kiv"), {U("кот")}, "Б", 0x01);
    WriteDictionary(Path("c.kiv"), {U("кот"), U("лес")}, "В", 0x04);
    Open();
    FForm->OpenDictionaryFiles({Path("b.kiv"), Path("c.kiv")});
    QTRY_VERIFY(Collection().LoadingCount() == 0 && Collection().Count() == 4);
    std::string text;
    Viewer().OnGetPartOfSpeechText(Viewer(), Collection().Find(Cp("кот")), text);
    QVERIFY2(ToQString(text).startsWith("[3] "), text.c_str());
    Viewer().OnGetPartOfSpeechText(Viewer(), Collection().Find(Cp("лес")), text);
    QVERIFY(!ToQString(text).startsWith("["));
  }

  void OpeningAnOpenFileSelectsItsNodeAndOpensNothingMore() {
    WriteDictionary(Path("b.kiv"), {U("лес")}, "");
    Open();
    FDialogs.Files = {Path("b.kiv")};
    Commands().FileOpen->trigger();
    QTRY_VERIFY(Collection().LoadingCount() == 0 && Collection().Count() == 4);
    QCOMPARE(Tree().topLevelItem(1)->text(0), QString("b.kiv"));  // no title: the file name
    QVERIFY(IniText().contains("FileName_2=" + Path("b.kiv")));

    QDir().mkpath(Path("sub"));
    Tree().setCurrentItem(Tree().topLevelItem(0));
    FDialogs.Files = {Path("sub/../b.kiv")};
    Commands().FileOpen->trigger();
    FForm->OpenDictionaryFiles({Path("Dictionaries/dictionary.kiv")});
    QCOMPARE(Collection().DictionaryCount(), 2);
    QCOMPARE(Tree().topLevelItemCount(), 2);
    QCOMPARE(Tree().currentItem(), Tree().topLevelItem(0));
    QCOMPARE(Collection().Count(), 4);
  }

  void ANewDictionaryAsksToBecomeActiveOnlyWhenAnotherIsActive() {
    QFile::remove(Path("Dictionaries/dictionary.kiv"));
    Open();
    QCOMPARE(Collection().Active(), nullptr);
    AcceptProperties("Первый");
    Commands().FileNewDictionary->trigger();
    QCOMPARE(FDialogs.Asked, QStringList());
    QCOMPARE(Collection().DictionaryCount(), 1);
    QCOMPARE(Collection().Active(), &Dictionary(0));
    QVERIFY(Dictionary(0).Modified());
    QVERIFY(Dictionary(0).Connected());
    QCOMPARE(Tree().topLevelItem(0)->text(0), U("Первый"));

    AcceptProperties("");
    FDialogs.Answers = {TMessageAnswer::No};
    Commands().FileNewDictionary->trigger();
    QCOMPARE(FDialogs.Asked, QStringList{U("Сделать словарь \"<Словарь>\" активным?")});
    QCOMPARE(Collection().Active(), &Dictionary(0));
    FDialogs.Answers = {TMessageAnswer::Yes};
    Commands().FileNewDictionary->trigger();
    QCOMPARE(Collection().Active(), &Dictionary(2));

    FDialogs.Fill = nullptr;  // cancelled
    Commands().FileNewDictionary->trigger();
    QCOMPARE(Collection().DictionaryCount(), 3);
  }

  void SavingANewDictionaryAsksForAFileAndTheNextStartFindsItActive() {
    Open();
    AcceptProperties("Новый");
    FDialogs.Answers = {TMessageAnswer::Yes};
    Commands().FileNewDictionary->trigger();
    TKivDictionary& made = Dictionary(1);
    QVERIFY(made.AddWord(Cp("слон")) >= 0);
    FDialogs.Files = {Path("made")};
    FDialogs.Filter = 0;
    Commands().FileSave->trigger();
    QCOMPARE(FDialogs.SaveDialogs, 1);
    QCOMPARE(PathToQString(made.FileName()), Path("made.kiv"));  // the dictionary type's extension
    QVERIFY(!made.Modified());
    Commands().FileSave->trigger();  // not modified: nothing
    QCOMPARE(FDialogs.SaveDialogs, 1);
    Close();
    Open();
    QCOMPARE(Collection().DictionaryCount(), 2);
    QCOMPARE(ToQString(Collection().Active()->Name()), U("Новый"));
    QVERIFY(Collection().Active()->Connected());
    QVERIFY(Collection().Find(Cp("слон")) >= 0);
  }

  void SaveAsTextWritesWordsOnlyAndKeepsTheDictionaryFile() {
    Open();
    Collection().SetActive(&Dictionary(0));
    const std::string own = Dictionary(0).FileName();
    FDialogs.Files = {Path("words")};
    FDialogs.Filter = 1;
    Commands().FileSaveAs->trigger();
    QCOMPARE(FDialogs.SaveDirs.value(0), PathToQString(own));
    QCOMPARE(ReadFile(Path("words.txt")), U("дом\nкит\nкот\n").toUtf8());
    QCOMPARE(Dictionary(0).FileName(), own);
  }

  void TheCloseQuestionSavesAndAFailedSaveKeepsEverything() {
    Open();
    Collection().SetActive(&Dictionary(0));
    const QByteArray before = ReadFile(Path("Dictionaries/dictionary.kiv"));
    QVERIFY(Collection().AddWord(Cp("лес")) >= 0);
    QVERIFY(Dictionary(0).Modified());
    // A save that cannot write: the old file stays whole and the window stays open.
    QFile blocker(Path("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Dictionary(0).SetFileName(PathFromQString(Path("blocker/in.kiv")));
    FDialogs.Answers = {TMessageAnswer::Yes};
    FDialogs.Files = {Path("blocker/in.kiv")};
    QVERIFY(!FForm->close());
    QVERIFY(Dictionary(0).Modified());
    QCOMPARE(ReadFile(Path("Dictionaries/dictionary.kiv")), before);
    QCOMPARE(FDialogs.Asked.size(), 2);  // the question, then the error
    QCOMPARE(FDialogs.Asked[1], U("Не удалось сохранить словарь в \"") + Path("blocker/in.kiv") +
                                    U("\":\r\nПапка не существует."));

    FDialogs.Answers = {TMessageAnswer::Yes};
    FDialogs.Files = {Path("saved.kiv")};
    QVERIFY(FForm->close());
    FForm.reset();
    FSession.reset();
    Open();
    QVERIFY(IniText().contains(Path("saved.kiv")));
    QCOMPARE(Collection().Count(), 4);
  }

  // Save, and Save as a dictionary or as text, into a folder that cannot exist: each says so
  // with the error icon, as a failed results save does.
  void FailedSavesShowTheErrorIcon() {
    Open();
    Collection().SetActive(&Dictionary(0));
    QFile blocker(Path("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const struct {
      QAction* TMainCommands::*Command;
      int Filter;
    } saves[] = {{&TMainCommands::FileSave, -1},
                 {&TMainCommands::FileSaveAs, 0},
                 {&TMainCommands::FileSaveAs, 1}};
    for (const auto& save : saves) {
      QVERIFY(Collection().AddWord(Cp("лес")) >= 0 || Dictionary(0).Modified());
      Dictionary(0).SetFileName(PathFromQString(Path("blocker/in.kiv")));
      FDialogs.Files = {Path("blocker/in.kiv")};
      FDialogs.Filter = save.Filter;
      FDialogs.Asked.clear();
      FDialogs.Kinds.clear();
      (Commands().*save.Command)->trigger();
      QCOMPARE(FDialogs.Asked.size(), 1);
      QVERIFY(FDialogs.Asked[0].contains(Path("blocker/in.")));
      QCOMPARE(FDialogs.Kinds, QList<TMessageKind>({TMessageKind::Error}));
    }
  }

  void ResultsAreSavedThenSavedAgainWithoutADialog() {
    WriteDictionary(Path("Dictionaries/dictionary.kiv"), {U("шалаш"), U("кот"), U("ротор")}, "");
    Open();
    QVERIFY(!Commands().FileSaveResults->isEnabled());
    FForm->RunPalindromeSearch();
    QVERIFY(Commands().FileSaveResults->isEnabled());
    FDialogs.Files = {Path("results")};
    Commands().FileSaveResultsAs->trigger();
    const QString text = QString::fromUtf8(ReadFile(Path("results.txt")));
    QVERIFY(!text.contains('\r'));
    QCOMPARE(text.count(U("Вид поиска")), 1);
    QVERIFY(text.contains(U("Вид поиска: ПАЛИНДРОМЫ\n\n\t------- Результаты -------\n\nротор\nшалаш\n")));
    QVERIFY(!text.contains(U("Маска")));

    FForm->RunCrosswordSearch(Cp("*я*"));  // nothing found
    QVERIFY(!Commands().FileSaveResults->isEnabled());
    QVERIFY(!Commands().FileSaveResultsAs->isEnabled());
    FForm->RunCrosswordSearch(Cp("*о*"));
    QVERIFY(Commands().FileSaveResults->isEnabled());
    Commands().FileSaveResults->trigger();
    QCOMPARE(FDialogs.SaveDialogs, 1);  // the same file again, without a dialog
    const QString again = QString::fromUtf8(ReadFile(Path("results.txt")));
    QVERIFY(again.endsWith(U("Маска: *о*\n\n\t------- Результаты -------\n\nкот\nротор\n")));
  }

  void CopyPutsTheWordAndTheEntryFormOnTheClipboard() {
    Open();
    Viewer().setFocus();
    Viewer().SetSelItem(Collection().Find(Cp("кот")));
    QTRY_VERIFY(Viewer().hasFocus());
    QTest::keyClick(&Viewer(), Qt::Key_Insert, Qt::ControlModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(data->text(), U("кот"));
    QCOMPARE(data->data(kArticleMimeType), QByteArray::fromStdString(Cp("кот")) + '\0');
    QGuiApplication::clipboard()->clear();
    Commands().EditCopy->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), U("кот"));
  }

  void DeleteActsOnlyOnTheActiveConnectedDictionary() {
    Open();
    Collection().SetActive(nullptr);
    Viewer().SetSelItem(Collection().Find(Cp("кит")));
    QVERIFY(Commands().EditDelete->isEnabled());
    Commands().EditDelete->trigger();
    QCOMPARE(Words().size(), 3);
    Collection().SetActive(&Dictionary(0));
    Commands().EditDelete->trigger();
    QCOMPARE(Words(), (QStringList{U("дом"), U("кот")}));
    QVERIFY(Dictionary(0).Modified());
  }

  void TheEditorAddsAnEntryWithItsMarksAndLooksUpWhatIsTyped() {
    Open();
    Collection().SetActive(&Dictionary(0));
    QString seen_description;
    bool add_enabled = true;
    FDialogs.Fill = [&](QDialog& dialog) {
      auto* word = dialog.findChild<TEnterEdit*>("WordEdit");
      auto* memo = dialog.findChild<QPlainTextEdit*>(kDescriptionEdit);
      word->setText(U("ко"));
      memo->setPlainText(U("моё описание"));
      word->setText(U("кот"));  // held already
      seen_description = memo->toPlainText();
      add_enabled = dialog.findChild<QPushButton*>("ButtonAddChange")->isEnabled();
      word->setText(U("кото"));
      word->setText(U("котик"));
      if (memo->toPlainText() != U("моё описание")) return int(QDialog::Rejected);
      dialog.findChild<QCheckBox*>("cbNoun")->setChecked(true);
      dialog.findChild<QCheckBox*>("cbPlural")->setChecked(true);
      dialog.findChild<QPushButton*>("ButtonOk")->click();
      return dialog.result();
    };
    Commands().EditAddEntry->trigger();
    QVERIFY(!add_enabled);
    QCOMPARE(seen_description, QString());  // "кот" has no description
    const std::int32_t index = Collection().Find(Cp("котик"));
    QVERIFY(index >= 0);
    QCOMPARE(Collection().Item(index)->Parts, kPartNoun);
    QVERIFY(Collection().Item(index)->Flags & kFlagPlural);
    QCOMPARE(ToQString(Collection().Description(index)), U("моё описание"));
    QCOMPARE(ToQString(Collection().Item(Viewer().SelItem())->Word), U("котик"));
    std::string pos;
    Viewer().OnGetPartOfSpeechText(Viewer(), index, pos);
    QVERIFY(!pos.empty());
    QVERIFY(Dictionary(0).Modified());
  }

  void ChangingWithTheSameWordChangesOnlyTheOtherFields() {
    Open();
    Collection().SetActive(&Dictionary(0));
    Viewer().SetSelItem(Collection().Find(Cp("кит")));
    QVERIFY(Commands().EditChangeEntry->isEnabled());
    FDialogs.Fill = [&](QDialog& dialog) {
      if (dialog.findChild<TEnterEdit*>("WordEdit")->isEnabled()) return int(QDialog::Rejected);
      dialog.findChild<QPlainTextEdit*>(kDescriptionEdit)->setPlainText(U("зверь"));
      dialog.findChild<QCheckBox*>("cbNoun")->setChecked(true);
      dialog.findChild<QPushButton*>("ButtonOk")->click();
      return dialog.result();
    };
    Commands().EditChangeEntry->trigger();
    const std::int32_t index = Collection().Find(Cp("кит"));
    QCOMPARE(ToQString(Collection().Description(index)), U("зверь"));
    QCOMPARE(Collection().Item(index)->Parts, kPartNoun);
    QCOMPARE(Words().size(), 3);

    FDialogs.Fill = [&](QDialog& dialog) {
      dialog.findChild<TEnterEdit*>("ReplaceEdit")->setText(U("кат"));
      dialog.findChild<QPushButton*>("ButtonOk")->click();
      return dialog.result();
    };
    Commands().EditChangeEntry->trigger();
    QCOMPARE(Words(), (QStringList{U("дом"), U("кат"), U("кот")}));
    QCOMPARE(ToQString(Collection().Description(Collection().Find(Cp("кат")))), U("зверь"));
  }

  void AddingWithNoDictionaryExplainsAndStaysOpen() {
    QFile::remove(Path("Dictionaries/dictionary.kiv"));
    Open();
    bool stayed = false;
    FDialogs.Fill = [&](QDialog& dialog) {
      dialog.findChild<TEnterEdit*>("WordEdit")->setText(U("слово"));
      dialog.findChild<QPushButton*>("ButtonOk")->click();
      stayed = dialog.result() != QDialog::Accepted;
      return int(QDialog::Rejected);
    };
    Commands().EditAddEntry->trigger();
    QVERIFY(stayed);
    QCOMPARE(FDialogs.Asked.size(), 1);
    QVERIFY(FDialogs.Asked.first().startsWith(U("Выберите, пожалуйста, словарь.")));
  }

  // Word, description and replacement are checked before anything is added or changed.
  void TheEditorRefusesTextADictionaryCannotStoreAndStaysOpen() {
    Open();
    Collection().SetActive(&Dictionary(0));
    QStringList selected;
    int accepted = 0;
    FDialogs.Fill = [&](QDialog& dialog) {
      auto* word = dialog.findChild<TEnterEdit*>("WordEdit");
      auto* memo = dialog.findChild<QPlainTextEdit*>(kDescriptionEdit);
      auto* ok = dialog.findChild<QPushButton*>("ButtonOk");
      word->setText(U("café"));
      ok->click();
      accepted += dialog.result();
      selected << word->selectedText() << word->text();
      word->setText(U("кофе"));
      memo->setPlainText(U("строка\nописание нового ✓"));
      dialog.findChild<QPushButton*>("ButtonAddChange")->click();
      ok->click();
      accepted += dialog.result();
      selected << memo->textCursor().selectedText() << memo->toPlainText();
      return int(QDialog::Rejected);
    };
    Commands().EditAddEntry->trigger();
    QCOMPARE(accepted, 0);
    QCOMPARE(selected, (QStringList{U("é"), U("café"), U("✓"), U("строка\nописание нового ✓")}));
    QCOMPARE(FDialogs.Asked,
             (QStringList{U("Символ U+00E9 «é» в позиции 4 нельзя записать в кодировке 1251."),
                          U("Символ U+2713 «✓» в позиции 24 нельзя записать в кодировке 1251."),
                          U("Символ U+2713 «✓» в позиции 24 нельзя записать в кодировке 1251.")}));
    QCOMPARE(Words(), (QStringList{U("дом"), U("кит"), U("кот")}));
    QVERIFY(!Dictionary(0).Modified());

    FDialogs.Asked.clear();
    Viewer().SetSelItem(Collection().Find(Cp("кит")));
    FDialogs.Fill = [&](QDialog& dialog) {
      auto* replace = dialog.findChild<TEnterEdit*>("ReplaceEdit");
      dialog.findChild<QPlainTextEdit*>(kDescriptionEdit)->setPlainText(U("зверь"));
      replace->setText(U("кит😀"));
      dialog.findChild<QPushButton*>("ButtonOk")->click();
      accepted += dialog.result();
      selected = QStringList{replace->selectedText(), replace->text()};
      return int(QDialog::Rejected);
    };
    Commands().EditChangeEntry->trigger();
    QCOMPARE(accepted, 0);
    QCOMPARE(selected, (QStringList{U("😀"), U("кит😀")}));
    QCOMPARE(FDialogs.Asked,
             QStringList{U("Символ U+1F600 «😀» в позиции 4 нельзя записать в кодировке 1251.")});
    QCOMPARE(Words(), (QStringList{U("дом"), U("кит"), U("кот")}));
    QCOMPARE(Collection().Description(Collection().Find(Cp("кит"))), std::string());
    QVERIFY(!Dictionary(0).Modified());
  }

  // OK and Apply refuse the fields; nothing reaches the header or the file.
  void PropertiesRefuseTextTheHeaderCannotStore() {
    Open();
    const QByteArray before = ReadFile(Path("Dictionaries/dictionary.kiv"));
    QStringList selected;
    int accepted = 0;
    bool apply_enabled = false;
    FDialogs.Fill = [&](QDialog& dialog) {
      auto* title = dialog.findChild<QLineEdit*>(kTitleEdit);
      auto* author = dialog.findChild<QLineEdit*>(kAuthorEdit);
      auto* comments = dialog.findChild<QPlainTextEdit*>(kDescriptionEdit);
      auto* ok = dialog.findChild<QPushButton*>("ButtonOk");
      auto* apply = dialog.findChild<QPushButton*>("ButtonApply");
      title->setText(U("Мой новый ✓"));
      ok->click();
      apply->click();
      accepted += dialog.result();
      selected << title->selectedText() << title->text();
      title->setText(U("Мой новый"));
      author->setText(U("Aŭtoro"));
      ok->click();
      accepted += dialog.result();
      selected << author->selectedText();
      author->setText(U("Автор"));
      comments->setPlainText(U("ok\n🙂 too"));
      apply->click();
      ok->click();
      accepted += dialog.result();
      selected << comments->textCursor().selectedText();
      apply_enabled = apply->isEnabled();
      return int(QDialog::Rejected);
    };
    Commands().FileProperties->trigger();
    QCOMPARE(accepted, 0);
    QVERIFY(apply_enabled);  // nothing was applied
    QCOMPARE(selected, (QStringList{U("✓"), U("Мой новый ✓"), U("ŭ"), U("🙂")}));
    QCOMPARE(FDialogs.Asked,
             (QStringList{U("Символ U+2713 «✓» в позиции 11 нельзя записать в кодировке 1251."),
                          U("Символ U+2713 «✓» в позиции 11 нельзя записать в кодировке 1251."),
                          U("Символ U+016D «ŭ» в позиции 2 нельзя записать в кодировке 1251."),
                          U("Символ U+1F642 «🙂» в позиции 4 нельзя записать в кодировке 1251."),
                          U("Символ U+1F642 «🙂» в позиции 4 нельзя записать в кодировке 1251.")}));
    QCOMPARE(Tree().topLevelItem(0)->text(0), U("Основной"));
    QCOMPARE(ToQString(Dictionary(0).Head().Title), U("Основной"));
    QVERIFY(!Dictionary(0).Modified());
    QCOMPARE(ReadFile(Path("Dictionaries/dictionary.kiv")), before);
  }

  void PropertiesShowPlaceholdersAndATitleChangeRenamesAndSaves() {
    Open();
    QString web, mail;
    FDialogs.Fill = [&](QDialog& dialog) {
      web = dialog.findChild<QLineEdit*>(kWebAddressEdit)->text();
      mail = dialog.findChild<QLineEdit*>(kMailAddressEdit)->text();
      if (dialog.findChild<QPushButton*>("ButtonApply")->isEnabled()) return int(QDialog::Rejected);
      dialog.findChild<QLineEdit*>(kTitleEdit)->setText(U("Другой"));
      dialog.findChild<QLineEdit*>(kMailAddressEdit)->setText(U("me@a.example"));
      return int(QDialog::Accepted);
    };
    Commands().FileProperties->trigger();
    QCOMPARE(web, QString("http://"));
    QCOMPARE(mail, QString("@"));
    QCOMPARE(Tree().topLevelItem(0)->text(0), U("Другой"));
    QVERIFY(!Dictionary(0).Modified());  // saved at once
    TKivDictionary reread;
    reread.SetFileName(Dictionary(0).FileName());
    const TDictHead head = reread.ReadHeader();
    QCOMPARE(ToQString(head.Title), U("Другой"));
    QCOMPARE(head.Email, std::string("me@a.example"));
    QCOMPARE(head.Web, std::string());
  }

  void AReadOnlyHeaderShowsReadOnlyFieldsAndIsKept() {
    {
      TKivDictionary dictionary;
      dictionary.SetLoaded();
      TDictHead head = dictionary.Head();
      head.Title = "Locked";
      head.Flags = kHeadReadOnly;
      dictionary.SetHeader(head);
      (void)dictionary.AddWord("x");
      QVERIFY(dictionary.SaveToFile(PathFromQString(Path("Dictionaries/dictionary.kiv"))).ok());
    }
    Open();
    bool read_only = false;
    FDialogs.Fill = [&](QDialog& dialog) {
      read_only = dialog.findChild<QLineEdit*>(kTitleEdit)->isReadOnly() &&
                  dialog.findChild<QPlainTextEdit*>(kDescriptionEdit)->isReadOnly();
      return int(QDialog::Accepted);
    };
    const QByteArray before = ReadFile(Path("Dictionaries/dictionary.kiv"));
    Commands().FileProperties->trigger();
    QVERIFY(read_only);
    QCOMPARE(ReadFile(Path("Dictionaries/dictionary.kiv")), before);
  }
};

QTEST_MAIN(TDictionaryCommandsTest)
#include "dictionary_commands_test.moc"
