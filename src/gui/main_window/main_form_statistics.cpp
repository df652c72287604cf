// The main window's side of the statistics window: the Options menu's command shows or closes
// it, and its check follows whether the window is visible.

#include <QAction>

#include "gui/main_window/kiv_main_form.h"
#include "gui/main_window/main_commands.h"
#include "gui/statistics/stat_form.h"
#include "gui/widgets/enter_edit.h"
#include "gui/window_place.h"

namespace gryvel::gui {

void TKivMainForm::ToggleStatistics() {
  if (FStatForm == nullptr) {
    FStatForm = new TStatForm(ResultSource1, FDC, this);
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
