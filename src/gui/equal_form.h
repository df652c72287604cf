#pragma once

#include <QDialog>
#include <optional>

#include "search/character_manager.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The equal-letters dialog: the letters of one group and the letter they count as. It serves
// the options dialog's list and the history tree; callers reach it through Dialogs().

namespace gryvel::gui {

class TEqualForm : public QDialog {
  Q_OBJECT

 public:
  enum TMode { kChange = 0, kAdd = 1 };

  // Opens with the fields of `initial` (empty to add); the caption follows `mode`.
  TEqualForm(TMode mode, const TEqualLetters& initial, QWidget* parent = nullptr);

  // After OK: the group typed, active; nullopt when a field was left empty.
  const std::optional<TEqualLetters>& Result() const { return FResult; }

  void ApplyLanguage();

 private:
  void Ok();

  TMode FMode;
  QLabel* LettersLabel;
  QLineEdit* LettersEdit;
  QLabel* EquivalentLabel;
  QLineEdit* EquivalentEdit;
  QPushButton* ButtonOk;
  QPushButton* ButtonCancel;
  std::optional<TEqualLetters> FResult;
};

}  // namespace gryvel::gui
