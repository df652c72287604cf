// The main window's requests: the quick-search edit, the searches, the history's actions, the
// results and filter switches and the sort orders.

#include <QLabel>
#include <QStatusBar>

#include "gui/dialogs.h"
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

void TKivMainForm::FastSearchChanged() {
  const std::optional<std::string> typed = FromQString(FastSearch->text());
  if (!typed) {
    // A character no dictionary can hold: nothing to locate.
    FPanels[1]->clear();
    return;
  }
  const TTypingFeedback feedback =
      TypedTextChanged(*typed, FSearcher,
                       FLocateWhileTyping && FSession.SearchOptions().DoFastSearch);
  FPanels[1]->setText(ToQString(feedback.LengthText));
  if (feedback.Locate) FSource.Locate(*typed);
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
  RecordSearchRequest(FHistory, request, FSearcher.AnagramOptions());
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
  const THoldViewer hold(*WordList);
  FListPlaces->ForgetResultPlace();
  // For results files and the search dialog.
  if (request.Kind == TRequestKind::Crossword) FLastPattern = request.Text;
  if (request.Kind == TRequestKind::Anagram) FLastAnagram = request.Text;
  if (request.Kind == TRequestKind::Meaning) FLastPattern = MeaningRequestText(request);
  const bool found = RunSearchRequest(FSource, request);
  if (found) WordList->SetSelItem(FSource.View().front());
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
      FSearcher.SetAnagramOptions(action.Mode);
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
  if (on == FSource.FilterActive()) return;
  {
    const THoldViewer hold(*WordList);
    FSource.SetFilterActive(on);
  }
  FCommands->ViewResults->setChecked(FSource.FilterActive());
}

// The selected word stays selected in the new order.
void TKivMainForm::SortChanged() {
  const TMainCommands& c = *FCommands;
  {
    const THoldViewer hold(*WordList);
    FSource.SetIncrementSort(c.SortAscending->isChecked());
    if (c.SortByLength->isChecked()) {
      FSource.SortByLength();
    } else {
      FSource.SortAlphabetically();
    }
  }
  if (FCurrentIndex >= 0 && FCurrentIndex < FCollection.Count())
    FSource.Locate(FCollection.Item(FCurrentIndex)->Word);
}

// The merged list changed beneath the selection (a dictionary came or went): the list goes
// back to the selected word, or to the place it had when it is gone.
void TKivMainForm::FollowSelectedWord() {
  if (FCurrentWord.empty()) return;
  if (FCurrentIndex >= 0 && FCurrentIndex < FCollection.Count() &&
      FCollection.Item(FCurrentIndex)->Word == FCurrentWord)
    return;
  FSource.Locate(FCurrentWord);
}

void TKivMainForm::FilterToggled(bool on) {
  TFilterSettings settings = FSource.FilterSettings();
  settings.Enable = on;
  FSource.SetFilterSettings(settings);
  FCommands->ViewFilter->setChecked(FSource.FilterSettings().Enable);
}

}  // namespace gryvel::gui
