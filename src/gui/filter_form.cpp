#include "gui/filter_form.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "gui/help_window.h"
#include "gui/text.h"
#include "results/language.h"
#include "shell/filter_settings.h"

namespace gryvel::gui {

namespace {

QString FilterText(const char* key) { return ToQString(WindowText(TWindowTexts::Filter, key)); }

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

}  // namespace

TFilterForm::TFilterForm(TResultSource& source, QWidget* parent)
    : QDialog(parent), FSource(source) {
  setObjectName("FilterForm");
  setModal(true);
  BuildControls();
  ApplyLanguage();
  Load();
  AddHelpKey(*this, [] { return QStringLiteral("filter"); });
}

void TFilterForm::BuildControls() {
  gbSettings = Named(new QGroupBox(this), "gbSettings");
  rbOff = Named(new QRadioButton(gbSettings), "rbOff");
  rbOn = Named(new QRadioButton(gbSettings), "rbOn");
  FilterPanel = Named(new QWidget(gbSettings), "Panel1");
  FilterPanel->setLayout(BuildPanel());
  auto* switches = new QHBoxLayout;
  switches->addWidget(rbOff);
  switches->addWidget(rbOn);
  switches->addStretch();
  auto* group = new QVBoxLayout(gbSettings);
  group->addLayout(switches);
  group->addWidget(FilterPanel);

  ButtonOk = Named(new QPushButton(this), "ButtonOk");
  ButtonCancel = Named(new QPushButton(this), "ButtonCancel");
  ButtonApply = Named(new QPushButton(this), "ButtonApply");
  ButtonOk->setDefault(true);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(ButtonOk, QDialogButtonBox::AcceptRole);
  buttons->addButton(ButtonCancel, QDialogButtonBox::RejectRole);
  buttons->addButton(ButtonApply, QDialogButtonBox::ApplyRole);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(gbSettings);
  layout->addWidget(buttons);
  // The dialog follows its contents as the panel comes and goes.
  layout->setSizeConstraint(QLayout::SetFixedSize);

  for (QRadioButton* radio : {rbOff, rbOn})
    connect(radio, &QRadioButton::clicked, this, &TFilterForm::OnOffClicked);
  connect(cbPattern, &QCheckBox::toggled, this, &TFilterForm::PatternToggled);
  connect(cbLength, &QCheckBox::toggled, this, &TFilterForm::LengthToggled);
  connect(PatternEdit, &QLineEdit::textChanged, this, &TFilterForm::Changed);
  // The range stays ordered: the other end follows the one moved past it.
  connect(MinLengthEdit, &QSpinBox::valueChanged, this, [this](int from) {
    if (MaxLengthEdit->value() < from) MaxLengthEdit->setValue(from);
    Changed();
  });
  connect(MaxLengthEdit, &QSpinBox::valueChanged, this, [this](int to) {
    if (MinLengthEdit->value() > to) MinLengthEdit->setValue(to);
    Changed();
  });
  connect(ButtonOk, &QPushButton::clicked, this, &TFilterForm::Ok);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(ButtonApply, &QPushButton::clicked, this, &TFilterForm::Apply);
}

QLayout* TFilterForm::BuildPanel() {
  cbPattern = Named(new QCheckBox(FilterPanel), "cbPattern");
  PatternEdit = Named(new QLineEdit(FilterPanel), "Edit1");
  PatternEdit->setValidator(new TCodePageValidator(PatternEdit));
  PatternEdit->setMinimumWidth(fontMetrics().averageCharWidth() * 24);
  cbLength = Named(new QCheckBox(FilterPanel), "cbLength");
  FromLabel = Named(new QLabel(FilterPanel), "FromLabel");
  MinLengthEdit = Named(new QSpinBox(FilterPanel), "Edit2");
  ToLabel = Named(new QLabel(FilterPanel), "ToLabel");
  MaxLengthEdit = Named(new QSpinBox(FilterPanel), "Edit3");
  LettersLabel = Named(new QLabel(FilterPanel), "LettersLabel");
  for (QSpinBox* spin : {MinLengthEdit, MaxLengthEdit}) {
    spin->setRange(1, kMaxFilterLength);
    spin->setWrapping(false);
  }
  FromLabel->setBuddy(MinLengthEdit);
  ToLabel->setBuddy(MaxLengthEdit);
  LettersLabel->setBuddy(MaxLengthEdit);

  auto* range = new QHBoxLayout;
  range->addWidget(FromLabel);
  range->addWidget(MinLengthEdit);
  range->addWidget(ToLabel);
  range->addWidget(MaxLengthEdit);
  range->addWidget(LettersLabel);
  range->addStretch();
  auto* grid = new QGridLayout;
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(cbPattern, 0, 0);
  grid->addWidget(PatternEdit, 0, 1);
  grid->addWidget(cbLength, 1, 0);
  grid->addLayout(range, 1, 1);
  return grid;
}

void TFilterForm::ApplyLanguage() {
  setWindowTitle(FilterText("Caption"));
  gbSettings->setTitle(FilterText("SettingsGroup").trimmed());
  rbOff->setText(FilterText("OffRadio").trimmed());
  rbOn->setText(FilterText("OnRadio").trimmed());
  cbPattern->setText(FilterText("PatternCheck"));
  cbLength->setText(FilterText("LengthCheck"));
  FromLabel->setText(FilterText("FromLabel"));
  ToLabel->setText(FilterText("ToLabel"));
  LettersLabel->setText(FilterText("LettersLabel"));
  ButtonOk->setText(FilterText("OkButton"));
  ButtonCancel->setText(FilterText("CancelButton"));
  ButtonApply->setText(FilterText("ApplyButton"));
}

void TFilterForm::Load() {
  const TFilterSettings& filter = FSource.FilterSettings();
  (filter.Enable ? rbOn : rbOff)->setChecked(true);
  FilterPanel->setVisible(filter.Enable);
  cbPattern->setChecked(filter.PatternEnable);
  PatternEdit->setText(ToQString(filter.Pattern));
  cbLength->setChecked(filter.LengthEnable);
  // From first, so that a stored range never pushes its ends about.
  MaxLengthEdit->setValue(kMaxFilterLength);
  MinLengthEdit->setValue(filter.MinLength);
  MaxLengthEdit->setValue(filter.MaxLength);
  PatternToggled(filter.PatternEnable);
  LengthToggled(filter.LengthEnable);
  ButtonApply->setEnabled(false);
}

TFilterSettings TFilterForm::Record() const {
  TFilterSettings filter;
  filter.Enable = rbOn->isChecked();
  filter.PatternEnable = cbPattern->isChecked();
  filter.Pattern = FromQString(PatternEdit->text()).value_or(std::string());
  filter.LengthEnable = cbLength->isChecked();
  filter.MinLength = MinLengthEdit->value();
  filter.MaxLength = MaxLengthEdit->value();
  return filter;
}

void TFilterForm::Apply() {
  FSource.SetFilterSettings(Record());
  ButtonApply->setEnabled(false);
}

void TFilterForm::Ok() {
  if (ButtonApply->isEnabled()) Apply();
  accept();
}

void TFilterForm::Changed() { ButtonApply->setEnabled(true); }

void TFilterForm::OnOffClicked() {
  FilterPanel->setVisible(rbOn->isChecked());
  Changed();
}

void TFilterForm::PatternToggled(bool on) {
  PatternEdit->setEnabled(on);
  if (on && FilterPanel->isVisible()) {
    PatternEdit->setFocus();
    PatternEdit->end(false);
  }
  Changed();
}

void TFilterForm::LengthToggled(bool on) {
  for (QWidget* widget : {static_cast<QWidget*>(FromLabel), static_cast<QWidget*>(ToLabel),
                          static_cast<QWidget*>(LettersLabel), static_cast<QWidget*>(MinLengthEdit),
                          static_cast<QWidget*>(MaxLengthEdit)})
    widget->setEnabled(on);
  Changed();
}

}  // namespace gryvel::gui
