#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>

#include "common/event.h"
#include "gui/search_dialog/search_counters.h"
#include "shell/viewer_settings.h"

class QAction;
class QPushButton;
class QTabWidget;
class QTimer;
class QWidget;

namespace gryvel {
class TResultSearch;
class TSession;
}  // namespace gryvel

namespace gryvel::gui {

class TAnagramPage;
class TAnalysisPage;
class TChainPage;
class TCrosswordPage;
class TResultListModel;
class TResultListView;
class TResultPage;
class TResultRowDelegate;

// The pages of the search dialog, numbered as the dialog's modes.
enum class TSearchPage : std::uint8_t { Chain = 0, Crossword = 1, Anagram = 2, Analysis = 3 };

// The search dialog: one page per kind of search, only the requested one shown. The crossword
// and anagram pages collect a request and hand it on through a signal; the chain and analysis
// pages run their search on a worker thread and the dialog shows the results, numbered, in a
// word list of its own, with live counters. The dialog is the frame around the pages: the
// tabs, the result list, the counters and the buttons.
class TSearchForm : public QDialog {
  Q_OBJECT

 public:
  // `session` (borrowed) must outlive the dialog.
  explicit TSearchForm(TSession& session, QWidget* parent = nullptr);
  ~TSearchForm() override;

  // Shows `page`, window-modal. `pattern` is the last crossword request, put in the pattern box
  // when `use_pattern` (the quick-search box is not empty); `letters` the last anagram request.
  void Open(TSearchPage page, const QString& pattern, bool use_pattern, const QString& letters);
  TSearchPage Page() const { return FPage; }
  // Puts the focus in the crossword page's clue field.
  void FocusClue();

  // Stops a running chain or analysis and waits for it to end.
  void StopSearch();
  bool Searching() const;
  // The number of results in the dialog's list.
  std::int32_t ResultCount() const;
  // The number of results the current or last search found so far (the Found counter); the
  // list shows as many.
  std::int32_t FoundCount() const { return FFound; }

  void ApplyLanguage();
  // The result list takes the main list's look (`main`: its background, texture and selection)
  // with fonts of its own: small result numbers and larger descriptions.
  void SetListLook(const TViewerSettings& main);

 Q_SIGNALS:
  // The crossword page's Find with the text as typed (not empty): the pattern, or
  // "pattern : clue" when the clue field holds words.
  void CrosswordRequested(const QString& typed);
  // The anagram page's Find; the searcher's anagram mode is already set.
  void AnagramRequested(const QString& letters);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void done(int result) override;

 private:
  // Each Build function makes a part of the dialog and connects its controls.
  QWidget* BuildRequestButtons();
  QWidget* BuildSearchPanel();
  // The result list with its look and its actions (copy, select all, save): search_form_results.cpp.
  QWidget* BuildResultPanel();

  // The page shown when it runs its search into the result list; null for a request page.
  TResultPage* ResultPage() const;
  void FindRequest();
  void FindSearch();
  void StartSearch(TResultPage& page, std::function<void()> find);
  void Poll();
  void Finish();
  // Shows the worker's counters and as many results, all at once.
  void ShowProgress();
  // Times the next tick for the moment the search's time reaches its next whole second.
  void ArmTicker();
  void ClearResults();
  void CopyResults();
  void SaveResults();
  void UpdateFind2();
  QString HelpTopic() const;  // the help page of the page shown, without its language
  void ShowHelpTopic();

  TSession& FSession;
  TSearchPage FPage = TSearchPage::Crossword;

  QTabWidget* PageControl = nullptr;
  TChainPage* FChainPage = nullptr;
  TCrosswordPage* FCrosswordPage = nullptr;
  TAnagramPage* FAnagramPage = nullptr;
  TAnalysisPage* FAnalysisPage = nullptr;
  QWidget* RequestPanel = nullptr;
  QPushButton* btnFind = nullptr;
  QPushButton* btnCancel = nullptr;
  QPushButton* btnHelp = nullptr;
  QWidget* SearchPanel = nullptr;
  QPushButton* btnFind2 = nullptr;
  QPushButton* btnStop = nullptr;
  QPushButton* btnCancel2 = nullptr;
  QPushButton* btnHelp2 = nullptr;
  TSearchCounters FCounters;
  QWidget* ResultPanel = nullptr;
  TResultListView* FList = nullptr;
  TResultListModel* FModel = nullptr;
  TResultRowDelegate* FRowDelegate = nullptr;
  QAction* FCopyAction = nullptr;
  QAction* FSelectAllAction = nullptr;
  QAction* FSaveAction = nullptr;
  QTimer* FTicker = nullptr;  // the ticker, at every whole second of the search's time

  TResultPage* FRunning = nullptr;  // the page whose search runs, or null
  TResultSearch* FSearch = nullptr;  // the one whose results the list shows, or null
  std::int32_t FFound = 0;
  std::string FLastSaved;  // native; where the results were last saved
};

}  // namespace gryvel::gui
