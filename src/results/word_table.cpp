#include "results/word_table.h"

#include <algorithm>
#include <cstring>

#include "results/array_file.h"

namespace gryvel {

namespace {

constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15u;

std::uint64_t Mix(std::uint64_t hash) {
  hash = (hash ^ (hash >> 33)) * 0xFF51AFD7ED558CCDu;
  return hash ^ (hash >> 33);
}

}  // namespace

std::uint64_t TWordTable::Head(std::string_view word) {
  std::uint64_t head = 0;
  if (word.size() >= 8) {
    std::memcpy(&head, word.data(), 8);
    return head;
  }
  for (std::size_t i = word.size(); i-- > 0;) head = head << 8 | static_cast<std::uint8_t>(word[i]);
  return head;
}

std::uint64_t TWordTable::Hash(std::string_view word) {
  // Eight bytes at a time: a word is seldom longer than two steps.
  std::uint64_t hash = word.size() * kMultiplier;
  std::size_t i = 0;
  for (; i + 8 <= word.size(); i += 8) {
    std::uint64_t chunk;
    std::memcpy(&chunk, word.data() + i, 8);
    hash = (hash ^ chunk) * kMultiplier;
    hash ^= hash >> 29;
  }
  if (i < word.size()) hash = (hash ^ Head(word.substr(i))) * kMultiplier;
  return Mix(hash);
}

std::uint32_t TWordTable::LengthAndTag(std::string_view word, std::uint64_t hash) {
  const std::uint32_t length = word.size() < 255 ? static_cast<std::uint32_t>(word.size()) : 255;
  return length << 24 | static_cast<std::uint32_t>(hash & 0xFFFFFFu);
}

std::size_t TWordTable::Slot(std::string_view word, std::uint64_t hash) const {
  const std::size_t mask = FSlots.size() - 1;
  const std::uint64_t head = Head(word);
  const std::uint32_t length_and_tag = LengthAndTag(word, hash);
  for (std::size_t at = (hash >> 32) & mask;; at = (at + 1) & mask) {
    const TSlot& slot = FSlots[at];
    if (slot.Id == 0) return at;
    if (slot.LengthAndTag == length_and_tag && slot.Head == head &&
        (word.size() <= 8 || Word(static_cast<std::int32_t>(slot.Id) - 1) == word))
      return at;
  }
}

std::int32_t TWordTable::Find(std::string_view word) const {
  if (FSlots.empty()) return -1;
  return static_cast<std::int32_t>(FSlots[Slot(word, Hash(word))].Id) - 1;
}

std::int32_t TWordTable::Put(std::size_t at, std::string_view word, std::uint64_t hash) {
  const auto id = static_cast<std::uint32_t>(Count());
  FSlots[at] = TSlot{Head(word), id + 1, LengthAndTag(word, hash)};
  FText.append(word);
  FStarts.push_back(static_cast<std::uint32_t>(FText.size()));
  return static_cast<std::int32_t>(id);
}

std::int32_t TWordTable::Insert(std::string_view word, std::uint64_t hash) {
  if ((static_cast<std::size_t>(Count()) + 1) * 2 > FSlots.size())
    Grow(FSlots.empty() ? 2048 : FSlots.size() * 2);
  const std::size_t at = Slot(word, hash);
  if (FSlots[at].Id != 0) return static_cast<std::int32_t>(FSlots[at].Id) - 1;
  return Put(at, word, hash);
}

void TWordTable::InsertMany(const THashed* words, std::size_t count, std::int32_t* ids) {
  if (FSlots.empty()) Grow(2048);
  while ((static_cast<std::size_t>(Count()) + count) * 2 > FSlots.size()) Grow(FSlots.size() * 2);
  const std::size_t mask = FSlots.size() - 1;
  for (std::size_t i = 0; i < count; ++i) __builtin_prefetch(&FSlots[(words[i].Hash >> 32) & mask]);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = Slot(words[i].Word, words[i].Hash);
    ids[i] = FSlots[at].Id != 0 ? static_cast<std::int32_t>(FSlots[at].Id) - 1
                                : Put(at, words[i].Word, words[i].Hash);
  }
}

void TWordTable::Grow(std::size_t slots) {
  decltype(FSlots) old(slots, TSlot{});
  old.swap(FSlots);
  const std::size_t mask = FSlots.size() - 1;
  for (const TSlot& slot : old) {
    if (slot.Id == 0) continue;
    std::size_t at = (Hash(Word(static_cast<std::int32_t>(slot.Id) - 1)) >> 32) & mask;
    while (FSlots[at].Id != 0) at = (at + 1) & mask;
    FSlots[at] = slot;
  }
}

void TWordTable::Reserve(std::size_t words, std::size_t bytes) {
  FText.reserve(bytes);
  FStarts.reserve(words + 1);
  std::size_t slots = 2048;
  while (slots < words * 2) slots *= 2;
  if (slots > FSlots.size()) Grow(slots);
}

void TWordTable::Clear() {
  FText.clear();
  FStarts.assign(1, 0);
  FSlots.clear();
}

void TWordTable::Write(TArrayWriter& out) const {
  out.Write(FText);
  out.Write(FStarts);
  out.Write(FSlots);
}

bool TWordTable::Read(TArrayReader& in) {
  Clear();
  const bool read = in.Read(&FText) && in.Read(&FStarts) && in.Read(&FSlots);
  const std::size_t count = FStarts.empty() ? 0 : FStarts.size() - 1;
  // A probe ends at an empty place: at most half the places may be taken, as Insert keeps it.
  bool sound = read && !FStarts.empty() && FStarts.front() == 0 && FStarts.back() == FText.size() &&
               std::is_sorted(FStarts.begin(), FStarts.end()) &&
               (FSlots.size() & (FSlots.size() - 1)) == 0 && count * 2 <= FSlots.size() &&
               (count == 0 || !FSlots.empty());
  std::size_t taken = 0;
  for (std::size_t i = 0; sound && i < FSlots.size(); ++i) {
    sound = FSlots[i].Id <= count;
    taken += FSlots[i].Id != 0;
  }
  if (sound && taken == count) return true;
  Clear();
  return false;
}

std::size_t TWordTable::MemoryBytes() const {
  return FText.capacity() + FStarts.capacity() * sizeof(std::uint32_t) +
         FSlots.capacity() * sizeof(TSlot);
}

}  // namespace gryvel
