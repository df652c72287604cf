#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/huge_pages.h"

// A set of distinct byte strings numbered in order of insertion: one block of text and an
// open-addressing table of numbers, so that looking a word up allocates nothing.

namespace gryvel {

class TArrayReader;
class TArrayWriter;

class TWordTable {
 public:
  // A word with its hash worked out, for InsertMany.
  struct THashed {
    std::string_view Word;
    std::uint64_t Hash;
  };

  static std::uint64_t Hash(std::string_view word);

  // The number of `word`, inserting it with the next number when absent.
  std::int32_t Insert(std::string_view word) { return Insert(word, Hash(word)); }
  std::int32_t Insert(std::string_view word, std::uint64_t hash);
  // Inserts each of `words`, writing their numbers to `ids` (as many): the table places of
  // the whole batch are fetched from memory together, which matters once the table outgrows
  // the caches.
  void InsertMany(const THashed* words, std::size_t count, std::int32_t* ids);
  // The number of `word`, or -1.
  std::int32_t Find(std::string_view word) const;
  std::string_view Word(std::int32_t id) const {
    return std::string_view(FText).substr(FStarts[id], FStarts[id + 1] - FStarts[id]);
  }
  std::int32_t Count() const { return static_cast<std::int32_t>(FStarts.size()) - 1; }
  // Room for `words` words of `bytes` bytes in all.
  void Reserve(std::size_t words, std::size_t bytes);
  void Clear();
  std::size_t MemoryBytes() const;

  // Stores the table for Read on this machine.
  void Write(TArrayWriter& out) const;
  // Replaces the table with one Write stored; false, the table left empty, when the bytes
  // could not have come from Write (a lookup in what they give could never end or would
  // read outside the table).
  bool Read(TArrayReader& in);

 private:
  // Per place: the word's first 8 bytes (zeros after a shorter word), its length (255 for
  // longer ones), 24 bits of its hash and its number + 1 (0 for an empty place), so that a
  // probe compares most words without reading the text.
  struct TSlot {
    std::uint64_t Head;
    std::uint32_t Id;
    std::uint32_t LengthAndTag;
  };
  static std::uint64_t Head(std::string_view word);
  static std::uint32_t LengthAndTag(std::string_view word, std::uint64_t hash);
  // The place that holds `word` or the empty place where it belongs.
  std::size_t Slot(std::string_view word, std::uint64_t hash) const;
  std::int32_t Put(std::size_t at, std::string_view word, std::uint64_t hash);
  void Grow(std::size_t slots);

  std::string FText;                      // every word, one after another
  std::vector<std::uint32_t> FStarts{0};  // word i is FText[FStarts[i], FStarts[i + 1])
  // The size is a power of 2, at most half full; megabytes for a large text, on huge pages
  // where the system has them.
  std::vector<TSlot, THugePageAllocator<TSlot>> FSlots;
};

}  // namespace gryvel
