// The main window's side of the search dialog: the four commands that open it, the history's
// "New search..." nodes, and the crossword and anagram requests it hands back.

#include <QAction>

#include "gui/main_window/kiv_main_form.h"
#include "gui/main_window/main_commands.h"
#include "gui/search_dialog/search_form.h"
#include "gui/text.h"
#include "gui/widgets/enter_edit.h"
#include "gui/widgets/kiv_viewer.h"
#include "gui/widgets/viewer_style.h"
#include "shell/search_request.h"

namespace gryvel::gui {

void TKivMainForm::ConnectSearchDialog() {
  const std::pair<QAction*, TSearchPage> commands[] = {
      {FCommands->SearchCrossword, TSearchPage::Crossword},
      {FCommands->SearchAnagrams, TSearchPage::Anagram},
      {FCommands->SearchWordAnalysis, TSearchPage::Analysis},
      {FCommands->SearchWordChain, TSearchPage::Chain},
  };
  for (const auto& [action, page] : commands)
    connect(action, &QAction::triggered, this, [this, page] { OpenSearchDialog(page); });
}

void TKivMainForm::OpenSearchDialog(TSearchPage page) {
  if (FSearchForm == nullptr) {
    FSearchForm = new TSearchForm(FSession, this);
    connect(FSearchForm, &TSearchForm::CrosswordRequested, this, [this](const QString& typed) {
      const std::optional<std::string> text = FromQString(typed);
      if (!text) return;
      FastSearch->setText(typed);
      // The same rules as the quick search: "pattern : clue" searches by meaning.
      const TSearchRequest request = EnterRequest(*text, false);
      if (request.Kind == TRequestKind::None) return;
      RunRequest(request);
      RecordSearchRequest(FHistory, request, FSearcher.AnagramOptions());
    });
    connect(FSearchForm, &TSearchForm::AnagramRequested, this, [this](const QString& letters) {
      const std::optional<std::string> text = FromQString(letters);
      if (!text) return;
      const TSearchRequest request{TRequestKind::Anagram, *text, {}};
      RunRequest(request);
      RecordSearchRequest(FHistory, request, FSearcher.AnagramOptions());
    });
  }
  FSearchForm->SetListLook(ViewerSettingsOf(*WordList));
  FSearchForm->Open(page, ToQString(FLastPattern), !FastSearch->text().isEmpty(),
                    ToQString(FLastAnagram));
}

// Called before the window closes: a running chain or analysis ends first.
void TKivMainForm::CloseSearchDialog() {
  if (FSearchForm == nullptr) return;
  FSearchForm->StopSearch();
  FSearchForm->reject();
}

}  // namespace gryvel::gui
