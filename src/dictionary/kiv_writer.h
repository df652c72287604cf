#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/status.h"
#include "dictionary/article_list.h"
#include "dictionary/dict_head.h"
#include "dictionary/file_io.h"

// The writer of version-2 dictionary files, the only version written.

namespace gryvel {

// Gives the current description of entry `index` in *text, or fails and so stops the save.
using TDescriptionSource = std::function<TStatus(std::int32_t index, std::string* text)>;

// Where WriteKiv2 put things.
struct TWrittenKiv2 {
  std::uint32_t HeadSize = 0;
  std::uint64_t FileSize = 0;
  std::vector<std::int32_t> Offsets;  // the record offset of each entry, in index order
  std::vector<bool> Described;        // whether the record of each entry holds a description
};

// Fails, naming the word, when the readers could not read `entries` back: a word longer than
// kMaxWordLength bytes (version-1 and text files can hold one).
TStatus CheckWritable(const TArticleList& entries);

// Writes `head` as a version-2 header (signature "kiv", version 2, the entry count of
// `entries`, the sixth text only with kHeadSixthText) and then a record per entry in index
// order, handing the bytes to `out` whenever more than 200,000 are buffered. Does not commit.
// Fails without writing the rest when the file would not read back: a word longer than
// kMaxWordLength, a record larger than kReadChunk, a header larger than kHeaderBuffer, a record
// offset past 2^31 - 1; and when `describe` or `out` fails.
TStatus WriteKiv2(const TDictHead& head, const TArticleList& entries,
                  const TDescriptionSource& describe, TWriteFile& out, TWrittenKiv2* written);

}  // namespace gryvel
