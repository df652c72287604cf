// The main window's requests: the quick-search edit, the searches, the history's actions, the
// results and filter switches, the sort orders, and the commands of the menus and toolbars.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "gui/about_box.h"
#include "gui/dialogs.h"
#include "gui/help_window.h"
#include "gui/main_window/kiv_main_form.h"
#include "gui/main_window/main_commands.h"
#include "gui/search_dialog/search_form.h"
#include "gui/text.h"
#include "gui/widgets/enter_edit.h"
#include "gui/widgets/kiv_viewer.h"
#include "gui/widgets/list_places.h"
#include "results/language.h"
#include "shell/search_request.h"

namespace gryvel::gui {

void TKivMainForm::ConnectCommands() {
  TMainCommands& c = *FCommands;
  connect(c.FileExit, &QAction::triggered, this, &QWidget::close);
  connect(c.EditCopy, &QAction::triggered, this, &TKivMainForm::CopySelectedWord);
  connect(c.SearchPalindromes, &QAction::triggered, this, &TKivMainForm::RunPalindromeSearch);
  connect(c.ViewResults, &QAction::triggered, this, &TKivMainForm::SetResultsShown);
  connect(c.ViewFilter, &QAction::triggered, this, &TKivMainForm::FilterToggled);
  for (QAction* sort : {c.SortAscending, c.SortDescending, c.SortAlphabetical, c.SortByLength})
    connect(sort, &QAction::triggered, this, &TKivMainForm::SortChanged);
  connect(c.ViewStatusBar, &QAction::toggled, statusBar(), &QWidget::setVisible);
  connect(c.ViewDescriptions, &QAction::toggled, this,
          [this](bool on) { KivViewer1->SetShowDescription(on); });
  connect(c.OptionsStatistics, &QAction::triggered, this, &TKivMainForm::ToggleStatistics);
  connect(c.HelpContents, &QAction::triggered, this,
          [this] { ShowHelp(this, UILanguage() != TUILanguage::Russian); });
  connect(c.HelpHomePage, &QAction::triggered, this, [this] { ShowHomePage(this); });
  connect(c.HelpAbout, &QAction::triggered, this, [this] {
    TAboutBox about(this);
    about.exec();
  });
  connect(tbAdvanced, &QToolButton::clicked, this, [this] {
    if (isMaximized()) return;
    if (RightPanel->isVisible()) {
      HideRightPanel();
    } else {
      ShowRightPanel();
    }
  });
  connect(CloseRightPanel, &QToolButton::clicked, this, &TKivMainForm::HideRightPanel);
  ConnectOptionCommands();
  ConnectSearchDialog();
}

void TKivMainForm::FastSearchChanged() {
  const std::optional<std::string> typed = FromQString(FastSearch->text());
  if (!typed) {
    // A character no dictionary can hold: nothing to locate.
    FPanels[1]->clear();
    return;
  }
  const TTypingFeedback feedback =
      TypedTextChanged(*typed, StringSearcher1,
                       FLocateWhileTyping && FSession.SearchOptions().DoFastSearch);
  FPanels[1]->setText(ToQString(feedback.LengthText));
  if (feedback.Locate) ResultSource1.Locate(*typed);
}

void TKivMainForm::FastSearchEnterDown(bool alt) {
  QString error;
  const std::optional<std::string> typed = FromQString(FastSearch->text(), &error);
  if (!typed) {
    statusBar()->showMessage(error, 5000);
    return;
  }
  const TSearchRequest request = EnterRequest(*typed, alt);
  if (request.Kind == TRequestKind::None) return;
  RunRequest(request);
  RecordSearchRequest(FHistory, request, StringSearcher1.AnagramOptions());
}

void TKivMainForm::RunCrosswordSearch(std::string_view pattern) {
  RunRequest({TRequestKind::Crossword, std::string(pattern), {}});
}

void TKivMainForm::RunAnagramSearch(std::string_view letters) {
  RunRequest({TRequestKind::Anagram, std::string(letters), {}});
}

void TKivMainForm::RunPalindromeSearch() { RunRequest({TRequestKind::Palindromes, {}, {}}); }

// One search with the list's updates held; the result's first word is selected.
void TKivMainForm::RunRequest(const TSearchRequest& request) {
  const THoldViewer hold(*KivViewer1);
  FListPlaces->ForgetResultPlace();
  // For results files and the search dialog.
  if (request.Kind == TRequestKind::Crossword) FLastPattern = request.Text;
  if (request.Kind == TRequestKind::Anagram) FLastAnagram = request.Text;
  if (request.Kind == TRequestKind::Meaning) FLastPattern = MeaningRequestText(request);
  const bool found = RunSearchRequest(ResultSource1, request);
  if (found) KivViewer1->SetSelItem(ResultSource1.View().front());
}

void TKivMainForm::RunHistoryAction(const THistoryAction& action) {
  switch (action.Kind) {
    case THistoryAction::RunCrossword:
      FastSearch->setText(ToQString(action.Text));
      RunCrosswordSearch(TStringSearcher::SearchedPattern(action.Text));
      break;
    case THistoryAction::RunMeaning:
      FastSearch->setText(ToQString(action.Text));
      RunRequest(EnterRequest(action.Text, false));
      break;
    case THistoryAction::RunAnagram:
      StringSearcher1.SetAnagramOptions(action.Mode);
      RunAnagramSearch(action.Text);
      break;
    case THistoryAction::AddEqualLetters:
      AddEqualLettersCommand();
      break;
    case THistoryAction::CrosswordPage:
      OpenSearchDialog(TSearchPage::Crossword);
      break;
    case THistoryAction::AnagramPage:
      OpenSearchDialog(TSearchPage::Anagram);
      break;
    case THistoryAction::MeaningPage:
      OpenSearchDialog(TSearchPage::Crossword);
      FSearchForm->FocusClue();
      break;
    default:
      break;
  }
}

void TKivMainForm::SetResultsShown(bool on) {
  if (on == ResultSource1.FilterActive()) return;
  {
    const THoldViewer hold(*KivViewer1);
    ResultSource1.SetFilterActive(on);
  }
  FCommands->ViewResults->setChecked(ResultSource1.FilterActive());
}

// The selected word stays selected in the new order.
void TKivMainForm::SortChanged() {
  const TMainCommands& c = *FCommands;
  {
    const THoldViewer hold(*KivViewer1);
    ResultSource1.SetIncrementSort(c.SortAscending->isChecked());
    if (c.SortByLength->isChecked()) {
      ResultSource1.SortByLength();
    } else {
      ResultSource1.SortAlphabetically();
    }
  }
  if (FCurrentIndex >= 0 && FCurrentIndex < FDC.Count())
    ResultSource1.Locate(FDC.Item(FCurrentIndex)->Word);
}

// The merged list changed beneath the selection (a dictionary came or went): the list goes
// back to the selected word, or to the place it had when it is gone.
void TKivMainForm::FollowSelectedWord() {
  if (FCurrentWord.empty()) return;
  if (FCurrentIndex >= 0 && FCurrentIndex < FDC.Count() &&
      FDC.Item(FCurrentIndex)->Word == FCurrentWord)
    return;
  ResultSource1.Locate(FCurrentWord);
}

void TKivMainForm::FilterToggled(bool on) {
  TFilterSettings settings = ResultSource1.FilterSettings();
  settings.Enable = on;
  ResultSource1.SetFilterSettings(settings);
  FCommands->ViewFilter->setChecked(ResultSource1.FilterSettings().Enable);
}

}  // namespace gryvel::gui
