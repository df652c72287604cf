#pragma once

#include <string>

#include "common/status.h"
#include "dictionary/article_list.h"
#include "dictionary/file_io.h"

// The writer of plain word lists: a dictionary saved as text, one word per line.

namespace gryvel {

// How the words of a word list are stored.
enum class TWordListEncoding {
  Cp1251Crlf,  // code page 1251 bytes, lines ended by CR LF, as the oldest files are
  Utf8Lf,      // UTF-8, lines ended by LF: what the window and the command-line tool write
};

// Writes the word of every entry of `entries`, in index order, one per line, to `path`
// through a temporary file renamed over it, so a failure leaves an old file whole. Files are
// reached through `file_system` (borrowed; the real one when null). Returns the failure
// without showing it.
TStatus WriteWordList(const TArticleList& entries, const std::string& path,
                      TWordListEncoding encoding, TFileSystem* file_system = nullptr);

}  // namespace gryvel
