// Reads arbitrary bytes as a kept meaning index: nothing may crash, hang or read out of bounds,
// and an index that is taken answers lookups with entries inside the list it was checked
// against, and stores the same bytes again.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/cp1251_case.h"
#include "dictionary/file_io.h"
#include "results/array_file.h"
#include "results/meaning_index.h"

namespace {

constexpr std::int32_t kEntries = 64;

void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  gryvel::TMemoryReadFile file(data, size);
  gryvel::TArrayReader reader(file);
  gryvel::TMeaningIndex index(gryvel::kLowerCase);
  if (!index.Read(reader, kEntries)) return 0;
  std::vector<std::int32_t> entries;
  std::string key;
  for (const char* word : {"cold", "a", "", "\xEF\xEE\xE1\xE5\xE4\xE0", "zzzzzzzzzzzzzzzzzzzz"}) {
    index.Key(word, &key);
    index.EntriesWithKey(key, &entries);
    index.EntriesWithPrefix(word, &entries);
  }
  for (const std::int32_t entry : entries)
    Check(entry >= 0 && entry < kEntries, "entry out of range");

  gryvel::TMemoryFileSystem files;
  gryvel::TStatus status;
  auto out = files.CreateReplacing("again", &status);
  gryvel::TArrayWriter writer(*out);
  index.Write(writer);
  Check(writer.Status().ok() && out->Commit().ok(), "cannot store again");
  const std::vector<std::uint8_t> again = files.File("again");
  Check(again.size() == size && std::equal(again.begin(), again.end(), data), "stored differently");
  return 0;
}
