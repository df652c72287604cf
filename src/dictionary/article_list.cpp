#include "dictionary/article_list.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <new>
#include <utility>

#include "common/huge_pages.h"
#include "common/message_sink.h"
#include "dictionary/word_order.h"

namespace gryvel {

// Records are the bulk of a large dictionary's memory.
static_assert(sizeof(TArticleItem) <= 40);

namespace {

constexpr const char* kIndexError = "List index out of bounds (%d)";
constexpr const char* kCapacityError = "List capacity out of bounds (%d)";
constexpr const char* kCountError = "List count out of bounds (%d)";

std::string FormatInt(const char* format, std::int32_t a) {
  char text[96];
  std::snprintf(text, sizeof text, format, a);
  return text;
}

std::string FormatInts(const char* format, std::int32_t a, std::int32_t b) {
  char text[96];
  std::snprintf(text, sizeof text, format, a, b);
  return text;
}

// Null index slots (left by SetCount) read as empty words.
std::string_view WordOf(const TArticleItem* item) {
  return item != nullptr ? std::string_view(item->Word) : std::string_view();
}

// A strict weak order for std::sort: the word order, with empty words first (the word order
// calls an empty word greater than everything, both ways) and raw bytes breaking ties so
// that byte-identical words become neighbours for Pack.
bool SortsBefore(const TArticleItem* a, const TArticleItem* b) {
  const std::string_view wa = WordOf(a);
  const std::string_view wb = WordOf(b);
  if (wa.empty() || wb.empty()) return wa.empty() && !wb.empty();
  const int order = CompareWords(wa, wb);
  return order != 0 ? order < 0 : wa < wb;
}

}  // namespace

TArticleList::TRecordBlock::TRecordBlock(void* memory, std::int32_t start, std::int32_t size)
    : Items(static_cast<TArticleItem*>(memory)), Start(start), Size(size) {}

TArticleList::TRecordBlock::TRecordBlock(TRecordBlock&& other) noexcept
    : Items(std::exchange(other.Items, nullptr)),
      Start(other.Start),
      Size(other.Size),
      Built(std::exchange(other.Built, 0)) {}

TArticleList::TRecordBlock::~TRecordBlock() {
  std::destroy_n(Items, Built);
  FreeLarge(Items);
}

TArticleList::~TArticleList() {
  TArticleList::Clear();
}

std::int32_t TArticleList::AddArticle(std::string_view word) {
  if (!HasRoomFor(std::max(Count(), FArtCount))) return -1;
  TArticleItem* item = NewRecord(word);
  InsertPointer(Count(), item);
  return Count() - 1;
}

std::int32_t TArticleList::InsertArticle(std::string_view word, std::int32_t index) {
  if (index < 0) return -1;
  if (index > Count()) Raise(kIndexError, index);
  if (!HasRoomFor(std::max(Count(), FArtCount))) return -1;
  InsertPointer(index, NewRecord(word));
  return index;
}

TArticleItem* TArticleList::Get(std::int32_t index) {
  CheckIndex(index, Count());
  return FList[index];
}

const TArticleItem* TArticleList::Get(std::int32_t index) const {
  CheckIndex(index, Count());
  return FList[index];
}

std::int32_t TArticleList::Add(TArticleItem* item) {
  if (!HasRoomFor(Count())) return -1;
  InsertPointer(Count(), item);
  return Count() - 1;
}

void TArticleList::Insert(std::int32_t index, TArticleItem* item) {
  CheckIndex(index, Count() + 1);
  if (!HasRoomFor(Count())) return;
  InsertPointer(index, item);
}

void TArticleList::Delete(std::int32_t index) {
  CheckIndex(index, Count());
  TArticleItem* item = FList[index];
  FList.erase(FList.begin() + index);
  if (item != nullptr) Notify(item, TListAction::kDeleted);
}

void TArticleList::Move(std::int32_t from, std::int32_t to) {
  CheckIndex(from, Count());
  CheckIndex(to, Count());
  const auto first = FList.begin();
  if (from < to)
    std::rotate(first + from, first + from + 1, first + to + 1);
  else if (from > to)
    std::rotate(first + to, first + from, first + from + 1);
}

std::int32_t TArticleList::FindPosition(std::string_view word) const {
  const std::int32_t n = Count();
  if (n == 0 || word.empty()) return 0;
  std::int32_t hi = n;
  std::int32_t lo = -1;
  std::int32_t mid = n == 1 ? 0 : (n + 1) / 2;
  while (hi - lo != 1) {
    if (CompareWords(word, WordOf(FList[mid])) <= 0) {
      if (hi == mid) break;
      hi = mid;
      mid = lo + (hi - lo) / 2;
    } else {
      if (lo == mid) break;
      lo = mid;
      mid = mid + (hi - mid) / 2;
    }
  }
  return hi == mid ? mid : mid + 1;
}

std::int32_t TArticleList::IndexOf(std::string_view word) const {
  const std::int32_t index = FindPosition(word);
  if (index < Count() && CompareWords(word, WordOf(FList[index])) == 0) return index;
  return -1;
}

void TArticleList::Sort() {
  std::sort(FList.begin(), FList.end(), SortsBefore);
}

void TArticleList::Pack() {
  // Copies, not moves: the same record may sit in the index twice, and a foreign record
  // added with Add must stay as it is.
  std::vector<TArticleItem> kept;
  kept.reserve(FList.size());
  for (const TArticleItem* item : FList) {
    if (item == nullptr) continue;
    if (!kept.empty() && kept.back().Word == item->Word) continue;
    kept.push_back(*item);
  }
  // Nothing can fail from here on. kept.size() <= Count <= Capacity, so the records exist.
  const auto n = static_cast<std::int32_t>(kept.size());
  const std::int32_t used = FArtCount;
  FList.resize(n);
  for (std::int32_t k = 0; k < n; ++k) {
    TArticleItem& record = Record(k);
    record = std::move(kept[k]);
    FList[k] = &record;
  }
  FArtCount = n;
  ResetRecords(n, used);
}

void TArticleList::SetCapacity(std::int32_t n) {
  if (n < Count() || n < FArtCount || n >= kMaxCapacity) Raise(kCapacityError, n);
  if (n == FCapacity) return;
  if (!ReserveIndex(n) || !ResizeStore(n)) return;
  FCapacity = n;
}

void TArticleList::SetCount(std::int32_t n) {
  if (n < 0 || n >= kMaxCapacity) Raise(kCountError, n);
  if (n > FCapacity) {
    SetCapacity(n);
    if (n > FCapacity) return;  // out of memory, already reported
  }
  const std::int32_t count = Count();
  DropIndexFrom(n);
  // Records of deleted entries beyond n go too, so a list whose entries were all deleted
  // can still be cleared.
  if (n < FArtCount) {
    ResetRecords(n, FArtCount);
    FArtCount = n;
  }
  if (n > count) {
    FList.resize(n, nullptr);
  }
}

void TArticleList::Clear() {
  // The records are released whole, so unlike SetCount(0) there is nothing to reset.
  DropIndexFrom(0);
  FArtCount = 0;
  SetCapacity(0);
}

void TArticleList::DropIndexFrom(std::int32_t n) {
  for (std::int32_t k = Count() - 1; k >= n; --k) {
    TArticleItem* item = FList[k];
    FList.pop_back();
    if (item != nullptr) Notify(item, TListAction::kDeleted);
  }
}

bool TArticleList::IsInStorage(const TArticleItem* item) const {
  for (const TRecordBlock& block : FArtList) {
    if (block.Start > FArtCount) break;
    const TArticleItem* first = block.Items;
    if (std::less_equal<>()(first, item) && std::less<>()(item, first + block.Size))
      return block.Start + (item - first) <= FArtCount;
  }
  return false;
}

TRecordRanges TArticleList::Ranges() const {
  TRecordRanges ranges;
  ranges.FRanges.reserve(FArtList.size());
  for (const TRecordBlock& block : FArtList) {
    const auto first = reinterpret_cast<std::uintptr_t>(block.Items);
    ranges.FRanges.push_back({first, first + sizeof(TArticleItem) * block.Size});
  }
  std::sort(ranges.FRanges.begin(), ranges.FRanges.end(),
            [](const auto& a, const auto& b) { return a.First < b.First; });
  return ranges;
}

bool TRecordRanges::Holds(const TArticleItem* item) const {
  const auto address = reinterpret_cast<std::uintptr_t>(item);
  auto after = std::upper_bound(FRanges.begin(), FRanges.end(), address,
                                [](std::uintptr_t a, const TRange& r) { return a < r.First; });
  return after != FRanges.begin() && address < (--after)->End;
}

void TArticleList::Grow() {
  const std::int32_t c = FCapacity;
  const std::int32_t delta = c > 1000 ? c / 8 : c > 64 ? c / 4 : c > 8 ? 16 : 4;
  SetCapacity(c + delta);
}

void TArticleList::Notify(TArticleItem*, TListAction) {}

void TArticleList::Error(const char* format, std::int32_t data) const {
  throw EListError(FormatInt(format, data));
}

void* TArticleList::AllocateRecords(std::int32_t count) {
  return AllocateLarge(sizeof(TArticleItem) * static_cast<std::size_t>(count));
}

void TArticleList::Raise(const char* format, std::int32_t data) const {
  Error(format, data);
  throw EListError(FormatInt(format, data));  // an override that forgot to throw
}

void TArticleList::CheckIndex(std::int32_t index, std::int32_t limit) const {
  if (index < 0 || index >= limit) Raise(kIndexError, index);
}

bool TArticleList::HasRoomFor(std::int32_t used) {
  if (used < FCapacity) return true;
  Grow();
  return used < FCapacity;
}

void TArticleList::InsertPointer(std::int32_t index, TArticleItem* item) {
  FList.insert(FList.begin() + index, item);  // within the reserved capacity: cannot throw
  if (item != nullptr) Notify(item, TListAction::kAdded);
}

TArticleItem* TArticleList::NewRecord(std::string_view word) {
  // Positions are first used in order, so the next one is either built or the first unbuilt.
  TRecordBlock& block = FArtList[BlockOf(FArtCount)];
  const std::int32_t slot = FArtCount - block.Start;
  if (slot == block.Built) {
    new (block.Items + slot) TArticleItem;
    ++block.Built;
  }
  TArticleItem& record = block.Items[slot];
  record.Word.assign(word);  // in place: a reused record keeps its string's buffer
  record.Offset = 0;
  record.Flags = kFlagShown;
  record.Parts = 0;
  ++FArtCount;
  return &record;
}

std::size_t TArticleList::BlockOf(std::int32_t position) const {
  auto holds = [position](const TRecordBlock& b) {
    return b.Start <= position && position < b.Start + b.Size;
  };
  // Appends and ordered walks stay in one block for long stretches.
  if (FTail < FArtList.size() && holds(FArtList[FTail])) return FTail;
  const auto after =
      std::upper_bound(FArtList.begin(), FArtList.end(), position,
                       [](std::int32_t p, const TRecordBlock& b) { return p < b.Start; });
  FTail = static_cast<std::size_t>(after - FArtList.begin()) - 1;
  return FTail;
}

TArticleItem& TArticleList::Record(std::int32_t position) {
  const TRecordBlock& block = FArtList[BlockOf(position)];
  return block.Items[position - block.Start];
}

void TArticleList::ResetRecords(std::int32_t from, std::int32_t to) {
  for (std::int32_t k = from; k < to; ++k) Record(k) = TArticleItem{};
}

bool TArticleList::ReserveIndex(std::int32_t n) {
  try {
    if (static_cast<std::size_t>(n) > FList.capacity()) {
      FList.reserve(n);
    } else if (static_cast<std::size_t>(n) < FList.capacity()) {
      TEntryPointers smaller;
      smaller.reserve(n);
      smaller.assign(FList.begin(), FList.end());
      FList.swap(smaller);
    }
    return true;
  } catch (const std::bad_alloc&) {
    const std::string details = FormatInts("Count: %d\n\rPrevCount: %d", n, FCapacity);
    ShowMessage("Can't ReallocMem memory FList\n\r" + details);
    if (FList.capacity() == 0 && n > 0)
      ShowMessage("Can't allocate memory (code 002)\n\r" + details);
    return false;
  }
}

bool TArticleList::ResizeStore(std::int32_t n) {
  if (n <= FRoom) {
    // Whole blocks at or beyond n go; one straddling n keeps its room for a later growth.
    while (!FArtList.empty() && FArtList.back().Start >= n) {
      FRoom -= FArtList.back().Size;
      FArtList.pop_back();
    }
    return true;
  }
  try {
    FArtList.reserve(FArtList.size() + 1);  // so that the memory cannot be lost below
    void* memory = AllocateRecords(n - FRoom);
    if (memory == nullptr) throw std::bad_alloc();
    FArtList.emplace_back(memory, FRoom, n - FRoom);
    FRoom = n;
    return true;
  } catch (const std::bad_alloc&) {
    const std::string details = FormatInts("Count: %d\n\rPrevCount: %d", n, FCapacity);
    ShowMessage("Can't Realloc memory (FArtList)\n\r" + details);
    if (FArtList.empty() && n > 0) ShowMessage("Can't allocate memory (code 002)\n\r" + details);
    return false;
  }
}

}  // namespace gryvel
