#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "dictionary/dict_head.h"
#include "dictionary/file_io.h"

// The header reader of dictionary files: the signature, the version and the fields of each
// version's header.

namespace gryvel {

// Raised when a dictionary file cannot be opened to read its header.
class EDictionaryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The text of that error: "%s: %s" with the system's text for `error` and the file name.
std::string HeaderOpenErrorText(int error, std::string_view file_name);

// The version of a binary file from A, the u32 at offset 7, and B, the u32 at offset 16:
// 1 when B = 1 and A != 2, else A.
std::uint32_t DetectVersion(std::uint32_t a, std::uint32_t b);

struct THeaderInfo {
  TDictHead Head;       // FileSize always; the rest as far as the file has it
  bool Binary = false;  // the file starts with the signature
  bool Version1 = false;
  bool Damaged = false;  // a binary header that does not hold together: read no entries
  bool NotDictionary = false;  // named as a dictionary without being one: read nothing
};

// Reads the header at the start of `file` (called `file_name`). A file without the signature is
// a word list, or NotDictionary when its name says dictionary (see ClassifyContent); a binary
// header whose sizes or text lengths run outside the header, the file or
// the header buffer comes back Damaged, for the load to report. Reads nothing outside the file.
// Messages are shown on the UI thread; may be called from a loader thread.
THeaderInfo ReadHeaderFrom(TReadFile& file, std::string_view file_name);

}  // namespace gryvel
