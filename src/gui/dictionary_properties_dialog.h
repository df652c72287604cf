#pragma once

#include <QDialog>

#include "dictionary/dict_head.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The dictionary properties dialog: the title, author, comments, web address and e-mail
// address of one dictionary's header, with buttons that open the address in the web browser
// or the mail client. A new dictionary gets the same dialog with empty fields. Header flag
// kHeadReadOnly makes every field read-only.

namespace gryvel {
class TKivDictionary;
}

namespace gryvel::gui {

class TDictionaryPropertiesDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TDictionaryPropertiesDialog(QWidget* parent = nullptr);

  // Shows the header of `dictionary` (borrowed until the dialog closes), or empty fields for
  // a new dictionary when null. "Apply" starts disabled.
  void Fill(TKivDictionary* dictionary);
  // `base` with the texts of the fields. REQUIRES: they can be stored, as OK and Apply check.
  TDictHead Header(const TDictHead& base) const;
  // Whether a field was changed and not yet applied ("Apply" is enabled).
  bool Changed() const;
  // Whether "Apply" was pressed; AppliedHeader is then what the fields held at the last press.
  bool WasApplied() const { return FWasApplied; }
  TDictHead AppliedHeader(const TDictHead& base) const;
  void ApplyLanguage();

 private:
  void BuildFields();
  void BuildButtons();
  void FieldChanged();
  void Apply();
  // Whether every field can go into the header; else the first that cannot is refused (the
  // dialog stays open).
  bool FieldsStorable();
  void GoTo();
  void Message();

  TKivDictionary* FDictionary = nullptr;
  bool FReady = false;
  bool FWasApplied = false;
  TDictHead FApplied;  // the fields at the last "Apply", over an empty header
  QLineEdit* TitleEdit = nullptr;
  QLineEdit* AuthorEdit = nullptr;
  QPlainTextEdit* DescriptionEdit = nullptr;
  QLineEdit* WebAddressEdit = nullptr;
  QLineEdit* MailAddressEdit = nullptr;
  QPushButton* ButtonGoTo = nullptr;
  QPushButton* ButtonMessage = nullptr;
  QPushButton* ButtonOk = nullptr;
  QPushButton* ButtonCancel = nullptr;
  QPushButton* ButtonApply = nullptr;
  QLabel* FLabels[5] = {};
};

}  // namespace gryvel::gui
