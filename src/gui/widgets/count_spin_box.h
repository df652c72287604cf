#pragma once

#include <QSpinBox>

// A spin box for a count that is also typed: the field may be emptied, which counts as 0, and
// it never shows a number other than the value in force (a plain spin box keeps its earlier
// value while the field holds text below its minimum). The arrows stay at or above
// ArrowMinimum; typing may go down to 0.

namespace gryvel::gui {

class TCountSpinBox : public QSpinBox {
  Q_OBJECT

 public:
  // Starts at `arrow_minimum`, with the range 0 .. `arrow_minimum`.
  explicit TCountSpinBox(int arrow_minimum, QWidget* parent = nullptr);

  int ArrowMinimum() const { return FArrowMinimum; }

  void stepBy(int steps) override;
  QValidator::State validate(QString& input, int& pos) const override;

 protected:
  int valueFromText(const QString& text) const override;
  StepEnabled stepEnabled() const override;

 private:
  int FArrowMinimum;
};

}  // namespace gryvel::gui
