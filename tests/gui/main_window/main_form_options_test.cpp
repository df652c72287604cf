// The main window's options: the filter dialog, the options dialog and the equal-letters
// dialog as the menus, toolbars and the history tree open them.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "dictionary/kiv_dictionary.h"
#include "gui/app/application.h"
#include "gui/app/platform_hooks.h"
#include "gui/dialogs.h"
#include "gui/filter_form.h"
#include "gui/main_window/kiv_main_form.h"
#include "gui/main_window/main_commands.h"
#include "gui/main_window/search_tree.h"
#include "gui/options/option_form.h"
#include "gui/options/word_list_page.h"
#include "gui/text.h"
#include "gui/widgets/kiv_viewer.h"
#include "results/language.h"
#include "scripted_dialogs.h"
#include "search/letter_maps.h"
#include "shell/session.h"
#include "support/text.h"
#include "window_test.h"

namespace gryvel::gui {

namespace {

using testing::Cp;

// The designed object names of the widgets these tests reach.
constexpr char kMinLengthEdit[] = "Edit2";
constexpr char kMaxLengthEdit[] = "Edit3";

const QStringList kWords = {"кот", "котёл", "шалаш", "казак", "ротор", "слово",
                            "победитель", "дом", "лампа", "стол"};

}  // namespace

class TMainFormOptionsTest : public TWindowTest {
  Q_OBJECT

 public:
  TMainFormOptionsTest() { FDialogs.DefaultAnswer = TMessageAnswer::No; }

 private:
  TMainCommands& Commands() const { return *FForm->findChild<TMainCommands*>(); }
  TKivViewer& Viewer() const { return *FForm->findChild<TKivViewer*>("KivViewer1"); }
  void Open() {
    FSession = std::make_unique<TSession>(ProgramSettings(PathFromQString(FDir.path())));
    FForm = std::make_unique<TKivMainForm>(*FSession);
    FForm->resize(500, 420);
    FForm->show();
    QTRY_VERIFY(FSession->Collection.Count() > 0 && FSession->Collection.LoadingCount() == 0);
  }
  template <typename T>
  T* Find(QObject* parent, const char* name) const {
    T* widget = parent->findChild<T*>(name);
    if (widget == nullptr) qFatal("no %s", name);
    return widget;
  }
  TOptionForm* OpenOptions() {
    Commands().OptionsSettings->trigger();
    auto* form = FForm->findChild<TOptionForm*>();
    if (form != nullptr && !QTest::qWaitForWindowExposed(form)) return nullptr;
    return form;
  }

 private Q_SLOTS:
  void init() {
    QVERIFY(FDir.isValid());
    QDir(FDir.path()).mkpath("Dictionaries");
    QFile::remove(FDir.filePath("gryvel.ini"));
    WriteDictionary(Path("Dictionaries/dictionary.kiv"), kWords);
    FDialogs.Font.reset();
    FDialogs.Equal.reset();
    FDialogs.EqualAsked.clear();
    Open();
  }
  void cleanup() {
    TWindowTest::cleanup();
    ResetLetterMaps();
  }

  void AFilterOfFiveLetterWordsShrinksTheList() {
    QVERIFY(Commands().OptionsFilter->isEnabled());
    Commands().OptionsFilter->trigger();
    auto* filter = FForm->findChild<TFilterForm*>();
    QVERIFY(filter != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(filter));
    Find<QRadioButton>(filter, "rbOn")->click();
    Find<QCheckBox>(filter, "cbLength")->click();
    Find<QSpinBox>(filter, kMaxLengthEdit)->setValue(5);
    Find<QSpinBox>(filter, kMinLengthEdit)->setValue(5);
    Find<QPushButton>(filter, "ButtonOk")->click();
    QCOMPARE(FSession->Source.Count(), 6);  // котёл шалаш казак ротор слово лампа
    QVERIFY(Commands().ViewFilter->isChecked());
    QVERIFY(FForm->findChild<QToolButton*>("tbFilter")->isChecked());
    QTRY_VERIFY(FForm->findChild<TFilterForm*>() == nullptr);  // freed once closed

    Commands().ViewFilter->trigger();  // the button switches the stored record off
    QCOMPARE(FSession->Source.Count(), kWords.size());
    QVERIFY(!FSession->Source.FilterSettings().Enable);
    QVERIFY(FSession->Source.FilterSettings().LengthEnable);
  }

  void TheWordFontAndTheLanguageChangeTheWholeWindow() {
    QCOMPARE(Commands().SearchPalindromes->text(), QString("&Палиндромы"));
    TOptionForm* options = OpenOptions();
    QVERIFY(options != nullptr);
    auto* page = options->findChild<TWordListPage*>();
    page->SetElement(TWordListPage::kWord);
    QFont serif(QStringLiteral("DejaVu Serif"));
    serif.setPointSize(18);
    FDialogs.Font = serif;
    Find<QPushButton>(options, "FontChangeButton")->click();
    Find<QComboBox>(options, "LanguageBox")->setCurrentIndex(1);
    Find<QPushButton>(options, "ButtonOk")->click();

    QCOMPARE(Viewer().WordFont().family(), QString("DejaVu Serif"));
    QCOMPARE(Viewer().WordFont().pointSize(), 18);
    QCOMPARE(Commands().SearchPalindromes->text(), QString("&Palindromes"));
    QCOMPARE(FForm->findChild<TSearchTree*>()->topLevelItem(0)->text(0), QString("Crossword"));
    QCOMPARE(options->windowTitle(), QString("Settings"));
    // The same dialog comes back, showing what is now in force.
    QCOMPARE(OpenOptions(), options);
    QCOMPARE(Find<QComboBox>(options, "LanguageBox")->currentIndex(), 1);
    Find<QPushButton>(options, "ButtonCancel")->click();

    FForm->close();
    QFile ini(FDir.filePath("gryvel.ini"));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    QVERIFY(text.contains("Language=ENG"));
    QVERIFY(text.contains("FontName=DejaVu Serif"));
  }

  void TheScrollBarAndTheToolbarsFollowTheOptions() {
    TOptionForm* options = OpenOptions();
    QVERIFY(options != nullptr);
    Find<QCheckBox>(options, "StandardScrollCheck")->click();
    Find<QComboBox>(options, "TextOptionsBox")->setCurrentIndex(0);
    Find<QComboBox>(options, "IconOptionsBox")->setCurrentIndex(0);
    Find<QPushButton>(options, "ButtonOk")->click();
    QVERIFY(Find<QScrollBar>(FForm.get(), "ScrollStd")->isVisible());
    QVERIFY(!Find<QScrollBar>(FForm.get(), "Scroll")->isVisible());
    QCOMPARE(Commands().SearchToolBar->toolButtonStyle(), Qt::ToolButtonIconOnly);
    QVERIFY(!Commands().LargeToolBarIcons());
  }

  void EqualLettersComeFromTheMenuAndChangeFromTheTree() {
    FDialogs.Equal = TEqualLetters{Cp("ёЁ"), Cp("е")[0], true};
    QVERIFY(Commands().OptionsEqualLetters->isEnabled());
    Commands().OptionsEqualLetters->trigger();
    QCOMPARE(FDialogs.EqualAsked.back().first, true);
    QCOMPARE(FSession->Manager.EqualLettersCount(), 1);
    auto* tree = FForm->findChild<TSearchTree*>();
    QTreeWidgetItem* node = tree->topLevelItem(2)->child(0);
    QCOMPARE(node->text(0), QString("ёЁ=е"));

    // "Change" on the node opens the dialog with its group.
    tree->setCurrentItem(node);
    FDialogs.Equal = TEqualLetters{Cp("ё"), Cp("е")[0], true};
    Find<QAction>(tree, "searchTreeChangeAction")->trigger();
    QCOMPARE(FDialogs.EqualAsked.back(), std::make_pair(false, TEqualLetters{Cp("ёЁ"), Cp("е")[0], true}));
    QCOMPARE(tree->topLevelItem(2)->child(0)->text(0), QString("ё=е"));
    QCOMPARE(FSession->Manager.GetEqualLetters(0).Letters, Cp("ё"));

    // "New..." on the branch adds through the same dialog; a cancelled one adds nothing.
    tree->setCurrentItem(tree->topLevelItem(2));
    FDialogs.Equal.reset();
    Find<QAction>(tree, "searchTreeNewAction")->trigger();
    QCOMPARE(FDialogs.EqualAsked.size(), std::size_t{3});
    QCOMPARE(FSession->Manager.EqualLettersCount(), 1);
  }
};

}  // namespace gryvel::gui

QTEST_MAIN(gryvel::gui::TMainFormOptionsTest)
#include "main_form_options_test.moc"
