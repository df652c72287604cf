// The main window's entry commands: add, change, delete and copy the selected entry, and the
// enabling of the dictionary and entry commands.

#include <QAction>

#include "gui/dialogs.h"
#include "gui/entry_editor_dialog.h"
#include "gui/main_window/kiv_main_form.h"
#include "gui/main_window/main_commands.h"
#include "gui/widgets/kiv_viewer.h"
#include "shell/dictionary_commands.h"

namespace gryvel::gui {

void TKivMainForm::UpdateDictionaryCommandStates() {
  TMainCommands& c = *FCommands;
  c.EditChangeEntry->setEnabled(ActiveHolderOf(FDC, FCurrentIndex) != nullptr);
  c.FileSaveAs->setEnabled(FDC.Active() != nullptr);
  c.EditDelete->setEnabled(FCurrentIndex >= 0);
}

void TKivMainForm::ShowEntryEditor(bool change) {
  std::string word;
  if (change) {
    if (ActiveHolderOf(FDC, FCurrentIndex) == nullptr) return;
    word = FDC.Item(FCurrentIndex)->Word;
  }
  TEntryEditorDialog editor(FDC, this);
  editor.OnShowWord = [this](const std::string& shown) {
    const THoldViewer hold(*KivViewer1);
    ResultSource1.Locate(shown);
  };
  editor.Start(change, word);
  Dialogs().Exec(editor);
  KivViewer1->update();
  UpdateCommandStates();
}

// Only an entry of the active, connected dictionary is deleted.
void TKivMainForm::DeleteSelectedEntry() {
  if (ActiveHolderOf(FDC, FCurrentIndex) == nullptr) return;
  const THoldViewer hold(*KivViewer1);
  FDC.DeleteEntry(FCurrentIndex);
}

}  // namespace gryvel::gui
