#include "gui/equal_form.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/text.h"
#include "gui/window_place.h"
#include "results/language.h"
#include "shell/search_history.h"

namespace gryvel::gui {

namespace {

QString EqualText(const char* key) {
  return ToQString(WindowText(TWindowTexts::EqualLetters, key));
}

}  // namespace

TEqualForm::TEqualForm(TMode mode, const TEqualLetters& initial, QWidget* parent)
    : QDialog(parent),
      FMode(mode),
      LettersLabel(new QLabel(this)),
      LettersEdit(new QLineEdit(ToQString(initial.Letters), this)),
      EquivalentLabel(new QLabel(this)),
      EquivalentEdit(new QLineEdit(this)),
      ButtonOk(new QPushButton(this)),
      ButtonCancel(new QPushButton(this)) {
  setObjectName("EqualForm");
  setModal(true);
  LettersLabel->setObjectName("LettersLabel");
  LettersEdit->setObjectName("LettersEdit");
  EquivalentLabel->setObjectName("EquivalentLabel");
  EquivalentEdit->setObjectName("EquivalentEdit");
  EquivalentEdit->setMaxLength(1);
  for (QLineEdit* edit : {LettersEdit, EquivalentEdit})
    edit->setValidator(new TCodePageValidator(edit));
  if (initial.Equivalent != '\0')
    EquivalentEdit->setText(ToQString(std::string_view(&initial.Equivalent, 1)));
  LettersLabel->setBuddy(LettersEdit);
  EquivalentLabel->setBuddy(EquivalentEdit);
  ButtonOk->setObjectName("ButtonOk");
  ButtonCancel->setObjectName("ButtonCancel");
  ButtonOk->setDefault(true);

  auto* fields = new QFormLayout;
  fields->addRow(LettersLabel, LettersEdit);
  fields->addRow(EquivalentLabel, EquivalentEdit);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(ButtonOk, QDialogButtonBox::AcceptRole);
  buttons->addButton(ButtonCancel, QDialogButtonBox::RejectRole);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(ButtonOk, &QPushButton::clicked, this, &TEqualForm::Ok);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
  ApplyLanguage();
}

void TEqualForm::ApplyLanguage() {
  setWindowTitle(ToQString(Term(FMode == kAdd ? TTerm::AddEqualLetters
                                              : TTerm::ChangeEqualLetters)));
  LettersLabel->setText(EqualText("LettersLabel"));
  EquivalentLabel->setText(EqualText("EquivalentLabel"));
  ButtonOk->setText(ToQString(Term(TTerm::Ok)));
  ButtonCancel->setText(ToQString(Term(TTerm::Cancel)));
  // A window manager does not widen a window for its title; the fields take the width instead.
  const int fields = fontMetrics().averageCharWidth() * 24;
  LettersEdit->setMinimumWidth(fields);
  layout()->activate();
  LettersEdit->setMinimumWidth(fields + std::max(0, TitleBarWidth(*this) - sizeHint().width()));
}

void TEqualForm::Ok() {
  // The edits take only what the code page holds.
  FResult = EqualLettersFromInput(FromQString(LettersEdit->text()).value_or(std::string()),
                                  FromQString(EquivalentEdit->text()).value_or(std::string()));
  accept();
}

}  // namespace gryvel::gui
