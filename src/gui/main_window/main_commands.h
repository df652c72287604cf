#pragma once

#include <QObject>
#include <vector>

class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;
class QToolBar;

// The main window's commands: one QAction per command, shared by the menu bar and the two
// toolbars, so that a toolbar button's down state and its menu item's check are one state.
// Captions, hints and shortcuts come from the language tables.

namespace gryvel::gui {

class TMainCommands : public QObject {
  Q_OBJECT

 public:
  // Builds the menu bar and both toolbars of `window`, which owns them.
  explicit TMainCommands(QMainWindow& window);

  // Sets every caption and hint in the current language and re-applies the label mode.
  void ApplyLanguage();
  // 0 no text, 1 text beside the icon, 2 text under it; any other value is ignored.
  void SetToolBarLabels(int mode);
  int ToolBarLabels() const { return FLabels; }
  // Large (28 x 27) or small (23 x 22) buttons.
  void SetLargeToolBarIcons(bool large);
  bool LargeToolBarIcons() const { return FLarge; }
  // Has the toolbar pictures drawn at their present size on a worker thread, ready for the
  // window's first paint.
  void PrepareToolBarIcons();
  // The commands whose windows have not come yet; the window keeps them disabled.
  std::vector<QAction*> Later() const;

  QAction* FileNewDictionary;
  QAction* FileOpen;
  QAction* FileSave;
  QAction* FileSaveAs;
  QAction* FileSaveResults;
  QAction* FileSaveResultsAs;
  QAction* FileProperties;
  QAction* FileExit;
  QAction* EditAddEntry;
  QAction* EditChangeEntry;
  QAction* EditCopy;
  QAction* EditDelete;
  QAction* SearchCrossword;
  QAction* SearchAnagrams;
  QAction* SearchWordAnalysis;
  QAction* SearchWordChain;
  QAction* SearchPalindromes;
  QAction* OptionsFilter;
  QAction* OptionsEqualLetters;
  QAction* OptionsStatistics;
  QAction* OptionsSettings;
  QAction* SortAscending;
  QAction* SortDescending;
  QAction* SortAlphabetical;
  QAction* SortByLength;
  QAction* ViewStatusBar;
  QAction* ViewDescriptions;
  QAction* ViewFilter;
  QAction* ViewResults;
  QAction* HelpContents;
  QAction* HelpHomePage;
  QAction* HelpAbout;

  QToolBar* SearchToolBar;
  QToolBar* SortToolBar;

 private:
  QAction* Make(const char* object_name, const char* text_key);
  QMenu* AddMenu(const char* object_name, const char* text_key);
  void BuildMenus();
  void BuildToolBars();
  void ApplyButtonSizes();

  QMainWindow& FWindow;
  struct TCaption {
    QObject* Target;  // a QAction or a QMenu
    const char* Key;
  };
  std::vector<TCaption> FCaptions;
  int FLabels = 1;
  bool FLarge = true;
};

}  // namespace gryvel::gui
