#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "common/cp1251_case.h"
#include "results/meaning_index.h"

// Meaning indexes kept in the user's cache directory, so that a start with the same
// dictionaries reads the index instead of building it again. A file is named after everything
// its index depends on (the dictionary files, the merged word list, the letter map, the
// stemmers) and holds that in full, so a stale file is never taken; the few most recently used
// are kept.

namespace gryvel {

class TDictionaryCollection;

struct TMeaningCacheFile {
  std::string Path;  // empty when the index is not to be kept
  std::string Key;   // what the index is built from
  std::int32_t EntryCount = 0;
  bool Saved = false;  // whether a file was there when this was worked out
};

// Where the index of `collection`'s descriptions through `map` is kept in `directory` (no path
// when `directory` is empty or a dictionary holds changes not saved to its file: its file no
// longer describes it). REQUIRES: the UI thread, no dictionary loading.
TMeaningCacheFile MeaningCacheFile(const TDictionaryCollection& collection, const TByteMap& map,
                                   const std::string& directory);

// The index kept in `file`, compared through `map`; null when there is none, or it was made
// for something else or is damaged (a damaged file is removed). Any thread.
std::unique_ptr<TMeaningIndex> ReadMeaningCache(const TMeaningCacheFile& file, const TByteMap& map);

// Builds the index of `documents` and keeps it in `file` (when it has a path; a failure to
// write only costs the next start a build). Null when `cancel` turned true. Any thread.
std::unique_ptr<TMeaningIndex> BuildAndKeepMeaningIndex(const TByteMap& map,
                                                        const TMeaningDocuments& documents,
                                                        const TMeaningCacheFile& file,
                                                        const std::atomic<bool>* cancel = nullptr);

}  // namespace gryvel
