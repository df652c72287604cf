#include "dictionary/description_table.h"

#include <algorithm>
#include <utility>

namespace gryvel {

std::vector<TDescription>::iterator TDescriptions::LowerBound(std::int32_t index) {
  return std::lower_bound(FItems.begin(), FItems.end(), index,
                          [](const TDescription& d, std::int32_t i) { return d.Index < i; });
}

const std::string* TDescriptions::Find(std::int32_t index) const {
  return const_cast<TDescriptions*>(this)->Find(index);
}

std::string* TDescriptions::Find(std::int32_t index) {
  const auto it = LowerBound(index);
  return it != FItems.end() && it->Index == index ? &it->Text : nullptr;
}

void TDescriptions::Add(std::int32_t index, std::string text) {
  // Loaders add in index order, so this is normally an append.
  const auto it = FItems.empty() || FItems.back().Index < index ? FItems.end() : LowerBound(index);
  FItems.insert(it, TDescription{index, std::move(text)});
}

void TDescriptions::EntryInserted(std::int32_t index) {
  for (auto it = LowerBound(index); it != FItems.end(); ++it) ++it->Index;
}

void TDescriptions::EntryDeleted(std::int32_t index) {
  auto it = LowerBound(index);
  if (it != FItems.end() && it->Index == index) it = FItems.erase(it);
  for (; it != FItems.end(); ++it) --it->Index;
}

void TDescriptions::EntryMoved(std::int32_t from, std::int32_t to) {
  if (from == to) return;
  const std::int32_t low = std::min(from, to);
  const std::int32_t high = std::max(from, to);
  const auto first = LowerBound(low);
  auto last = first;
  while (last != FItems.end() && last->Index <= high) ++last;
  const bool moved =
      first != last && (from < to ? first->Index == from : (last - 1)->Index == from);
  const int shift = from < to ? -1 : 1;
  for (auto it = first; it != last; ++it) it->Index += shift;
  if (!moved) return;
  // The moved entry's element keeps its place in index order by rotating to the other end.
  if (from < to) {
    first->Index = to;
    std::rotate(first, first + 1, last);
  } else {
    (last - 1)->Index = to;
    std::rotate(first, last - 1, last);
  }
}

}  // namespace gryvel
