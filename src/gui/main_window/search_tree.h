#pragma once

#include <QTreeWidget>
#include <functional>

#include "shell/search_history.h"

class QAction;
class QMenu;

// The right panel's "Search" tree: a view of the search history with its commands. Every rule
// lives in TSearchHistory; this widget maps its nodes to items and the user's clicks, keys and
// menu commands to its calls.

namespace gryvel::gui {

class TSearchTree : public QTreeWidget {
  Q_OBJECT

 public:
  // Shows `history` and listens to its OnChange until destroyed; `manager` is the searches'
  // character manager, whose equal-letters groups the tree switches and deletes. Both are
  // borrowed and must outlive the tree.
  TSearchTree(TSearchHistory& history, TCharacterManager& manager, QWidget* parent = nullptr);

  // What a double click or "New..." asks of the main window (a search dialog page, a search
  // to run again, the equal-letters dialog).
  std::function<void(const THistoryAction&)> OnAction;

  // Re-captions the roots and the "New search..." nodes in the current language, and the menu.
  void ApplyLanguage();
  // After the history has been read: every node expanded, the first one at the top.
  void ExpandAllAndScrollTop();

  // The item of node `id`; null when the tree has none.
  QTreeWidgetItem* ItemOf(THistoryNodeId id) const;
  // The node an item shows; kNoHistoryNode for null.
  static THistoryNodeId NodeId(const QTreeWidgetItem* item);
  // Where the node's icon is drawn, in viewport coordinates; empty when not shown.
  QRect IconRect(const QTreeWidgetItem* item) const;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void BuildMenu();
  void UpdateMenu();
  QTreeWidgetItem* MakeItem(const THistoryNode& node);
  void ShowNode(QTreeWidgetItem* item, const THistoryNode& node);
  void HistoryChanged(const THistoryChange& change);
  void ItemEdited(QTreeWidgetItem* item);
  void RunAction(const THistoryAction& action);
  THistoryNodeId CurrentId() const;
  void NewCommand();
  void ChangeCommand();
  void DeleteCommand();
  void SetMode(TAnagramOptions mode);

  TSearchHistory& FHistory;
  TSubscription FHistoryHook;
  TCharacterManager& FManager;
  bool FShowing = false;  // items are being set from the model, not edited by the user
  QMenu* FMenu = nullptr;
  QAction* FNewAction = nullptr;
  QAction* FChangeAction = nullptr;
  QAction* FDeleteAction = nullptr;
  QMenu* FModeMenu = nullptr;
  QAction* FModeActions[3] = {};
};

}  // namespace gryvel::gui
