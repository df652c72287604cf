#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/event.h"
#include "shell/viewer_settings.h"
#include "solvers/result_list.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSpinBox;
class QTabWidget;
class QTimer;
class QWidget;

namespace gryvel {
class TResultSearch;
class TResultSource;
class TSearchWorker;
class TSession;
class TWordAnalysis;
class TWordChain;
}  // namespace gryvel

namespace gryvel::gui {

class TKivViewer;

// The pages of the search dialog, numbered as the dialog's modes.
enum class TSearchPage : std::uint8_t { Chain = 0, Crossword = 1, Anagram = 2, Analysis = 3 };

// The search dialog: one page per kind of search, only the requested one shown. The crossword
// and anagram pages collect a request and hand it on through a signal; the chain and analysis
// pages run their search on a worker thread and show the results, numbered, in a word list of
// the dialog's own, with live counters.
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
  // list may lag behind it while a search with very many results runs.
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
  QWidget* BuildCrosswordPage();
  QWidget* BuildAnagramPage();
  QWidget* BuildChainPage();
  QWidget* BuildAnalysisPage();
  QWidget* BuildRequestButtons();
  QWidget* BuildSearchPanel();
  QWidget* BuildResultPanel();
  void Connect();

  void FindRequest();
  void FindSearch();
  void StartSearch(TSearchWorker& worker, std::function<void()> find);
  void Poll();
  void Finish();
  void ShowResults(bool force);
  void ClearResults();
  void UpdateFind2();
  void UpdateLettersLabel();
  void UpdateRangeEnabled();
  void UpdateAnagramDescription();
  QString HelpTopic() const;  // the help page of the page shown, without its language
  void ShowHelpTopic();
  void ListScrolled(std::int32_t position, std::int32_t max);

  TSession& FSession;
  TSearchPage FPage = TSearchPage::Crossword;

  QTabWidget* PageControl = nullptr;
  QLineEdit* MaskWord = nullptr;
  QLabel* PatternLabel = nullptr;
  QLineEdit* ClueEdit = nullptr;
  QLabel* ClueLabel = nullptr;
  QLabel* WildcardsLabel = nullptr;
  QLabel* AnyCharLabel = nullptr;
  QLabel* AnyStringLabel = nullptr;
  QLabel* AnyCLabel = nullptr;
  QLabel* AnyVLabel = nullptr;
  QLabel* ExampleLabel = nullptr;
  QLabel* CrosswordTipLabel = nullptr;
  QLineEdit* AnagramWord = nullptr;
  QLabel* AnagramWordLabel = nullptr;
  QLabel* SearchKindLabel = nullptr;
  QRadioButton* rbUsual = nullptr;
  QRadioButton* rbExpanded = nullptr;
  QRadioButton* rbMakeUpWords = nullptr;
  QButtonGroup* FAnagramModes = nullptr;
  QLabel* AnagramDescription = nullptr;
  QLabel* AnagramsTipLabel = nullptr;
  QLineEdit* FirstWord = nullptr;
  QLineEdit* LastWord = nullptr;
  QLabel* FirstWordLabel = nullptr;
  QLabel* LastWordLabel = nullptr;
  QLabel* ChangeLabel = nullptr;
  QSpinBox* Edit1 = nullptr;
  QLabel* LettersLabel = nullptr;
  QLineEdit* edAnalyze = nullptr;
  QLabel* AnalyzeWordLabel = nullptr;
  QLabel* ItemsLabel = nullptr;
  QRadioButton* rbAll = nullptr;
  QRadioButton* rbRange = nullptr;
  QLabel* FromLabel = nullptr;
  QLabel* ToLabel = nullptr;
  QSpinBox* Edit2 = nullptr;
  QSpinBox* Edit3 = nullptr;
  QWidget* RequestPanel = nullptr;
  QPushButton* btnFind = nullptr;
  QPushButton* btnCancel = nullptr;
  QPushButton* btnHelp = nullptr;
  QWidget* SearchPanel = nullptr;
  QPushButton* btnFind2 = nullptr;
  QPushButton* btnStop = nullptr;
  QPushButton* btnCancel2 = nullptr;
  QPushButton* btnHelp2 = nullptr;
  QLabel* VariantsCaption = nullptr;
  QLabel* FoundCaption = nullptr;
  QLabel* TimeCaption = nullptr;
  QLabel* Label4 = nullptr;  // variants
  QLabel* Label5 = nullptr;  // found
  QLabel* Label6 = nullptr;  // time
  QWidget* Panel3 = nullptr;
  TKivViewer* FList = nullptr;
  QScrollBar* FListScroll = nullptr;
  QTimer* Timer1 = nullptr;  // the one-second ticker
  QTimer* FPoll = nullptr;   // takes the worker's results and counters

  std::unique_ptr<TWordChain> FChain;
  std::unique_ptr<TWordAnalysis> FAnalysis;
  std::unique_ptr<TSearchWorker> FChainWorker;
  std::unique_ptr<TSearchWorker> FAnalysisWorker;
  TSearchWorker* FWorker = nullptr;  // the one running, or null

  // The dialog's own results and the source its list shows.
  TResultList FResults;
  std::unique_ptr<TResultSource> FSource;
  std::vector<std::string> FTaken;  // results taken from the worker, not yet in the list
  std::int32_t FFound = 0;
  int FTicks = 0;
  QElapsedTimer FSinceShown;
  qint64 FShowCost = 0;  // milliseconds the last list update took
};

}  // namespace gryvel::gui
