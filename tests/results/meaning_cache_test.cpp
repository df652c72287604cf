#include "results/meaning_cache.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "described_words.h"
#include "dictionary/dictionary_collection.h"
#include "dictionary/file_io.h"
#include "results/array_file.h"
#include "results/result_source.h"
#include "results/word_table.h"
#include "search/character_manager.h"
#include "search/letter_maps.h"
#include "search/string_searcher.h"
#include "support/temp_dir.h"
#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

// A dictionary saved to a file, so that its descriptions come from the file as after a load.
class MeaningCacheTest : public ::testing::Test {
 protected:
  MeaningCacheTest() {
    FillCollationMap();
    searcher_.SetCharacterManager(&manager_);
    collection_.SetStringSearcher(&searcher_);
    dictionary_ = collection_.Dictionary(collection_.NewDictionary());
    const std::pair<const char*, const char*> entries[] = {
        {"bleak", "unpleasantly cold and damp"},
        {"cold", "having a low temperature"},
        {"победа", "перевес, успех"},
        {"триумф", "полный успех"},
        {"удача", "везение"},
        {"успех", "удача, счастье"},
    };
    testing::FillDescribed(*dictionary_, entries);
    file_ = dir_.File("words.kiv");
    EXPECT_TRUE(dictionary_->SaveToFile(file_).ok());
    collection_.Connect(*dictionary_);
    collection_.SetActive(dictionary_);
  }
  ~MeaningCacheTest() override { ResetLetterMaps(); }

  TMeaningCacheFile Cache() const { return MeaningCacheFile(collection_, MatchMap(), cache_dir_); }

  std::vector<std::string> Found(TResultSource& source, const char* clue) {
    source.SearchMeaning("", Cp(clue));
    source.SetFilterActive(true);
    std::vector<std::string> words;
    for (const std::int32_t i : source.View())
      words.push_back(testing::Utf(collection_.Item(i)->Word));
    return words;
  }

  // Keeps under the current key an index whose «удача» is described as "xyzzy": a search
  // that finds it read the kept file.
  void KeepMarkedIndex() {
    TMeaningDocuments documents;
    documents.Add(collection_.Find(Cp("удача")), "xyzzy");
    ASSERT_NE(nullptr, BuildAndKeepMeaningIndex(MatchMap(), documents, Cache()));
  }

  testing::TempDir dir_;
  std::string cache_dir_ = dir_.File("cache/gryvel");
  std::string file_;
  TCharacterManager manager_;
  TStringSearcher searcher_;
  TDictionaryCollection collection_;
  TKivDictionary* dictionary_ = nullptr;
};

TEST_F(MeaningCacheTest, AKeptIndexReadsBackFindingWhatTheBuiltOneFinds) {
  const TMeaningCacheFile cache = Cache();
  ASSERT_FALSE(cache.Path.empty());
  EXPECT_FALSE(cache.Saved);
  const TMeaningDocuments documents = CollectDescriptions(collection_);
  const auto built = BuildAndKeepMeaningIndex(MatchMap(), documents, cache);
  ASSERT_NE(nullptr, built);

  const TMeaningCacheFile again = Cache();
  EXPECT_EQ(cache.Path, again.Path);
  EXPECT_TRUE(again.Saved);
  const auto read = ReadMeaningCache(again, MatchMap());
  ASSERT_NE(nullptr, read);
  EXPECT_EQ(built->WordCount(), read->WordCount());
  EXPECT_EQ(built->PairCount(), read->PairCount());
  const auto entries = [](TMeaningIndex& index, const std::string& word, bool prefix) {
    std::vector<std::int32_t> found;
    std::string key;
    index.Key(word, &key);
    prefix ? index.EntriesWithPrefix(word, &found) : index.EntriesWithKey(key, &found);
    std::sort(found.begin(), found.end());
    return found;
  };
  for (const char* word : {"cold", "успеха", "удача", "полный", "absent"}) {
    EXPECT_EQ(entries(*built, Cp(word), false), entries(*read, Cp(word), false)) << word;
    EXPECT_EQ(entries(*built, Cp(word), true), entries(*read, Cp(word), true)) << word;
  }
  EXPECT_THAT(entries(*read, Cp("успехом"), false),
              ElementsAre(collection_.Find(Cp("победа")), collection_.Find(Cp("триумф"))));
}

TEST_F(MeaningCacheTest, TheFileNameFollowsEverythingTheIndexIsBuiltFrom) {
  const std::string path = Cache().Path;
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path, Cache().Path);
  EXPECT_TRUE(path.starts_with(cache_dir_ + "/")) << path;
  // Another letter map.
  manager_.SetCaseSensitive(true);
  EXPECT_NE(path, Cache().Path);
  manager_.SetCaseSensitive(false);
  EXPECT_EQ(path, Cache().Path);
  // The file written again (its time changes), or changed in memory and not saved.
  std::filesystem::last_write_time(
      file_, std::filesystem::last_write_time(file_) + std::chrono::seconds(5));
  EXPECT_NE(path, Cache().Path);
  dictionary_->SetDescription(0, "changed");
  EXPECT_THAT(Cache().Path, IsEmpty());
  // No directory: nothing kept.
  cache_dir_.clear();
  dictionary_->SetModified(false);
  EXPECT_THAT(Cache().Path, IsEmpty());
}

TEST_F(MeaningCacheTest, ASourceReadsTheKeptIndexUntilTheDictionaryChanges) {
  KeepMarkedIndex();
  for (const bool background : {false, true}) {
    TResultSource source;
    source.SetMeaningCacheDirectory(cache_dir_);
    source.SetDictionary(&collection_);
    if (background) source.BuildMeaningIndexInBackground();
    EXPECT_THAT(Found(source, "xyzzy"), ElementsAre("удача")) << background;
  }
  // A new word: the kept file describes another list, so the index is built and kept anew.
  ASSERT_GE(collection_.AddWord(Cp("фортуна")), 0);
  ASSERT_TRUE(dictionary_->SaveToFile(file_).ok());
  TResultSource source;
  source.SetMeaningCacheDirectory(cache_dir_);
  source.SetDictionary(&collection_);
  EXPECT_THAT(Found(source, "xyzzy"), IsEmpty());
  EXPECT_THAT(Found(source, "везение"), ElementsAre("удача"));
  EXPECT_TRUE(Cache().Saved);
}

TEST_F(MeaningCacheTest, OnlyTheMostRecentlyUsedFilesAreKept) {
  std::filesystem::create_directories(cache_dir_);
  const auto old_time = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  // Oldest first; "other" is no index file and stays whatever its age.
  int minutes = 0;
  for (const char* name : {"other", "meaning-1.index", "meaning-3.index", "meaning-2.index"}) {
    const std::string path = cache_dir_ + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "w");
    ASSERT_NE(nullptr, file);
    std::fclose(file);
    std::filesystem::last_write_time(path, old_time + std::chrono::minutes(minutes++));
  }
  KeepMarkedIndex();
  std::vector<std::string> names;
  for (const auto& item : std::filesystem::directory_iterator(cache_dir_))
    names.push_back(item.path().filename().string());
  const std::string kept = std::filesystem::path(Cache().Path).filename().string();
  EXPECT_THAT(names, UnorderedElementsAre("meaning-2.index", "meaning-3.index", kept, "other"));
}

TEST_F(MeaningCacheTest, ADamagedFileIsNeverTakenAndIsRemoved) {
  KeepMarkedIndex();
  const TMeaningCacheFile cache = Cache();
  std::string bytes;
  {
    std::ifstream in(cache.Path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  ASSERT_GT(bytes.size(), 1000u);
  const auto put = [&](const std::string& content) {
    std::ofstream(cache.Path, std::ios::binary | std::ios::trunc) << content;
  };
  // Cut in the index, or with bytes after it.
  for (const std::string& damaged :
       {bytes.substr(0, bytes.size() - 1), bytes.substr(0, bytes.size() / 2), bytes + "x"}) {
    put(damaged);
    EXPECT_EQ(nullptr, ReadMeaningCache(cache, MatchMap()));
    EXPECT_FALSE(std::filesystem::exists(cache.Path));
  }
  // Cut in its key: a file of something else, left for the next build to replace.
  put(bytes.substr(0, 40));
  EXPECT_EQ(nullptr, ReadMeaningCache(cache, MatchMap()));
  EXPECT_TRUE(std::filesystem::exists(cache.Path));
  // An entry the list does not have.
  TMeaningDocuments documents;
  documents.Add(collection_.Count(), "xyzzy");
  ASSERT_NE(nullptr, BuildAndKeepMeaningIndex(MatchMap(), documents, cache));
  EXPECT_EQ(nullptr, ReadMeaningCache(cache, MatchMap()));
  // The search builds the index instead.
  TResultSource source;
  source.SetMeaningCacheDirectory(cache_dir_);
  source.SetDictionary(&collection_);
  EXPECT_THAT(Found(source, "успех"), ElementsAre("удача", "победа", "триумф"));
}

// Arrays as TWordTable::Write stores them, made by hand: the text, the word starts and the
// places (16 bytes each: 8 of the word's head, its number + 1, its length and tag).
std::string WordTableBytes(const std::string& text, const std::vector<std::uint32_t>& starts,
                           const std::vector<std::array<std::uint32_t, 4>>& slots) {
  TMemoryFileSystem files;
  TStatus status;
  auto out = files.CreateReplacing("table", &status);
  TArrayWriter writer(*out);
  writer.Write(text);
  writer.Write(starts);
  writer.Write(slots);
  EXPECT_TRUE(out->Commit().ok());
  const std::vector<std::uint8_t> bytes = files.File("table");
  return std::string(bytes.begin(), bytes.end());
}

TEST(WordTableReadTest, TakesOnlyTablesWhoseLookupsEndInsideThem) {
  // A table Write stored reads back whole.
  TWordTable table;
  table.Insert("ab");
  table.Insert("a much longer word");
  TMemoryFileSystem files;
  TStatus status;
  auto out = files.CreateReplacing("table", &status);
  TArrayWriter writer(*out);
  table.Write(writer);
  ASSERT_TRUE(out->Commit().ok());
  const std::vector<std::uint8_t> stored = files.File("table");
  TMemoryReadFile stored_file(stored.data(), stored.size());
  TArrayReader stored_reader(stored_file);
  TWordTable read;
  ASSERT_TRUE(read.Read(stored_reader));
  EXPECT_EQ(1, read.Find("a much longer word"));
  EXPECT_EQ(-1, read.Find("abc"));
  EXPECT_EQ(2, read.Insert("abc"));

  const std::array<std::uint32_t, 4> kEmpty{};
  const std::array<std::uint32_t, 4> kFirst{0, 0, 1, 0};
  const std::array<std::uint32_t, 4> kSecond{0, 0, 2, 0};
  const struct {
    const char* what;
    std::string bytes;
  } damaged[] = {
      {"every place taken", WordTableBytes("abcd", {0, 2, 4}, {kFirst, kSecond})},
      {"more than half taken",
       WordTableBytes("abcdef", {0, 2, 4, 6}, {kFirst, kSecond, {0, 0, 3, 0}, kEmpty})},
      {"a number past the words", WordTableBytes("ab", {0, 2}, {kEmpty, {0, 0, 5, 0}})},
      {"places not a power of two", WordTableBytes("ab", {0, 2}, {kFirst, kEmpty, kEmpty})},
      {"starts past the text", WordTableBytes("ab", {0, 3}, {kFirst, kEmpty})},
      {"starts falling", WordTableBytes("abcd", {0, 3, 2, 4}, {kFirst, kEmpty, kEmpty, kEmpty})},
      {"no starts", WordTableBytes("", {}, {})},
      {"cut short", WordTableBytes("ab", {0, 2}, {kFirst, kEmpty}).substr(0, 30)},
  };
  for (const auto& d : damaged) {
    TMemoryReadFile file(d.bytes.data(), d.bytes.size());
    TArrayReader reader(file);
    TWordTable table_read;
    EXPECT_FALSE(table_read.Read(reader)) << d.what;
    EXPECT_EQ(0, table_read.Count()) << d.what;
    EXPECT_EQ(-1, table_read.Find("ab")) << d.what;
  }
}

}  // namespace
}  // namespace gryvel
