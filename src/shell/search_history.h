#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/event.h"
#include "search/character_manager.h"
#include "search/string_searcher.h"

// The search history of the right panel's "Search" tree: the crossword, anagram and meaning
// searches that were run, newest first, and the equal-letters groups of the character manager. The
// tree in the window is a view of this model: it reads the nodes and hears of every change.

namespace gryvel {

// The tree shows the branches in this order.
enum class THistoryBranch : std::uint8_t { Crossword = 0, Anagrams = 1, EqualLetters = 2, Meaning = 3 };
inline constexpr int kHistoryBranches = 4;

enum class THistoryNodeKind : std::uint8_t {
  Root,          // one per branch
  NewSearch,     // row 0 of the crossword, anagram and meaning branches
  Pattern,       // a crossword search
  Anagram,       // an anagram search
  EqualLetters,  // a group of the character manager
  Meaning,       // a search by meaning, as "pattern : clue"
};

// A node's identity for the life of the model; never reused. 0 is no node.
using THistoryNodeId = std::uint32_t;
inline constexpr THistoryNodeId kNoHistoryNode = 0;

struct THistoryNode {
  THistoryNodeId Id = kNoHistoryNode;
  THistoryNodeKind Kind = THistoryNodeKind::Root;
  THistoryBranch Branch = THistoryBranch::Crossword;
  // Code page 1251: the pattern as searched, the anagram letters, "pattern : clue", or
  // "Letters=Equivalent".
  // Empty for roots and "New search..." nodes, whose captions follow the language.
  std::string Text;
  TAnagramOptions Mode = aoUsual;  // Anagram: the mode the search runs in
  std::int32_t EqualIndex = -1;    // EqualLetters: the group's index in the character manager
  bool Active = false;             // EqualLetters: the group is in force
};

// What changed, told after the change. Row is the node's position under its root: where it
// was inserted, where it was removed from, or where it is.
struct THistoryChange {
  enum TKind : std::uint8_t { Inserted, Removed, Changed };
  TKind Kind = Changed;
  THistoryNodeId Node = kNoHistoryNode;
  THistoryBranch Branch = THistoryBranch::Crossword;
  std::int32_t Row = 0;
};

// What a double click on a node, or the "New..." command, asks of the main window.
struct THistoryAction {
  enum TKind : std::uint8_t {
    None,
    CrosswordPage,    // the search dialog on its crossword page
    AnagramPage,      // the search dialog on its anagram page
    AddEqualLetters,  // the equal-letters dialog in add mode
    RunCrossword,     // put Text in the quick-search box and run it, not recording it again
    RunAnagram,       // set the searcher's anagram mode to Mode, run Text, not recording it
    RunMeaning,       // put Text ("pattern : clue") in the quick-search box and run it, not
                      // recording it again
    MeaningPage,      // the search dialog on its crossword page, in its clue field
  };
  TKind Kind = None;
  std::string Text;
  TAnagramOptions Mode = aoUsual;
};

// Not thread-safe: the UI thread.
class TSearchHistory {
 public:
  // The roots and the "New search..." nodes.
  TSearchHistory();
  TSearchHistory(const TSearchHistory&) = delete;
  TSearchHistory& operator=(const TSearchHistory&) = delete;

  // Any number of listeners (see TEvent).
  TEvent<const THistoryChange&> OnChange;

  const THistoryNode& Root(THistoryBranch branch) const;
  // The children of `branch`'s root in row order.
  const std::vector<THistoryNode>& Children(THistoryBranch branch) const;
  // The history entries of a branch, "New search..." not counted.
  std::int32_t EntryCount(THistoryBranch branch) const;
  // The node `id`, a root too; null when there is none.
  const THistoryNode* Find(THistoryNodeId id) const;
  // The row of child `id` under its root; -1 for a root or an unknown id.
  std::int32_t Row(THistoryNodeId id) const;
  // The text shown for `node`: its Text, or for a root and "New search..." the term of the
  // current language.
  static std::string Caption(const THistoryNode& node);
  // The node's picture in the tree's image list as designed.
  static int ImageIndex(const THistoryNode& node);

  bool DoSaveLast() const { return FDoSaveLast; }
  void SetDoSaveLast(bool on) { FDoSaveLast = on; }
  std::int32_t SaveLastCount() const { return FSaveLastCount; }
  // Takes effect at the next recording or TrimHistory; a negative count is taken as 0.
  void SetSaveLastCount(std::int32_t count) { FSaveLastCount = count < 0 ? 0 : count; }

  // Records a crossword search first in its branch, dropping the oldest entries beyond
  // SaveLastCount. Nothing when DoSaveLast is off, SaveLastCount is 0, the text is empty or
  // the branch holds it already (which keeps its place).
  void AddPatternHistory(std::string_view pattern);
  // As AddPatternHistory; an entry already there takes `mode`.
  void AddAnagramHistory(std::string_view letters, TAnagramOptions mode);
  // As AddPatternHistory for a search by meaning, `text` as MeaningRequestText writes it.
  void AddMeaningHistory(std::string_view text);
  // Cuts the history branches to SaveLastCount entries, dropping the oldest.
  void TrimHistory();
  // Appends an entry after the others, as the settings file lists them (newest first).
  // Nothing for an empty text.
  void AppendPattern(std::string_view pattern);
  void AppendAnagram(std::string_view letters, TAnagramOptions mode);
  void AppendMeaning(std::string_view text);

  // Appends a node for group `index` of `manager`; none (returns kNoHistoryNode) for an index
  // out of range.
  THistoryNodeId AddEqualNode(const TCharacterManager& manager, std::int32_t index);
  // Adds `group` to `manager` and its node; nothing without letters or an equivalent.
  THistoryNodeId AddEqualLetters(TCharacterManager& manager, const TEqualLetters& group);
  // Replaces every equal-letters node by one per group of `manager`.
  void RebuildEqualNodes(const TCharacterManager& manager);
  // Switches the node's group off when it is active, else on.
  void ToggleEqualLetters(THistoryNodeId id, TCharacterManager& manager);
  // Gives the node's group the letters and equivalent of `group` (and its Active) when either
  // differs; false when nothing changed or `group` lacks letters or an equivalent.
  bool ChangeEqualLetters(THistoryNodeId id, TCharacterManager& manager,
                          const TEqualLetters& group);

  // Whether "Change" and "Delete" apply: a history entry or an equal-letters node.
  bool CanChange(THistoryNodeId id) const;
  // Whether the node's text can be edited in place: a history entry.
  bool CanEditInPlace(THistoryNodeId id) const;
  // Whether the node has an anagram mode to show and set: an anagram entry.
  bool CanSetAnagramMode(THistoryNodeId id) const;
  // The in-place edit of a history entry; refused (false) for other nodes, an empty text, and
  // for a meaning entry a text that is not "pattern : clue".
  bool SetEntryText(THistoryNodeId id, std::string_view text);
  // Sets an anagram entry's mode without running it.
  void SetAnagramMode(THistoryNodeId id, TAnagramOptions mode);
  // Deletes a node that CanChange (an equal-letters group from `manager` first, the nodes of
  // the later groups then referring one index lower). Returns the node to select: the next
  // sibling, else the previous one, else the root; kNoHistoryNode when nothing was deleted.
  THistoryNodeId Delete(THistoryNodeId id, TCharacterManager& manager);

  // A double click on `id`.
  THistoryAction DoubleClick(THistoryNodeId id) const;
  // "New..." with `id` selected: the command of its branch.
  THistoryAction NewCommand(THistoryNodeId id) const;

 private:
  static constexpr std::int32_t kRootRow = -1;
  static constexpr std::int32_t kNoRow = -2;
  struct TPlace {
    THistoryBranch Branch;
    std::int32_t Row;  // kRootRow for the root
  };

  // The place of `id`; Row kNoRow when there is no such node.
  TPlace Locate(THistoryNodeId id) const;
  // Find for this object, const or not.
  template <typename Self>
  static auto* FindIn(Self& self, THistoryNodeId id);
  THistoryNode* Entry(THistoryNodeId id, THistoryNodeKind kind);
  THistoryNode MakeNode(THistoryNodeKind kind, THistoryBranch branch, std::string_view text);
  THistoryNodeId Insert(THistoryBranch branch, std::int32_t row, THistoryNode node);
  void Remove(THistoryBranch branch, std::int32_t row);
  void Changed(const THistoryNode& node);
  void Notify(THistoryChange::TKind kind, THistoryNodeId id, THistoryBranch branch,
              std::int32_t row);
  void AddEntry(THistoryNodeKind kind, std::string_view text, TAnagramOptions mode);
  void Append(THistoryNodeKind kind, std::string_view text, TAnagramOptions mode);
  void TrimBranch(THistoryBranch branch, std::int32_t keep);

  std::array<THistoryNode, kHistoryBranches> FRoots;
  std::array<std::vector<THistoryNode>, kHistoryBranches> FChildren;
  THistoryNodeId FNextId = 1;
  bool FDoSaveLast = true;
  std::int32_t FSaveLastCount = 5;
};

// The group the equal-letters dialog makes of its two fields: `letters`, the first character of
// `equivalent`, active. nullopt when either field is empty: nothing is added or changed.
std::optional<TEqualLetters> EqualLettersFromInput(std::string_view letters,
                                                   std::string_view equivalent);

// The text of an equal-letters node: Letters, "=", Equivalent.
std::string EqualLettersText(const TEqualLetters& group);

}  // namespace gryvel
