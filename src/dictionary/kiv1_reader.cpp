#include "dictionary/kiv1_reader.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/crypt_lib.h"
#include "dictionary/kiv_format.h"

namespace gryvel {

namespace {

std::string_view View(const std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t n) {
  return std::string_view(reinterpret_cast<const char*>(bytes.data() + at), n);
}

// The body from HeadSize to the end of the file, expanded when compressed; false, with the
// job's failure recorded, when the file cannot be used.
bool ReadBody(TReadFile& file, const TLoadJob& job, std::vector<std::uint8_t>* body) {
  std::uint8_t start[12];  // signature, HeadSize, entry count, header flags
  if (file.ReadAt(0, start, sizeof start) != sizeof start) {
    FailLoad(job, TLoadProblem::kDamagedHeader, "Error opening the dictionary");
    return false;
  }
  const std::uint64_t head_size = LoadU32(start + 3);
  if (head_size < file.Size()) {
    body->resize(file.Size() - head_size);
    const std::size_t got = file.ReadAt(head_size, body->data(), body->size());
    if (got != body->size()) {
      ShowLoadWarning(job, "Cant read file");
      body->resize(got);
    }
  }
  if (start[11] & kHeadCompressed) {
    try {
      TCryptLib crypt;
      crypt.SetCompression(true);
      crypt.SetPassword(kDictionaryPassword);
      crypt.SetMultKey(kDictionaryMultKey);
      crypt.SetAddKey(kDictionaryAddKey);
      crypt.ExpandStream(*body, 0);
    } catch (const ECryptError& e) {
      FailLoad(job, TLoadProblem::kDamagedRecord, e.what());
      return false;
    }
  }
  return true;
}

TLoadOutcome Load(TReadFile& file, const TLoadJob& job) {
  std::vector<std::uint8_t> body;
  if (!ReadBody(file, job, &body)) return TLoadOutcome::kFailed;
  const std::uint32_t count = job.Head.Count;
  ResetEntries(job, std::min<std::uint64_t>(count, body.size() / kV1RecordFixedSize));
  TArticleList& entries = *job.Entries;
  TProgressMeter meter(job, body.size(), "FPercentDone>100\n\rProc: LoadAsKIV1");
  const std::size_t end = body.size();
  std::size_t p = 0;
  std::uint32_t taken = 0;
  for (; taken < count; ++taken) {
    if (IsCancelled(job)) return TLoadOutcome::kCancelled;
    if (end - p < kV1RecordFixedSize) break;
    const bool described = body[p] & kV1RecordHasDescription;
    const std::size_t length = LoadU16(&body[p + 4]);
    std::size_t next = p + kV1RecordFixedSize;
    if (length > end - next) break;
    const std::string_view word = View(body, next, length);
    next += length;
    std::string_view description;
    if (described) {
      if (end - next < 4) break;
      const std::size_t size = LoadU32(&body[next]);
      next += 4;
      if (size > end - next) break;
      description = View(body, next, size);
      next += size;
    }
    const std::int32_t index = entries.AddArticle(word);
    if (index < 0)
      return FailLoad(job, TLoadProblem::kOutOfMemory,
                      "Not enough memory. Error on reading the dictionary");
    TArticleItem* item = entries.Get(index);
    item->Offset = -1;
    // As setting it in memory would: an empty description is no change.
    if (!description.empty()) {
      item->Flags |= kFlagChanged | kFlagDescriptionInMemory | kFlagHasDescription;
      job.Descriptions->Add(index, std::string(description));
    }
    if (job.Position != nullptr) job.Position->store(index + 1, std::memory_order_relaxed);
    meter.Advance(next - p);
    p = next;
  }
  if (taken < count)
    ShowLoadWarning(job, "Actual items count is not... Error on reading the dictionary");
  return TLoadOutcome::kLoaded;
}

}  // namespace

TLoadOutcome LoadAsKIV1(TReadFile& file, const TLoadJob& job) {
  return CatchLoadErrors(job, [&] { return Load(file, job); });
}

}  // namespace gryvel
