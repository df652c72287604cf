#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

// Ordering words by length without comparing them.

namespace gryvel {

// Orders `items` by `length(item)`, keeping the input order among equal lengths; descending
// is the exact reverse of ascending. A counting sort: linear in the items and the longest
// length.
template <typename T, typename Length>
void SortByWordLength(std::vector<T>& items, Length length, bool ascending) {
  std::vector<std::uint32_t> keys(items.size());
  std::uint32_t longest = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    keys[i] = static_cast<std::uint32_t>(length(items[i]));
    longest = std::max(longest, keys[i]);
  }
  std::vector<std::size_t> next(std::size_t{longest} + 2, 0);
  for (const std::uint32_t key : keys) ++next[key + 1];
  for (std::size_t k = 1; k < next.size(); ++k) next[k] += next[k - 1];
  std::vector<T> sorted(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) sorted[next[keys[i]]++] = items[i];
  if (!ascending) std::reverse(sorted.begin(), sorted.end());
  items.swap(sorted);
}

}  // namespace gryvel
