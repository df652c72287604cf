#pragma once

#include <QMainWindow>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "common/event.h"
#include "shell/layout_settings.h"
#include "shell/main_settings.h"
#include "shell/session.h"
#include "shell/viewer_settings.h"

class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QMenu;
class QTreeWidgetItem;
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
class TListPlaces;
class TMainCommands;
class TOptionForm;
class TSearchForm;
class TSearchTree;
enum class TSearchPage : std::uint8_t;
class TSkinScroll;
class TStatForm;

// The main window: the word list with its scroll bars and the quick-search edit on the left,
// the search history and the dictionaries on the right, the menus, two toolbars and the status
// bar. It shows the engine session it is given and maps it to widgets; the rules live in the
// engine.
class TKivMainForm : public QMainWindow {
  Q_OBJECT

 public:
  // Reads every settings group of the session's settings file (making the first-run file when
  // there is none) and starts loading the connected dictionaries. `session` (borrowed) must
  // outlive the window and have a settings file.
  explicit TKivMainForm(TSession& session, QWidget* parent = nullptr);
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

  bool Closing() const { return FClosing; }

  // Opens dictionary files as "Open..." does: a file open already has its node selected; a
  // missing file, a folder and a .kiv file that is no dictionary are refused with a message; a
  // word list that looks like something else is kept only when the user says so.
  void OpenDictionaryFiles(const QStringList& files);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // The window's files, one part each:
  //   kiv_main_form.cpp          building the window, the engine's events, the commands'
  //                              wiring, the list and panels, closing
  //   main_form_search.cpp       the quick search, the searches, the history, sort and filter
  //   main_form_search_dialog.cpp  the search dialog's commands and its requests
  //   main_form_options.cpp      the filter, options, equal-letters and statistics windows
  //   main_form_dictionaries.cpp the dictionary tree, the File menu and the results files
  //   main_form_entries.cpp      the entry editor and deleting an entry
  //   main_form_settings.cpp     the settings file read and written, the first run's size

  // kiv_main_form.cpp
  void PrepareSmallIcons();
  void BuildLeftPanel();
  void BuildRightPanel();
  void BuildStatusBar();
  void ConnectEngine();
  void ConnectCommands();
  void Progress(TKivDictionary* sender, std::uint8_t stage, std::uint8_t percent);
  void UpdateCountPanels();
  void ListScrolled(std::int32_t position, std::int32_t max);
  void ScrollBarMoved(int position);
  void SetZoomed(bool zoomed);
  void CopyWordToFastSearch();
  void CopySelectedWord();
  void UpdateCommandStates();
  // Whether closing may go on: asks about each modified dictionary.
  bool CloseQuery();

  // main_form_search.cpp
  void FastSearchChanged();
  void FastSearchEnterDown(bool alt);
  void RunRequest(const TSearchRequest& request);
  void RunHistoryAction(const THistoryAction& action);
  void SetResultsShown(bool on);
  void SortChanged();
  void FollowSelectedWord();
  void FilterToggled(bool on);

  // main_form_search_dialog.cpp
  void ConnectSearchDialog();
  void OpenSearchDialog(TSearchPage page);
  void CloseSearchDialog();

  // main_form_options.cpp
  void ConnectOptionCommands();
  void ShowFilterForm();
  void ShowOptionForm();
  void ApplyWordListOptions(const TViewerSettings& viewer, bool standard_scroll);
  void AddEqualLettersCommand();
  // The statistics window, made on first use and kept while the window lives.
  void ToggleStatistics();

  // main_form_dictionaries.cpp
  void ConnectDictionaryCommands();
  void ShowDictionaryMenu(const QPoint& at);
  void ToggleConnected(TKivDictionary& dictionary);
  void RenameDictionary(TKivDictionary& dictionary, const QString& text);
  void RemoveDictionary(TKivDictionary& dictionary);
  void ShowDictionaryProperties(QTreeWidgetItem* node);
  void NewDictionary();
  void OpenDictionary();
  bool OpenDictionaryFile(const std::string& path);
  void SaveDictionary();
  void SaveDictionaryAs();
  // Saves `dictionary` to `path` as a dictionary or, when `as_text`, its words as text.
  bool SaveDictionaryTo(TKivDictionary& dictionary, const std::string& path, bool as_text);
  bool MayReplace(const TKivDictionary& dictionary, const std::string& path);
  // Asks for a dictionary file name; *as_text tells whether the text type was chosen.
  QString AskDictionaryFileName(const QString& start, bool* as_text);
  bool SaveModifiedDictionary(TKivDictionary& dictionary);
  void WriteDictionaryListNow();
  void UpdateDictionaryCommandStates();
  void SaveResults(bool save_as);

  // main_form_entries.cpp
  void DeleteSelectedEntry();
  void ShowEntryEditor(bool change);

  // main_form_settings.cpp
  void ReadSettings();
  void ApplyMainSettings(const TMainSettings& settings);
  void ApplyToolbarPositions(const TToolbarPositions& positions);
  TToolbarPositions ToolbarPositions() const;
  TWindowPosition WindowPosition() const;
  // A first run: sized for the toolbars and the screen, and centred on it.
  void FitFirstRunWindow();
  TMainSettings MainSettings();
  // Writes every group; when that fails, asks whether to close anyway (false: stay open).
  bool WriteSettingsOrAsk();

  // The session's parts.
  TSession& FSession;
  TSettingsFile& FSettings;
  TCharacterManager& FCharacters;
  TStringSearcher& FSearcher;
  TDictionaryCollection& FCollection;
  TResultSource& FSource;
  TSearchHistory& FHistory;

  // The widgets, owned by the window; object names keep the designed names.
  TMainCommands* FCommands = nullptr;
  QSplitter* PanelSplitter = nullptr;
  QWidget* LeftPanel = nullptr;
  QWidget* RightPanel = nullptr;
  TKivViewer* WordList = nullptr;
  TSkinScroll* Scroll = nullptr;
  QScrollBar* ScrollStd = nullptr;
  TEnterEdit* FastSearch = nullptr;
  QLabel* SearchIcon = nullptr;
  QToolButton* tbAdvanced = nullptr;
  QTabWidget* PageControl = nullptr;
  QToolButton* CloseRightPanel = nullptr;
  TSearchTree* SearchTree = nullptr;
  TDictionaryTree* DictionaryTree = nullptr;
  QLabel* FPanels[5] = {};
  QMenu* FDictionaryMenu = nullptr;
  // Windows made on first use and kept while the window lives.
  TSearchForm* FSearchForm = nullptr;
  TOptionForm* FOptionForm = nullptr;
  TStatForm* FStatForm = nullptr;

  std::unique_ptr<TListPlaces> FListPlaces;
  TSubscriptions FEngineHooks;
  TMainSettings FMain;
  TWindowPosition FSavedPosition;
  double FInitTime = 0;
  std::int32_t FCurrentIndex = -1;
  std::string FCurrentWord;        // the word of FCurrentIndex, which the list keeps selected
  bool FLocateWhileTyping = true;  // off while the edit takes a word from the list
  bool FInitializing = true;
  bool FClosing = false;
  bool FZoomed = false;
  bool FSettingsWritten = false;
  std::string FLastResultsFile;
  std::string FLastPattern;
  std::string FLastAnagram;
};

}  // namespace gryvel::gui
