#include "gui/kiv_main_form.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "common/synchronize.h"
#include "dictionary/kiv_dictionary.h"
#include "gui/dialogs.h"
#include "gui/main_commands.h"
#include "gui/platform_hooks.h"
#include "gui/search_tree.h"
#include "gui/text.h"
#include "gui/ui/enter_edit.h"
#include "gui/ui/kiv_viewer.h"
#include "results/language.h"
#include "search/letter_maps.h"

using namespace gryvel;
using namespace gryvel::gui;

namespace {

std::string Cp(const char* utf8) { return *FromQString(QString::fromUtf8(utf8)); }

// Answers every question with the next scripted answer (Cancel when none is left) and
// remembers what was asked.
class TScriptedDialogs : public TDialogs {
 public:
  TMessageAnswer Ask(QWidget*, const TMessage& message) override {
    Asked << ToQString(message.Text);
    if (Answers.isEmpty()) return TMessageAnswer::Cancel;
    return Answers.takeFirst();
  }
  QString OpenFileName(QWidget*, const QString&, const QString&, const QString&) override {
    return {};
  }
  QString SaveFileName(QWidget*, const QString&, const QString&, const QString&,
                       QString*) override {
    return {};
  }
  QList<TMessageAnswer> Answers;
  QStringList Asked;
};

// Writes a binary dictionary of `words` (UTF-8) to `path`.
void WriteDictionary(const QString& path, const QStringList& words, const char* title) {
  TKivDictionary dictionary;
  dictionary.SetLoaded();
  TDictHead head = dictionary.Head();
  head.Title = Cp(title);
  dictionary.SetHeader(head);
  for (const QString& word : words) (void)dictionary.AddWord(*FromQString(word));
  QVERIFY(dictionary.SaveToFile(PathFromQString(path)).ok());
}

const QStringList kWords = {
    "кот",   "кит",  "котёл", "скот",     "полкот", "победитель", "побелить", "шалаш",
    "казак", "ротор", "карт",  "трак",     "акр",    "рак",        "кара",     "дом",
    "дым",   "мост", "лес",   "поле",     "река",   "гора",       "слово",    "книга",
    "окно",  "стол", "стул",  "ручка",    "лампа",  "дверь",      "пол",      "потолок",
};

}  // namespace

class TKivMainFormTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir FDir;
  TScriptedDialogs FDialogs;
  std::unique_ptr<TKivMainForm> FForm;

  QString Ini() const { return FDir.filePath("gryvel.ini"); }
  QString IniText() const {
    QFile file(Ini());
    if (!file.open(QIODevice::ReadOnly)) return {};
    return ToQString(file.readAll().toStdString());
  }
  void WriteIni(const QString& text) const {
    QFile file(Ini());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray::fromStdString(*FromQString(text)));
  }
  // Opens the window on the program directory and waits for its dictionaries.
  void Open() {
    FForm = std::make_unique<TKivMainForm>(PathFromQString(FDir.path()));
    FForm->resize(500, 420);
    FForm->show();
    QTRY_VERIFY(FForm->Collection().Count() > 0 && FForm->Collection().LoadingCount() == 0);
  }
  TEnterEdit* Edit() const { return FForm->findChild<TEnterEdit*>("FastSearch"); }
  QString Panel(int i) const {
    return FForm->findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(i))->text();
  }
  QString Selected() const {
    const std::int32_t index = FForm->Viewer().SelItem();
    if (index < 0 || index >= FForm->Collection().Count()) return {};
    return ToQString(FForm->Collection().Item(index)->Word);
  }
  // Types `text` as a whole (QTest types Latin-1 only).
  void Type(const QString& text) {
    Edit()->clear();
    Edit()->insert(text);
  }
  QStringList HistoryTexts(THistoryBranch branch) const {
    QStringList texts;
    for (const THistoryNode& node : FForm->History().Children(branch))
      if (node.Kind != THistoryNodeKind::NewSearch) texts << ToQString(node.Text);
    return texts;
  }

 private Q_SLOTS:
  void initTestCase() {
    InstallPlatformHooks();
    SetDialogs(&FDialogs);
  }
  void cleanupTestCase() {
    SetDialogs(nullptr);
    RemovePlatformHooks();
  }
  void init() {
    QVERIFY(FDir.isValid());
    QDir(FDir.path()).mkpath("Dictionaries");
    WriteDictionary(FDir.filePath("Dictionaries/dictionary.kiv"), kWords, "Тест");
    QFile::remove(Ini());
    FDialogs.Answers.clear();
    FDialogs.Asked.clear();
  }
  void cleanup() {
    FForm.reset();
    SetUILanguage(TUILanguage::NotSet);
  }

  void FirstRunWritesTheSettingsFileAndListsTheDefaultDictionary() {
    Open();
    QVERIFY(QFile::exists(Ini()));
    QCOMPARE(FForm->Collection().Count(), kWords.size());
    QCOMPARE(Panel(2), QString::number(kWords.size()));
    QVERIFY(IniText().contains("Language=RUS"));
    QCOMPARE(FForm->Commands().SearchPalindromes->text(), QString::fromUtf8("&Палиндромы"));
  }

  void TypingShowsTheLengthRangeAndLocatesPlainWords() {
    Open();
    const struct {
      const char* Typed;
      const char* Panel;
    } cases[] = {{"кот", "3"}, {"?????", "5"}, {"???*", "3+"}, {"", ""}, {"побе", "4"}};
    for (const auto& c : cases) {
      Type(QString::fromUtf8(c.Typed));
      QCOMPARE(Panel(1), QString::fromUtf8(c.Panel));
    }
    QCOMPARE(Selected(), QString::fromUtf8("победитель"));
    FForm->SetDoFastSearch(false);
    Type(QString::fromUtf8("дом"));
    QCOMPARE(Panel(1), QString("3"));
    QCOMPARE(Selected(), QString::fromUtf8("победитель"));
  }

  void EnterRunsACrosswordSearchAndRecordsIt() {
    Open();
    Type(QString::fromUtf8("кот"));
    QTest::keyClick(Edit(), Qt::Key_Return);
    QVERIFY(FForm->ResultSource().FilterActive());
    QCOMPARE(FForm->ResultSource().Count(), 4);  // кот котёл скот полкот
    QCOMPARE(Panel(2), QString("4"));
    QCOMPARE(Selected(), QString::fromUtf8("кот"));
    QCOMPARE(Edit()->text(), QString::fromUtf8("кот"));
    Type(QString::fromUtf8("п?бе*л?"));
    QTest::keyClick(Edit(), Qt::Key_Enter);
    QCOMPARE(Selected(), QString::fromUtf8("победитель"));
    QCOMPARE(HistoryTexts(THistoryBranch::Crossword),
             QStringList({QString::fromUtf8("п?бе*л?"), QString::fromUtf8("*кот*")}));
    Type(QString::fromUtf8("кот"));
    QTest::keyClick(Edit(), Qt::Key_Return);  // already recorded: the order stays
    QCOMPARE(HistoryTexts(THistoryBranch::Crossword).first(), QString::fromUtf8("п?бе*л?"));
  }

  void AltEnterRunsAnAnagramSearchInTheCurrentMode() {
    Open();
    FForm->StringSearcher().SetAnagramOptions(aoUsual);
    Type(QString::fromUtf8("акрт"));
    QTest::keyClick(Edit(), Qt::Key_Return, Qt::AltModifier);
    QCOMPARE(FForm->ResultSource().Count(), 2);  // карт трак
    FForm->StringSearcher().SetAnagramOptions(aoMakeWords);
    QTest::keyClick(Edit(), Qt::Key_Return, Qt::AltModifier);
    QCOMPARE(FForm->ResultSource().Count(), 4);  // акр карт рак трак
    const std::vector<THistoryNode>& anagrams = FForm->History().Children(THistoryBranch::Anagrams);
    QCOMPARE(anagrams.size(), std::size_t{2});
    QCOMPARE(anagrams[1].Mode, aoMakeWords);
  }

  void SaveLastCountLimitsEachBranch() {
    WriteIni(QStringLiteral("[Search]\nSaveLastCount=2\n[Dictionaries]\nCount=1\nFileName_1=%1\n"
                            "IsConnected_1=1\n")
                 .arg(FDir.filePath("Dictionaries/dictionary.kiv")));
    Open();
    for (const char* word : {"дом", "лес", "мост"}) {
      Type(QString::fromUtf8(word));
      QTest::keyClick(Edit(), Qt::Key_Return);
    }
    QCOMPARE(HistoryTexts(THistoryBranch::Crossword),
             QStringList({QString::fromUtf8("*мост*"), QString::fromUtf8("*лес*")}));
  }

  void AClickOnAnEqualLettersIconSwitchesTheGroupAndCloseWritesIt() {
    WriteIni(QStringLiteral("[Equal]\nCount=1\n1=ЕЁ=Е,1\n[Dictionaries]\nCount=1\nFileName_1=%1\n"
                            "IsConnected_1=1\n")
                 .arg(FDir.filePath("Dictionaries/dictionary.kiv")));
    Open();
    QVERIFY(FForm->CharacterManager().GetEqualLettersActive(0));
    auto* tree = FForm->findChild<TSearchTree*>("SearchTree");
    QVERIFY(tree != nullptr && tree->isVisible());
    const THistoryNodeId id = FForm->History().Children(THistoryBranch::EqualLetters)[0].Id;
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->IconRect(tree->ItemOf(id)).center());
    QVERIFY(!FForm->CharacterManager().GetEqualLettersActive(0));
    QVERIFY(FForm->close());
    QVERIFY(IniText().contains(QString::fromUtf8("1=ЕЁ=Е,0")));
  }

  void ResultsOnAndOffRestoreTopAndSelection() {
    Open();
    FForm->resize(400, 200);
    Type(QString::fromUtf8("*о*"));
    QTest::keyClick(Edit(), Qt::Key_Return);
    TKivViewer& viewer = FForm->Viewer();
    viewer.SetTopIndex(2);
    viewer.SetSelItem(viewer.DataSource()->View()[3]);
    const std::int32_t result_top = viewer.TopIndex();
    const std::int32_t result_selection = viewer.SelItem();
    QAction* results = FForm->Commands().ViewResults;
    results->trigger();  // the whole list
    QVERIFY(!FForm->ResultSource().FilterActive());
    viewer.SetTopIndex(5);
    viewer.SetSelItem(viewer.DataSource()->View()[7]);
    const std::int32_t full_top = viewer.TopIndex();
    const std::int32_t full_selection = viewer.SelItem();
    for (int round = 0; round < 2; ++round) {
      results->trigger();
      QVERIFY(FForm->ResultSource().FilterActive());
      QVERIFY(results->isChecked());
      QCOMPARE(viewer.TopIndex(), result_top);
      QCOMPARE(viewer.SelItem(), result_selection);
      results->trigger();
      QVERIFY(!results->isChecked());
      QCOMPARE(viewer.TopIndex(), full_top);
      QCOMPARE(viewer.SelItem(), full_selection);
    }
  }

  void ASecondSearchKeepsThePlaceInTheWholeList() {
    Open();
    FForm->resize(400, 200);
    TKivViewer& viewer = FForm->Viewer();
    viewer.SetTopIndex(5);
    viewer.SetSelItem(viewer.DataSource()->View()[7]);
    const std::int32_t top = viewer.TopIndex();
    const std::int32_t selection = viewer.SelItem();
    for (const char* pattern : {"*о*", "*а*"}) {
      Type(QString::fromUtf8(pattern));
      QTest::keyClick(Edit(), Qt::Key_Return);
      QVERIFY(FForm->ResultSource().FilterActive());
    }
    FForm->Commands().ViewResults->trigger();
    QCOMPARE(viewer.TopIndex(), top);
    QCOMPARE(viewer.SelItem(), selection);
  }

  void SortingKeepsTheSelectedWord() {
    Open();
    Type(QString::fromUtf8("победитель"));
    QCOMPARE(Selected(), QString::fromUtf8("победитель"));
    FForm->Commands().SortByLength->trigger();
    QVERIFY(FForm->ResultSource().ByLength());
    QCOMPARE(Selected(), QString::fromUtf8("победитель"));
    FForm->Commands().SortDescending->trigger();
    QVERIFY(!FForm->ResultSource().IncrementSort());
    QCOMPARE(Selected(), QString::fromUtf8("победитель"));
    QCOMPARE(FForm->ResultSource().View().front(), FForm->Viewer().SelItem());
  }

  void MaximisingWidensBothIndentsByFour() {
    Open();
    TKivViewer& viewer = FForm->Viewer();
    const int text = viewer.TextIndent();
    const int description = viewer.DescriptionIndent();
    FForm->setWindowState(Qt::WindowMaximized);
    QTRY_COMPARE(viewer.TextIndent(), text + 4);
    QCOMPARE(viewer.DescriptionIndent(), description + 4);
    QVERIFY(!FForm->findChild<QWidget*>("tbAdvanced")->isVisible());
    FForm->setWindowState(Qt::WindowNoState);
    QTRY_COMPARE(viewer.TextIndent(), text);
    QCOMPARE(viewer.DescriptionIndent(), description);
    QVERIFY(FForm->findChild<QWidget*>("tbAdvanced")->isVisible());
  }

  void ThePanelButtonHidesAndShowsTheRightPanelButNotWhileMaximised() {
    Open();
    auto* panel = FForm->findChild<QWidget*>("RightPanel");
    auto* button = FForm->findChild<QToolButton*>("tbAdvanced");
    QVERIFY(panel->isVisible());
    const int wide = FForm->width();
    button->click();
    QVERIFY(!panel->isVisible());
    QVERIFY(FForm->width() < wide);
    button->click();
    QVERIFY(panel->isVisible());
    FForm->setWindowState(Qt::WindowMaximized);
    QTRY_VERIFY(!button->isVisible());
    button->click();
    QVERIFY(panel->isVisible());
  }

  void CancelAtTheFirstQuestionKeepsTheWindowOpenAndSavesNothing() {
    QDir(FDir.path()).mkpath("more");
    WriteDictionary(FDir.filePath("more/second.kiv"), {"альфа", "бета"}, "Второй");
    Open();
    TDictionaryCollection& collection = FForm->Collection();
    const std::int32_t second = collection.AddDictionary(PathFromQString(FDir.filePath("more/second.kiv")));
    collection.Dictionary(second)->EnsureLoaded();
    collection.SetActive(collection.Dictionary(0));
    for (std::int32_t i = 0; i < 2; ++i) collection.Dictionary(i)->SetModified(true);
    const QString before = IniText();
    FDialogs.Answers = {TMessageAnswer::Cancel};
    QVERIFY(!FForm->close());
    QVERIFY(FForm->isVisible());
    QCOMPARE(FDialogs.Asked.size(), 1);
    QVERIFY(FDialogs.Asked.first().contains(QString::fromUtf8("Сохранить изменения в словаре")));
    QCOMPARE(IniText(), before);
    for (std::int32_t i = 0; i < 2; ++i) QVERIFY(collection.Dictionary(i)->Modified());
    FDialogs.Answers = {TMessageAnswer::No, TMessageAnswer::No};
    QVERIFY(FForm->close());
  }

  void CloseWritesTheHistoryAndTheNextStartReadsIt() {
    Open();
    Type(QString::fromUtf8("п?бе*л?"));
    QTest::keyClick(Edit(), Qt::Key_Return);
    QVERIFY(FForm->close());
    QVERIFY(IniText().contains(QString::fromUtf8("[Pattern]")));
    QVERIFY(IniText().contains(QString::fromUtf8("1=п?бе*л?")));
    FForm.reset();
    Open();
    QCOMPARE(HistoryTexts(THistoryBranch::Crossword), QStringList({QString::fromUtf8("п?бе*л?")}));
  }

  void AProgressReportAfterCloseChangesNothing() {
    Open();
    QVERIFY(FForm->close());
    QStatusBar* bar = FForm->statusBar();
    const QString before = bar->currentMessage();
    TKivDictionary* dictionary = FForm->Collection().Dictionary(0);
    FForm->Collection().OnProgress(dictionary, kStageReading, 50, {});
    FForm->Collection().OnProgress(dictionary, kStageLoaded, 100, {});
    QCOMPARE(bar->currentMessage(), before);
  }

  void ClosingWhileLoadingNeitherHangsNorCrashes_data() {
    QTest::addColumn<int>("stage");
    for (int stage = kStageStarted; stage <= kStageAllDone; ++stage)
      QTest::newRow(QByteArray::number(stage).constData()) << stage;
  }
  void ClosingWhileLoadingNeitherHangsNorCrashes() {
    QFETCH(int, stage);
    QStringList many;
    for (int i = 0; i < 60000; ++i) many << QString::fromUtf8("слово%1").arg(i, 6, 26, QChar('a'));
    WriteDictionary(FDir.filePath("Dictionaries/dictionary.kiv"), many, "Большой");
    FForm = std::make_unique<TKivMainForm>(PathFromQString(FDir.path()));
    FForm->show();
    TDictionaryCollection& collection = FForm->Collection();
    auto original = collection.OnProgress;
    bool closed = false;
    // The close arrives inside the progress report, as it would from pending events.
    collection.OnProgress = [&](TKivDictionary* sender, std::uint8_t reported,
                                std::uint8_t percent, const std::string& text) {
      original(sender, reported, percent, text);
      if (reported == stage && !closed) closed = FForm->close();
    };
    QTRY_VERIFY(closed || collection.LoadingCount() == 0);
    FForm.reset();  // destroys the collection, cancelling a load still running
  }
};

QTEST_MAIN(TKivMainFormTest)
#include "kiv_main_form_test.moc"
