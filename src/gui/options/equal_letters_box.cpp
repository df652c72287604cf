#include "gui/options/equal_letters_box.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/dialogs.h"
#include "gui/text.h"
#include "results/language.h"

namespace gryvel::gui {

namespace {

// Columns: the switch, the letters, the equivalent.
constexpr int kSwitchColumn = 0;
constexpr int kLettersColumn = 1;
constexpr int kEquivalentColumn = 2;

QString OptionsText(const char* key) {
  return ToQString(WindowText(TWindowTexts::Options, key));
}

}  // namespace

TEqualLettersBox::TEqualLettersBox(QWidget* parent)
    : QGroupBox(parent),
      EqualList(new QTreeWidget(this)),
      AddButton(new QPushButton(this)),
      ChangeButton(new QPushButton(this)),
      DeleteButton(new QPushButton(this)) {
  setObjectName("EqualLettersGroup");
  EqualList->setObjectName("EqualList");
  EqualList->setColumnCount(3);
  EqualList->setRootIsDecorated(false);
  EqualList->setAllColumnsShowFocus(true);
  EqualList->setSelectionMode(QAbstractItemView::SingleSelection);
  EqualList->header()->setSectionResizeMode(kSwitchColumn, QHeaderView::ResizeToContents);
  EqualList->header()->setStretchLastSection(true);
  AddButton->setObjectName("AddButton");
  ChangeButton->setObjectName("ChangeButton");
  DeleteButton->setObjectName("DeleteButton");

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(AddButton);
  buttons->addWidget(ChangeButton);
  buttons->addWidget(DeleteButton);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(EqualList, 1);
  layout->addLayout(buttons);

  connect(AddButton, &QPushButton::clicked, this, &TEqualLettersBox::Add);
  connect(ChangeButton, &QPushButton::clicked, this, &TEqualLettersBox::Change);
  connect(DeleteButton, &QPushButton::clicked, this, &TEqualLettersBox::Delete);
  connect(EqualList, &QTreeWidget::itemChanged, this, &TEqualLettersBox::RowSwitched);
  connect(EqualList, &QTreeWidget::itemDoubleClicked, this, [this] { Change(); });
  connect(EqualList, &QTreeWidget::currentItemChanged, this, [this] { UpdateButtons(); });
  ApplyLanguage();
}

void TEqualLettersBox::ApplyLanguage() {
  setTitle(OptionsText("EqualLettersGroup"));
  EqualList->setHeaderLabels({QString(), OptionsText("LettersColumn"),
                              OptionsText("EquivalentColumn")});
  AddButton->setText(OptionsText("AddButton"));
  ChangeButton->setText(OptionsText("ChangeButton"));
  DeleteButton->setText(OptionsText("DeleteButton"));
}

void TEqualLettersBox::Load(const TCharacterManager& source) {
  FManager.AssignEqualLetters(source);
  FFilling = true;
  EqualList->clear();
  for (int i = 0; i < FManager.EqualLettersCount(); ++i) {
    auto* item = new QTreeWidgetItem(EqualList);
    ShowRow(item, FManager.GetEqualLetters(i));
  }
  FFilling = false;
  SetCurrentRow(0);
  FChanged = false;
  UpdateButtons();
}

void TEqualLettersBox::ShowRow(QTreeWidgetItem* item, const TEqualLetters& group) {
  const bool filling = FFilling;
  FFilling = true;
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
  item->setCheckState(kSwitchColumn, group.Active ? Qt::Checked : Qt::Unchecked);
  item->setText(kLettersColumn, ToQString(group.Letters));
  item->setText(kEquivalentColumn, ToQString(std::string_view(&group.Equivalent, 1)));
  FFilling = filling;
}

int TEqualLettersBox::CurrentRow() const {
  return EqualList->indexOfTopLevelItem(EqualList->currentItem());
}

void TEqualLettersBox::SetCurrentRow(int row) {
  QTreeWidgetItem* item = EqualList->topLevelItem(row);
  EqualList->setCurrentItem(item);
  if (item != nullptr) item->setSelected(true);
}

void TEqualLettersBox::MarkChanged() {
  FChanged = true;
  UpdateButtons();
  if (OnChanged) OnChanged();
}

void TEqualLettersBox::UpdateButtons() {
  const bool row = CurrentRow() >= 0;
  ChangeButton->setEnabled(row);
  DeleteButton->setEnabled(row);
}

void TEqualLettersBox::Add() {
  const std::optional<TEqualLetters> group = Dialogs().AskEqualLetters(this, true, {});
  if (!group) return;
  const int row = FManager.AddEqualLetters(*group);
  auto* item = new QTreeWidgetItem(EqualList);
  ShowRow(item, FManager.GetEqualLetters(row));
  SetCurrentRow(row);
  EqualList->setFocus();
  MarkChanged();
}

// The row keeps its switch: the dialog changes only the letters and the equivalent.
void TEqualLettersBox::Change() {
  const int row = CurrentRow();
  if (row < 0) return;
  const TEqualLetters old = FManager.GetEqualLetters(row);
  std::optional<TEqualLetters> group = Dialogs().AskEqualLetters(this, false, old);
  if (!group || (group->Letters == old.Letters && group->Equivalent == old.Equivalent)) return;
  group->Active = old.Active;
  FManager.SetEqualLetters(row, *group);
  ShowRow(EqualList->topLevelItem(row), *group);
  MarkChanged();
}

void TEqualLettersBox::Delete() {
  const int row = CurrentRow();
  if (row < 0) return;
  FManager.DeleteEqualLetters(row);
  delete EqualList->takeTopLevelItem(row);
  SetCurrentRow(std::min(row, EqualList->topLevelItemCount() - 1));
  MarkChanged();
}

void TEqualLettersBox::RowSwitched(QTreeWidgetItem* item, int column) {
  if (FFilling || column != kSwitchColumn) return;
  const int row = EqualList->indexOfTopLevelItem(item);
  const bool active = item->checkState(kSwitchColumn) == Qt::Checked;
  if (row < 0 || FManager.GetEqualLettersActive(row) == active) return;
  FManager.SetEqualLettersActive(row, active);
  MarkChanged();
}

}  // namespace gryvel::gui
