#include "results/word_table.h"

namespace gryvel {

std::uint64_t TWordTable::Hash(std::string_view word) {
  std::uint64_t hash = 0xcbf29ce484222325u;  // FNV-1a, then a final mix of the high bits
  for (const char c : word) hash = (hash ^ static_cast<std::uint8_t>(c)) * 0x100000001b3u;
  hash = (hash ^ (hash >> 33)) * 0xFF51AFD7ED558CCDu;
  return hash ^ (hash >> 33);
}

std::size_t TWordTable::Slot(std::string_view word, std::uint64_t hash) const {
  const std::size_t mask = FSlots.size() - 1;
  const std::uint64_t tag = hash << 32;
  for (std::size_t at = (hash >> 32) & mask;; at = (at + 1) & mask) {
    const std::uint64_t slot = FSlots[at];
    if (slot == 0) return at;
    if ((slot & 0xFFFFFFFF00000000u) == tag &&
        Word(static_cast<std::int32_t>(slot & 0xFFFFFFFFu) - 1) == word)
      return at;
  }
}

std::int32_t TWordTable::Find(std::string_view word) const {
  if (FSlots.empty()) return -1;
  return static_cast<std::int32_t>(FSlots[Slot(word, Hash(word))] & 0xFFFFFFFFu) - 1;
}

std::int32_t TWordTable::Insert(std::string_view word) {
  if ((static_cast<std::size_t>(Count()) + 1) * 2 > FSlots.size()) Grow();
  const std::uint64_t hash = Hash(word);
  const std::size_t at = Slot(word, hash);
  if (FSlots[at] != 0) return static_cast<std::int32_t>(FSlots[at] & 0xFFFFFFFFu) - 1;
  const std::int32_t id = Count();
  FSlots[at] = hash << 32 | static_cast<std::uint32_t>(id + 1);
  FText.append(word);
  FStarts.push_back(static_cast<std::uint32_t>(FText.size()));
  return id;
}

void TWordTable::Grow() {
  std::vector<std::uint64_t> old(FSlots.empty() ? 2048 : FSlots.size() * 2, 0);
  old.swap(FSlots);
  const std::size_t mask = FSlots.size() - 1;
  for (const std::uint64_t slot : old) {
    if (slot == 0) continue;
    const std::int32_t id = static_cast<std::int32_t>(slot & 0xFFFFFFFFu) - 1;
    const std::uint64_t hash = Hash(Word(id));
    std::size_t at = (hash >> 32) & mask;
    while (FSlots[at] != 0) at = (at + 1) & mask;
    FSlots[at] = slot;
  }
}

void TWordTable::Clear() {
  FText.clear();
  FStarts.assign(1, 0);
  FSlots.clear();
}

std::size_t TWordTable::MemoryBytes() const {
  return FText.capacity() + FStarts.capacity() * sizeof(std::uint32_t) +
         FSlots.capacity() * sizeof(std::uint64_t);
}

}  // namespace gryvel
