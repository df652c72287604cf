#include "shell/search_history.h"

#include <algorithm>
#include <utility>

#include "results/language.h"
#include "shell/search_request.h"

namespace gryvel {

namespace {

constexpr std::size_t Index(THistoryBranch branch) {
  return static_cast<std::size_t>(branch);
}

// The branches that record searches.
constexpr THistoryBranch kSearchBranches[] = {THistoryBranch::Crossword, THistoryBranch::Anagrams,
                                              THistoryBranch::Meaning};

THistoryBranch BranchOf(THistoryNodeKind kind) {
  switch (kind) {
    case THistoryNodeKind::Pattern:
      return THistoryBranch::Crossword;
    case THistoryNodeKind::Meaning:
      return THistoryBranch::Meaning;
    default:
      break;
  }
  return THistoryBranch::Anagrams;
}

bool IsHistoryEntry(const THistoryNode& node) {
  return node.Kind == THistoryNodeKind::Pattern || node.Kind == THistoryNodeKind::Anagram ||
         node.Kind == THistoryNodeKind::Meaning;
}

}  // namespace

std::string EqualLettersText(const TEqualLetters& group) {
  std::string text = group.Letters + "=";
  if (group.Equivalent != '\0') text += group.Equivalent;
  return text;
}

std::optional<TEqualLetters> EqualLettersFromInput(std::string_view letters,
                                                   std::string_view equivalent) {
  if (letters.empty() || equivalent.empty()) return std::nullopt;
  return TEqualLetters{std::string(letters), equivalent.front(), true};
}

TSearchHistory::TSearchHistory() {
  for (int b = 0; b < kHistoryBranches; ++b) {
    const auto branch = static_cast<THistoryBranch>(b);
    FRoots[Index(branch)] = MakeNode(THistoryNodeKind::Root, branch, "");
  }
  for (THistoryBranch branch : kSearchBranches)
    FChildren[Index(branch)].push_back(MakeNode(THistoryNodeKind::NewSearch, branch, ""));
}

// --- The tree

const THistoryNode& TSearchHistory::Root(THistoryBranch branch) const {
  return FRoots[Index(branch)];
}

const std::vector<THistoryNode>& TSearchHistory::Children(THistoryBranch branch) const {
  return FChildren[Index(branch)];
}

std::int32_t TSearchHistory::EntryCount(THistoryBranch branch) const {
  const auto count = static_cast<std::int32_t>(Children(branch).size());
  return branch == THistoryBranch::EqualLetters ? count : count - 1;
}

TSearchHistory::TPlace TSearchHistory::Locate(THistoryNodeId id) const {
  for (const THistoryNode& root : FRoots) {
    if (root.Id == id) return {root.Branch, kRootRow};
    const std::vector<THistoryNode>& children = Children(root.Branch);
    for (std::size_t row = 0; row < children.size(); ++row)
      if (children[row].Id == id) return {root.Branch, static_cast<std::int32_t>(row)};
  }
  return {THistoryBranch::Crossword, kNoRow};
}

template <typename Self>
auto* TSearchHistory::FindIn(Self& self, THistoryNodeId id) {
  const TPlace place = self.Locate(id);
  auto* node = place.Row == kRootRow ? &self.FRoots[Index(place.Branch)] : nullptr;
  if (place.Row >= 0)
    node = &self.FChildren[Index(place.Branch)][static_cast<std::size_t>(place.Row)];
  return node;
}

const THistoryNode* TSearchHistory::Find(THistoryNodeId id) const {
  return FindIn(*this, id);
}

std::int32_t TSearchHistory::Row(THistoryNodeId id) const {
  const std::int32_t row = Locate(id).Row;
  return row < 0 ? -1 : row;
}

THistoryNode* TSearchHistory::Entry(THistoryNodeId id, THistoryNodeKind kind) {
  THistoryNode* node = FindIn(*this, id);
  return node != nullptr && node->Kind == kind ? node : nullptr;
}

std::string TSearchHistory::Caption(const THistoryNode& node) {
  if (node.Kind == THistoryNodeKind::NewSearch) return Term(TTerm::NewSearch);
  if (node.Kind != THistoryNodeKind::Root) return node.Text;
  switch (node.Branch) {
    case THistoryBranch::Crossword:
      return Term(TTerm::Crossword);
    case THistoryBranch::Anagrams:
      return Term(TTerm::Anagrams);
    case THistoryBranch::Meaning:
      return Term(TTerm::ByMeaning);
    case THistoryBranch::EqualLetters:
      break;
  }
  return Term(TTerm::EqualLetters);
}

int TSearchHistory::ImageIndex(const THistoryNode& node) {
  switch (node.Kind) {
    case THistoryNodeKind::Root:
      // The meaning branch shares the crossword's pictures: it searches with a pattern too.
      return node.Branch == THistoryBranch::Anagrams       ? 7
             : node.Branch == THistoryBranch::EqualLetters ? 29
                                                           : 6;
    case THistoryNodeKind::NewSearch:
      return 39;
    case THistoryNodeKind::Pattern:
    case THistoryNodeKind::Meaning:
      return 26;
    case THistoryNodeKind::Anagram:
      return 27;
    case THistoryNodeKind::EqualLetters:
      break;
  }
  return node.Active ? 50 : 49;
}

// --- Changing nodes

THistoryNode TSearchHistory::MakeNode(THistoryNodeKind kind, THistoryBranch branch,
                                      std::string_view text) {
  THistoryNode node;
  node.Id = FNextId++;
  node.Kind = kind;
  node.Branch = branch;
  node.Text = text;
  return node;
}

void TSearchHistory::Notify(THistoryChange::TKind kind, THistoryNodeId id, THistoryBranch branch,
                            std::int32_t row) {
  OnChange(THistoryChange{kind, id, branch, row});
}

THistoryNodeId TSearchHistory::Insert(THistoryBranch branch, std::int32_t row, THistoryNode node) {
  std::vector<THistoryNode>& children = FChildren[Index(branch)];
  const THistoryNodeId id = node.Id;
  children.insert(children.begin() + row, std::move(node));
  Notify(THistoryChange::Inserted, id, branch, row);
  return id;
}

void TSearchHistory::Remove(THistoryBranch branch, std::int32_t row) {
  std::vector<THistoryNode>& children = FChildren[Index(branch)];
  const THistoryNodeId id = children[static_cast<std::size_t>(row)].Id;
  children.erase(children.begin() + row);
  Notify(THistoryChange::Removed, id, branch, row);
}

void TSearchHistory::Changed(const THistoryNode& node) {
  Notify(THistoryChange::Changed, node.Id, node.Branch, Row(node.Id));
}

// --- Recording searches

void TSearchHistory::TrimBranch(THistoryBranch branch, std::int32_t keep) {
  while (EntryCount(branch) > keep)
    Remove(branch, static_cast<std::int32_t>(Children(branch).size()) - 1);
}

void TSearchHistory::AddEntry(THistoryNodeKind kind, std::string_view text, TAnagramOptions mode) {
  if (!FDoSaveLast || FSaveLastCount <= 0 || text.empty()) return;
  const THistoryBranch branch = BranchOf(kind);
  std::vector<THistoryNode>& children = FChildren[Index(branch)];
  const auto same = std::find_if(children.begin() + 1, children.end(),
                                 [&](const THistoryNode& node) { return node.Text == text; });
  if (same != children.end()) {
    // A repeated search keeps its place; only its mode follows the new one.
    if (same->Mode == mode) return;
    same->Mode = mode;
    Changed(*same);
    return;
  }
  TrimBranch(branch, FSaveLastCount - 1);
  THistoryNode node = MakeNode(kind, branch, text);
  node.Mode = mode;
  Insert(branch, 1, std::move(node));
}

void TSearchHistory::AddPatternHistory(std::string_view pattern) {
  AddEntry(THistoryNodeKind::Pattern, pattern, aoUsual);
}

void TSearchHistory::AddAnagramHistory(std::string_view letters, TAnagramOptions mode) {
  AddEntry(THistoryNodeKind::Anagram, letters, mode);
}

void TSearchHistory::AddMeaningHistory(std::string_view text) {
  AddEntry(THistoryNodeKind::Meaning, text, aoUsual);
}

void TSearchHistory::TrimHistory() {
  for (THistoryBranch branch : kSearchBranches) TrimBranch(branch, FSaveLastCount);
}

void TSearchHistory::Append(THistoryNodeKind kind, std::string_view text, TAnagramOptions mode) {
  if (text.empty()) return;
  const THistoryBranch branch = BranchOf(kind);
  THistoryNode node = MakeNode(kind, branch, text);
  node.Mode = mode;
  Insert(branch, static_cast<std::int32_t>(Children(branch).size()), std::move(node));
}

void TSearchHistory::AppendPattern(std::string_view pattern) {
  Append(THistoryNodeKind::Pattern, pattern, aoUsual);
}

void TSearchHistory::AppendAnagram(std::string_view letters, TAnagramOptions mode) {
  Append(THistoryNodeKind::Anagram, letters, mode);
}

void TSearchHistory::AppendMeaning(std::string_view text) {
  Append(THistoryNodeKind::Meaning, text, aoUsual);
}

// --- Equal letters

THistoryNodeId TSearchHistory::AddEqualNode(const TCharacterManager& manager, std::int32_t index) {
  if (index < 0 || index >= manager.EqualLettersCount()) return kNoHistoryNode;
  const TEqualLetters group = manager.GetEqualLetters(index);
  THistoryNode node = MakeNode(THistoryNodeKind::EqualLetters, THistoryBranch::EqualLetters,
                               EqualLettersText(group));
  node.EqualIndex = index;
  node.Active = group.Active;
  const auto row = static_cast<std::int32_t>(Children(THistoryBranch::EqualLetters).size());
  return Insert(THistoryBranch::EqualLetters, row, std::move(node));
}

THistoryNodeId TSearchHistory::AddEqualLetters(TCharacterManager& manager,
                                               const TEqualLetters& group) {
  if (group.Letters.empty() || group.Equivalent == '\0') return kNoHistoryNode;
  return AddEqualNode(manager, manager.AddEqualLetters(group));
}

void TSearchHistory::RebuildEqualNodes(const TCharacterManager& manager) {
  TrimBranch(THistoryBranch::EqualLetters, 0);
  for (std::int32_t i = 0; i < manager.EqualLettersCount(); ++i) AddEqualNode(manager, i);
}

void TSearchHistory::ToggleEqualLetters(THistoryNodeId id, TCharacterManager& manager) {
  THistoryNode* node = Entry(id, THistoryNodeKind::EqualLetters);
  if (node == nullptr) return;
  node->Active = !node->Active;
  manager.SetEqualLettersActive(node->EqualIndex, node->Active);
  Changed(*node);
}

bool TSearchHistory::ChangeEqualLetters(THistoryNodeId id, TCharacterManager& manager,
                                        const TEqualLetters& group) {
  THistoryNode* node = Entry(id, THistoryNodeKind::EqualLetters);
  if (node == nullptr || group.Letters.empty() || group.Equivalent == '\0') return false;
  const TEqualLetters old = manager.GetEqualLetters(node->EqualIndex);
  if (old.Letters == group.Letters && old.Equivalent == group.Equivalent) return false;
  manager.SetEqualLetters(node->EqualIndex, group);
  node->Text = EqualLettersText(group);
  // The node shows the state the group is now in.
  node->Active = group.Active;
  Changed(*node);
  return true;
}

// --- Commands

bool TSearchHistory::CanChange(THistoryNodeId id) const {
  const THistoryNode* node = Find(id);
  return node != nullptr && (IsHistoryEntry(*node) || node->Kind == THistoryNodeKind::EqualLetters);
}

bool TSearchHistory::CanEditInPlace(THistoryNodeId id) const {
  const THistoryNode* node = Find(id);
  return node != nullptr && IsHistoryEntry(*node);
}

bool TSearchHistory::CanSetAnagramMode(THistoryNodeId id) const {
  const THistoryNode* node = Find(id);
  return node != nullptr && node->Kind == THistoryNodeKind::Anagram;
}

bool TSearchHistory::SetEntryText(THistoryNodeId id, std::string_view text) {
  THistoryNode* node = FindIn(*this, id);
  if (node == nullptr || !IsHistoryEntry(*node) || text.empty()) return false;
  // A meaning entry that lost its clue would rerun as something else.
  if (node->Kind == THistoryNodeKind::Meaning && !SplitMeaningText(text)) return false;
  node->Text = text;
  Changed(*node);
  return true;
}

void TSearchHistory::SetAnagramMode(THistoryNodeId id, TAnagramOptions mode) {
  THistoryNode* node = Entry(id, THistoryNodeKind::Anagram);
  if (node == nullptr || node->Mode == mode) return;
  node->Mode = mode;
  Changed(*node);
}

THistoryNodeId TSearchHistory::Delete(THistoryNodeId id, TCharacterManager& manager) {
  if (!CanChange(id)) return kNoHistoryNode;
  const TPlace place = Locate(id);
  std::vector<THistoryNode>& children = FChildren[Index(place.Branch)];
  const std::int32_t index = children[static_cast<std::size_t>(place.Row)].EqualIndex;
  if (place.Branch == THistoryBranch::EqualLetters) {
    manager.DeleteEqualLetters(index);
    for (THistoryNode& node : children)
      if (node.EqualIndex > index) --node.EqualIndex;
  }
  Remove(place.Branch, place.Row);
  const auto row = static_cast<std::size_t>(place.Row);
  if (row < children.size()) return children[row].Id;
  if (row > 0) return children[row - 1].Id;
  return Root(place.Branch).Id;
}

THistoryAction TSearchHistory::DoubleClick(THistoryNodeId id) const {
  const THistoryNode* node = Find(id);
  if (node == nullptr) return {};
  switch (node->Kind) {
    case THistoryNodeKind::NewSearch:
      return NewCommand(id);
    case THistoryNodeKind::Pattern:
      return {THistoryAction::RunCrossword, node->Text, aoUsual};
    case THistoryNodeKind::Anagram:
      return {THistoryAction::RunAnagram, node->Text, node->Mode};
    case THistoryNodeKind::Meaning:
      return {THistoryAction::RunMeaning, node->Text, aoUsual};
    case THistoryNodeKind::Root:
    case THistoryNodeKind::EqualLetters:
      break;
  }
  return {};
}

THistoryAction TSearchHistory::NewCommand(THistoryNodeId id) const {
  const THistoryNode* node = Find(id);
  if (node == nullptr) return {};
  switch (node->Branch) {
    case THistoryBranch::Crossword:
      return {THistoryAction::CrosswordPage, {}, aoUsual};
    case THistoryBranch::Anagrams:
      return {THistoryAction::AnagramPage, {}, aoUsual};
    case THistoryBranch::Meaning:
      return {THistoryAction::MeaningPage, {}, aoUsual};
    case THistoryBranch::EqualLetters:
      break;
  }
  return {THistoryAction::AddEqualLetters, {}, aoUsual};
}

}  // namespace gryvel
