// The main window's side of its options: the filter dialog, the options dialog with what it
// hands back (the list's look, the scroll bar, the language, the toolbars), the
// equal-letters dialog adding a group, and the statistics window, made on first use, whose
// check follows whether it is visible.

#include <QAction>
#include <QScrollBar>

#include "gui/dialogs.h"
#include "gui/filter_form.h"
#include "gui/main_window/kiv_main_form.h"
#include "gui/main_window/main_commands.h"
#include "gui/options/option_form.h"
#include "gui/statistics/stat_form.h"
#include "gui/widgets/enter_edit.h"
#include "gui/widgets/kiv_viewer.h"
#include "gui/widgets/skin_scroll.h"
#include "gui/widgets/viewer_style.h"
#include "gui/window_place.h"

namespace gryvel::gui {

void TKivMainForm::ConnectOptionCommands() {
  const TMainCommands& c = *FCommands;
  connect(c.OptionsFilter, &QAction::triggered, this, &TKivMainForm::ShowFilterForm);
  connect(c.OptionsSettings, &QAction::triggered, this, &TKivMainForm::ShowOptionForm);
  connect(c.OptionsEqualLetters, &QAction::triggered, this,
          &TKivMainForm::AddEqualLettersCommand);
  // The filter's button and menu check follow the stored switch, whoever set it.
  FEngineHooks += FSource.OnChange.Subscribe([this](TResultSource& source) {
    FCommands->ViewFilter->setChecked(source.FilterSettings().Enable);
  });
}

// Window-modal and freed when it closes.
void TKivMainForm::ShowFilterForm() {
  auto* form = new TFilterForm(FSource, this);
  form->setAttribute(Qt::WA_DeleteOnClose);
  connect(form, &QDialog::finished, this, [this] {
    FCommands->ViewFilter->setChecked(FSource.FilterSettings().Enable);
  });
  form->open();
}

void TKivMainForm::ShowOptionForm() {
  if (FOptionForm == nullptr) {
    FOptionForm = new TOptionForm(FSession, this);
    FOptionForm->OnApplyWordList = [this](const TViewerSettings& viewer, bool standard_scroll) {
      ApplyWordListOptions(viewer, standard_scroll);
    };
    FOptionForm->OnApplyLanguage = [this](const std::string& code) { ApplyLanguage(code); };
    FOptionForm->OnApplyToolbars = [this](std::int32_t labels, bool large_icons) {
      FCommands->SetToolBarLabels(labels);
      FCommands->SetLargeToolBarIcons(large_icons);
    };
  }
  TWindowOptions window;
  window.Viewer = ViewerSettingsOf(*WordList);
  window.ShowStandardScroll = ScrollStd->isVisibleTo(LeftPanel);
  window.ToolBarLabels = FCommands->ToolBarLabels();
  window.LargeToolBarIcons = FCommands->LargeToolBarIcons();
  FOptionForm->Open(window);
}

void TKivMainForm::ApplyWordListOptions(const TViewerSettings& viewer, bool standard_scroll) {
  ApplyViewerSettings(*WordList, viewer);
  FCommands->ViewDescriptions->setChecked(WordList->ShowDescription());
  // The bar coming into view starts where the list is.
  QScrollBar* shown = standard_scroll ? ScrollStd : static_cast<QScrollBar*>(Scroll);
  {
    const QSignalBlocker block(shown);
    shown->setValue(WordList->TopIndex());
  }
  Scroll->setVisible(!standard_scroll);
  ScrollStd->setVisible(standard_scroll);
}

void TKivMainForm::AddEqualLettersCommand() {
  if (const std::optional<TEqualLetters> group = Dialogs().AskEqualLetters(this, true, {}))
    FHistory.AddEqualLetters(FCharacters, *group);
}

void TKivMainForm::ToggleStatistics() {
  if (FStatForm == nullptr) {
    FStatForm = new TStatForm(FSource, FCollection, this);
    connect(FStatForm, &TStatForm::VisibilityChanged, FCommands->OptionsStatistics,
            &QAction::setChecked);
    connect(FStatForm, &TStatForm::MainFormRequested, this, [this] { FastSearch->setFocus(); });
    PlaceOver(*FStatForm, this);  // later shows keep where the user put it
  }
  if (FStatForm->isVisible()) {
    FStatForm->close();
  } else {
    FStatForm->show();
    FStatForm->raise();
    FStatForm->activateWindow();
  }
  FCommands->OptionsStatistics->setChecked(FStatForm->isVisible());
}

}  // namespace gryvel::gui
