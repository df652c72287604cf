#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include "gui/main_window/main_commands.h"
#include "results/language.h"

using namespace gryvel;
using namespace gryvel::gui;

namespace {

// The menu bar as lines: each menu's caption, then its items indented by two spaces per level,
// each followed by " [shortcuts]" when it has any. Separators are left out.
void Walk(const QList<QAction*>& actions, int depth, QStringList& lines) {
  for (const QAction* action : actions) {
    if (action->isSeparator()) continue;
    QString line = QString(depth * 2, u' ') + action->text();
    QStringList keys;
    for (const QKeySequence& shortcut : action->shortcuts())
      keys << shortcut.toString(QKeySequence::PortableText);
    if (!keys.isEmpty()) line += QStringLiteral(" [%1]").arg(keys.join(QStringLiteral(", ")));
    lines << line;
    if (action->menu() != nullptr) Walk(action->menu()->actions(), depth + 1, lines);
  }
}

QStringList MenuLines(QMainWindow& window) {
  QStringList lines;
  Walk(window.menuBar()->actions(), 0, lines);
  return lines;
}

// The main menu as designed, in Russian, with its shortcuts.
const QStringList kRussianMenu = {
    "&Файл",
    "  &Новый словарь...",
    "  &Открыть...",
    "  &Сохранить [Ctrl+S]",
    "  Сохранить к&ак...",
    "  Сохранить &результаты",
    "  Сохранить результаты &как...",
    "  Свойс&тва...",
    "  &Выход",
    "П&равка",
    "  &Добавить статью...",
    "  &Изменить статью...",
    "  &Копировать [Ctrl+C]",
    "  &Удалить [Ctrl+Del]",
    "&Поиск",
    "  &Кроссворд... [Ctrl+K]",
    "  &Анаграммы...\tCtrl+A, Ctrl+Shift+A [Ctrl+A, Ctrl+Shift+A]",
    "  &Разложить на слова... [Ctrl+R]",
    "  &Цепочка слов... [Ctrl+W]",
    "  &Палиндромы",
    "&Опции",
    "  &Фильтр...",
    "  Добавить &эквивалент...",
    "  Ст&атистика...",
    "  &Настройки...",
    "&Вид",
    "  &Сортировка",
    "    По &возрастанию",
    "    По &убыванию",
    "    По &алфавиту",
    "    По &длине",
    "  &Панели инструментов",
    "    &Поиск",
    "    &Сортировка",
    "  С&трока состояния",
    "  &Описание слов [Ctrl+O]",
    "  &Фильтр",
    "  &Результаты [Ctrl+F]",
    "&?",
    "  &Вызов справки [F1]",
    "  &Домашняя страничка",
    "  &О программе...",
};

// The same menu in the English texts of the language tables.
const QStringList kEnglishMenu = {
    "&File",
    "  &New dictionary...",
    "  &Open...",
    "  &Save [Ctrl+S]",
    "  Save &as...",
    "  Save &results",
    "  Save res&ults as...",
    "  &Properties...",
    "  E&xit",
    "&Edit",
    "  &Add entry...",
    "  Chan&ge entry...",
    "  &Copy [Ctrl+C]",
    "  &Delete [Ctrl+Del]",
    "&Search",
    "  &Crossword... [Ctrl+K]",
    "  &Anagrams...\tCtrl+A, Ctrl+Shift+A [Ctrl+A, Ctrl+Shift+A]",
    "  &Word Analysis... [Ctrl+R]",
    "  C&hain of Words... [Ctrl+W]",
    "  &Palindromes",
    "&Options",
    "  &Filter...",
    "  Add &equal letters...",
    "  St&atistics...",
    "  &Settings...",
    "&View",
    "  &Sort",
    "    &Ascending",
    "    &Descending",
    "    Alpha&betically",
    "    By &Length",
    "  &Toolbars",
    "    &Search",
    "    S&ort",
    "  Status &Bar",
    "  Show &entries [Ctrl+O]",
    "  &Filter",
    "  &Results [Ctrl+F]",
    "&Help",
    "  &Contents [F1]",
    "  &Gryvel on-line",
    "  &About Gryvel...",
};

}  // namespace

class TMainCommandsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() { SetUILanguage(TUILanguage::NotSet); }

  void TheMenuBarShowsTheDesignedCaptionsAndShortcuts_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("Russian") << int(TUILanguage::Russian) << kRussianMenu;
    QTest::newRow("English") << int(TUILanguage::English) << kEnglishMenu;
  }
  // Both languages in one window, so a caption that is not re-applied shows too.
  void TheMenuBarShowsTheDesignedCaptionsAndShortcuts() {
    QFETCH(int, language);
    QFETCH(QStringList, expected);
    QMainWindow window;
    auto* commands = new TMainCommands(window);  // owned by the window
    for (TUILanguage first : {TUILanguage::English, TUILanguage::Russian}) {
      SetUILanguage(first);
      commands->ApplyLanguage();
    }
    SetUILanguage(static_cast<TUILanguage>(language));
    commands->ApplyLanguage();
    const QStringList shown = MenuLines(window);
    for (qsizetype i = 0; i < std::min(shown.size(), expected.size()); ++i)
      QCOMPARE(shown[i], expected[i]);
    QCOMPARE(shown.size(), expected.size());
  }
};

QTEST_MAIN(TMainCommandsTest)
#include "main_commands_test.moc"
