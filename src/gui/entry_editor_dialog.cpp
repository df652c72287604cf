#include "gui/entry_editor_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dictionary/dictionary_collection.h"
#include "dictionary/kiv_dictionary.h"
#include "gui/dialogs.h"
#include "gui/storable_edit.h"
#include "gui/text.h"
#include "gui/widgets/enter_edit.h"
#include "results/language.h"
#include "shell/dictionary_commands.h"
#include "shell/shell_texts.h"

namespace gryvel::gui {

namespace {

struct TMark {
  const char* Name;
  const char* Key;
  std::uint16_t Bit;
  bool Flag;  // a Flags bit (number), else a Parts bit
};

constexpr TMark kMarks[] = {
    {"cbNoun", "NounCheck", kPartNoun, false},
    {"cbAdjective", "AdjectiveCheck", kPartAdjective, false},
    {"cbVerb", "VerbCheck", kPartVerb, false},
    {"cbAdverb", "AdverbCheck", kPartAdverb, false},
    {"cbPreposition", "PrepositionCheck", kPartPreposition, false},
    {"cbInterjection", "InterjectionCheck", kPartInterjection, false},
    {"cbSingular", "SingularCheck", kFlagSingular, true},
    {"cbPlural", "PluralCheck", kFlagPlural, true},
};
constexpr std::uint16_t kNumberFlags = kFlagSingular | kFlagPlural;

constexpr const char* kLabelKeys[] = {"DictionaryLabel", "WordLabel",         "ReplaceLabel",
                                      "DescriptionLabel", "PartOfSpeechLabel", "NumberLabel"};

QString Text(std::string_view key) { return ToQString(WindowText(TWindowTexts::EntryEditor, key)); }

std::string Typed(const QString& text) { return FromQString(text.trimmed()).value_or(std::string()); }

// The active dictionary's entry of `word`, -1 when it has none.
std::int32_t ActiveEntry(const TDictionaryCollection& collection, const std::string& word) {
  const TKivDictionary* active = collection.Active();
  if (active == nullptr || word.empty()) return -1;
  return active->Entries().IndexOf(word);
}

}  // namespace

TEntryEditorDialog::TEntryEditorDialog(TDictionaryCollection& collection, QWidget* parent)
    : QDialog(parent), FCollection(collection) {
  setObjectName("EditorForm");
  FPages = new QTabWidget(this);
  FPages->addTab(BuildEntryPage(), QString());
  FPages->addTab(BuildMorePage(), QString());
  ButtonOk = new QPushButton(this);
  ButtonOk->setObjectName("ButtonOk");
  ButtonOk->setDefault(true);
  ButtonAddChange = new QPushButton(this);
  ButtonAddChange->setObjectName("ButtonAddChange");
  ButtonCancel = new QPushButton(this);
  ButtonCancel->setObjectName("ButtonCancel");
  connect(ButtonOk, &QPushButton::clicked, this, &TEntryEditorDialog::OkClicked);
  connect(ButtonAddChange, &QPushButton::clicked, this, [this] {
    if (FChange) {
      Change();
    } else {
      Add();
    }
  });
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* button : {ButtonOk, ButtonAddChange, ButtonCancel}) {
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  auto* column = new QVBoxLayout(this);
  column->addWidget(FPages, 1);
  column->addLayout(buttons);
  ApplyLanguage();
  resize(sizeHint().expandedTo(QSize(440, 360)));
}

QWidget* TEntryEditorDialog::BuildEntryPage() {
  auto* page = new QWidget(this);
  ComboBox1 = new QComboBox(page);
  ComboBox1->setObjectName("ComboBox1");
  WordEdit = new TEnterEdit(page);
  WordEdit->setObjectName("WordEdit");
  ReplaceEdit = new TEnterEdit(page);
  ReplaceEdit->setObjectName("ReplaceEdit");
  Memo1 = new QPlainTextEdit(page);
  Memo1->setObjectName("Memo1");
  Memo1->setTabChangesFocus(true);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->installEventFilter(this);
  connect(ComboBox1, &QComboBox::activated, this, &TEntryEditorDialog::DictionaryChosen);
  connect(WordEdit, &QLineEdit::textChanged, this, &TEntryEditorDialog::Lookup);
  for (TEnterEdit* edit : {WordEdit, ReplaceEdit}) {
    edit->OnEnterDown = [this](TEnterEdit&, Qt::KeyboardModifiers) {
      if (Memo1->isEnabled()) Memo1->setFocus();
    };
  }
  auto* form = new QFormLayout(page);
  QWidget* fields[] = {ComboBox1, WordEdit, ReplaceEdit, Memo1};
  for (int i = 0; i < 4; ++i) {
    FLabels[i] = new QLabel(page);
    FLabels[i]->setBuddy(fields[i]);
    form->addRow(FLabels[i], fields[i]);
  }
  return page;
}

QWidget* TEntryEditorDialog::BuildMorePage() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  FLabels[4] = new QLabel(page);
  FLabels[5] = new QLabel(page);
  grid->addWidget(FLabels[4], 0, 0);
  grid->addWidget(FLabels[5], 0, 1);
  for (int i = 0; i < 8; ++i) {
    FChecks[i] = new QCheckBox(page);
    FChecks[i]->setObjectName(kMarks[i].Name);
    if (kMarks[i].Flag) {
      grid->addWidget(FChecks[i], 1 + i - 6, 1);
    } else {
      grid->addWidget(FChecks[i], 1 + i, 0);
    }
  }
  grid->setRowStretch(7, 1);
  return page;
}

void TEntryEditorDialog::ApplyLanguage() {
  setWindowTitle(ToQString(Term(FChange ? TTerm::ChangeEntry : TTerm::AddEntry)));
  FPages->setTabText(0, Text("EntryTab"));
  FPages->setTabText(1, Text("MoreTab"));
  for (int i = 0; i < 6; ++i) FLabels[i]->setText(Text(kLabelKeys[i]));
  for (int i = 0; i < 8; ++i) FChecks[i]->setText(Text(kMarks[i].Key));
  ButtonOk->setText(ToQString(Term(TTerm::Ok)));
  ButtonAddChange->setText(ToQString(Term(FChange ? TTerm::Change : TTerm::Add)));
  ButtonCancel->setText(ToQString(Term(TTerm::Cancel)));
}

void TEntryEditorDialog::Start(bool change, const std::string& word) {
  FChange = change;
  FTypedDescription.clear();
  ReplaceEdit->setEnabled(change);
  FLabels[2]->setEnabled(change);
  WordEdit->setEnabled(!change);
  ComboBox1->setEnabled(!change);
  FillDictionaries();
  {
    const QSignalBlocker block(WordEdit);
    WordEdit->setText(ToQString(word));
  }
  ReplaceEdit->setText(ToQString(word));
  Memo1->clear();
  Memo1->setEnabled(true);
  ButtonAddChange->setEnabled(true);
  SetMarks(0, 0);
  const std::int32_t entry = ActiveEntry(FCollection, word);
  if (change && entry >= 0) {
    TKivDictionary& active = *FCollection.Active();
    QString description = ToQString(active.GetDescription(entry));
    Memo1->setPlainText(description.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    const TArticleItem* item = active.Entries().Get(entry);
    SetMarks(item->Parts, item->Flags);
  }
  ApplyLanguage();
  Lookup();
}

void TEntryEditorDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FPages->setCurrentIndex(0);
  (FChange ? ReplaceEdit : WordEdit)->setFocus();
}

void TEntryEditorDialog::FillDictionaries() {
  ComboBox1->clear();
  for (TKivDictionary* dictionary : EntryDictionaries(FCollection)) {
    ComboBox1->addItem(ToQString(dictionary->Name()));
    if (dictionary == FCollection.Active()) ComboBox1->setCurrentIndex(ComboBox1->count() - 1);
  }
  if (FCollection.Active() == nullptr || !TakesEntries(*FCollection.Active()))
    ComboBox1->setCurrentIndex(-1);
}

void TEntryEditorDialog::DictionaryChosen(int index) {
  const std::vector<TKivDictionary*> dictionaries = EntryDictionaries(FCollection);
  if (index >= 0 && index < static_cast<int>(dictionaries.size()))
    FCollection.SetActive(dictionaries[static_cast<std::size_t>(index)]);
  Lookup();
}

void TEntryEditorDialog::Lookup() {
  if (FChange) return;
  const std::string word = Typed(WordEdit->text());
  const std::int32_t entry = ActiveEntry(FCollection, word);
  QPalette palette = WordEdit->palette();
  palette.setColor(QPalette::Text, entry >= 0 ? palette.color(QPalette::Highlight)
                                              : QPalette().color(QPalette::Text));
  WordEdit->setPalette(palette);
  if (entry >= 0) {
    if (Memo1->isEnabled()) FTypedDescription = Memo1->toPlainText();
    QString description = ToQString(FCollection.Active()->GetDescription(entry));
    Memo1->setPlainText(description.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    Memo1->setEnabled(false);
    ButtonAddChange->setEnabled(false);
  } else {
    if (!Memo1->isEnabled()) Memo1->setPlainText(FTypedDescription);
    Memo1->setEnabled(true);
    ButtonAddChange->setEnabled(true);
  }
}

bool TEntryEditorDialog::Add() {
  TKivDictionary* active = FCollection.Active();
  if (ComboBox1->currentIndex() < 0 || active == nullptr) {
    TMessage message;
    message.Text = ShellText(TShellText::ChooseDictionary);
    message.Caption = ShellText(TShellText::InformationCaption);
    message.Kind = TMessageKind::Information;
    Dialogs().Ask(this, message);
    return false;
  }
  if (!CheckStorable(*WordEdit) || !CheckStorable(*Memo1)) return false;
  const std::string word = Typed(WordEdit->text());
  if (word.empty()) return true;
  if (FCollection.AddWord(word) < 0) return true;
  const std::int32_t entry = active->Entries().IndexOf(word);
  if (entry < 0) return true;
  TArticleItem* item = active->Entries().Get(entry);
  item->Parts |= CheckedParts();
  item->Flags |= CheckedFlags();
  const std::string description = Description();
  if (!description.empty()) active->SetDescription(entry, description);
  active->SetModified(true);
  if (OnShowWord) OnShowWord(word);
  Lookup();
  return true;
}

bool TEntryEditorDialog::Change() {
  if (!CheckStorable(*ReplaceEdit) || !CheckStorable(*Memo1)) return false;
  TKivDictionary* active = FCollection.Active();
  const std::string word = Typed(WordEdit->text());
  const std::string replacement = Typed(ReplaceEdit->text());
  std::int32_t entry = ActiveEntry(FCollection, word);
  if (replacement.empty() || entry < 0) return true;
  const std::int32_t moved = active->ChangeWord(entry, replacement);
  if (moved >= 0) entry = moved;
  TArticleItem* item = active->Entries().Get(entry);
  item->Parts = CheckedParts();
  item->Flags = static_cast<std::uint16_t>((item->Flags & ~kNumberFlags) | CheckedFlags());
  active->SetDescription(entry, Description());
  active->SetModified(true);
  if (OnShowWord) OnShowWord(item->Word);
  const QSignalBlocker block(WordEdit);
  WordEdit->setText(ToQString(item->Word));
  return true;
}

void TEntryEditorDialog::OkClicked() {
  const bool done = FChange ? Change() : !ButtonAddChange->isEnabled() || Add();
  if (done) accept();
}

// Enter at the very start of the description, or with Alt, adds the entry instead of a line.
bool TEntryEditorDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Memo1 && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter && (Memo1->textCursor().position() == 0 || (key->modifiers() & Qt::AltModifier))) {
      if (!FChange && Add()) {
        WordEdit->setFocus();
        WordEdit->selectAll();
      }
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TEntryEditorDialog::SetMarks(std::uint16_t parts, std::uint16_t flags) {
  for (int i = 0; i < 8; ++i)
    FChecks[i]->setChecked(((kMarks[i].Flag ? flags : parts) & kMarks[i].Bit) != 0);
}

std::uint16_t TEntryEditorDialog::CheckedParts() const {
  std::uint16_t bits = 0;
  for (int i = 0; i < 8; ++i)
    if (!kMarks[i].Flag && FChecks[i]->isChecked()) bits |= kMarks[i].Bit;
  return bits;
}

std::uint16_t TEntryEditorDialog::CheckedFlags() const {
  std::uint16_t bits = 0;
  for (int i = 0; i < 8; ++i)
    if (kMarks[i].Flag && FChecks[i]->isChecked()) bits |= kMarks[i].Bit;
  return bits;
}

std::string TEntryEditorDialog::Description() const {
  QString text = Memo1->toPlainText();
  return FromQString(text.replace(u'\n', QStringLiteral("\r\n"))).value_or(std::string());
}

}  // namespace gryvel::gui
