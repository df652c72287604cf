#include "gui/main_window/dictionary_tree.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyledItemDelegate>
#include <iterator>

#include "dictionary/dictionary_collection.h"
#include "dictionary/kiv_dictionary.h"
#include "gui/icons.h"
#include "gui/text.h"
#include "results/language.h"

namespace gryvel::gui {

namespace {

constexpr int kInfoRole = Qt::UserRole;       // the node's index in the node table
constexpr int kStateRole = Qt::UserRole + 1;  // top-level nodes: the state image, 1 to 4
constexpr int kStateGap = 2;                  // pixels between the state image and the icon

constexpr TIcon kStateIcons[] = {TIcon::StateDisconnected,       TIcon::StateConnected,
                                 TIcon::StateDisconnectedActive, TIcon::StateConnectedActive,
                                 TIcon::StateFailed,             TIcon::StateFailedActive};
constexpr int kStateCount = static_cast<int>(std::size(kStateIcons));

// The state image's place at the left of an item's rect.
QRect StateRect(const QRect& item, const QSize& icon) {
  return {item.left() + 1, item.top() + (item.height() - icon.height()) / 2, icon.width(),
          icon.height()};
}

// Draws a top-level node's state image before its icon, outside the selection highlight, as a
// tree with state images does.
class TStateImageDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const int state = index.data(kStateRole).toInt();
    if (state < 1 || state > kStateCount) return QStyledItemDelegate::paint(painter, option, index);
    const QRect mark = StateRect(option.rect, option.decorationSize);
    QStyleOptionViewItem rest(option);
    rest.rect.setLeft(mark.right() + 1 + kStateGap);
    // Where the style highlights the branch of a selected row, the gap before the item is
    // highlighted too, so the row reads as one band.
    const QWidget* view = option.widget;
    if ((option.state & QStyle::State_Selected) && view != nullptr &&
        view->style()->styleHint(QStyle::SH_ItemView_ShowDecorationSelected, &option, view)) {
      const QPalette::ColorGroup group =
          option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
      painter->fillRect(
          QRect(option.rect.topLeft(), QPoint(rest.rect.left() - 1, option.rect.bottom())),
          option.palette.brush(group, QPalette::Highlight));
    }
    Icon(kStateIcons[state - 1]).paint(painter, mark);
    QStyledItemDelegate::paint(painter, rest, index);
  }

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    FEditor = QStyledItemDelegate::createEditor(parent, option, index);
    return FEditor;
  }

  // The edit in place opened last, while it is open.
  QLineEdit* Editor() const { return qobject_cast<QLineEdit*>(FEditor.data()); }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (index.data(kStateRole).toInt() > 0)
      size.rwidth() += option.decorationSize.width() + 1 + kStateGap;
    return size;
  }

 private:
  mutable QPointer<QWidget> FEditor;
};

TIcon DictionaryIcon(const TKivDictionary& dictionary) {
  return dictionary.Kind() == TDictKind::kBinary ? TIcon::DictionaryBinary : TIcon::DictionaryText;
}

TIcon InfoIcon(TNodeKind kind) {
  return kind == TNodeKind::Web     ? TIcon::WebNode
         : kind == TNodeKind::Email ? TIcon::EmailNode
                                    : TIcon::InfoNode;
}

QFont SizedFont(const QFont& base, int points, bool bold = false) {
  QFont font = base;
  font.setPointSize(points);
  font.setBold(bold);
  return font;
}

// Holds the tree's repaints for a scope, restoring the state found.
class THoldUpdates {
 public:
  explicit THoldUpdates(QWidget* widget) : FWidget(widget), FWas(widget->updatesEnabled()) {
    FWidget->setUpdatesEnabled(false);
  }
  ~THoldUpdates() { FWidget->setUpdatesEnabled(FWas); }
  THoldUpdates(const THoldUpdates&) = delete;
  THoldUpdates& operator=(const THoldUpdates&) = delete;

 private:
  QWidget* FWidget;
  bool FWas;
};

// The information items under `node` in tree order (each followed by its own children).
std::vector<QTreeWidgetItem*> InfoItems(QTreeWidgetItem* node) {
  std::vector<QTreeWidgetItem*> items;
  for (int i = 0; i < node->childCount(); ++i) {
    QTreeWidgetItem* child = node->child(i);
    items.push_back(child);
    for (int j = 0; j < child->childCount(); ++j) items.push_back(child->child(j));
  }
  return items;
}

}  // namespace

TDictionaryTree::TDictionaryTree(TDictionaryCollection& collection, QWidget* parent)
    : QTreeWidget(parent), FCollection(collection) {
  setObjectName("DictionaryTree");
  setHeaderHidden(true);
  // Long names and patterns scroll sideways rather than being cut short.
  header()->setStretchLastSection(false);
  header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  setColumnCount(1);
  setIconSize(QSize(16, 16));
  setEditTriggers(QAbstractItemView::EditKeyPressed);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setItemDelegate(new TStateImageDelegate(this));
  setContextMenuPolicy(Qt::CustomContextMenu);
  // A failed load may leave the dictionary as it was (not connected): show the failure anyway.
  FHooks += collection.OnLoadFailed.Subscribe([this](TDictionaryCollection& c, std::int32_t index) {
    if (TKivDictionary* dictionary = c.Dictionary(index))
      ShowState(NodeOf(*dictionary), dictionary->Connected());
  });
  // Words are added and deleted in the active dictionary only: its word count follows.
  FHooks += collection.OnListChange.Subscribe([this](TDictionaryCollection& c) {
    if (TKivDictionary* active = c.Active()) UpdateInfo(*active);
  });
  // An edit in place ends in a changed text; other data changes (the state) are not renames.
  connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
    const TNodeInfo* record = NodeInfo(item);
    if (record == nullptr || record->NodeKind != TNodeKind::Dictionary || !OnRenamed) return;
    if (item->text(0) != ToQString(record->Object->Name())) OnRenamed(*record->Object, item->text(0));
  });
}

// --- The node table

int TDictionaryTree::AddRecord(TKivDictionary& dictionary, TNodeKind kind) {
  FNodeInfoTable.push_back({&dictionary, kind, false});
  return static_cast<int>(FNodeInfoTable.size()) - 1;
}

const TNodeInfo* TDictionaryTree::NodeInfo(const QTreeWidgetItem* item) const {
  if (item == nullptr || item->treeWidget() != this) return nullptr;
  const int index = item->data(0, kInfoRole).toInt();
  if (index <= 0 || index >= static_cast<int>(FNodeInfoTable.size())) return nullptr;
  return &FNodeInfoTable[static_cast<std::size_t>(index)];
}

TNodeInfo* TDictionaryTree::Record(const QTreeWidgetItem* item) {
  return const_cast<TNodeInfo*>(NodeInfo(item));
}

// --- Building nodes

QTreeWidgetItem* TDictionaryTree::AddDictionaryNode(std::string_view name,
                                                    TKivDictionary& dictionary) {
  THoldUpdates hold(this);
  const int record = AddRecord(dictionary, TNodeKind::Dictionary);
  FNodeInfoTable.back().Active = FCollection.Active() == &dictionary;
  auto* node = new QTreeWidgetItem;
  node->setText(0, ToQString(name));
  node->setData(0, kInfoRole, record);
  node->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
  addTopLevelItem(node);
  AddDictionaryInfoNodes(node, dictionary);
  return node;
}

void TDictionaryTree::AddDictionaryInfoNodes(QTreeWidgetItem* node, TKivDictionary& dictionary) {
  if (node == nullptr) return;
  // The header read for the lines also tells the dictionary's kind.
  const std::vector<TDictionaryInfoLine> lines = DictionaryInfoLines(dictionary);
  node->setIcon(0, Icon(DictionaryIcon(dictionary)));
  ShowState(node, dictionary.Connected());
  const QFont font = SizedFont(this->font(), 8);
  QTreeWidgetItem* author = nullptr;
  for (const TDictionaryInfoLine& line : lines) {
    QTreeWidgetItem* parent = line.Parent == TNodeKind::Author && author ? author : node;
    auto* item = new QTreeWidgetItem(parent);
    item->setText(0, ToQString(line.Text));
    item->setIcon(0, Icon(InfoIcon(line.Kind)));
    item->setFont(0, font);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setData(0, kInfoRole, AddRecord(dictionary, line.Kind));
    if (line.Kind == TNodeKind::Author) author = item;
  }
  if (author != nullptr) author->setExpanded(true);
}

void TDictionaryTree::RefreshDictionaryNode(QTreeWidgetItem* node) {
  const TNodeInfo* record = NodeInfo(node);
  if (record == nullptr || record->NodeKind != TNodeKind::Dictionary) return;
  THoldUpdates hold(this);
  const bool expanded = node->isExpanded();
  qDeleteAll(node->takeChildren());
  AddDictionaryInfoNodes(node, *record->Object);
  node->setExpanded(expanded);
}

bool TDictionaryTree::UpdateInfoTexts(QTreeWidgetItem* node) {
  const TNodeInfo* record = NodeInfo(node);
  if (record == nullptr) return true;
  const std::vector<TDictionaryInfoLine> lines = DictionaryInfoLines(*record->Object);
  const std::vector<QTreeWidgetItem*> items = InfoItems(node);
  if (items.size() != lines.size()) return false;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const TNodeInfo* info = NodeInfo(items[i]);
    if (info == nullptr || info->NodeKind != lines[i].Kind) return false;
  }
  for (std::size_t i = 0; i < items.size(); ++i) items[i]->setText(0, ToQString(lines[i].Text));
  node->setIcon(0, Icon(DictionaryIcon(*record->Object)));
  return true;
}

// --- Finding nodes

QTreeWidgetItem* TDictionaryTree::NodeOf(const TKivDictionary& dictionary) const {
  for (int i = 0; i < topLevelItemCount(); ++i) {
    QTreeWidgetItem* node = topLevelItem(i);
    const TNodeInfo* record = NodeInfo(node);
    if (record != nullptr && record->Object == &dictionary) return node;
  }
  return nullptr;
}

QTreeWidgetItem* TDictionaryTree::FindDictionaryNode(int index) const {
  const TKivDictionary* dictionary = FCollection.Dictionary(index);
  return dictionary == nullptr ? nullptr : NodeOf(*dictionary);
}

std::vector<TKivDictionary*> TDictionaryTree::DictionaryOrder() const {
  std::vector<TKivDictionary*> order;
  for (int i = 0; i < topLevelItemCount(); ++i)
    if (const TNodeInfo* record = NodeInfo(topLevelItem(i))) order.push_back(record->Object);
  return order;
}

// --- Following the collection

void TDictionaryTree::ShowState(QTreeWidgetItem* node, bool connected) {
  const TNodeInfo* record = NodeInfo(node);
  if (record == nullptr) return;
  const TLoadFailure& failure = record->Object->LoadFailure();
  const bool failed = failure && !connected;
  node->setData(0, kStateRole, DictionaryStateImage(connected, record->Active, failed));
  node->setFont(0, SizedFont(font(), 10, record->Active));
  node->setToolTip(0, failed ? ToQString(TermWith(TTerm::DictionaryNotLoadedTip,
                                                  LoadFailureReason(failure)))
                             : QString());
}

void TDictionaryTree::DictionaryLoaded(TKivDictionary& dictionary) {
  UpdateInfo(dictionary);
}

void TDictionaryTree::UpdateInfo(TKivDictionary& dictionary) {
  QTreeWidgetItem* node = NodeOf(dictionary);
  if (node != nullptr && !UpdateInfoTexts(node)) RefreshDictionaryNode(node);
}

void TDictionaryTree::SetConnected(TKivDictionary& dictionary, bool connected) {
  ShowState(NodeOf(dictionary), connected);
}

void TDictionaryTree::ActiveChanged() {
  const TKivDictionary* active = FCollection.Active();
  for (int i = 0; i < topLevelItemCount(); ++i) {
    QTreeWidgetItem* node = topLevelItem(i);
    TNodeInfo* record = Record(node);
    if (record == nullptr) continue;
    record->Active = record->Object == active;
    ShowState(node, record->Object->Connected());
  }
}

void TDictionaryTree::ApplyLanguage() {
  THoldUpdates hold(this);
  for (int i = 0; i < topLevelItemCount(); ++i)
    if (!UpdateInfoTexts(topLevelItem(i))) RefreshDictionaryNode(topLevelItem(i));
}

// --- Commands

void TDictionaryTree::EditNode(QTreeWidgetItem* node) {
  if (NodeInfo(node) == nullptr || node->parent() != nullptr) return;
  setCurrentItem(node);
  editItem(node);
}

void TDictionaryTree::EditNodeAgain(const TKivDictionary& dictionary, const QString& text,
                                    int start, int length) {
  EditNode(NodeOf(dictionary));
  QLineEdit* editor = static_cast<const TStateImageDelegate*>(itemDelegate())->Editor();
  if (editor == nullptr) return;
  editor->setText(text);
  editor->setSelection(start, length);
}

void TDictionaryTree::SetNodeText(const TKivDictionary& dictionary, std::string_view name) {
  if (QTreeWidgetItem* node = NodeOf(dictionary)) {
    const QSignalBlocker block(this);
    node->setText(0, ToQString(name));
  }
}

void TDictionaryTree::RemoveDictionaryNode(const TKivDictionary& dictionary) {
  delete NodeOf(dictionary);
}

// --- Mouse

int TDictionaryTree::StateImage(const QTreeWidgetItem* item) const {
  return item == nullptr ? 0 : item->data(0, kStateRole).toInt();
}

QRect TDictionaryTree::StateImageRect(const QTreeWidgetItem* item) const {
  if (item == nullptr || item->parent() != nullptr || StateImage(item) <= 0) return {};
  const QRect row = visualItemRect(item);
  return row.isEmpty() ? QRect() : StateRect(row, iconSize());
}

void TDictionaryTree::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  QTreeWidgetItem* item = itemAt(at);
  if (event->button() == Qt::RightButton && item != nullptr) setCurrentItem(item);
  if (event->button() == Qt::LeftButton && item != nullptr && OnStateImageClick &&
      StateImageRect(item).contains(at)) {
    const TNodeInfo* record = NodeInfo(item);
    setCurrentItem(item);
    if (record != nullptr) OnStateImageClick(*record->Object);
    return;
  }
  QTreeWidget::mousePressEvent(event);
}

}  // namespace gryvel::gui
