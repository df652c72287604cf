#include "gui/widgets/count_spin_box.h"

#include <algorithm>

namespace gryvel::gui {

TCountSpinBox::TCountSpinBox(int arrow_minimum, QWidget* parent)
    : QSpinBox(parent), FArrowMinimum(arrow_minimum) {
  setRange(0, arrow_minimum);
  setValue(arrow_minimum);
}

void TCountSpinBox::stepBy(int steps) {
  setValue(std::clamp(value() + steps, std::min(FArrowMinimum, maximum()), maximum()));
  selectAll();
}

QValidator::State TCountSpinBox::validate(QString& input, int& pos) const {
  if (input.trimmed().isEmpty()) return QValidator::Acceptable;
  return QSpinBox::validate(input, pos);
}

int TCountSpinBox::valueFromText(const QString& text) const {
  return text.trimmed().isEmpty() ? 0 : QSpinBox::valueFromText(text);
}

QAbstractSpinBox::StepEnabled TCountSpinBox::stepEnabled() const {
  StepEnabled enabled = StepNone;
  if (value() > FArrowMinimum) enabled |= StepDownEnabled;
  if (value() < maximum()) enabled |= StepUpEnabled;
  return enabled;
}

}  // namespace gryvel::gui
