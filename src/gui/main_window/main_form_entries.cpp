// The main window's entry commands: add, change and delete the selected entry.

#include "gui/dialogs.h"
#include "gui/entry_editor_dialog.h"
#include "gui/main_window/kiv_main_form.h"
#include "gui/widgets/kiv_viewer.h"
#include "shell/dictionary_commands.h"

namespace gryvel::gui {

void TKivMainForm::ShowEntryEditor(bool change) {
  std::string word;
  if (change) {
    if (ActiveHolderOf(FCollection, FCurrentIndex) == nullptr) return;
    word = FCollection.Item(FCurrentIndex)->Word;
  }
  TEntryEditorDialog editor(FCollection, this);
  editor.OnShowWord = [this](const std::string& shown) {
    const THoldViewer hold(*WordList);
    FSource.Locate(shown);
  };
  editor.Start(change, word);
  Dialogs().Exec(editor);
  WordList->update();
  UpdateCommandStates();
}

// Only an entry of the active, connected dictionary is deleted.
void TKivMainForm::DeleteSelectedEntry() {
  if (ActiveHolderOf(FCollection, FCurrentIndex) == nullptr) return;
  const THoldViewer hold(*WordList);
  FCollection.DeleteEntry(FCurrentIndex);
}

}  // namespace gryvel::gui
