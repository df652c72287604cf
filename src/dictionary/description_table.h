#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The descriptions a dictionary holds in memory rather than in its file: those set by the
// user and those of a version-1 file. Each element names its entry by entry index, so every
// change of the entry list re-indexes the table to keep each description on its word.

namespace gryvel {

struct TDescription {
  std::int32_t Index = 0;  // entry index
  std::string Text;
};

// Elements are kept sorted by entry index (a std::vector, growing by its own rule), so lookups
// are binary searches. Not thread-safe.
class TDescriptions {
 public:
  // Elements in use (DescriptionCount).
  std::int32_t Count() const { return static_cast<std::int32_t>(FItems.size()); }
  const std::vector<TDescription>& Items() const { return FItems; }

  // The text of entry `index`, or null when the table has none.
  const std::string* Find(std::int32_t index) const;
  std::string* Find(std::int32_t index);

  // Adds the text of entry `index`. REQUIRES: the table has no element for it.
  void Add(std::int32_t index, std::string text);
  void Clear() { FItems.clear(); }

  // An entry was inserted at `index`: entries from there on move up by one.
  void EntryInserted(std::int32_t index);
  // Entry `index` was deleted: its element goes, later entries move down by one.
  void EntryDeleted(std::int32_t index);
  // Entry `from` moved to `to`; the entries passed over shift by one towards `from`.
  void EntryMoved(std::int32_t from, std::int32_t to);

 private:
  std::vector<TDescription>::iterator LowerBound(std::int32_t index);

  std::vector<TDescription> FItems;
};

}  // namespace gryvel
