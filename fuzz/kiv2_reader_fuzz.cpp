// Arbitrary bytes as a version-2 dictionary file: the reader never trusts a size, never
// crashes or hangs, and every description of an entry it accepted can be read back.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dictionary/file_io.h"
#include "dictionary/kiv2_reader.h"
#include "dictionary/kiv_format.h"
#include "fuzz_load.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace gryvel;
  fuzzing::TFuzzLoad load(data, size);
  TMemoryReadFile& file = load.File;
  TArticleList& entries = load.Entries;
  TLoadJob& job = load.Job;
  job.Head.Count = size >= 19 ? LoadU32(data + 15) : 0;
  const TLoadOutcome outcome = LoadAsKIV2(file, job);
  if (outcome == TLoadOutcome::kCancelled) std::abort();
  if (outcome == TLoadOutcome::kFailed) return 0;
  std::string text;
  for (std::int32_t i = 0; i < entries.Count(); ++i) {
    const TArticleItem& item = *entries.Get(i);
    if (item.Word.size() > kMaxWordLength || item.Offset < 0) std::abort();
    if (!ReadKiv2Description(file, item.Offset, &text).ok()) std::abort();
    if (!text.empty() && !(item.Flags & kFlagHasDescription)) std::abort();
  }
  return 0;
}
