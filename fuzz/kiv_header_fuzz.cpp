// Arbitrary bytes as the start of a dictionary file: the header reader never reads outside the
// file or its header buffer, never crashes, and what it takes is consistent.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "dictionary/file_io.h"
#include "dictionary/kiv_dictionary.h"
#include "dictionary/kiv_header.h"
#include "fuzz_load.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace gryvel;
  fuzzing::SilenceMessages();

  TMemoryReadFile file(data, size);
  const THeaderInfo info = ReadHeaderFrom(file, "fuzz.kiv");
  if (info.Head.FileSize != size) std::abort();
  if (info.Binary != (size >= 3 && data[0] == 'k' && data[1] == 'i' && data[2] == 'v'))
    std::abort();
  if (info.Version1 && info.Head.Version != 1) std::abort();
  const std::size_t texts = info.Head.Title.size() + info.Head.Comments.size() +
                            info.Head.Author.size() + info.Head.Email.size() + info.Head.Web.size();
  if (!info.Damaged && texts > size) std::abort();

  // The same bytes through a dictionary, which takes the header over.
  TMemoryFileSystem files;
  files.SetFile("fuzz.kiv", std::vector<std::uint8_t>(data, data + size));
  TKivDictionary dictionary(&files);
  dictionary.SetFileName("fuzz.kiv");
  const TDictHead head = dictionary.ReadHeader();
  if (!(head == info.Head)) std::abort();
  dictionary.SetHeader(head);
  return 0;
}
