// Arbitrary bytes as a version-1 dictionary file, compressed or not (the flag at offset 11):
// the reader and its decoder never read past the body, never crash and never hang, and the
// entries and descriptions they produce agree.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "dictionary/file_io.h"
#include "dictionary/kiv1_reader.h"
#include "dictionary/kiv_format.h"
#include "fuzz_load.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace gryvel;
  fuzzing::TFuzzLoad load(data, size);
  TMemoryReadFile& file = load.File;
  TArticleList& entries = load.Entries;
  TDescriptions& descriptions = load.Descriptions;
  TLoadJob& job = load.Job;
  job.Head.Count = size >= 11 ? LoadU32(data + 7) : 0;
  const TLoadOutcome outcome = LoadAsKIV1(file, job);
  if (outcome == TLoadOutcome::kCancelled) std::abort();
  if (static_cast<std::uint32_t>(entries.Count()) > job.Head.Count) std::abort();
  std::int32_t previous = -1;
  for (const TDescription& d : descriptions.Items()) {
    if (d.Index <= previous || d.Index >= entries.Count() || d.Text.empty()) std::abort();
    if (!(entries.Get(d.Index)->Flags & kFlagDescriptionInMemory)) std::abort();
    previous = d.Index;
  }
  return 0;
}
