#include "gui/main_window/main_commands.h"

#include <QAction>
#include <QActionGroup>
#include <QFontMetrics>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "gui/icons.h"
#include "gui/text.h"
#include "results/language.h"

namespace gryvel::gui {

namespace {

QString MainText(const char* key) { return ToQString(WindowText(TWindowTexts::MainWindow, key)); }

// A menu shows only an action's first shortcut unless its text names them after a tab.
QString MenuText(const QAction& action, const QString& caption) {
  const QList<QKeySequence> shortcuts = action.shortcuts();
  if (shortcuts.size() < 2) return caption;
  QStringList keys;
  for (const QKeySequence& shortcut : shortcuts)
    keys << shortcut.toString(QKeySequence::NativeText);
  return caption + u'\t' + keys.join(QStringLiteral(", "));
}

// A toolbar button: the action it runs, its object name, its caption key in the toolbar table
// and its hint key in the main window's table.
struct TButton {
  QAction* TMainCommands::*Action;
  const char* ObjectName;
  const char* CaptionKey;
  const char* HintKey;
};

constexpr TButton kSearchButtons[] = {
    {&TMainCommands::SearchCrossword, "tbCrossword", "CrosswordButton", "CrosswordHint"},
    {&TMainCommands::SearchAnagrams, "tbAnagram", "AnagramsButton", "AnagramsHint"},
    {&TMainCommands::SearchWordAnalysis, "tbWordAnalysis", "WordAnalysisButton",
     "WordAnalysisHint"},
    {&TMainCommands::SearchWordChain, "tbChain", "WordChainButton", "WordChainHint"},
};

// nullptr Action: a separator.
constexpr TButton kSortButtons[] = {
    {&TMainCommands::ViewResults, "tbResults", "ResultsButton", "ResultsHint"},
    {&TMainCommands::ViewFilter, "tbFilter", "FilterButton", "FilterHint"},
    {nullptr, nullptr, nullptr, nullptr},
    {&TMainCommands::SortAscending, "tbSortIncr", "AscendingButton", "SortAscendingHint"},
    {&TMainCommands::SortDescending, "tbSortDecr", "DescendingButton", "SortDescendingHint"},
    {nullptr, nullptr, nullptr, nullptr},
    {&TMainCommands::SortAlphabetical, "tbSortAlpha", "AlphabeticallyButton",
     "SortAlphabeticallyHint"},
    {&TMainCommands::SortByLength, "tbSortByLength", "ByLengthButton", "SortByLengthHint"},
};

// The toolbar commands' pictures.
struct TButtonIcon {
  QAction* TMainCommands::*Action;
  TIcon Icon;
};

constexpr TButtonIcon kButtonIcons[] = {
    {&TMainCommands::SearchCrossword, TIcon::Crossword},
    {&TMainCommands::SearchAnagrams, TIcon::Anagram},
    {&TMainCommands::SearchWordAnalysis, TIcon::WordAnalysis},
    {&TMainCommands::SearchWordChain, TIcon::WordChain},
    {&TMainCommands::ViewResults, TIcon::Results},
    {&TMainCommands::ViewFilter, TIcon::Filter},
    {&TMainCommands::SortAscending, TIcon::SortAscending},
    {&TMainCommands::SortDescending, TIcon::SortDescending},
    {&TMainCommands::SortAlphabetical, TIcon::SortAlphabetical},
    {&TMainCommands::SortByLength, TIcon::SortByLength},
};

template <std::size_t N>
void CaptionButtons(TMainCommands& commands, const TButton (&buttons)[N]) {
  for (const TButton& button : buttons) {
    if (button.Action == nullptr) continue;
    QAction* action = commands.*button.Action;
    action->setIconText(ToQString(WindowText(TWindowTexts::MainToolbar, button.CaptionKey)));
    action->setToolTip(MainText(button.HintKey));
  }
}

}  // namespace

TMainCommands::TMainCommands(QMainWindow& window) : QObject(&window), FWindow(window) {
  FileNewDictionary = Make("FileNewDictionaryItem", "FileNewDictionaryItem");
  FileOpen = Make("FileOpenItem", "FileOpenItem");
  FileSave = Make("FileSaveItem", "FileSaveItem");
  FileSaveAs = Make("FileSaveAsItem", "FileSaveAsItem");
  FileSaveResults = Make("FileSaveResultsItem", "FileSaveResultsItem");
  FileSaveResultsAs = Make("FileSaveResultsAsItem", "FileSaveResultsAsItem");
  FileProperties = Make("FilePropertiesItem", "FilePropertiesItem");
  FileExit = Make("FileExitItem", "FileExitItem");
  EditAddEntry = Make("EditAddEntryItem", "EditAddEntryItem");
  EditChangeEntry = Make("EditChangeEntryItem", "EditChangeEntryItem");
  EditCopy = Make("EditCopyItem", "EditCopyItem");
  EditDelete = Make("EditDeleteItem", "EditDeleteItem");
  SearchCrossword = Make("SearchCrosswordItem", "SearchCrosswordItem");
  SearchAnagrams = Make("SearchAnagramsItem", "SearchAnagramsItem");
  SearchWordAnalysis = Make("SearchWordAnalysisItem", "SearchWordAnalysisItem");
  SearchWordChain = Make("SearchWordChainItem", "SearchWordChainItem");
  SearchPalindromes = Make("SearchPalindromesItem", "SearchPalindromesItem");
  OptionsFilter = Make("OptionsFilterItem", "OptionsFilterItem");
  OptionsEqualLetters = Make("OptionsEqualLettersItem", "OptionsEqualLettersItem");
  OptionsStatistics = Make("OptionsStatisticsItem", "OptionsStatisticsItem");
  OptionsSettings = Make("OptionsSettingsItem", "OptionsSettingsItem");
  SortAscending = Make("ViewAscendingItem", "ViewAscendingItem");
  SortDescending = Make("ViewDescendingItem", "ViewDescendingItem");
  SortAlphabetical = Make("ViewAlphabeticallyItem", "ViewAlphabeticallyItem");
  SortByLength = Make("ViewByLengthItem", "ViewByLengthItem");
  ViewStatusBar = Make("ViewStatusBarItem", "ViewStatusBarItem");
  ViewDescriptions = Make("ViewShowEntriesItem", "ViewShowEntriesItem");
  ViewFilter = Make("ViewFilterItem", "ViewFilterItem");
  ViewResults = Make("ViewResultsItem", "ViewResultsItem");
  HelpContents = Make("HelpContentsItem", "HelpContentsItem");
  HelpHomePage = Make("HelpOnlineItem", "HelpOnlineItem");
  HelpAbout = Make("HelpAboutItem", "HelpAboutItem");

  FileSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  EditCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  EditDelete->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
  SearchCrossword->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
  // Edits keep Ctrl+A as select-all, and the quick search has the focus most of the time: the
  // second shortcut reaches the anagram page from there.
  SearchAnagrams->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_A), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A)});
  SearchWordAnalysis->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  SearchWordChain->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
  ViewDescriptions->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  ViewResults->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  HelpContents->setShortcut(QKeySequence(Qt::Key_F1));
  // Copy and Delete must not steal the keys from the quick-search edit's own editing.
  EditCopy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  EditDelete->setShortcutContext(Qt::WidgetWithChildrenShortcut);

  for (QAction* toggle :
       {ViewStatusBar, ViewDescriptions, ViewFilter, ViewResults, OptionsStatistics})
    toggle->setCheckable(true);
  auto* direction = new QActionGroup(this);
  auto* order = new QActionGroup(this);
  for (QAction* action : {SortAscending, SortDescending}) {
    action->setCheckable(true);
    direction->addAction(action);
  }
  for (QAction* action : {SortAlphabetical, SortByLength}) {
    action->setCheckable(true);
    order->addAction(action);
  }
  SortAscending->setChecked(true);
  SortAlphabetical->setChecked(true);

  for (const TButtonIcon& button : kButtonIcons) (this->*button.Action)->setIcon(Icon(button.Icon));

  BuildToolBars();
  BuildMenus();
}

QAction* TMainCommands::Make(const char* object_name, const char* text_key) {
  auto* action = new QAction(&FWindow);
  action->setObjectName(object_name);
  FWindow.addAction(action);  // shortcuts work while the menu bar is hidden too
  FCaptions.push_back({action, text_key});
  return action;
}

QMenu* TMainCommands::AddMenu(const char* object_name, const char* text_key) {
  auto* menu = new QMenu(&FWindow);
  menu->setObjectName(object_name);
  FCaptions.push_back({menu, text_key});
  return menu;
}

void TMainCommands::BuildMenus() {
  QMenuBar* bar = FWindow.menuBar();
  QMenu* file = AddMenu("FileMenu", "FileMenu");
  file->addActions({FileNewDictionary, FileOpen, FileSave, FileSaveAs});
  file->addSeparator();
  file->addActions({FileSaveResults, FileSaveResultsAs});
  file->addSeparator();
  file->addAction(FileProperties);
  file->addSeparator();
  file->addAction(FileExit);
  QMenu* edit = AddMenu("EditMenu", "EditMenu");
  edit->addActions({EditAddEntry, EditChangeEntry});
  edit->addSeparator();
  edit->addActions({EditCopy, EditDelete});
  QMenu* search = AddMenu("SearchMenu", "SearchMenu");
  search->addActions({SearchCrossword, SearchAnagrams, SearchWordAnalysis, SearchWordChain});
  search->addSeparator();
  search->addAction(SearchPalindromes);
  QMenu* options = AddMenu("OptionsMenu", "OptionsMenu");
  options->addActions({OptionsFilter, OptionsEqualLetters, OptionsStatistics});
  options->addSeparator();
  options->addAction(OptionsSettings);
  QMenu* view = AddMenu("ViewMenu", "ViewMenu");
  QMenu* sort = AddMenu("ViewSortMenu", "ViewSortMenu");
  sort->addActions({SortAscending, SortDescending});
  sort->addSeparator();
  sort->addActions({SortAlphabetical, SortByLength});
  QMenu* toolbars = AddMenu("ViewToolbarsMenu", "ViewToolbarsMenu");
  QAction* search_toggle = SearchToolBar->toggleViewAction();
  QAction* sort_toggle = SortToolBar->toggleViewAction();
  search_toggle->setObjectName("ViewToolbarsSearchItem");
  sort_toggle->setObjectName("ViewToolbarsSortItem");
  FCaptions.push_back({search_toggle, "ViewToolbarsSearchItem"});
  FCaptions.push_back({sort_toggle, "ViewToolbarsSortItem"});
  toolbars->addActions({search_toggle, sort_toggle});
  view->addMenu(sort);
  view->addMenu(toolbars);
  view->addAction(ViewStatusBar);
  view->addSeparator();
  view->addActions({ViewDescriptions, ViewFilter, ViewResults});
  QMenu* help = AddMenu("HelpMenu", "HelpMenu");
  help->addActions({HelpContents, HelpHomePage});
  help->addSeparator();
  help->addAction(HelpAbout);
  for (QMenu* menu : {file, edit, search, options, view, help}) bar->addMenu(menu);
}

void TMainCommands::BuildToolBars() {
  SearchToolBar = new QToolBar(&FWindow);
  SearchToolBar->setObjectName("SearchToolBar");
  SortToolBar = new QToolBar(&FWindow);
  SortToolBar->setObjectName("SortToolBar");
  for (QToolBar* bar : {SearchToolBar, SortToolBar}) {
    bar->setMovable(true);
    bar->setFloatable(true);
    bar->setAllowedAreas(Qt::TopToolBarArea);
    FWindow.addToolBar(Qt::TopToolBarArea, bar);
  }
  // Captioned buttons do not fit one row of a window of the designed width.
  FWindow.insertToolBarBreak(SortToolBar);
  for (const TButton& button : kSearchButtons) {
    SearchToolBar->addAction(this->*button.Action);
    SearchToolBar->widgetForAction(this->*button.Action)->setObjectName(button.ObjectName);
  }
  for (const TButton& button : kSortButtons) {
    if (button.Action == nullptr) {
      SortToolBar->addSeparator();
      continue;
    }
    SortToolBar->addAction(this->*button.Action);
    SortToolBar->widgetForAction(this->*button.Action)->setObjectName(button.ObjectName);
  }
}

void TMainCommands::ApplyLanguage() {
  // A toolbar gives its new title to its toggle action, whose menu caption is set after.
  SearchToolBar->setWindowTitle(MainText("SearchHint"));
  SortToolBar->setWindowTitle(MainText("SortHint"));
  for (const TCaption& caption : FCaptions) {
    const QString text = MainText(caption.Key);
    if (auto* action = qobject_cast<QAction*>(caption.Target))
      action->setText(MenuText(*action, text));
    if (auto* menu = qobject_cast<QMenu*>(caption.Target)) menu->setTitle(text);
  }
  CaptionButtons(*this, kSearchButtons);
  CaptionButtons(*this, kSortButtons);
  SetToolBarLabels(FLabels);
}

void TMainCommands::SetToolBarLabels(int mode) {
  if (mode < 0 || mode > 2) return;
  FLabels = mode;
  constexpr Qt::ToolButtonStyle kStyles[] = {Qt::ToolButtonIconOnly, Qt::ToolButtonTextBesideIcon,
                                             Qt::ToolButtonTextUnderIcon};
  for (QToolBar* bar : {SearchToolBar, SortToolBar}) bar->setToolButtonStyle(kStyles[mode]);
  ApplyButtonSizes();
}

void TMainCommands::SetLargeToolBarIcons(bool large) {
  FLarge = large;
  ApplyButtonSizes();
}

// With captions under the icons the buttons of a toolbar share one width, so the row reads as
// one block; captions beside the icons keep their own widths, which fit a narrow window better.
void TMainCommands::ApplyButtonSizes() {
  const int icon = FLarge ? 20 : 16;
  for (QToolBar* bar : {SearchToolBar, SortToolBar}) {
    bar->setIconSize(QSize(icon, icon));
    QList<QToolButton*> buttons;
    for (QAction* action : bar->actions())
      if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action)))
        buttons << button;
    int widest = 0;
    for (QToolButton* button : buttons) {
      button->setMinimumWidth(0);
      if (FLabels == 2) widest = std::max(widest, button->sizeHint().width());
    }
    for (QToolButton* button : buttons) button->setMinimumWidth(widest);
  }
}

void TMainCommands::PrepareToolBarIcons() {
  std::vector<TIcon> icons;
  for (const TButtonIcon& button : kButtonIcons) icons.push_back(button.Icon);
  PrepareIcons(icons, SearchToolBar->iconSize() * FWindow.devicePixelRatio());
}

std::vector<QAction*> TMainCommands::Later() const {
  return {};
}

}  // namespace gryvel::gui
