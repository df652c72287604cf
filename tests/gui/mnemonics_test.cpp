// Every window's keyboard mnemonics, in both languages: within a menu, and among the controls a
// window shows at once, no two captions share an Alt letter, and every menu command has one.
// The menu bar's letters open their menus.

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

#include "gui/app/application.h"
#include "gui/app/platform_hooks.h"
#include "gui/dictionary_properties_dialog.h"
#include "gui/entry_editor_dialog.h"
#include "gui/equal_form.h"
#include "gui/filter_form.h"
#include "gui/main_window/kiv_main_form.h"
#include "gui/options/option_form.h"
#include "gui/search_dialog/search_form.h"
#include "gui/statistics/stat_form.h"
#include "gui/text.h"
#include "results/language.h"
#include "shell/session.h"

using namespace gryvel;
using namespace gryvel::gui;

namespace {

// The letter after the single "&" of `caption`, upper case; empty when it has none.
QString Mnemonic(const QString& caption) {
  for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != u'&') continue;
    if (caption[i + 1] == u'&') {
      ++i;
      continue;
    }
    return caption.mid(i + 1, 1).toUpper();
  }
  return {};
}

// The captions that take an Alt letter among what `window` shows now: buttons, labels that
// pass the focus on, group boxes and tabs.
QStringList ShownCaptions(QWidget& window) {
  QStringList captions;
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(&window)) continue;
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) captions << button->text();
    if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy())
      captions << label->text();
    if (auto* group = qobject_cast<QGroupBox*>(widget)) captions << group->title();
    if (auto* tabs = qobject_cast<QTabBar*>(widget))
      for (int i = 0; i < tabs->count(); ++i)
        if (tabs->isTabVisible(i)) captions << tabs->tabText(i);
  }
  return captions;
}

// "where: a caption and another share Alt+X" for each letter used twice in `captions`.
QStringList Clashes(const QString& where, const QStringList& captions) {
  QStringList clashes;
  QHash<QString, QString> taken;
  for (const QString& caption : captions) {
    const QString letter = Mnemonic(caption);
    if (letter.isEmpty()) continue;
    if (taken.contains(letter))
      clashes << QStringLiteral("%1: «%2» and «%3» share Alt+%4")
                     .arg(where, taken[letter], caption, letter);
    taken.insert(letter, caption);
  }
  return clashes;
}

// Each menu under `actions` on its own, every item with a letter of its own.
void MenuClashes(const QString& where, const QList<QAction*>& actions, QStringList& clashes) {
  QStringList captions;
  for (const QAction* action : actions) {
    if (action->isSeparator() || !action->isVisible()) continue;
    captions << action->text();
    if (Mnemonic(action->text()).isEmpty())
      clashes << QStringLiteral("%1: «%2» has no Alt letter").arg(where, action->text());
    if (action->menu() != nullptr)
      MenuClashes(where + QStringLiteral(" > ") + action->text(), action->menu()->actions(),
                  clashes);
  }
  clashes << Clashes(where, captions);
}

}  // namespace

class TMnemonicsTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir FDir;
  std::unique_ptr<TSession> FSession;
  std::unique_ptr<TKivMainForm> FForm;

  // A window as it is shown, and the name it is reported under.
  struct TView {
    QString Name;
    std::function<QWidget*()> Show;
  };

  QList<TView> Views() {
    QList<TView> views;
    views << TView{"main window", [this] { return FForm.get(); }};
    const std::pair<TSearchPage, const char*> pages[] = {
        {TSearchPage::Crossword, "crossword"},
        {TSearchPage::Anagram, "anagrams"},
        {TSearchPage::Chain, "word chain"},
        {TSearchPage::Analysis, "word analysis"},
    };
    for (const auto& [page, name] : pages)
      views << TView{QStringLiteral("search dialog, %1 page").arg(name), [this, page = page] {
                       auto* dialog = FForm->findChild<TSearchForm*>();
                       if (dialog == nullptr) dialog = new TSearchForm(*FSession, FForm.get());
                       dialog->ApplyLanguage();
                       dialog->Open(page, {}, false, {});
                       return dialog;
                     }};
    views << TView{"filter", [this] {
                     QWidget* filter = Own(new TFilterForm(FSession->Source));
                     filter->findChild<QAbstractButton*>("rbOn")->click();  // shows the rest
                     return filter;
                   }};
    views << TView{"equal letters",
                   [this] { return Own(new TEqualForm(TEqualForm::kAdd, TEqualLetters{})); }};
    views << TView{"entry editor",
                   [this] { return Own(new TEntryEditorDialog(FSession->Collection)); }};
    views << TView{"properties", [this] { return Own(new TDictionaryPropertiesDialog); }};
    views << TView{"statistics",
                   [this] { return Own(new TStatForm(FSession->Source, FSession->Collection)); }};
    return views;
  }
  // The options dialog shows one page at a time.
  QList<QWidget*> OptionPages(QWidget& options) {
    QList<QWidget*> pages;
    if (auto* tabs = options.findChild<QTabWidget*>())
      for (int i = 0; i < tabs->count(); ++i) pages << tabs->widget(i);
    return pages;
  }

  std::vector<std::unique_ptr<QWidget>> FOwned;
  QWidget* Own(QWidget* window) {
    FOwned.emplace_back(window);
    window->show();
    return window;
  }

 private Q_SLOTS:
  void initTestCase() {
    InstallPlatformHooks();
    QVERIFY(FDir.isValid());
  }
  void cleanupTestCase() { RemovePlatformHooks(); }
  void init() {
    FSession = std::make_unique<TSession>(ProgramSettings(PathFromQString(FDir.path())));
    FForm = std::make_unique<TKivMainForm>(*FSession);
    FForm->show();
    QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
  }
  void cleanup() {
    FOwned.clear();
    FForm.reset();
    FSession.reset();
    SetUILanguage(TUILanguage::NotSet);
  }

  void EveryWindowHasUniqueMnemonics_data() {
    QTest::addColumn<int>("language");
    QTest::newRow("Russian") << int(TUILanguage::Russian);
    QTest::newRow("English") << int(TUILanguage::English);
  }
  void EveryWindowHasUniqueMnemonics() {
    QFETCH(int, language);
    SetUILanguage(static_cast<TUILanguage>(language));
    FForm->ApplyLanguage(language == int(TUILanguage::Russian) ? "RUS" : "ENG");
    QStringList clashes;
    // The menu bar's letters share the window with its controls.
    QStringList main = ShownCaptions(*FForm);
    for (const QAction* menu : FForm->menuBar()->actions()) main << menu->text();
    clashes << Clashes("main window", main);
    MenuClashes("menu", FForm->menuBar()->actions(), clashes);
    for (const TView& view : Views()) {
      if (view.Name == "main window") continue;
      QWidget* window = view.Show();
      clashes << Clashes(view.Name, ShownCaptions(*window));
      window->hide();
    }
    auto* options = Own(new TOptionForm(*FSession));
    auto* tabs = options->findChild<QTabWidget*>();
    QVERIFY(tabs != nullptr);
    for (int i = 0; i < tabs->count(); ++i) {
      tabs->setCurrentIndex(i);
      clashes << Clashes(QStringLiteral("options, page %1").arg(i + 1), ShownCaptions(*options));
    }
    QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(u'\n')));
  }

  // Alt and a menu's letter opens that menu, whatever has the focus at start.
  void AltAndALetterOpensItsMenu_data() { EveryWindowHasUniqueMnemonics_data(); }
  void AltAndALetterOpensItsMenu() {
    QFETCH(int, language);
    SetUILanguage(static_cast<TUILanguage>(language));
    FForm->ApplyLanguage(language == int(TUILanguage::Russian) ? "RUS" : "ENG");
    for (QAction* action : FForm->menuBar()->actions()) {
      const QString letter = Mnemonic(action->text());
      QVERIFY2(!letter.isEmpty(), qPrintable(action->text()));
      QWidget* focus = QApplication::focusWidget();
      QVERIFY(focus != nullptr);
      QTest::sendKeyEvent(QTest::Click, focus, static_cast<Qt::Key>(letter[0].unicode()),
                          letter.toLower(), Qt::AltModifier);
      QTRY_VERIFY2(action->menu()->isVisible(), qPrintable(action->text()));
      action->menu()->hide();
      QTRY_VERIFY(!action->menu()->isVisible());
    }
  }
};

QTEST_MAIN(TMnemonicsTest)
#include "mnemonics_test.moc"
