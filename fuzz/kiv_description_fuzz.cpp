// Arbitrary bytes as a dictionary file read through a dictionary object: descriptions are read
// from any record offset without reading outside the file, and whatever loads, once saved,
// loads again with the same words and descriptions.
// Input: a u32 record offset, then the file.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "dictionary/file_io.h"
#include "dictionary/kiv2_reader.h"
#include "dictionary/kiv_dictionary.h"
#include "dictionary/kiv_format.h"
#include "fuzz_load.h"

namespace {

struct TContent {
  std::vector<std::string> words, descriptions;
  std::vector<std::uint16_t> parts;
  bool operator==(const TContent&) const = default;
};

TContent ContentOf(const gryvel::TKivDictionary& d) {
  TContent content;
  for (std::int32_t i = 0; i < d.Count(); ++i) {
    content.words.push_back(d.Entries().Get(i)->Word);
    content.parts.push_back(d.Entries().Get(i)->Parts);
    std::string text;
    if (!d.ReadDescription(i, &text).ok()) std::abort();  // the load checked every record
    content.descriptions.push_back(text);
  }
  return content;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace gryvel;
  fuzzing::SilenceMessages();
  if (size < 4) return 0;
  const auto offset = static_cast<std::int32_t>(LoadU32(data));
  data += 4;
  size -= 4;

  TMemoryReadFile file(data, size);
  std::string text;
  const bool read = ReadKiv2Description(file, offset, &text).ok();
  if (!read && !text.empty()) std::abort();
  if (text.size() > size) std::abort();

  TMemoryFileSystem files;
  files.SetFile("in.kiv", std::vector<std::uint8_t>(data, data + size));
  TKivDictionary dictionary(&files);
  dictionary.SetFileName("in.kiv");
  dictionary.Load();
  const TContent loaded = ContentOf(dictionary);
  if (!dictionary.SaveToFile("out.kiv").ok()) return 0;  // e.g. a word too long to save
  TKivDictionary again(&files);
  again.SetFileName("out.kiv");
  again.Load();
  if (!(ContentOf(again) == loaded)) std::abort();
  return 0;
}
