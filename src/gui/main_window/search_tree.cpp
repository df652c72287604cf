#include "gui/main_window/search_tree.h"

#include <QAction>
#include <QHeaderView>
#include <QActionGroup>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTreeWidgetItemIterator>

#include "gui/dialogs.h"
#include "gui/fonts.h"
#include "gui/icons.h"
#include "gui/text.h"
#include "results/language.h"

namespace gryvel::gui {

namespace {

constexpr int kIdRole = Qt::UserRole;

QFont RootFont() { return PointFont(QStringLiteral("Verdana"), 10); }
QFont NewSearchFont() { return PointFont(QStringLiteral("Verdana"), 8); }
QFont EntryFont() { return PointFont(QStringLiteral("Courier New"), 10); }

TIcon NodeIcon(const THistoryNode& node) {
  switch (node.Kind) {
    case THistoryNodeKind::Root:
      switch (node.Branch) {
        case THistoryBranch::Crossword:
          return TIcon::CrosswordRoot;
        case THistoryBranch::Anagrams:
          return TIcon::AnagramRoot;
        case THistoryBranch::Meaning:
          // The descriptions' mark: a meaning search reads them.
          return TIcon::InfoNode;
        case THistoryBranch::EqualLetters:
          break;
      }
      return TIcon::EqualRoot;
    case THistoryNodeKind::NewSearch:
      return TIcon::NewSearch;
    case THistoryNodeKind::Pattern:
    case THistoryNodeKind::Meaning:
      return TIcon::PatternEntry;
    case THistoryNodeKind::Anagram:
      return TIcon::AnagramEntry;
    case THistoryNodeKind::EqualLetters:
      break;
  }
  return node.Active ? TIcon::EqualActive : TIcon::EqualInactive;
}

QString MainText(const char* key) {
  return ToQString(WindowText(TWindowTexts::MainWindow, key));
}

constexpr const char* kModeKeys[] = {"DictionaryUsualItem", "DictionaryIncludeAllItem",
                                     "DictionaryMakeUpWordsItem"};
constexpr const char* kModeNames[] = {"searchTreeUsualAction", "searchTreeIncludeAllAction",
                                      "searchTreeMakeUpWordsAction"};

}  // namespace

TSearchTree::TSearchTree(TSearchHistory& history, TCharacterManager& manager, QWidget* parent)
    : QTreeWidget(parent), FHistory(history), FManager(manager) {
  setObjectName("SearchTree");
  setHeaderHidden(true);
  // Long names and patterns scroll sideways rather than being cut short.
  header()->setStretchLastSection(false);
  header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  setColumnCount(1);
  setEditTriggers(QAbstractItemView::EditKeyPressed);
  setSelectionMode(QAbstractItemView::SingleSelection);
  for (int b = 0; b < kHistoryBranches; ++b) {
    const auto branch = static_cast<THistoryBranch>(b);
    QTreeWidgetItem* root = MakeItem(FHistory.Root(branch));
    addTopLevelItem(root);
    for (const THistoryNode& node : FHistory.Children(branch)) root->addChild(MakeItem(node));
  }
  BuildMenu();
  FHistoryHook = FHistory.OnChange.Subscribe(
      [this](const THistoryChange& change) { HistoryChanged(change); });
  connect(this, &QTreeWidget::itemChanged, this,
          [this](QTreeWidgetItem* item, int) { ItemEdited(item); });
  connect(this, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item, int) { RunAction(FHistory.DoubleClick(NodeId(item))); });
}

// --- Items

THistoryNodeId TSearchTree::NodeId(const QTreeWidgetItem* item) {
  return item == nullptr ? kNoHistoryNode : item->data(0, kIdRole).value<THistoryNodeId>();
}

QTreeWidgetItem* TSearchTree::ItemOf(THistoryNodeId id) const {
  const THistoryNode* node = FHistory.Find(id);
  if (node == nullptr) return nullptr;
  QTreeWidgetItem* root = topLevelItem(static_cast<int>(node->Branch));
  if (root == nullptr || node->Kind == THistoryNodeKind::Root) return root;
  QTreeWidgetItem* item = root->child(FHistory.Row(id));
  return NodeId(item) == id ? item : nullptr;
}

QTreeWidgetItem* TSearchTree::MakeItem(const THistoryNode& node) {
  auto* item = new QTreeWidgetItem;
  ShowNode(item, node);
  return item;
}

void TSearchTree::ShowNode(QTreeWidgetItem* item, const THistoryNode& node) {
  const bool showing = FShowing;
  FShowing = true;
  item->setData(0, kIdRole, QVariant::fromValue(node.Id));
  item->setText(0, ToQString(TSearchHistory::Caption(node)));
  item->setIcon(0, Icon(NodeIcon(node)));
  Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
  if (FHistory.CanEditInPlace(node.Id)) flags |= Qt::ItemIsEditable;
  item->setFlags(flags);
  switch (node.Kind) {
    case THistoryNodeKind::Root:
      item->setFont(0, RootFont());
      break;
    case THistoryNodeKind::NewSearch:
      // The style draws selected text in the highlight colour, so maroon shows unselected only.
      item->setFont(0, NewSearchFont());
      item->setForeground(0, QColor(128, 0, 0));
      break;
    default:
      item->setFont(0, EntryFont());
      break;
  }
  FShowing = showing;
}

void TSearchTree::HistoryChanged(const THistoryChange& change) {
  QTreeWidgetItem* root = topLevelItem(static_cast<int>(change.Branch));
  if (root == nullptr) return;
  const THistoryNode* node = FHistory.Find(change.Node);
  switch (change.Kind) {
    case THistoryChange::Inserted:
      if (node != nullptr) root->insertChild(change.Row, MakeItem(*node));
      break;
    case THistoryChange::Removed:
      if (NodeId(root->child(change.Row)) == change.Node) delete root->takeChild(change.Row);
      break;
    case THistoryChange::Changed:
      if (QTreeWidgetItem* item = root->child(change.Row); item != nullptr && node != nullptr)
        ShowNode(item, *node);
      break;
  }
}

void TSearchTree::ItemEdited(QTreeWidgetItem* item) {
  if (FShowing) return;
  const THistoryNodeId id = NodeId(item);
  const std::optional<std::string> text = FromQString(item->text(0));
  if (text && FHistory.SetEntryText(id, *text)) return;
  // Refused: the node shows the model's text again.
  if (const THistoryNode* node = FHistory.Find(id)) ShowNode(item, *node);
}

QRect TSearchTree::IconRect(const QTreeWidgetItem* item) const {
  if (item == nullptr || item->icon(0).isNull()) return {};
  const QModelIndex index = indexFromItem(item);
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.rect = visualRect(index);
  if (option.rect.isEmpty()) return {};
  option.features |= QStyleOptionViewItem::HasDecoration | QStyleOptionViewItem::HasDisplay;
  option.icon = item->icon(0);
  option.text = item->text(0);
  option.font = item->font(0);
  option.index = index;
  return style()->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, this);
}

// --- Mouse and keys

void TSearchTree::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  QTreeWidgetItem* item = itemAt(pos);
  if (event->button() == Qt::RightButton && item != nullptr) setCurrentItem(item);
  QTreeWidget::mousePressEvent(event);
  if (event->button() == Qt::LeftButton && item != nullptr && IconRect(item).contains(pos))
    FHistory.ToggleEqualLetters(NodeId(item), FManager);
}

void TSearchTree::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete && state() != QAbstractItemView::EditingState) {
    DeleteCommand();
    event->accept();
    return;
  }
  // Enter does what a double click does, so that the keyboard reaches every entry's search.
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      state() != QAbstractItemView::EditingState) {
    RunAction(FHistory.DoubleClick(CurrentId()));
    event->accept();
    return;
  }
  // F2 edits a history entry in place; on an equal-letters group it opens its dialog.
  if (event->key() == Qt::Key_F2 && state() != QAbstractItemView::EditingState &&
      !FHistory.CanEditInPlace(CurrentId()) && FHistory.CanChange(CurrentId())) {
    ChangeCommand();
    event->accept();
    return;
  }
  QTreeWidget::keyPressEvent(event);
}

void TSearchTree::contextMenuEvent(QContextMenuEvent* event) {
  UpdateMenu();
  FMenu->popup(event->globalPos());
  event->accept();
}

// --- Menu

void TSearchTree::BuildMenu() {
  FMenu = new QMenu(this);
  FMenu->setObjectName("searchTreeMenu");
  FNewAction = FMenu->addAction(QString(), this, &TSearchTree::NewCommand);
  FNewAction->setObjectName("searchTreeNewAction");
  FChangeAction = FMenu->addAction(QString(), this, &TSearchTree::ChangeCommand);
  FChangeAction->setObjectName("searchTreeChangeAction");
  FDeleteAction = FMenu->addAction(QString(), this, &TSearchTree::DeleteCommand);
  FDeleteAction->setObjectName("searchTreeDeleteAction");
  FModeMenu = FMenu->addMenu(QString());
  FModeMenu->setObjectName("searchTreeModeMenu");
  auto* group = new QActionGroup(this);
  for (int mode = 0; mode < 3; ++mode) {
    QAction* action = FModeMenu->addAction(QString());
    action->setObjectName(kModeNames[mode]);
    action->setCheckable(true);
    group->addAction(action);
    connect(action, &QAction::triggered, this,
            [this, mode] { SetMode(static_cast<TAnagramOptions>(mode)); });
    FModeActions[mode] = action;
  }
  ApplyLanguage();
}

void TSearchTree::UpdateMenu() {
  const THistoryNodeId id = CurrentId();
  const THistoryNode* node = FHistory.Find(id);
  FNewAction->setEnabled(node != nullptr);
  FChangeAction->setEnabled(FHistory.CanChange(id));
  FDeleteAction->setEnabled(FHistory.CanChange(id));
  FModeMenu->setEnabled(FHistory.CanSetAnagramMode(id));
  for (int mode = 0; mode < 3; ++mode)
    FModeActions[mode]->setChecked(FHistory.CanSetAnagramMode(id) && node->Mode == mode);
}

void TSearchTree::ApplyLanguage() {
  for (int b = 0; b < topLevelItemCount(); ++b) {
    QTreeWidgetItem* root = topLevelItem(b);
    for (QTreeWidgetItem* item : {root, root->child(0)}) {
      const THistoryNode* node = FHistory.Find(NodeId(item));
      if (node != nullptr &&
          (node->Kind == THistoryNodeKind::Root || node->Kind == THistoryNodeKind::NewSearch))
        ShowNode(item, *node);
    }
  }
  FNewAction->setText(MainText("DictionaryNewItem"));
  FChangeAction->setText(MainText("DictionaryChangeItem"));
  FDeleteAction->setText(MainText("HistoryDeleteItem"));
  FModeMenu->setTitle(MainText("DictionarySearchKindMenu"));
  for (int mode = 0; mode < 3; ++mode) FModeActions[mode]->setText(MainText(kModeKeys[mode]));
}

void TSearchTree::ExpandAllAndScrollTop() {
  // The nodes are marked for the next layout rather than laid out now (as expandAll would):
  // at start-up the tree is hidden, and it is laid out when it first shows.
  scheduleDelayedItemsLayout();
  for (QTreeWidgetItemIterator it(this); *it != nullptr; ++it) (*it)->setExpanded(true);
  scrollToTop();
}

// --- Commands

THistoryNodeId TSearchTree::CurrentId() const {
  return NodeId(currentItem());
}

void TSearchTree::RunAction(const THistoryAction& action) {
  if (action.Kind != THistoryAction::None && OnAction) OnAction(action);
}

void TSearchTree::NewCommand() {
  RunAction(FHistory.NewCommand(CurrentId()));
}

// A history entry is edited in place; an equal-letters group in the equal-letters dialog.
void TSearchTree::ChangeCommand() {
  QTreeWidgetItem* item = currentItem();
  const THistoryNodeId id = NodeId(item);
  if (FHistory.CanEditInPlace(id)) {
    editItem(item);
    return;
  }
  const THistoryNode* node = FHistory.Find(id);
  if (node == nullptr || node->Kind != THistoryNodeKind::EqualLetters) return;
  const TEqualLetters old = FManager.GetEqualLetters(node->EqualIndex);
  if (const std::optional<TEqualLetters> group = Dialogs().AskEqualLetters(this, false, old))
    FHistory.ChangeEqualLetters(id, FManager, *group);
}

void TSearchTree::DeleteCommand() {
  const THistoryNodeId next = FHistory.Delete(CurrentId(), FManager);
  if (QTreeWidgetItem* item = ItemOf(next)) setCurrentItem(item);
}

void TSearchTree::SetMode(TAnagramOptions mode) {
  FHistory.SetAnagramMode(CurrentId(), mode);
}

}  // namespace gryvel::gui
