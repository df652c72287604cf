#pragma once

#include <cstdint>
#include <string>

#include "common/status.h"
#include "dictionary/file_io.h"
#include "solvers/result_list.h"

// The results of a word chain or word analysis as lines of text: one result a line, for the
// clipboard and for a text file.

namespace gryvel {

// Appends results `first` .. `last` (inclusive, valid indices) to `out`, each followed by LF,
// in code page 1251.
void AppendResultLines(const TResultList& results, std::int32_t first, std::int32_t last,
                       std::string& out);

// Writes every result to `path` as UTF-8 text, one a line ending in LF, replacing a file there
// through a temporary file. On failure the message is shown and returned, and an old file
// stays whole.
TStatus SaveResultLines(TFileSystem& file_system, const std::string& path,
                        const TResultList& results);

}  // namespace gryvel
