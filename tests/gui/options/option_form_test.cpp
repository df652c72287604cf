#include "gui/options/option_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

#include "gui/app/application.h"
#include "gui/dialogs.h"
#include "gui/icons.h"
#include "gui/main_window/search_tree.h"
#include "gui/options/word_list_page.h"
#include "gui/text.h"
#include "gui/widgets/kiv_viewer.h"
#include "gui/widgets/viewer_style.h"
#include "results/language.h"
#include "scripted_dialogs.h"
#include "search/letter_maps.h"
#include "shell/settings_location.h"
#include "support/counting_file_system.h"

namespace gryvel::gui {

namespace {

// Answers the font dialog as a user who changes only the size: the real dialog opens on the
// font it is given, and its current font (the family, style and size selected) takes the new
// size.
class TSizeOnlyDialogs : public TScriptedDialogs {
 public:
  std::optional<QFont> ChooseFont(QWidget*, const QFont& initial,
                                  const std::function<void(const QFont&)>&) override {
    QFontDialog dialog(initial);
    QFont chosen = dialog.currentFont();
    chosen.setPointSize(Size);
    return chosen;
  }
  int Size = 0;
};

}  // namespace

class TOptionFormTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir FDir;
  TScriptedDialogs FDialogs;
  std::unique_ptr<testing::CountingFileSystem> FFiles;  // the settings file's writes
  std::unique_ptr<TSession> FSession;
  std::unique_ptr<TOptionForm> FForm;
  TWindowOptions FWindow;  // the main window's options as it would hand them over
  QStringList FApplied;    // what the callbacks were given, in order
  TViewerSettings FAppliedViewer;

  template <typename T>
  T* Find(const char* name) const {
    T* widget = FForm->findChild<T*>(name);
    if (widget == nullptr) qFatal("no %s", name);
    return widget;
  }
  TWordListPage& Page() const { return *Find<TWordListPage>("WordListPage"); }
  QPushButton* Button(const char* name) const { return Find<QPushButton>(name); }
  QString IniText() const {
    QFile file(FDir.filePath("gryvel.ini"));
    return file.open(QIODevice::ReadOnly) ? ToQString(file.readAll().toStdString()) : QString();
  }
  void Open() {
    FApplied.clear();
    FForm->Open(FWindow);
    QVERIFY(QTest::qWaitForWindowExposed(FForm.get()));
  }
  QTreeWidget* EqualList() const { return Find<QTreeWidget>("EqualList"); }

 private Q_SLOTS:
  void initTestCase() { SetDialogs(&FDialogs); }
  void cleanupTestCase() { SetDialogs(nullptr); }
  void init() {
    QVERIFY(FDir.isValid());
    QFile::remove(FDir.filePath("gryvel.ini"));
    SetUILanguage(TUILanguage::Russian);
    FDialogs = TScriptedDialogs();
    FDialogs.DefaultAnswer = TMessageAnswer::Ok;
    FFiles = std::make_unique<testing::CountingFileSystem>(PosixFileSystem());
    const std::string dir = PathFromQString(FDir.path());
    FSession = std::make_unique<TSession>(
        std::make_unique<TSettingsFile>(*FFiles, SettingsFilePath(dir), dir));
    QVERIFY(FSession->Settings()->Update([](TIniStore&) {}).ok());  // the first-run file
    FSession->History.AddEqualLetters(FSession->Manager, {"ab", 'c', true});
    FWindow = {};
    FForm = std::make_unique<TOptionForm>(*FSession);
    FForm->resize(640, 720);
    FForm->OnApplyWordList = [this](const TViewerSettings& viewer, bool standard_scroll) {
      FAppliedViewer = viewer;
      FApplied << QStringLiteral("list %1").arg(standard_scroll);
    };
    FForm->OnApplyLanguage = [this](const std::string& code) {
      // By now the search options are written, and the equal letters not yet applied.
      QVERIFY(IniText().contains("SaveLastCount="));
      QCOMPARE(FSession->Manager.EqualLettersCount(), 1);
      FApplied << QStringLiteral("language %1").arg(QString::fromStdString(code));
    };
    FForm->OnApplyToolbars = [this](std::int32_t labels, bool large) {
      FApplied << QStringLiteral("toolbars %1 %2").arg(labels).arg(large);
    };
  }
  void cleanup() {
    FForm.reset();
    FSession.reset();
    SetUILanguage(TUILanguage::NotSet);
    ResetLetterMaps();
  }

  void CancelChangesNothingAndReopeningShowsWhatIsInForce() {
    Open();
    const QString ini = IniText();
    Find<QCheckBox>("FastSearchCheck")->click();
    Find<QSpinBox>("SaveLastCountEdit")->setValue(3);
    Find<QComboBox>("LanguageBox")->setCurrentIndex(1);
    Find<QComboBox>("TextOptionsBox")->setCurrentIndex(2);
    Find<QCheckBox>("StandardScrollCheck")->click();
    FDialogs.Equal = TEqualLetters{"xy", 'z', true};
    Button("AddButton")->click();
    FDialogs.Color = QColor(Qt::red);
    Find<QRadioButton>("ColorRadio")->click();
    Button("BackColorButton")->click();
    QCOMPARE(Page().Preview().Color(), QColor(Qt::red));
    QVERIFY(Button("ButtonApply")->isEnabled());
    Button("ButtonCancel")->click();

    QVERIFY(FApplied.isEmpty());
    QCOMPARE(IniText(), ini);
    QVERIFY(FSession->SearchOptions().DoFastSearch);
    QCOMPARE(FSession->Manager.EqualLettersCount(), 1);
    Open();
    QVERIFY(Find<QCheckBox>("FastSearchCheck")->isChecked());
    QCOMPARE(Find<QSpinBox>("SaveLastCountEdit")->value(), 5);
    QCOMPARE(Find<QComboBox>("LanguageBox")->currentIndex(), 0);
    QCOMPARE(Find<QComboBox>("TextOptionsBox")->currentIndex(), 1);
    QVERIFY(!Find<QCheckBox>("StandardScrollCheck")->isChecked());
    QCOMPARE(EqualList()->topLevelItemCount(), 1);
    QCOMPARE(Page().Preview().Color(), QColor(Qt::white));
    QVERIFY(!Button("ButtonApply")->isEnabled());
  }

  void OkWithoutAChangeAppliesAndWritesNothing() {
    Open();
    const int writes = FFiles->Writes();
    Button("ButtonOk")->click();
    QCOMPARE(FForm->result(), int(QDialog::Accepted));
    QVERIFY(FApplied.isEmpty());
    QCOMPARE(FFiles->Writes(), writes);
  }

  void ChangesUndoneBeforeOkWriteNothing() {
    Open();
    const int writes = FFiles->Writes();
    Find<QCheckBox>("FastSearchCheck")->click();
    Find<QCheckBox>("FastSearchCheck")->click();
    Find<QSpinBox>("SaveLastCountEdit")->setValue(3);
    Find<QSpinBox>("SaveLastCountEdit")->setValue(5);
    Find<QCheckBox>("ShowPartsCheck")->click();
    Find<QCheckBox>("ShowPartsCheck")->click();
    QVERIFY(Button("ButtonApply")->isEnabled());
    Button("ButtonOk")->click();
    QCOMPARE(FFiles->Writes(), writes);
  }

  void ApplyRunsItsStepsInOrder() {
    Open();
    Find<QSpinBox>("SaveLastCountEdit")->setValue(4);
    Find<QComboBox>("LanguageBox")->setCurrentIndex(1);
    Find<QComboBox>("TextOptionsBox")->setCurrentIndex(2);
    Find<QComboBox>("IconOptionsBox")->setCurrentIndex(0);
    Find<QCheckBox>("StandardScrollCheck")->click();
    EqualList()->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    Button("ButtonApply")->click();
    QCOMPARE(FApplied, (QStringList{"list 1", "language ENG", "toolbars 2 0"}));
    QVERIFY(!FSession->Manager.GetEqualLettersActive(0));
    QVERIFY(!Button("ButtonApply")->isEnabled());
    // Applied once: OK now has nothing to apply.
    Button("ButtonOk")->click();
    QCOMPARE(FApplied.size(), 3);
  }

  void TransparencyCountsHowMuchTheSelectionLetsThrough() {
    Open();
    Page().SetElement(TWordListPage::kSelection);
    auto* percent = Find<QSpinBox>("TransparencyEdit");
    QCOMPARE(percent->value(), 12);  // the designed 223
    percent->setValue(20);
    Button("ButtonOk")->click();
    QCOMPARE(FAppliedViewer.Transparency, 204);
    QVERIFY(IniText().contains("Transparency=204"));
    FWindow.Viewer = FAppliedViewer;
    Open();
    Page().SetElement(TWordListPage::kSelection);
    QCOMPARE(percent->value(), 20);
  }

  void LoweringTheHistorySizeTrimsBothBranches() {
    TSearchOptions options;
    options.SaveLastCount = 10;
    FSession->SetSearchOptions(options);
    for (int i = 0; i < 10; ++i) {
      FSession->History.AddPatternHistory("p" + std::to_string(i));
      FSession->History.AddAnagramHistory("a" + std::to_string(i), aoUsual);
    }
    Open();
    Find<QSpinBox>("SaveLastCountEdit")->setValue(3);
    Button("ButtonOk")->click();
    QCOMPARE(FSession->History.EntryCount(THistoryBranch::Crossword), 3);
    QCOMPARE(FSession->History.EntryCount(THistoryBranch::Anagrams), 3);
    QCOMPARE(FSession->History.Children(THistoryBranch::Crossword)[1].Text, std::string("p9"));
    QVERIFY(IniText().contains("SaveLastCount=3"));
  }

  void AnUncheckedGroupShowsTheInactiveImageInTheHistoryTree() {
    const TSearchTree tree(FSession->History, FSession->Manager);
    Open();
    EqualList()->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    QCOMPARE(tree.topLevelItem(2)->child(0)->icon(0).cacheKey(),
             Icon(TIcon::EqualActive).cacheKey());  // not before it is applied
    Button("ButtonApply")->click();
    QCOMPARE(tree.topLevelItem(2)->child(0)->icon(0).cacheKey(),
             Icon(TIcon::EqualInactive).cacheKey());
    QVERIFY(!FSession->Manager.GetEqualLettersActive(0));
  }

  void EqualLettersAreAddedChangedAndDeletedOnTheCopy() {
    Open();
    FDialogs.Equal.reset();  // an empty field: nothing added
    Button("AddButton")->click();
    QCOMPARE(EqualList()->topLevelItemCount(), 1);
    QVERIFY(!Button("ButtonApply")->isEnabled());

    FDialogs.Equal = TEqualLetters{"xy", 'z', true};
    Button("AddButton")->click();
    QCOMPARE(EqualList()->topLevelItemCount(), 2);
    QTreeWidgetItem* added = EqualList()->topLevelItem(1);
    QCOMPARE(EqualList()->currentItem(), added);
    QCOMPARE(added->checkState(0), Qt::Checked);
    QCOMPARE(added->text(1), QString("xy"));

    // Changing keeps the row's switch.
    added->setCheckState(0, Qt::Unchecked);
    FDialogs.Equal = TEqualLetters{"xyw", 'z', true};
    Button("ChangeButton")->click();
    QCOMPARE(FDialogs.EqualAsked.back().first, false);
    QCOMPARE(FDialogs.EqualAsked.back().second, (TEqualLetters{"xy", 'z', false}));
    QCOMPARE(added->text(1), QString("xyw"));
    QCOMPARE(added->checkState(0), Qt::Unchecked);

    EqualList()->setCurrentItem(EqualList()->topLevelItem(0));
    Button("DeleteButton")->click();
    QCOMPARE(EqualList()->topLevelItemCount(), 1);
    QCOMPARE(FSession->Manager.EqualLettersCount(), 1);  // the copy only, so far
    QCOMPARE(FSession->Manager.GetEqualLetters(0).Letters, std::string("ab"));
    Button("ButtonApply")->click();
    QCOMPARE(FSession->Manager.GetEqualLetters(0), (TEqualLetters{"xyw", 'z', false}));
    QCOMPARE(FSession->History.Children(THistoryBranch::EqualLetters).size(), std::size_t{1});
    QCOMPARE(FSession->History.Children(THistoryBranch::EqualLetters)[0].Text,
             std::string("xyw=z"));
  }

  void AClickInThePreviewChoosesTheElement() {
    Open();
    Find<QTabWidget>("PageControl")->setCurrentIndex(2);
    TKivViewer& preview = Page().Preview();
    QTRY_VERIFY(preview.VisibleCount() == 2);
    const std::int32_t selected = preview.SelItem();
    const TKivViewer::TItemSlot* other = nullptr;
    const TKivViewer::TItemSlot* chosen = nullptr;
    for (const TKivViewer::TItemSlot& slot : preview.Layout())
      (slot.Selected ? chosen : other) = &slot;
    QVERIFY(chosen != nullptr && other != nullptr);
    const int word_end = preview.TextIndent() +
                         QFontMetrics(preview.WordFont()).horizontalAdvance(QString("Слово"));
    const int line = preview.LineHeight();
    const struct {
      QPoint Point;
      int Element;
    } cases[] = {
        {chosen->Rect.topLeft() + QPoint(4, line / 2), TWordListPage::kSelection},
        {other->Rect.topLeft() + QPoint(4, line / 2), TWordListPage::kWord},
        {other->Rect.topLeft() + QPoint(word_end + TKivViewer::kWordGap + 3, line / 2),
         TWordListPage::kPartOfSpeech},
        {other->Rect.topLeft() + QPoint(4, line + 3), TWordListPage::kDescription},
        {QPoint(4, preview.height() - 4), TWordListPage::kBackground},
    };
    for (const auto& c : cases) {
      Page().SetElement(TWordListPage::kSelection == c.Element ? TWordListPage::kWord
                                                               : TWordListPage::kSelection);
      QTest::mouseClick(&preview, Qt::LeftButton, {}, c.Point);
      QCOMPARE(Page().Element(), c.Element);
    }
    QCOMPARE(preview.SelItem(), selected);  // the sample selection stays
  }

  void FontsAndColoursComeFromTheirDialogs() {
    Open();
    Page().SetElement(TWordListPage::kWord);
    auto* label = Find<QLabel>("FontLabel");
    const QString before = label->text();
    // A font tried and then cancelled leaves the label as it was.
    QFont tried(QStringLiteral("DejaVu Sans Mono"));
    tried.setPointSize(30);
    FDialogs.Trying = tried;
    Button("FontChangeButton")->click();
    QCOMPARE(label->text(), before);

    QFont chosen(QStringLiteral("DejaVu Serif"));
    chosen.setPointSize(20);
    chosen.setBold(true);
    FDialogs.Font = chosen;
    Button("FontChangeButton")->click();
    QCOMPARE(label->text(), QString("DejaVu Serif, 20pt, полужирный"));
    FDialogs.Color = QColor(0, 0, 255);
    Button("FontColorButton")->click();
    Page().SetElement(TWordListPage::kSelection);
    FDialogs.Color = QColor(1, 2, 3);
    Button("SelBorderButton")->click();
    Button("ButtonOk")->click();
    QCOMPARE(FAppliedViewer.Font.Name, std::string("DejaVu Serif"));
    QCOMPARE(FAppliedViewer.Font.Size, 20);
    QCOMPARE(FAppliedViewer.Font.Style, kFontBold);
    QCOMPARE(FAppliedViewer.Font.Color, 0xFF0000);
    QCOMPARE(FAppliedViewer.SelectionBorderColor, 0x030201);
    QCOMPARE(FAppliedViewer.DescrFont.Name, std::string("Verdana"));  // untouched
  }

  // The font dialog opens on the font in force, so changing only the size keeps the style.
  void AFontDialogChangingOnlyTheSizeKeepsTheStyle() {
    TSizeOnlyDialogs dialogs;
    SetDialogs(&dialogs);
    const struct Restore {
      TDialogs* Dialogs;
      ~Restore() { SetDialogs(Dialogs); }
    } restore{&FDialogs};
    const struct {
      int Element;
      std::int32_t Style;
    } cases[] = {
        {TWordListPage::kWord, 0},                         // Courier New
        {TWordListPage::kDescription, 0},                  // Verdana
        {TWordListPage::kPartOfSpeech, kFontItalic},       // Verdana
        {TWordListPage::kWord, kFontBold | kFontItalic},
        {TWordListPage::kDescription, kFontBold},
    };
    for (const auto& c : cases) {
      FWindow.Viewer = TViewerSettings();
      FWindow.Viewer.Font.Style = FWindow.Viewer.DescrFont.Style = FWindow.Viewer.POSFont.Style =
          c.Style;
      Open();
      Page().SetElement(c.Element);
      dialogs.Size = 15;
      Button("FontChangeButton")->click();
      Button("ButtonOk")->click();
      const TFontSettings& font = c.Element == TWordListPage::kWord ? FAppliedViewer.Font
                                  : c.Element == TWordListPage::kDescription
                                      ? FAppliedViewer.DescrFont
                                      : FAppliedViewer.POSFont;
      QCOMPARE(font.Style, c.Style);
      QCOMPARE(font.Size, 15);
      QCOMPARE(font.Name, c.Element == TWordListPage::kWord ? std::string("Courier New")
                                                           : std::string("Verdana"));
    }
  }

  void TheFontLabelNamesTheStyle() {
    FWindow.Viewer.DescrFont.Style = kFontBold | kFontItalic;
    Open();
    Page().SetElement(TWordListPage::kDescription);
    QCOMPARE(Find<QLabel>("FontLabel")->text(), QString("Verdana, 8pt, полужирный курсив"));
    Page().SetElement(TWordListPage::kWord);
    QCOMPARE(Find<QLabel>("FontLabel")->text(), QString("Courier New, 12pt, обычный"));
  }

  void ATexturePictureIsLoadedOrTheBuiltInOneUsed() {
    for (const char* format : {"png", "jpg", "bmp"}) {
      const QString file = FDir.filePath(QStringLiteral("texture.%1").arg(format));
      QImage picture(5, 7, QImage::Format_RGB32);
      picture.fill(Qt::darkGreen);
      QVERIFY(picture.save(file));
      Open();
      Page().SetElement(TWordListPage::kBackground);
      Find<QRadioButton>("TextureRadio")->click();
      FDialogs.Files = {file};
      Find<QToolButton>("TextureButton")->click();
      QCOMPARE(Find<QLineEdit>("TextureEdit")->text(), file);
      QCOMPARE(Page().Preview().BackGround().size(), QSize(5, 7));
      Button("ButtonOk")->click();
      QCOMPARE(PathToQString(FAppliedViewer.TextureFileName), file);
      QVERIFY(FAppliedViewer.ShowTexture);
    }
    Open();
    Page().SetElement(TWordListPage::kBackground);
    Page().findChild<QAction*>("DefaultTextureAction")->trigger();
    QCOMPARE(Find<QLineEdit>("TextureEdit")->text(), QString("Стандартная"));
    QCOMPARE(Page().Preview().BackGround().size(), DefaultTexture().size());
    Button("ButtonOk")->click();
    QCOMPARE(FAppliedViewer.TextureFileName, std::string());
  }

  void CaptionsFollowTheLanguageAndTheCountWordSwitchesTheHistory() {
    Open();
    QCOMPARE(FForm->windowTitle(), QString("Настройки"));
    QCOMPARE(Find<QTabWidget>("PageControl")->tabText(0), QString("Поиск"));
    QCOMPARE(Find<QCheckBox>("SaveLastCheck")->text(), QString("по&мнить последние"));
    auto* word = Find<QLabel>("SaveLastLabel");
    QCOMPARE(word->text(), QString("запросов"));
    QTest::mouseClick(word, Qt::LeftButton);
    QVERIFY(!Find<QCheckBox>("SaveLastCheck")->isChecked());
    QVERIFY(!Find<QSpinBox>("SaveLastCountEdit")->isEnabled());
    SetUILanguage(TUILanguage::English);
    FForm->ApplyLanguage();
    QCOMPARE(FForm->windowTitle(), QString("Settings"));
    QCOMPARE(Find<QLabel>("SaveLastLabel")->text(), QString("last entries"));
    QCOMPARE(Find<QLineEdit>("TextureEdit")->text(), QString("Default"));
    QCOMPARE(Find<QComboBox>("ElementBox")->itemText(3), QString("Selection"));
  }
};

}  // namespace gryvel::gui

QTEST_MAIN(gryvel::gui::TOptionFormTest)
#include "option_form_test.moc"
