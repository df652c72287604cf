#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "common/huge_pages.h"

// A dictionary's entries: a store of fixed-size records plus an index of pointers to them kept
// in word order (see dictionary/word_order.h). The entry index of an entry is its position in
// the index. Words are code page 1251 bytes.

namespace gryvel {

// Flags bits of TArticleItem.
inline constexpr std::uint16_t kFlagChanged = 0x0008;              // changed since the last save
inline constexpr std::uint16_t kFlagDescriptionInMemory = 0x0010;  // description not in the file
inline constexpr std::uint16_t kFlagShown = 0x0020;                // passes the visibility test
inline constexpr std::uint16_t kFlagInOtherDictionary = 0x0080;  // word also in another dictionary
inline constexpr std::uint16_t kFlagHasDescription = 0x0100;
inline constexpr std::uint16_t kFlagSingular = 0x0200;
inline constexpr std::uint16_t kFlagPlural = 0x0400;

// Parts bits of TArticleItem. Bits 0x10 and 0x20 are unassigned but kept as stored.
inline constexpr std::uint16_t kPartNoun = 0x01;
inline constexpr std::uint16_t kPartAdjective = 0x02;
inline constexpr std::uint16_t kPartVerb = 0x04;
inline constexpr std::uint16_t kPartAdverb = 0x08;
inline constexpr std::uint16_t kPartPreposition = 0x40;
inline constexpr std::uint16_t kPartInterjection = 0x80;

// One entry.
struct TArticleItem {
  std::string Word;         // the headword
  std::int32_t Offset = 0;  // file offset of a version-2 record, -1 from version 1, else unset
  std::uint16_t Flags = 0;  // kFlag* bits
  std::uint16_t Parts = 0;  // kPart* bits
};

// Entry pointers, one per entry of a list: filled whole as a list loads or merges.
using TEntryPointers = std::vector<TArticleItem*, THugePageAllocator<TArticleItem*>>;

// The list index, capacity and count errors.
class EListError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Where a list's records lie in memory, taken at one moment: tells whether a record belongs to
// the list without touching the list, so it can be asked while a loader appends to it.
class TRecordRanges {
 public:
  // True when `item` lies in one of the record blocks the list had when the ranges were taken.
  bool Holds(const TArticleItem* item) const;
  bool Empty() const { return FRanges.empty(); }

 private:
  friend class TArticleList;
  struct TRange {
    std::uintptr_t First;  // address of the first record
    std::uintptr_t End;    // address past the last record
  };
  std::vector<TRange> FRanges;  // sorted by address
};

// What Notify reports.
enum class TListAction : int { kAdded = 0, kDeleted = 2 };

// Records live in separately allocated blocks that never move, so a TArticleItem* taken from
// the list stays valid while its record is in use (until Pack, Clear or a count reduction
// reclaims it). Errors are raised before anything changes, so the list stays whole.
//
// Not thread-safe.
class TArticleList {
 public:
  // Count, ArtCount and Capacity stay below this.
  static constexpr std::int32_t kMaxCapacity = 134'217'728;

  TArticleList() = default;
  // Calls Clear.
  virtual ~TArticleList();
  TArticleList(const TArticleList&) = delete;
  TArticleList& operator=(const TArticleList&) = delete;

  // Entries in the index.
  std::int32_t Count() const { return static_cast<std::int32_t>(FList.size()); }
  // Records in use in the store, including those of deleted entries.
  std::int32_t ArtCount() const { return FArtCount; }
  // Records the store holds room for; also the reserved size of the index.
  std::int32_t Capacity() const { return FCapacity; }

  // Stores `word` in a new record with Flags = kFlagShown and appends it to the index. Returns
  // its entry index, or -1 when memory for growing cannot be obtained (the list is unchanged).
  // The caller keeps the word order (loaders append entries already sorted).
  std::int32_t AddArticle(std::string_view word);
  // As AddArticle but inserts at `index`. Returns `index`, or -1 for index < 0 or no memory.
  // Raises EListError when index > Count().
  std::int32_t InsertArticle(std::string_view word, std::int32_t index);

  // The index: entry pointers in entry order.
  std::span<TArticleItem* const> Items() const { return FList; }
  // The record of entry `index`. Raises EListError unless 0 <= index < Count().
  TArticleItem* Get(std::int32_t index);
  const TArticleItem* Get(std::int32_t index) const;

  // Pointer-list operations on the index; the records stay in the store.
  // Add returns the new index, or -1 when memory for growing cannot be obtained.
  std::int32_t Add(TArticleItem* item);
  // Raises EListError unless 0 <= index <= Count(). Does nothing when memory runs out.
  void Insert(std::int32_t index, TArticleItem* item);
  // Removes the pointer only; ArtCount is unchanged. Raises unless 0 <= index < Count().
  void Delete(std::int32_t index);
  // Takes the pointer out and re-inserts it at `to`. Raises unless both are < Count().
  void Move(std::int32_t from, std::int32_t to);

  // The first index whose word is not less than `word` in the word order, Count() if none;
  // 0 for an empty list or an empty word. REQUIRES: the index is in word order.
  std::int32_t FindPosition(std::string_view word) const;
  // The index of an entry comparing equal to `word`, or -1. -1 for an empty word.
  std::int32_t IndexOf(std::string_view word) const;

  // Sorts the index by the word order; byte-identical words end up next to each other.
  // Empty words come first.
  void Sort();
  // Keeps the first of each run of byte-identical neighbouring words and copies the kept
  // records to the front of the store in index order. Moves records: only for a list nobody
  // holds pointers into yet (the text loader, after Sort). Sends no notifications.
  void Pack();

  // Sets the room of the store and the index. Raises EListError when n < Count(),
  // n < ArtCount() or n >= kMaxCapacity. When memory runs out, shows a message and leaves the
  // capacity unchanged.
  void SetCapacity(std::int32_t n);
  // Sets Count(), growing the capacity (new index slots are null) or dropping entries from the
  // end. Lowering also sets ArtCount to n and reclaims the records beyond it. Raises unless
  // 0 <= n < kMaxCapacity. REQUIRES when lowering: entry k is record k for k < n (as after
  // Pack).
  void SetCount(std::int32_t n);
  // Empties the list and releases all memory.
  virtual void Clear();

  // True when `item` points at one of the records 0..ArtCount() of the store (the record at
  // ArtCount, the next to be used, included).
  bool IsInStorage(const TArticleItem* item) const;
  // The blocks of the store as they are now.
  TRecordRanges Ranges() const;

 protected:
  // Raises the capacity C by 4 while C <= 8, by 16 while C <= 64, by C/4 while C <= 1000,
  // else by C/8.
  virtual void Grow();
  // Called after an item pointer was inserted into (kAdded) or removed from (kDeleted) the
  // index. Does nothing here.
  virtual void Notify(TArticleItem* item, TListAction action);
  // Raises EListError with `format` ("... %d") filled in with `data`. Overrides must throw.
  virtual void Error(const char* format, std::int32_t data) const;
  // Memory for `count` records, not yet constructed, from AllocateLarge (the store releases it
  // with FreeLarge); null or std::bad_alloc when memory runs out. Overridable to control
  // allocation in tests.
  virtual void* AllocateRecords(std::int32_t count);

 private:
  // One allocation of records: store positions Start .. Start + Size - 1. Only the first
  // Built are constructed: a record is made when its position is first used, so sizing the
  // store for a whole dictionary touches none of its memory (records come in blocks of up to
  // millions; large blocks are on huge pages, faulted in as the records are filled).
  struct TRecordBlock {
    TRecordBlock(void* memory, std::int32_t start, std::int32_t size);
    TRecordBlock(TRecordBlock&& other) noexcept;
    TRecordBlock& operator=(TRecordBlock&&) = delete;
    ~TRecordBlock();

    TArticleItem* Items;
    std::int32_t Start;
    std::int32_t Size;
    std::int32_t Built = 0;
  };

  [[noreturn]] void Raise(const char* format, std::int32_t data) const;
  void CheckIndex(std::int32_t index, std::int32_t limit) const;
  // Grows if `used` (a count of index slots or records) has reached the capacity; false when
  // there is still no room for one more.
  bool HasRoomFor(std::int32_t used);
  void InsertPointer(std::int32_t index, TArticleItem* item);
  // Removes the index entries from `n` on, notifying each removal.
  void DropIndexFrom(std::int32_t n);
  TArticleItem* NewRecord(std::string_view word);
  std::size_t BlockOf(std::int32_t position) const;
  TArticleItem& Record(std::int32_t position);
  // Resets records from..to-1 of the store to default values.
  void ResetRecords(std::int32_t from, std::int32_t to);
  // Resize the index or the store to room for n; false, after showing why, when out of memory.
  bool ReserveIndex(std::int32_t n);
  bool ResizeStore(std::int32_t n);

  TEntryPointers FList;                // the index; size is Count, reserved to Capacity
  std::vector<TRecordBlock> FArtList;  // the store, blocks in position order
  std::int32_t FArtCount = 0;
  std::int32_t FCapacity = 0;
  std::int32_t FRoom = 0;         // records allocated; Capacity <= FRoom
  mutable std::size_t FTail = 0;  // block of the last record looked up
};

}  // namespace gryvel
