#pragma once

#include <QDialog>

#include "results/result_source.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

// The result filter's dialog: on or off, a pattern and a length range. Apply and OK hand the
// record to the result source, which refreshes only when it differs; Cancel and Escape close
// without applying.

namespace gryvel::gui {

class TFilterForm : public QDialog {
  Q_OBJECT

 public:
  // Shows the filter of `source` (borrowed; it must outlive the dialog).
  explicit TFilterForm(TResultSource& source, QWidget* parent = nullptr);

  void ApplyLanguage();

 private:
  void BuildControls();
  QLayout* BuildPanel();
  void Load();
  // The record the controls show.
  TFilterSettings Record() const;
  void Apply();
  void Ok();
  void Changed();
  void OnOffClicked();
  void PatternToggled(bool on);
  void LengthToggled(bool on);

  TResultSource& FSource;
  QGroupBox* gbSettings;
  QRadioButton* rbOff;
  QRadioButton* rbOn;
  QWidget* FilterPanel;
  QCheckBox* cbPattern;
  QLineEdit* PatternEdit;
  QCheckBox* cbLength;
  QLabel* FromLabel;
  QSpinBox* MinLengthEdit;
  QLabel* ToLabel;
  QSpinBox* MaxLengthEdit;
  QLabel* LettersLabel;
  QPushButton* ButtonOk;
  QPushButton* ButtonCancel;
  QPushButton* ButtonApply;
};

}  // namespace gryvel::gui
