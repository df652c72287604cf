// Arbitrary bytes as a plain-text word list: every entry is a run of two or more code page
// letters, the list is sorted and holds no byte-identical repeats.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "common/cp1251_case.h"
#include "dictionary/file_io.h"
#include "dictionary/text_reader.h"
#include "dictionary/word_order.h"
#include "fuzz_load.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace gryvel;
  fuzzing::TFuzzLoad load(data, size);
  TMemoryReadFile& file = load.File;
  TArticleList& entries = load.Entries;
  TLoadJob& job = load.Job;
  if (LoadAsText(file, job) != TLoadOutcome::kLoaded) std::abort();
  (void)LooksLikeUtf8(data, size);
  for (std::int32_t i = 0; i < entries.Count(); ++i) {
    const std::string& word = entries.Get(i)->Word;
    if (word.size() < 2) std::abort();
    for (unsigned char c : word)
      if (!IsLetter(c)) std::abort();
    if (i > 0) {
      const std::string& before = entries.Get(i - 1)->Word;
      if (before == word || CompareWords(before, word) > 0) std::abort();
    }
  }
  return 0;
}
