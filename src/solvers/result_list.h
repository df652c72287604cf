#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "solvers/chunked_array.h"

// The results of a word chain or word analysis search, in the order found. A result is a
// sequence of words of the search's word table, stored as indices: each result is one link
// (6 bytes) to the sequence of its words but the last, and those leading sequences are shared
// by every result that starts with them, the way a depth-first search reports its results.
// A result's text is made when it is read, the words joined by the list's separator.
//
// Thread safety: one thread (the search's) calls Reset, Clear, SetLimit and Add; another may
// meanwhile call Count, Limit, LimitReached and Text for results below a Count it read, but
// not while Reset or Clear runs.

namespace gryvel {

class TResultList {
 public:
  static constexpr std::int32_t kDefaultLimit = 20'000'000;
  static constexpr std::int32_t kMaxLimit = std::numeric_limits<std::int32_t>::max();

  TResultList() = default;
  TResultList(const TResultList&) = delete;
  TResultList& operator=(const TResultList&) = delete;

  // Removes every result and gives its memory back; the word table and limit stay.
  void Clear();
  // Clears and takes a new word table (code page 1251, copied) and separator.
  void Reset(const std::vector<std::string_view>& words, std::string_view separator);

  // The most results the list takes, 1 .. kMaxLimit (clamped).
  std::int32_t Limit() const { return FLimit.load(std::memory_order_relaxed); }
  void SetLimit(std::int32_t limit);
  // Whether an Add was refused because the list held Limit results.
  bool LimitReached() const { return FLimitReached.load(std::memory_order_relaxed); }

  // Adds the result made of the words `path` (indices into the word table, at least one).
  // False, with nothing added, when the list is full (Limit results, or no room for its
  // links).
  bool Add(std::span<const std::uint32_t> path);

  std::int32_t Count() const { return static_cast<std::int32_t>(FResults.Size()); }
  // The text of result `index` (0-based, in the order found): its words and separators.
  std::string Text(std::int32_t index) const;

  // Bytes held for the results, not counting the word table.
  std::size_t Bytes() const { return FResults.Bytes() + FLinks.Bytes(); }

 private:
  // A result, or a leading sequence of words: its last word and the link to the sequence
  // before it, in 48 bits: the word in the low FWordBits (as many as the word table needs),
  // the link above them, all ones (FNoLink) for none.
  struct TLink {
    std::array<std::uint16_t, 3> Bits;
  };
  TLink Pack(std::uint32_t before, std::uint32_t word) const;
  std::uint32_t Before(TLink link) const;
  std::uint32_t Word(TLink link) const;

  // The link of the leading sequence path[0 .. size), made where the last result's does not
  // share it; FNoLink for an empty one, false when no room is left.
  bool LinkOf(std::span<const std::uint32_t> leading, std::uint32_t& link);

  std::string FWordText;                 // the word table's words, one after another
  std::vector<std::uint32_t> FWordStart;  // where each word starts in FWordText, and the end
  std::string FSeparator;
  int FWordBits = 32;
  std::uint32_t FNoLink = 0xFFFF;
  TChunkedArray<TLink> FResults;
  TChunkedArray<TLink> FLinks;  // leading sequences
  // The leading words of the last result and their links: the next result reuses the ones
  // it shares.
  std::vector<std::uint32_t> FLastWords;
  std::vector<std::uint32_t> FLastLinks;
  std::atomic<std::int32_t> FLimit{kDefaultLimit};
  std::atomic<bool> FLimitReached{false};
};

}  // namespace gryvel
