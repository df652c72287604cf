#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

// The entry editor: adds a word with its description, parts of speech and number to the
// active dictionary, or changes an entry of it (its spelling, description and marks). While a
// word is typed in add mode, a word the dictionary holds already is highlighted and shows its
// description; what was typed is kept aside and comes back when the word differs again.

namespace gryvel {
class TDictionaryCollection;
class TKivDictionary;
}

namespace gryvel::gui {

class TEnterEdit;

class TEntryEditorDialog : public QDialog {
  Q_OBJECT

 public:
  // `collection` is borrowed and must outlive the dialog.
  explicit TEntryEditorDialog(TDictionaryCollection& collection, QWidget* parent = nullptr);

  // Change mode edits the entry of `word` (code page 1251) in the active dictionary; add mode
  // starts empty. Fills the dictionary box and the fields.
  void Start(bool change, const std::string& word = {});

  // Called with each word added or changed, to bring it into view.
  std::function<void(const std::string&)> OnShowWord;

  void ApplyLanguage();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* BuildEntryPage();
  QWidget* BuildMorePage();
  void FillDictionaries();
  void DictionaryChosen(int index);
  void Lookup();
  // Add and Change return false when the dialog stays open for the user to act: no
  // dictionary is chosen, or a field holds text a dictionary cannot store.
  bool Add();
  bool Change();
  void OkClicked();
  void SetMarks(std::uint16_t parts, std::uint16_t flags);
  std::uint16_t CheckedParts() const;
  std::uint16_t CheckedFlags() const;
  std::string Description() const;

  TDictionaryCollection& FCollection;
  bool FChange = false;
  QString FTypedDescription;  // the user's text while an existing entry's is shown

  QTabWidget* FPages = nullptr;
  QComboBox* ComboBox1 = nullptr;
  TEnterEdit* WordEdit = nullptr;
  TEnterEdit* ReplaceEdit = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QPushButton* ButtonOk = nullptr;
  QPushButton* ButtonAddChange = nullptr;
  QPushButton* ButtonCancel = nullptr;
  QCheckBox* FChecks[8] = {};
  QLabel* FLabels[6] = {};
};

}  // namespace gryvel::gui
