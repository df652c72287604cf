// Arbitrary bytes as a file named as a dictionary or as a word list: the classifier always
// answers a dictionary, a word list or a refusal, reads nothing outside the bytes, and its
// answer follows the signature and the name.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "dictionary/file_io.h"
#include "dictionary/file_kind.h"

namespace {

using namespace gryvel;

bool Signed(const std::uint8_t* data, std::size_t size) {
  return size >= 3 && data[0] == 'k' && data[1] == 'i' && data[2] == 'v';
}

void Check(const TFileClass& kind, const std::uint8_t* data, std::size_t size, bool dictionary_name) {
  if (kind.NonWordPercent < 0 || kind.NonWordPercent > 100) std::abort();
  switch (kind.Kind) {
    case TFileKind::kDictionary:
      if (!Signed(data, size) || kind.Refusal != TFileRefusal::kNone) std::abort();
      break;
    case TFileKind::kWordList:
      if (Signed(data, size) || dictionary_name || kind.Refusal != TFileRefusal::kNone)
        std::abort();
      break;
    case TFileKind::kRefused:
      if (Signed(data, size) || !dictionary_name || kind.Refusal != TFileRefusal::kNotDictionary)
        std::abort();
      break;
    default:
      std::abort();
  }
}

}  // namespace

// The first byte picks the name and whether the rest is the whole file or only its start.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool dictionary_name = (data[0] & 1) != 0;
  const bool whole = (data[0] & 2) != 0;
  const std::string name = dictionary_name ? "fuzz.kiv" : "fuzz.txt";
  const std::vector<std::uint8_t> bytes(data + 1, data + size);  // exact bounds for the sanitizer
  Check(ClassifyContent(name, bytes.data(), bytes.size(), whole), bytes.data(), bytes.size(),
        dictionary_name);

  TMemoryFileSystem files;
  files.SetFile(name, bytes);
  const TFileClass kind = ClassifyFile(files, name);
  Check(kind, bytes.data(), bytes.size(), dictionary_name);
  if (bytes.size() <= kClassifySample &&
      kind.NonWordPercent != ClassifyContent(name, bytes.data(), bytes.size(), true).NonWordPercent)
    std::abort();
  return 0;
}
