#include "results/meaning_cache.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "dictionary/dictionary_collection.h"
#include "dictionary/file_io.h"
#include "results/array_file.h"
#include "results/word_table.h"
#include "search/word_stemmer.h"

namespace gryvel {

namespace {

// Changes whenever the layout of the file or of the index changes.
constexpr std::string_view kFormat = "gryvel meaning index 2";
constexpr std::string_view kPrefix = "meaning-";
constexpr std::string_view kSuffix = ".index";
// An index of both bundled dictionaries takes about 20 MB.
constexpr std::size_t kFilesKept = 3;

template <typename T>
void Put(std::string* key, const T& value) {
  key->append(reinterpret_cast<const char*>(&value), sizeof value);
}

void PutText(std::string* key, std::string_view text) {
  Put(key, static_cast<std::uint64_t>(text.size()));
  key->append(text);
}

// The stems of a few words of each language: a stemmer whose rules changed gives other keys.
void PutStems(std::string* key) {
  static constexpr std::string_view kProbes[] = {
      "happiness",
      "running",
      "colder",
      "\xF3\xF1\xEF\xE5\xF5\xE0\xEC\xE8",                      // успехами
      "\xEF\xEE\xE1\xE5\xE4\xFB",                              // победы
      "\xEF\xF0\xE5\xEA\xF0\xE0\xF1\xED\xE5\xE9\xF8\xE8\xE9",  // прекраснейший
  };
  TWordStemmer stemmer;
  std::string stem;
  for (const std::string_view probe : kProbes) {
    stemmer.Stem(probe, &stem);
    PutText(key, stem);
  }
}

// Adds what the descriptions of `collection` are read from; false when a dictionary's file does
// not hold all of them.
bool PutDictionaries(const TDictionaryCollection& collection, std::string* key) {
  for (std::int32_t d = 0; d < collection.DictionaryCount(); ++d) {
    const TKivDictionary& dictionary = *collection.Dictionary(d);
    if (!dictionary.Connected()) continue;
    struct stat info {};
    if (dictionary.Loading() || dictionary.Modified() ||
        ::stat(dictionary.FileName().c_str(), &info) != 0)
      return false;
    PutText(key, dictionary.FileName());
    Put(key, info.st_dev);
    Put(key, info.st_ino);
    Put(key, info.st_size);
    Put(key, info.st_mtim.tv_sec);
    Put(key, info.st_mtim.tv_nsec);
    Put(key, dictionary.Count());
  }
  // The merged list numbers the entries the index names.
  Put(key, collection.Count());
  std::uint64_t words = 0;
  for (const TArticleItem* item : collection.Items())
    words = (words ^ TWordTable::Hash(item->Word)) * 0x9E3779B97F4A7C15u;
  Put(key, words);
  return true;
}

std::string Hex(std::uint64_t value) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

// Removes all but the kFilesKept most recently used index files of `directory`.
void Prune(const std::filesystem::path& directory) {
  std::error_code error;
  std::vector<std::pair<std::filesystem::file_time_type, std::filesystem::path>> files;
  for (const auto& item : std::filesystem::directory_iterator(directory, error)) {
    const std::string name = item.path().filename().string();
    if (name.starts_with(kPrefix) && name.ends_with(kSuffix))
      files.emplace_back(item.last_write_time(error), item.path());
  }
  if (files.size() <= kFilesKept) return;
  std::sort(files.begin(), files.end(), std::greater<>());
  for (std::size_t i = kFilesKept; i < files.size(); ++i)
    std::filesystem::remove(files[i].second, error);
}

void Keep(const TMeaningIndex& index, const TMeaningCacheFile& file) {
  const std::filesystem::path path(file.Path);
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  TStatus status;
  const std::unique_ptr<TWriteFile> out = PosixFileSystem().CreateReplacing(file.Path, &status);
  if (out == nullptr) return;
  TArrayWriter writer(*out);
  writer.Write(kFormat);
  writer.Write(file.Key);
  index.Write(writer);
  if (writer.Status().ok() && out->Commit().ok()) Prune(path.parent_path());
}

}  // namespace

TMeaningCacheFile MeaningCacheFile(const TDictionaryCollection& collection, const TByteMap& map,
                                   const std::string& directory) {
  TMeaningCacheFile file;
  if (directory.empty() || collection.Count() == 0) return file;
  PutText(&file.Key, kFormat);
  file.Key.append(reinterpret_cast<const char*>(map.data()), map.size());
  PutStems(&file.Key);
  if (!PutDictionaries(collection, &file.Key)) return {};
  file.EntryCount = collection.Count();
  file.Path = (std::filesystem::path(directory) /
               (std::string(kPrefix) + Hex(TWordTable::Hash(file.Key)) + std::string(kSuffix)))
                  .string();
  file.Saved = ::access(file.Path.c_str(), R_OK) == 0;
  return file;
}

std::unique_ptr<TMeaningIndex> ReadMeaningCache(const TMeaningCacheFile& file,
                                                const TByteMap& map) {
  if (file.Path.empty()) return nullptr;
  int error = 0;
  const std::unique_ptr<TReadFile> in =
      PosixFileSystem().OpenForReading(file.Path, TReadAccess::kSequential, &error);
  if (in == nullptr) return nullptr;
  TArrayReader reader(*in);
  std::string format;
  std::string key;
  // Another key under the same name is another index, not damage: the next build replaces it.
  if (!reader.Read(&format) || format != kFormat || !reader.Read(&key) || key != file.Key)
    return nullptr;
  auto index = std::make_unique<TMeaningIndex>(map);
  if (!index->Read(reader, file.EntryCount)) {
    std::error_code ignored;
    std::filesystem::remove(file.Path, ignored);
    return nullptr;
  }
  ::utimensat(AT_FDCWD, file.Path.c_str(), nullptr, 0);  // used now: pruned last
  return index;
}

std::unique_ptr<TMeaningIndex> BuildAndKeepMeaningIndex(const TByteMap& map,
                                                        const TMeaningDocuments& documents,
                                                        const TMeaningCacheFile& file,
                                                        const std::atomic<bool>* cancel) {
  auto index = std::make_unique<TMeaningIndex>(map);
  if (!index->Build(documents, cancel)) return nullptr;
  // A cancelled build's index is dropped: writing it would only delay whoever waits.
  if (!file.Path.empty() && (cancel == nullptr || !cancel->load(std::memory_order_relaxed)))
    Keep(*index, file);
  return index;
}

}  // namespace gryvel
