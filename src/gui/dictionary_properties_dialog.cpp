#include "gui/dictionary_properties_dialog.h"

#include <algorithm>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "dictionary/kiv_dictionary.h"
#include "gui/dialogs.h"
#include "gui/storable_edit.h"
#include "gui/text.h"
#include "results/language.h"
#include "shell/dictionary_commands.h"

namespace gryvel::gui {

namespace {

constexpr const char* kLabelKeys[] = {"TitleLabel", "AuthorLabel", "CommentsLabel", "WebLabel",
                                      "EmailLabel"};

QString Text(std::string_view key) { return ToQString(WindowText(TWindowTexts::Properties, key)); }

// Comments keep CR LF line ends in the header; the editor works with LF.
QString ShownComments(const std::string& comments) {
  return ToQString(comments).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::string StoredComments(QString text) {
  return FromQString(text.replace(u'\n', QStringLiteral("\r\n"))).value_or(std::string());
}

std::string Field(const QLineEdit* edit) {
  return FromQString(edit->text()).value_or(std::string());
}

}  // namespace

TDictionaryPropertiesDialog::TDictionaryPropertiesDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("DictionaryForm");
  BuildFields();
  BuildButtons();
  ApplyLanguage();
  resize(sizeHint().expandedTo(QSize(420, 0)));
}

void TDictionaryPropertiesDialog::BuildFields() {
  auto make_edit = [this](const char* name) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    connect(edit, &QLineEdit::textChanged, this, &TDictionaryPropertiesDialog::FieldChanged);
    return edit;
  };
  TitleEdit = make_edit("Edit4");
  AuthorEdit = make_edit("Edit1");
  DescriptionEdit = new QPlainTextEdit(this);
  DescriptionEdit->setObjectName("Memo1");
  DescriptionEdit->setTabChangesFocus(true);
  DescriptionEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  connect(DescriptionEdit, &QPlainTextEdit::textChanged, this, &TDictionaryPropertiesDialog::FieldChanged);
  WebAddressEdit = make_edit("Edit2");
  MailAddressEdit = make_edit("Edit3");
  ButtonGoTo = new QPushButton(this);
  ButtonGoTo->setObjectName("ButtonGoTo");
  ButtonMessage = new QPushButton(this);
  ButtonMessage->setObjectName("ButtonMessage");
  connect(ButtonGoTo, &QPushButton::clicked, this, &TDictionaryPropertiesDialog::GoTo);
  connect(ButtonMessage, &QPushButton::clicked, this, &TDictionaryPropertiesDialog::Message);

  auto* form = new QFormLayout;
  QWidget* fields[] = {TitleEdit, AuthorEdit, DescriptionEdit, WebAddressEdit, MailAddressEdit};
  QPushButton* beside[] = {nullptr, nullptr, nullptr, ButtonGoTo, ButtonMessage};
  for (int i = 0; i < 5; ++i) {
    FLabels[i] = new QLabel(this);
    FLabels[i]->setBuddy(fields[i]);
    if (beside[i] == nullptr) {
      form->addRow(FLabels[i], fields[i]);
      continue;
    }
    auto* row = new QHBoxLayout;
    row->addWidget(fields[i], 1);
    row->addWidget(beside[i]);
    form->addRow(FLabels[i], row);
  }
  auto* column = new QVBoxLayout(this);
  column->addLayout(form, 1);
}

void TDictionaryPropertiesDialog::BuildButtons() {
  ButtonOk = new QPushButton(this);
  ButtonOk->setObjectName("ButtonOk");
  ButtonOk->setDefault(true);
  ButtonCancel = new QPushButton(this);
  ButtonCancel->setObjectName("ButtonCancel");
  ButtonApply = new QPushButton(this);
  ButtonApply->setObjectName("ButtonApply");
  ButtonApply->setEnabled(false);
  connect(ButtonOk, &QPushButton::clicked, this, [this] {
    if (FieldsStorable()) accept();
  });
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(ButtonApply, &QPushButton::clicked, this, &TDictionaryPropertiesDialog::Apply);
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(ButtonOk);
  row->addWidget(ButtonCancel);
  row->addWidget(ButtonApply);
  static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

void TDictionaryPropertiesDialog::ApplyLanguage() {
  for (int i = 0; i < 5; ++i) FLabels[i]->setText(Text(kLabelKeys[i]));
  ButtonGoTo->setText(Text("GoToButton"));
  ButtonMessage->setText(Text("MessageButton"));
  // Both address fields end at the same place.
  ButtonGoTo->setMinimumWidth(0);
  ButtonMessage->setMinimumWidth(0);
  const int wide = std::max(ButtonGoTo->sizeHint().width(), ButtonMessage->sizeHint().width());
  ButtonGoTo->setMinimumWidth(wide);
  ButtonMessage->setMinimumWidth(wide);
  ButtonOk->setText(ToQString(Term(TTerm::Ok)));
  ButtonCancel->setText(ToQString(Term(TTerm::Cancel)));
  ButtonApply->setText(ToQString(Term(TTerm::Apply)));
  setWindowTitle(ToQString(Term(FDictionary == nullptr ? TTerm::NewDictionary : TTerm::Properties)));
}

void TDictionaryPropertiesDialog::Fill(TKivDictionary* dictionary) {
  FReady = false;
  FWasApplied = false;
  FDictionary = dictionary;
  const TDictionaryFields fields = FieldsOf(dictionary != nullptr ? dictionary->Head() : TDictHead{});
  TitleEdit->setText(ToQString(fields.Title));
  AuthorEdit->setText(ToQString(fields.Author));
  DescriptionEdit->setPlainText(ShownComments(fields.Comments));
  WebAddressEdit->setText(ToQString(fields.Web));
  MailAddressEdit->setText(ToQString(fields.Email));
  const bool read_only = dictionary != nullptr && (dictionary->Head().Flags & kHeadReadOnly) != 0;
  for (QLineEdit* edit : {TitleEdit, AuthorEdit, WebAddressEdit, MailAddressEdit}) edit->setReadOnly(read_only);
  DescriptionEdit->setReadOnly(read_only);
  ButtonApply->setEnabled(false);
  ApplyLanguage();
  TitleEdit->setFocus();
  FReady = true;
}

TDictHead TDictionaryPropertiesDialog::Header(const TDictHead& base) const {
  return WithFields(base, {Field(TitleEdit), StoredComments(DescriptionEdit->toPlainText()), Field(AuthorEdit),
                           Field(WebAddressEdit), Field(MailAddressEdit)});
}

TDictHead TDictionaryPropertiesDialog::AppliedHeader(const TDictHead& base) const {
  return WithFields(base, FieldsOf(FApplied));
}

bool TDictionaryPropertiesDialog::Changed() const { return ButtonApply->isEnabled(); }

void TDictionaryPropertiesDialog::FieldChanged() {
  if (FReady) ButtonApply->setEnabled(true);
}

// The change is kept: the main window applies it after the dialog closes, as for OK.
void TDictionaryPropertiesDialog::Apply() {
  if (!FieldsStorable()) return;
  if (FDictionary != nullptr) FDictionary->SetModified(true);
  FApplied = Header({});
  FWasApplied = true;
  ButtonApply->setEnabled(false);
}

bool TDictionaryPropertiesDialog::FieldsStorable() {
  return CheckStorable(*TitleEdit) && CheckStorable(*AuthorEdit) && CheckStorable(*DescriptionEdit) &&
         CheckStorable(*WebAddressEdit) && CheckStorable(*MailAddressEdit);
}

void TDictionaryPropertiesDialog::GoTo() {
  const std::string target = WebTarget(Field(WebAddressEdit));
  if (!target.empty()) OpenExternalUrl(this, QUrl::fromUserInput(ToQString(target)));
}

void TDictionaryPropertiesDialog::Message() {
  const std::string target = MailTarget(Field(MailAddressEdit));
  if (!target.empty()) OpenExternalUrl(this, QUrl(ToQString(target)));
}

}  // namespace gryvel::gui
