#pragma once

#include <QTreeWidget>
#include <functional>
#include <string_view>
#include <vector>

#include "common/event.h"
#include "shell/dictionary_info.h"

// The right panel's "Dictionaries" tree: one top-level node per dictionary of the collection
// with its information nodes (author, web and e-mail address, word count, file name, load
// time), the state image of each dictionary (connected, active) and the active one in bold.
// The texts come from DictionaryInfoLines; the main window calls the update methods from the
// collection's events. A dictionary whose load failed shows a state image of its own, with
// the reason in the node's tip, while it stays disconnected.

namespace gryvel {
class TDictionaryCollection;
class TKivDictionary;
}  // namespace gryvel

namespace gryvel::gui {

// What a node of the tree stands for. Records are appended and never removed, so an index
// held by a node stays valid; Object is a borrow that is read only through a node still shown.
struct TNodeInfo {
  TKivDictionary* Object = nullptr;
  TNodeKind NodeKind = TNodeKind::Dictionary;
  bool Active = false;  // Dictionary nodes: the collection's active dictionary
};

class TDictionaryTree : public QTreeWidget {
  Q_OBJECT

 public:
  // `collection` is borrowed and must outlive the tree.
  explicit TDictionaryTree(TDictionaryCollection& collection, QWidget* parent = nullptr);

  // Appends a top-level node for `dictionary` (borrowed; its node must go before it does)
  // showing `name` (code page 1251), with its state image and information nodes; returns it.
  QTreeWidgetItem* AddDictionaryNode(std::string_view name, TKivDictionary& dictionary);
  // Adds the information nodes of `dictionary` under `node`; the author node is expanded.
  void AddDictionaryInfoNodes(QTreeWidgetItem* node, TKivDictionary& dictionary);
  // Rebuilds the information nodes of top-level `node`, keeping it expanded or collapsed.
  void RefreshDictionaryNode(QTreeWidgetItem* node);
  // The top-level node of the collection's dictionary `index`; null when there is none.
  QTreeWidgetItem* FindDictionaryNode(int index) const;
  // The top-level node of `dictionary`; null when there is none.
  QTreeWidgetItem* NodeOf(const TKivDictionary& dictionary) const;
  // The record of `item`; null for null or an item of another tree.
  const TNodeInfo* NodeInfo(const QTreeWidgetItem* item) const;
  // The top-level order of the dictionaries, as the settings file lists them.
  std::vector<TKivDictionary*> DictionaryOrder() const;

  // `dictionary` finished loading: its information texts (word count, load time) follow.
  void DictionaryLoaded(TKivDictionary& dictionary);
  // The collection connected or disconnected `dictionary`: its state image follows.
  void SetConnected(TKivDictionary& dictionary, bool connected);
  // The collection's active dictionary changed: the active mark (bold, state image) moves.
  void ActiveChanged();
  // Rebuilds every information text in the current language.
  void ApplyLanguage();

  // Starts editing the text of top-level `node` in place.
  void EditNode(QTreeWidgetItem* node);
  // Starts editing the node of `dictionary` in place again, with `text` in the edit and
  // `length` characters from `start` selected; nothing when the dictionary has no node.
  void EditNodeAgain(const TKivDictionary& dictionary, const QString& text, int start, int length);
  // Shows `name` (code page 1251) on the node of `dictionary`.
  void SetNodeText(const TKivDictionary& dictionary, std::string_view name);
  // Takes the node of `dictionary`, and its information nodes, out of the tree.
  void RemoveDictionaryNode(const TKivDictionary& dictionary);

  // A left click on the state image of the node of the dictionary.
  std::function<void(TKivDictionary&)> OnStateImageClick;
  // An edit in place of a dictionary node ended with a new text.
  std::function<void(TKivDictionary&, const QString&)> OnRenamed;

  // The state image shown on `item` (DictionaryStateImage); 0 for an information node.
  int StateImage(const QTreeWidgetItem* item) const;
  // Where the state image of top-level `item` is drawn, in viewport coordinates; empty for
  // other items.
  QRect StateImageRect(const QTreeWidgetItem* item) const;

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  int AddRecord(TKivDictionary& dictionary, TNodeKind kind);
  TNodeInfo* Record(const QTreeWidgetItem* item);
  void ShowState(QTreeWidgetItem* node, bool connected);
  // Sets the texts of the information nodes of `node` in place; false when the set of nodes
  // would differ (an author appeared or went), which needs RefreshDictionaryNode.
  bool UpdateInfoTexts(QTreeWidgetItem* node);
  // Brings the information nodes of `dictionary` up to date.
  void UpdateInfo(TKivDictionary& dictionary);

  TDictionaryCollection& FCollection;
  std::vector<TNodeInfo> FNodeInfoTable{TNodeInfo{}};  // entry 0 is never used
  TSubscriptions FHooks;
};

}  // namespace gryvel::gui
