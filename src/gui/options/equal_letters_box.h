#pragma once

#include <QGroupBox>
#include <functional>

#include "search/character_manager.h"

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The options dialog's equal-letters list: a working copy of the groups, one row each with
// its switch, letters and equivalent, and the Add, Change and Delete buttons. Nothing reaches
// the searches until the dialog applies the copy.

namespace gryvel::gui {

class TEqualLettersBox : public QGroupBox {
  Q_OBJECT

 public:
  explicit TEqualLettersBox(QWidget* parent = nullptr);

  // Any change of the copy: a group added, changed, deleted or switched.
  std::function<void()> OnChanged;

  // Takes a fresh copy of `source`'s groups; the first row is current, nothing is changed.
  void Load(const TCharacterManager& source);
  // The groups as edited.
  const TCharacterManager& Manager() const { return FManager; }
  // Whether the copy was changed since it was loaded or last applied.
  bool Changed() const { return FChanged; }
  void ClearChanged() { FChanged = false; }

  void ApplyLanguage();

 private:
  void ShowRow(QTreeWidgetItem* item, const TEqualLetters& group);
  int CurrentRow() const;
  void SetCurrentRow(int row);
  void MarkChanged();
  void UpdateButtons();
  void Add();
  void Change();
  void Delete();
  void RowSwitched(QTreeWidgetItem* item, int column);

  TCharacterManager FManager{TManagerRole::WorkingCopy};
  bool FChanged = false;
  bool FFilling = false;  // rows are being set from the copy, not switched by the user
  QTreeWidget* EqualList;
  QPushButton* AddButton;
  QPushButton* ChangeButton;
  QPushButton* DeleteButton;
};

}  // namespace gryvel::gui
