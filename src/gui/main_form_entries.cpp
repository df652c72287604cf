// The main window's entry commands: add, change, delete and copy the selected entry, and the
// enabling of the dictionary and entry commands.

#include <QAction>

#include "gui/kiv_main_form.h"
#include "gui/main_commands.h"
#include "gui/ui/kiv_viewer.h"
#include "shell/dictionary_commands.h"

namespace gryvel::gui {

void TKivMainForm::UpdateDictionaryCommandStates() {
  TMainCommands& c = *FCommands;
  c.FileSaveAs->setEnabled(FDC.Active() != nullptr);
  c.EditDelete->setEnabled(FCurrentIndex >= 0);
}

// Only an entry of the active, connected dictionary is deleted.
void TKivMainForm::DeleteSelectedEntry() {
  if (ActiveHolderOf(FDC, FCurrentIndex) == nullptr) return;
  const THoldViewer hold(*KivViewer1);
  FDC.DeleteEntry(FCurrentIndex);
}

}  // namespace gryvel::gui
