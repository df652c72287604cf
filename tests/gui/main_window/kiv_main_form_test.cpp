#include "gui/main_window/kiv_main_form.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "common/synchronize.h"
#include "dictionary/kiv_dictionary.h"
#include "gui/app/application.h"
#include "gui/app/platform_hooks.h"
#include "gui/dialogs.h"
#include "gui/main_window/main_commands.h"
#include "gui/main_window/search_tree.h"
#include "gui/text.h"
#include "gui/widgets/enter_edit.h"
#include "gui/widgets/kiv_viewer.h"
#include "results/language.h"
#include "scripted_dialogs.h"
#include "search/letter_maps.h"
#include "shell/session.h"
#include "window_test.h"

using namespace gryvel;
using namespace gryvel::gui;

namespace {

const QStringList kWords = {
    "кот",   "кит",  "котёл", "скот",     "полкот", "победитель", "побелить", "шалаш",
    "казак", "ротор", "карт",  "трак",     "акр",    "рак",        "кара",     "дом",
    "дым",   "мост", "лес",   "поле",     "река",   "гора",       "слово",    "книга",
    "окно",  "стол", "стул",  "ручка",    "лампа",  "дверь",      "пол",      "потолок",
};

}  // namespace

class TKivMainFormTest : public TWindowTest {
  Q_OBJECT

 private:
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
  void Open(bool sized = true) {
    FForm.reset();
    FSession = std::make_unique<TSession>(ProgramSettings(PathFromQString(FDir.path())));
    FForm = std::make_unique<TKivMainForm>(*FSession);
    if (sized) FForm->resize(500, 420);
    FForm->ShowAsSaved();
    QTRY_VERIFY(FSession->Collection.Count() > 0 && FSession->Collection.LoadingCount() == 0);
  }
  TKivViewer& Viewer() const { return *FForm->findChild<TKivViewer*>("KivViewer1"); }
  TMainCommands& Commands() const { return *FForm->findChild<TMainCommands*>(); }
  void WriteManyWords() {
    QStringList many;
    for (int i = 0; i < 60000; ++i) many << QString::fromUtf8("слово%1").arg(i, 6, 26, QChar('a'));
    WriteDictionary(FDir.filePath("Dictionaries/dictionary.kiv"), many, "Большой");
  }
  TEnterEdit* Edit() const { return FForm->findChild<TEnterEdit*>("FastSearch"); }
  QString Panel(int i) const {
    return FForm->findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(i))->text();
  }
  QString Selected() const {
    const std::int32_t index = Viewer().SelItem();
    if (index < 0 || index >= FSession->Collection.Count()) return {};
    return ToQString(FSession->Collection.Item(index)->Word);
  }
  // Types `text` as a whole (QTest types Latin-1 only).
  void Type(const QString& text) {
    Edit()->clear();
    Edit()->insert(text);
  }
  QStringList HistoryTexts(THistoryBranch branch) const {
    QStringList texts;
    for (const THistoryNode& node : FSession->History.Children(branch))
      if (node.Kind != THistoryNodeKind::NewSearch) texts << ToQString(node.Text);
    return texts;
  }

 private Q_SLOTS:
  void init() {
    QVERIFY(FDir.isValid());
    QDir(FDir.path()).mkpath("Dictionaries");
    WriteDictionary(FDir.filePath("Dictionaries/dictionary.kiv"), kWords, "Тест");
    QFile::remove(Ini());
    FDialogs.Answers.clear();
    FDialogs.Asked.clear();
  }

  void FirstRunWritesTheSettingsFileAndListsTheDefaultDictionary() {
    Open();
    QVERIFY(QFile::exists(Ini()));
    QCOMPARE(FSession->Collection.Count(), kWords.size());
    QCOMPARE(Panel(2), QString::number(kWords.size()));
    QVERIFY(IniText().contains("Language=RUS"));
    QCOMPARE(Commands().SearchPalindromes->text(), QString::fromUtf8("&Палиндромы"));
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
    TSearchOptions options = FSession->SearchOptions();
    options.DoFastSearch = false;
    FSession->SetSearchOptions(options);
    Type(QString::fromUtf8("дом"));
    QCOMPARE(Panel(1), QString("3"));
    QCOMPARE(Selected(), QString::fromUtf8("победитель"));
  }

  void EnterRunsACrosswordSearchAndRecordsIt() {
    Open();
    Type(QString::fromUtf8("кот"));
    QTest::keyClick(Edit(), Qt::Key_Return);
    QVERIFY(FSession->Source.FilterActive());
    QCOMPARE(FSession->Source.Count(), 4);  // кот котёл скот полкот
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
    FSession->Searcher.SetAnagramOptions(aoUsual);
    Type(QString::fromUtf8("акрт"));
    QTest::keyClick(Edit(), Qt::Key_Return, Qt::AltModifier);
    QCOMPARE(FSession->Source.Count(), 2);  // карт трак
    FSession->Searcher.SetAnagramOptions(aoMakeWords);
    QTest::keyClick(Edit(), Qt::Key_Return, Qt::AltModifier);
    QCOMPARE(FSession->Source.Count(), 4);  // акр карт рак трак
    const std::vector<THistoryNode>& anagrams = FSession->History.Children(THistoryBranch::Anagrams);
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
    QVERIFY(FSession->Manager.GetEqualLettersActive(0));
    auto* tree = FForm->findChild<TSearchTree*>("SearchTree");
    QVERIFY(tree != nullptr && tree->isVisible());
    const THistoryNodeId id = FSession->History.Children(THistoryBranch::EqualLetters)[0].Id;
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->IconRect(tree->ItemOf(id)).center());
    QVERIFY(!FSession->Manager.GetEqualLettersActive(0));
    QVERIFY(FForm->close());
    QVERIFY(IniText().contains(QString::fromUtf8("1=ЕЁ=Е,0")));
  }

  void ResultsOnAndOffRestoreTopAndSelection() {
    Open();
    FForm->resize(400, 200);
    Type(QString::fromUtf8("*о*"));
    QTest::keyClick(Edit(), Qt::Key_Return);
    TKivViewer& viewer = Viewer();
    viewer.SetTopIndex(2);
    viewer.SetSelItem(viewer.DataSource()->View()[3]);
    const std::int32_t result_top = viewer.TopIndex();
    const std::int32_t result_selection = viewer.SelItem();
    QAction* results = Commands().ViewResults;
    results->trigger();  // the whole list
    QVERIFY(!FSession->Source.FilterActive());
    viewer.SetTopIndex(5);
    viewer.SetSelItem(viewer.DataSource()->View()[7]);
    const std::int32_t full_top = viewer.TopIndex();
    const std::int32_t full_selection = viewer.SelItem();
    for (int round = 0; round < 2; ++round) {
      results->trigger();
      QVERIFY(FSession->Source.FilterActive());
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
    TKivViewer& viewer = Viewer();
    viewer.SetTopIndex(5);
    viewer.SetSelItem(viewer.DataSource()->View()[7]);
    const std::int32_t top = viewer.TopIndex();
    const std::int32_t selection = viewer.SelItem();
    for (const char* pattern : {"*о*", "*а*"}) {
      Type(QString::fromUtf8(pattern));
      QTest::keyClick(Edit(), Qt::Key_Return);
      QVERIFY(FSession->Source.FilterActive());
    }
    Commands().ViewResults->trigger();
    QCOMPARE(viewer.TopIndex(), top);
    QCOMPARE(viewer.SelItem(), selection);
  }

  void SortingKeepsTheSelectedWord() {
    Open();
    Type(QString::fromUtf8("победитель"));
    QCOMPARE(Selected(), QString::fromUtf8("победитель"));
    Commands().SortByLength->trigger();
    QVERIFY(FSession->Source.ByLength());
    QCOMPARE(Selected(), QString::fromUtf8("победитель"));
    Commands().SortDescending->trigger();
    QVERIFY(!FSession->Source.IncrementSort());
    QCOMPARE(Selected(), QString::fromUtf8("победитель"));
    QCOMPARE(FSession->Source.View().front(), Viewer().SelItem());
  }

  void MaximisingWidensBothIndentsByFour() {
    Open();
    TKivViewer& viewer = Viewer();
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
    TDictionaryCollection& collection = FSession->Collection;
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

  // [WindowPos] as the file holds it: Left, Top, Width, Height.
  QList<int> SavedPlace() const {
    QList<int> place;
    for (const char* key : {"Left", "Top", "Width", "Height"}) {
      const QRegularExpression line(QStringLiteral("\\n%1=(-?\\d+)").arg(key));
      place << line.match(IniText()).captured(1).toInt();
    }
    return place;
  }

  // Leaves the window closed at `place` (Left, Top, Width, Height) in the settings file.
  void SetSavedPlace(const QList<int>& place) {
    Open(false);
    QVERIFY(FForm->close());
    QString text = IniText();
    const char* keys[] = {"Left", "Top", "Width", "Height"};
    for (int i = 0; i < 4; ++i) {
      text.replace(QRegularExpression(QStringLiteral("\\n%1=-?\\d+").arg(keys[i])),
                   QStringLiteral("\n%1=%2").arg(keys[i]).arg(place[i]));
    }
    WriteIni(text);
    QCOMPARE(SavedPlace(), place);
  }

  void TenStartsAndClosesLeaveTheWindowWhereItWas() {
    SetSavedPlace({138, 122, 530, 400});
    for (int start = 0; start < 10; ++start) {
      Open(false);
      QVERIFY(FForm->close());
      QCOMPARE(SavedPlace(), QList<int>({138, 122, 530, 400}));
    }
  }

  void AWindowSavedOffEveryScreenComesBackOntoOne() {
    SetSavedPlace({-99999, -5000, 530, 400});
    Open(false);
    const QRect screen = FForm->screen()->availableGeometry();
    QVERIFY(screen.intersects(FForm->frameGeometry()));
    QVERIFY(FForm->close());
    QCOMPARE(SavedPlace(), QList<int>({screen.left(), screen.top(), 530, 400}));
  }

  void AProgressReportAfterCloseChangesNothing() {
    Open();
    QVERIFY(FForm->close());
    QStatusBar* bar = FForm->statusBar();
    const QString before = bar->currentMessage();
    TKivDictionary* dictionary = FSession->Collection.Dictionary(0);
    FSession->Collection.OnProgress(dictionary, kStageReading, 50, {});
    FSession->Collection.OnProgress(dictionary, kStageLoaded, 100, {});
    QCOMPARE(bar->currentMessage(), before);
  }

  void ClosingWhileLoadingNeitherHangsNorCrashes_data() {
    QTest::addColumn<int>("stage");
    for (int stage = kStageStarted; stage <= kStageAllDone; ++stage)
      QTest::newRow(QByteArray::number(stage).constData()) << stage;
  }
  void ClosingWhileLoadingNeitherHangsNorCrashes() {
    QFETCH(int, stage);
    WriteManyWords();
    FSession = std::make_unique<TSession>(ProgramSettings(PathFromQString(FDir.path())));
    FForm = std::make_unique<TKivMainForm>(*FSession);
    FForm->show();
    bool closed = false;
    // The close arrives inside the progress report, as it would from pending events.
    const TSubscription watch = FSession->Collection.OnProgress.Subscribe(
        [&](TKivDictionary*, std::uint8_t reported, std::uint8_t, const std::string&) {
          if (reported == stage && !closed) closed = FForm->close();
        });
    QTRY_VERIFY(closed);
    QVERIFY(IniText().contains(QStringLiteral("\nWidth=")));  // written by the close
    FForm.reset();
    FSession.reset();  // destroys the collection, cancelling a load still running
  }

  // A listener that comes before the window destroys it in the middle of a report: the
  // window's own listener is then not called, and the loading goes on to its end.
  void AWindowDestroyedInsideAReportIsNotCalledAgain() {
    WriteManyWords();
    FSession = std::make_unique<TSession>(ProgramSettings(PathFromQString(FDir.path())));
    int reports_after = 0;
    const TSubscription first = FSession->Collection.OnProgress.Subscribe(
        [&](TKivDictionary*, std::uint8_t stage, std::uint8_t, const std::string&) {
          if (FForm == nullptr) {
            ++reports_after;
          } else if (stage == kStageReading) {
            FForm.reset();
          }
        });
    FForm = std::make_unique<TKivMainForm>(*FSession);
    QTRY_VERIFY(FForm == nullptr && FSession->Collection.LoadingCount() == 0);
    QVERIFY(reports_after > 0);
    QCOMPARE(FSession->Collection.Count(), FSession->Collection.Dictionary(0)->Count());
    FSession.reset();
  }
};

QTEST_MAIN(TKivMainFormTest)
#include "kiv_main_form_test.moc"
