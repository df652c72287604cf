#pragma once

#include <QMainWindow>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "dictionary/dictionary_collection.h"
#include "results/result_source.h"
#include "search/character_manager.h"
#include "search/string_searcher.h"
#include "shell/layout_settings.h"
#include "shell/main_settings.h"
#include "shell/search_history.h"
#include "shell/settings_file.h"

class QLabel;
class QScrollBar;
class QSplitter;
class QTabWidget;
class QToolButton;

namespace gryvel {
struct TSearchRequest;
}

namespace gryvel::gui {

class TDictionaryTree;
class TEnterEdit;
class TKivViewer;
class TMainCommands;
class TSearchTree;
class TSkinScroll;

// The main window: the word list with its scroll bars and the quick-search edit on the left,
// the search history and the dictionaries on the right, the menus, two toolbars and the status
// bar. It owns the engine objects the window shows (collection, searcher, result source,
// history) and maps them to widgets; the rules live in the engine.
class TKivMainForm : public QMainWindow {
  Q_OBJECT

 public:
  // Reads every settings group of the settings file of the program in `program_dir` (making
  // the first-run file when there is none) and starts loading the connected dictionaries.
  explicit TKivMainForm(const std::string& program_dir, QWidget* parent = nullptr);
  // Stops the loading (the collection waits for its loader) and frees everything.
  ~TKivMainForm() override;

  // The start-up time, shown in status panel 3 while the whole dictionary is shown.
  void SetInitTime(double seconds);
  // Shows the window as the settings left it: centred on a first run, maximised if it was.
  void ShowAsSaved();

  // Run over the connected dictionaries and show the result, selecting its first word.
  void RunCrosswordSearch(std::string_view pattern);
  void RunAnagramSearch(std::string_view letters);
  void RunPalindromeSearch();

  void ShowRightPanel();
  void HideRightPanel();
  // Makes `code` ("RUS", "ENG", ...) the interface language and re-captions everything.
  void ApplyLanguage(const std::string& code);

  TDictionaryCollection& Collection() { return FDC; }
  TResultSource& ResultSource() { return ResultSource1; }
  TSearchHistory& History() { return FHistory; }
  TCharacterManager& CharacterManager() { return CharacterManager1; }
  TStringSearcher& StringSearcher() { return StringSearcher1; }
  TKivViewer& Viewer() { return *KivViewer1; }
  TMainCommands& Commands() { return *FCommands; }
  bool DoFastSearch() const { return FSearchOptions.DoFastSearch; }
  void SetDoFastSearch(bool on) { FSearchOptions.DoFastSearch = on; }
  std::int32_t CurrentIndex() const { return FCurrentIndex; }
  bool Closing() const { return FClosing; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildLeftPanel();
  void BuildRightPanel();
  void BuildStatusBar();
  void ConnectEngine();
  void ConnectCommands();
  void ReadSettings();
  void ApplyMainSettings(const TMainSettings& settings);
  void ApplyToolbarPositions(const TToolbarPositions& positions);
  TToolbarPositions ToolbarPositions() const;
  TWindowPosition WindowPosition() const;
  TMainSettings MainSettings();
  // Whether closing may go on: asks about each modified dictionary.
  bool CloseQuery();
  void WriteSettings();

  void FastSearchChanged();
  void FastSearchEnterDown(bool alt);
  void RunRequest(const TSearchRequest& request);
  void RunHistoryAction(const THistoryAction& action);
  void Progress(TKivDictionary* sender, std::uint8_t stage, std::uint8_t percent);
  void UpdateCountPanels();
  void ListScrolled(std::int32_t position, std::int32_t max);
  void ScrollBarMoved(int position);
  void SetResultsShown(bool on);
  void SortChanged();
  void FilterToggled(bool on);
  void CopySelectedWord();
  void CopyWordToFastSearch();
  void SetZoomed(bool zoomed);
  void UpdateCommandStates();

  std::string FProgramDir;
  std::unique_ptr<TSettingsFile> FSettings;

  // Engine objects, in the order they must be built (the viewer is destroyed first).
  TCharacterManager CharacterManager1;
  TStringSearcher StringSearcher1;
  TDictionaryCollection FDC;
  TResultSource ResultSource1;
  TSearchHistory FHistory;

  TMainCommands* FCommands = nullptr;
  QSplitter* Splitter1 = nullptr;
  QWidget* LeftPanel = nullptr;
  QWidget* RightPanel = nullptr;
  TKivViewer* KivViewer1 = nullptr;
  TSkinScroll* Scroll = nullptr;
  QScrollBar* ScrollStd = nullptr;
  TEnterEdit* FastSearch = nullptr;
  QLabel* Image1 = nullptr;
  QToolButton* tbAdvanced = nullptr;
  QTabWidget* PageControl = nullptr;
  QToolButton* CloseRightPanel = nullptr;
  TSearchTree* SearchTree = nullptr;
  TDictionaryTree* DictionaryTree = nullptr;
  QLabel* FPanels[5] = {};

  TSearchOptions FSearchOptions;
  TMainSettings FMain;
  TWindowPosition FSavedPosition;
  std::string FLastPattern;
  std::string FLastAnagram;
  double FInitTime = 0;
  std::int32_t FCurrentIndex = -1;
  std::int32_t FFullListTop = 0;
  std::int32_t FFullListSelection = -1;
  std::int32_t FResultsTop = 0;
  std::int32_t FResultsSelection = -1;
  bool FRestoringPosition = false;
  bool FResultsShown = false;  // the result list is shown (the last switch was to results)
  bool FInitializing = true;
  bool FClosing = false;
  bool FZoomed = false;
  bool FSettingsWritten = false;
};

}  // namespace gryvel::gui
