#include "gui/search_dialog/page_widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "gui/text.h"
#include "results/language.h"

namespace gryvel::gui {

QString SearchText(std::string_view key) {
  return ToQString(WindowText(TWindowTexts::Search, key));
}

QLineEdit* NewEdit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  return edit;
}

QLabel* NewLabel(QWidget* parent, const char* name, QWidget* buddy) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  if (buddy != nullptr) label->setBuddy(buddy);
  return label;
}

QPushButton* NewButton(QWidget* parent, const char* name) {
  auto* button = new QPushButton(parent);
  button->setObjectName(name);
  return button;
}

QSpinBox* NewSpin(QWidget* parent, const char* name, int minimum) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(name);
  spin->setRange(minimum, 99);
  spin->setValue(minimum);
  return spin;
}

std::optional<std::string> EditText(const QLineEdit* edit) { return FromQString(edit->text()); }

}  // namespace gryvel::gui
