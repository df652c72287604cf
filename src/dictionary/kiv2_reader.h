#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "dictionary/file_io.h"
#include "dictionary/load_job.h"

// The entry reader of version-2 dictionary files and the reader of one description.

namespace gryvel {

// Reads every record of `file`, to its end, into the job's entries, in chunks of kReadChunk
// bytes: the word, Offset = the record's file offset, Parts, and Flags kFlagHasDescription,
// kFlagSingular and kFlagPlural from the record's flags. The header's entry count only
// reserves room (no more than the file can hold); a count of 0 reads nothing, quietly. No size
// in the file is trusted: a record that is damaged, larger than a chunk, holds a word longer
// than kMaxWordLength or runs past the end of the file stops the load with a message (kFailed).
TLoadOutcome LoadAsKIV2(TReadFile& file, const TLoadJob& job);

// Reads into *text the description of the record at `offset`: empty when the record has none.
// Fails, leaving *text empty, when the record or its description does not lie whole inside
// the file.
TStatus ReadKiv2Description(TReadFile& file, std::int64_t offset, std::string* text);

// Reads the descriptions of many records through a window of kReadChunk bytes of the file, so
// that a walk over records at rising offsets reads each part of the file once (any order
// works, only slower). The file is borrowed.
class TKiv2DescriptionReader {
 public:
  explicit TKiv2DescriptionReader(TReadFile& file) : FFile(file) {}

  // As ReadKiv2Description; *text points into the window and stays valid until the next call.
  TStatus Read(std::int64_t offset, std::string_view* text);

 private:
  // Makes the window start at `offset`; false when nothing can be read there.
  bool Fill(std::uint64_t offset);

  TReadFile& FFile;
  std::vector<std::uint8_t> FWindow;
  std::uint64_t FStart = 0;  // file offset of FWindow[0]
};

}  // namespace gryvel
