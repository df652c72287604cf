#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A set of distinct byte strings numbered in order of insertion: one block of text and an
// open-addressing table of numbers, so that looking a word up allocates nothing.

namespace gryvel {

class TWordTable {
 public:
  // The number of `word`, inserting it with the next number when absent.
  std::int32_t Insert(std::string_view word);
  // The number of `word`, or -1.
  std::int32_t Find(std::string_view word) const;
  std::string_view Word(std::int32_t id) const {
    return std::string_view(FText).substr(FStarts[id], FStarts[id + 1] - FStarts[id]);
  }
  std::int32_t Count() const { return static_cast<std::int32_t>(FStarts.size()) - 1; }
  void Clear();
  std::size_t MemoryBytes() const;

 private:
  static std::uint64_t Hash(std::string_view word);
  // The slot that holds `word` or the empty slot where it belongs.
  std::size_t Slot(std::string_view word, std::uint64_t hash) const;
  void Grow();

  std::string FText;                           // every word, one after another
  std::vector<std::uint32_t> FStarts{0};       // word i is FText[FStarts[i], FStarts[i + 1])
  // Per slot: the low 32 bits of the word's hash, then its number + 1 (0 for an empty slot),
  // so that a probe reads one place; the size is a power of 2.
  std::vector<std::uint64_t> FSlots;
};

}  // namespace gryvel
