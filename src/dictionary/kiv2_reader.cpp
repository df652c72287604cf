#include "dictionary/kiv2_reader.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <vector>

#include "dictionary/kiv_format.h"

namespace gryvel {

namespace {

constexpr const char* kBufferTooSmall =
    "Buffer is less than item size. Error on reading the dictionary";
constexpr const char* kTooLongString = "Too long string. Error on reading the dictionary";
constexpr const char* kDamagedRecord = "Damaged record. Error on reading the dictionary";
constexpr const char* kUnexpectedEnd = "Unexpected end of file. Error on reading the dictionary";
constexpr const char* kFileTooLarge = "The file is too large. Error on reading the dictionary";
constexpr const char* kOutOfMemory = "Not enough memory. Error on reading the dictionary";
constexpr const char* kDamagedDescription =
    "Damaged description record. Error on reading the dictionary";

// Checks the lengths inside a record of `size` bytes that lies whole at `record`; returns the
// words for the first problem, or null.
const char* CheckRecord(const std::uint8_t* record, std::uint32_t size) {
  const std::uint32_t length = LoadU32(record + 8);
  if (length > kMaxWordLength) return kTooLongString;
  std::uint32_t rest = size - kRecordFixedSize;
  if (length > rest) return kDamagedRecord;
  rest -= length;
  if (record[4] & kRecordHasDescription) {
    if (rest < 4 || LoadU32(record + kRecordFixedSize + length) > rest - 4) return kDamagedRecord;
  }
  return nullptr;
}

std::uint16_t FlagsOf(const std::uint8_t* record) {
  std::uint16_t flags = 0;
  if (record[4] & kRecordHasDescription) flags |= kFlagHasDescription;
  if (record[5] & kRecordPlural) flags |= kFlagPlural;
  if (record[5] & kRecordSingular) flags |= kFlagSingular;
  return flags;
}

// Records are read this many bytes at a time, and a whole chunk only for a record that does not
// fit: a buffer that stays in the cache, and no page faults for room most files never use.
constexpr std::size_t kSmallChunk = 64 * 1024;

// Reads the records from file offset `pos` on. Records are taken while they lie whole in the
// buffer; the next read starts at the first record not taken. A record larger than the buffer
// grows it to a whole chunk, which holds any record, so every pass makes progress.
TLoadOutcome ReadRecords(TReadFile& file, const TLoadJob& job, std::uint64_t pos) {
  TArticleList& entries = *job.Entries;
  std::vector<std::uint8_t> buffer(kSmallChunk);
  TProgressMeter meter(job, job.Head.FileSize, "FPercentDone>100\n\rProc: LoadAsKIV2");
  for (;;) {
    const std::size_t n = file.ReadAt(pos, buffer.data(), buffer.size());
    const bool last = n < buffer.size();
    std::size_t p = 0;
    while (n - p >= 4) {
      if (IsCancelled(job)) return TLoadOutcome::kCancelled;
      const std::uint8_t* record = buffer.data() + p;
      const std::uint32_t size = LoadU32(record);
      const char* problem = size > kReadChunk         ? kBufferTooSmall
                            : size < kRecordFixedSize ? kDamagedRecord
                            : size > n - p            ? nullptr
                                                      : CheckRecord(record, size);
      if (problem != nullptr) return FailLoad(job, TLoadProblem::kDamagedRecord, problem);
      if (size > n - p) {
        if (size > buffer.size()) buffer.resize(kReadChunk);
        break;
      }
      if (pos + p > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
        return FailLoad(job, TLoadProblem::kFileTooLarge, kFileTooLarge);  // 32-bit offsets
      const std::uint32_t length = LoadU32(record + 8);
      const std::int32_t index = entries.AddArticle(
          std::string_view(reinterpret_cast<const char*>(record + kRecordFixedSize), length));
      if (index < 0) return FailLoad(job, TLoadProblem::kOutOfMemory, kOutOfMemory);
      TArticleItem* item = entries.Get(index);
      item->Offset = static_cast<std::int32_t>(pos + p);
      item->Parts = LoadU16(record + 6);
      item->Flags |= FlagsOf(record);
      p += size;
      if (job.Position != nullptr) job.Position->store(index + 1, std::memory_order_relaxed);
      meter.Advance(size);
    }
    pos += p;
    if (last) {
      if (p == n) return TLoadOutcome::kLoaded;
      return FailLoad(job, TLoadProblem::kUnexpectedEnd, kUnexpectedEnd);
    }
  }
}

TLoadOutcome Load(TReadFile& file, const TLoadJob& job) {
  std::uint8_t field[4];
  if (file.ReadAt(3, field, sizeof field) != sizeof field)
    return FailLoad(job, TLoadProblem::kDamagedHeader, "Error opening the dictionary (code 001)");
  const std::uint64_t block_at = std::uint64_t{LoadU32(field)} + 7;
  if (file.ReadAt(block_at, field, sizeof field) != sizeof field ||
      block_at + 4 + LoadU32(field) > file.Size())
    return FailLoad(job, TLoadProblem::kDamagedHeader, "Error opening the dictionary (code 002)");
  const std::uint64_t records_at = block_at + 4 + LoadU32(field);
  // The header's count only sizes the list: the records run to the end of the file. A count
  // the file cannot hold must not decide the reservation.
  const std::uint64_t body = file.Size() - records_at;
  ResetEntries(job, std::min<std::uint64_t>(job.Head.Count, body / kRecordFixedSize));
  if (job.Head.Count == 0) return TLoadOutcome::kLoaded;
  return ReadRecords(file, job, records_at);
}

}  // namespace

TLoadOutcome LoadAsKIV2(TReadFile& file, const TLoadJob& job) {
  return CatchLoadErrors(job, [&] { return Load(file, job); });
}

TStatus ReadKiv2Description(TReadFile& file, std::int64_t offset, std::string* text) {
  text->clear();
  std::uint8_t fixed[kRecordFixedSize];
  if (offset < 0 || file.ReadAt(offset, fixed, sizeof fixed) != sizeof fixed)
    return TStatus::Error(kDamagedDescription);
  const std::uint32_t size = LoadU32(fixed);
  const std::uint32_t length = LoadU32(fixed + 8);
  if (size < kRecordFixedSize || size > kReadChunk || length > kMaxWordLength ||
      length > size - kRecordFixedSize || offset + std::uint64_t{size} > file.Size())
    return TStatus::Error(kDamagedDescription);
  if (!(fixed[4] & kRecordHasDescription)) return TStatus::Ok();

  const std::uint32_t rest = size - kRecordFixedSize - length;
  std::uint8_t field[4];
  const std::uint64_t at = offset + kRecordFixedSize + std::uint64_t{length};
  if (rest < 4 || file.ReadAt(at, field, sizeof field) != sizeof field || LoadU32(field) > rest - 4)
    return TStatus::Error(kDamagedDescription);
  text->resize(LoadU32(field));
  if (file.ReadAt(at + 4, text->data(), text->size()) != text->size()) {
    text->clear();
    return TStatus::Error(kDamagedDescription);
  }
  return TStatus::Ok();
}

bool TKiv2DescriptionReader::Fill(std::uint64_t offset) {
  FWindow.resize(kReadChunk);
  FWindow.resize(FFile.ReadAt(offset, FWindow.data(), FWindow.size()));
  FStart = offset;
  return !FWindow.empty();
}

TStatus TKiv2DescriptionReader::Read(std::int64_t offset, std::string_view* text) {
  *text = {};
  if (offset < 0) return TStatus::Error(kDamagedDescription);
  const auto at = static_cast<std::uint64_t>(offset);
  // A record is never larger than a chunk: one that starts in the window lies whole in it,
  // unless the window ends first, and then a window starting at the record holds it.
  auto inside = [&](std::uint64_t size) {
    return at >= FStart && at - FStart + size <= FWindow.size();
  };
  if (!inside(kRecordFixedSize) && !Fill(at)) return TStatus::Error(kDamagedDescription);
  if (!inside(kRecordFixedSize)) return TStatus::Error(kDamagedDescription);
  const std::uint32_t size = LoadU32(FWindow.data() + (at - FStart));
  if (size < kRecordFixedSize || size > kReadChunk) return TStatus::Error(kDamagedDescription);
  if (!inside(size) && (!Fill(at) || !inside(size))) return TStatus::Error(kDamagedDescription);
  const std::uint8_t* record = FWindow.data() + (at - FStart);
  if (CheckRecord(record, size) != nullptr) return TStatus::Error(kDamagedDescription);
  if (!(record[4] & kRecordHasDescription)) return TStatus::Ok();
  const std::uint8_t* field = record + kRecordFixedSize + LoadU32(record + 8);
  *text = std::string_view(reinterpret_cast<const char*>(field + 4), LoadU32(field));
  return TStatus::Ok();
}

}  // namespace gryvel
