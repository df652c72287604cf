#pragma once

#include <cstddef>
#include <cstdint>

#include "dictionary/file_io.h"
#include "dictionary/load_job.h"

// The reader of plain-text word lists: any file that is not a binary dictionary.

namespace gryvel {

// Collects every run of two or more letters of `file` as an entry, in word order (through the
// collation map, taken from the UI thread) and without byte-identical repeats, as sorting and
// packing the entry list would leave them; the entries are added after the whole file is read.
// Letters are those of code page 1251
// (IsLetter: A-Z, a-z and every Cyrillic letter of the code page, Ё and ё among them); every
// other byte separates words. A file that starts with a UTF-8 byte-order mark, or whose first
// chunk is valid UTF-8 holding a multi-byte character, is read as UTF-8: its letters are
// converted to the code page, and characters the code page lacks, as well as any malformed
// sequence met later in the file, separate words. Runs of any length are kept whole across
// chunk boundaries.
TLoadOutcome LoadAsText(TReadFile& file, const TLoadJob& job);

// True when `data` starts with a UTF-8 byte-order mark, or is valid UTF-8 (a sequence cut off
// by the end of the data counts as valid) holding at least one multi-byte character.
bool LooksLikeUtf8(const std::uint8_t* data, std::size_t size);

}  // namespace gryvel
