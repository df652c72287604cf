#include "dictionary/kiv2_reader.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "common/synchronize.h"
#include "dictionary/file_io.h"
#include "dictionary/kiv_dictionary.h"
#include "support/capture_messages.h"
#include "support/kiv_bytes.h"
#include "support/text.h"

namespace gryvel {
namespace {

using testing::Bytes;
using testing::Cp;
using testing::V2Header;
using testing::V2Record;

constexpr const char* kFile = "words.kiv";

std::vector<std::string> Words(const TKivDictionary& d) {
  std::vector<std::string> words;
  for (std::int32_t i = 0; i < d.Entries().Count(); ++i) words.push_back(d.Entries().Get(i)->Word);
  return words;
}

class Kiv2ReaderTest : public ::testing::Test {
 protected:
  // Loads `bytes` as the dictionary's file and returns the messages shown.
  std::vector<std::string> Load(const std::string& bytes, const TLoadOptions& options = {}) {
    files_.SetFile(kFile, {bytes.begin(), bytes.end()});
    dictionary_.SetFileName(kFile);
    testing::CaptureMessages messages;
    dictionary_.Load(options);
    return messages.Texts();
  }

  TMemoryFileSystem files_;
  TKivDictionary dictionary_{&files_};
};

TEST_F(Kiv2ReaderTest, ReadsWordsFlagsPartsAndOffsets) {
  const std::string head = V2Header(3, {"Title", "", "", "", ""}, "ENG");
  const std::string a = V2Record("alpha", "first letter", kPartNoun | 0x10, 0x20);
  const std::string b = V2Record(Cp("ёж"), {}, kPartVerb, 0x40);
  const std::string c = V2Record("gamma", "", 0, 0);
  EXPECT_TRUE(Load(head + a + b + c).empty());

  ASSERT_TRUE(dictionary_.Loaded());
  EXPECT_FALSE(dictionary_.Loading());
  EXPECT_EQ((std::vector<std::string>{"alpha", Cp("ёж"), "gamma"}), Words(dictionary_));
  const TArticleItem& first = *dictionary_.Entries().Get(0);
  EXPECT_EQ(static_cast<std::int32_t>(head.size()), first.Offset);
  EXPECT_EQ(kFlagShown | kFlagHasDescription | kFlagSingular, first.Flags);
  EXPECT_EQ(kPartNoun | 0x10, first.Parts);
  const TArticleItem& second = *dictionary_.Entries().Get(1);
  EXPECT_EQ(static_cast<std::int32_t>(head.size() + a.size()), second.Offset);
  EXPECT_EQ(kFlagShown | kFlagPlural, second.Flags);
  EXPECT_EQ(kCharSetAnsi, dictionary_.CharSet());
  EXPECT_EQ("Title", dictionary_.Head().Title);

  EXPECT_EQ("first letter", dictionary_.GetDescription(0));
  EXPECT_EQ("", dictionary_.GetDescription(1));
  EXPECT_EQ("", dictionary_.GetDescription(2));
  EXPECT_FALSE(dictionary_.Modified());
}

TEST_F(Kiv2ReaderTest, RecordsCrossingChunkBoundariesAreReadWhole) {
  std::string body;
  const int count = 40'000;  // about 2.4 MB: records straddle two chunk boundaries
  for (int i = 0; i < count; ++i)
    body += V2Record("word" + std::to_string(100000 + i), std::string(40, 'd'));
  EXPECT_TRUE(Load(V2Header(count) + body).empty());

  ASSERT_EQ(count, dictionary_.Count());
  EXPECT_EQ("word100000", dictionary_.Entries().Get(0)->Word);
  EXPECT_EQ("word139999", dictionary_.Entries().Get(count - 1)->Word);
  EXPECT_EQ(std::string(40, 'd'), dictionary_.GetDescription(count - 1));
  EXPECT_EQ(std::string(40, 'd'), dictionary_.GetDescription(20'000));
}

// The header's entry count only reserves room: the records are read to the end of the file,
// quietly, whatever it says; a count of 0 reads nothing.
TEST_F(Kiv2ReaderTest, TheEntryCountOnlyReservesRoom) {
  const std::string records = V2Record("ab") + V2Record("cd") + V2Record("ef");
  const struct {
    std::uint32_t count;
    std::vector<std::string> words;
  } cases[] = {
      {0, {}},
      {1, {"ab", "cd", "ef"}},
      {3, {"ab", "cd", "ef"}},
      {7, {"ab", "cd", "ef"}},
      {0xFFFFFFFF, {"ab", "cd", "ef"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    TKivDictionary fresh(&files_);
    files_.SetFile(kFile, Bytes().Raw(V2Header(c.count)).Raw(records).vec());
    fresh.SetFileName(kFile);
    testing::CaptureMessages messages;
    fresh.Load();
    EXPECT_EQ(std::vector<std::string>{}, messages.Texts());
    EXPECT_TRUE(fresh.Loaded());
    EXPECT_EQ(c.words, Words(fresh));
    EXPECT_EQ(c.count, fresh.Head().Count);
    // A count the file cannot hold reserves no more than it can.
    EXPECT_LE(fresh.Entries().Capacity(), 16);
  }
  EXPECT_TRUE(Load(V2Header(0)).empty());
  EXPECT_TRUE(dictionary_.Loaded());
  EXPECT_EQ(0, dictionary_.Count());
}

// Each damaged body fails the load, leaving the dictionary not loaded and empty, with the
// reason kept for the user and no message of its own.
struct DamagedCase {
  const char* name;
  std::string body;  // after a header that announces two records and one good record
  std::string detail;
  TLoadProblem problem = TLoadProblem::kDamagedRecord;
};

std::string RecordWithSize(std::uint32_t size) {
  return Bytes().U32(size).U8(0).U8(0).U16(0).U32(2).Raw("ab").str();
}

TEST_F(Kiv2ReaderTest, DamagedRecordsFailTheLoadWithTheirReason) {
  const std::string damaged = "Damaged record. Error on reading the dictionary";
  const std::string too_big = "Buffer is less than item size. Error on reading the dictionary";
  const std::string end = "Unexpected end of file. Error on reading the dictionary";
  const DamagedCase cases[] = {
      {"size zero", RecordWithSize(0), damaged},
      {"size below the fixed part", RecordWithSize(11), damaged},
      {"size past the end of the file", RecordWithSize(500), end, TLoadProblem::kUnexpectedEnd},
      {"size at 2^31", RecordWithSize(0x80000000u), too_big},
      {"size of all ones", RecordWithSize(0xFFFFFFFFu), too_big},
      {"size above a chunk", RecordWithSize(1'000'001), too_big},
      {"word of 1001 bytes", V2Record(std::string(1001, 'a')),
       "Too long string. Error on reading the dictionary"},
      {"word past its record", Bytes().U32(14).U8(0).U8(0).U16(0).U32(3).Raw("ab").str(), damaged},
      {"word length at 2^31", Bytes().U32(14).U8(0).U8(0).U16(0).U32(0x80000000u).Raw("ab").str(),
       "Too long string. Error on reading the dictionary"},
      {"description past its record",
       Bytes().U32(20).U8(1).U8(0).U16(0).U32(2).Raw("ab").U32(5).Raw("xy").str(), damaged},
      {"description length of all ones",
       Bytes().U32(20).U8(1).U8(0).U16(0).U32(2).Raw("ab").U32(0xFFFFFFFFu).Raw("xy").str(),
       damaged},
      {"description flag without its length",
       Bytes().U32(14).U8(1).U8(0).U16(0).U32(2).Raw("ab").str(), damaged},
      {"a cut size field", "\x10\x00", end, TLoadProblem::kUnexpectedEnd},
  };
  for (const DamagedCase& c : cases) {
    SCOPED_TRACE(c.name);
    TKivDictionary fresh(&files_);
    files_.SetFile(kFile, Bytes().Raw(V2Header(2)).Raw(V2Record("aa")).Raw(c.body).vec());
    fresh.SetFileName(kFile);
    testing::CaptureMessages messages;
    fresh.Load();
    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_EQ((TLoadFailure{c.problem, c.detail}), fresh.LoadFailure());
    EXPECT_FALSE(fresh.Loaded());
    EXPECT_FALSE(fresh.Loading());
    EXPECT_EQ(0, fresh.Count());
    EXPECT_EQ(0, fresh.Descriptions().Count());
  }
}

TEST_F(Kiv2ReaderTest, ARecordLargerThanAChunkIsRefusedNotDropped) {
  // A real record of 1,000,100 bytes after enough records to start it mid-chunk.
  std::string body = V2Record("aa") + V2Record("bb", std::string(1'000'100 - 20, 'x'));
  EXPECT_TRUE(Load(V2Header(2) + body).empty());
  EXPECT_EQ("Buffer is less than item size. Error on reading the dictionary",
            dictionary_.LoadFailure().Detail);
  EXPECT_EQ(0, dictionary_.Count());
}

TEST_F(Kiv2ReaderTest, ARecordThatFillsAWholeChunkIsRead) {
  const std::string big = V2Record("bb", std::string(1'000'000 - 18, 'x'));
  ASSERT_EQ(1'000'000u, big.size());
  EXPECT_TRUE(Load(V2Header(3) + V2Record("aa") + big + V2Record("cc")).empty());
  EXPECT_EQ((std::vector<std::string>{"aa", "bb", "cc"}), Words(dictionary_));
}

// Small records around records of every size up to a whole chunk, some larger than the
// reader's usual read: each is read whole, and so is everything after it.
TEST_F(Kiv2ReaderTest, RecordsOfAnySizeUpToAChunkAreReadAmongSmallOnes) {
  const std::size_t sizes[] = {60'000, 64 * 1024, 70'000, 300'000, 999'000, 5, 130'000};
  std::string body;
  std::vector<std::string> words;
  for (std::size_t k = 0; k < std::size(sizes); ++k) {
    for (int i = 0; i < 300; ++i) {
      words.push_back("k" + std::to_string(k) + "a" + std::to_string(100 + i));
      body += V2Record(words.back(), "small");
    }
    words.push_back("k" + std::to_string(k) + "b");
    body += V2Record(words.back(), std::string(sizes[k], static_cast<char>('a' + k)));
  }
  EXPECT_TRUE(Load(V2Header(static_cast<std::uint32_t>(words.size())) + body).empty());
  EXPECT_EQ(words, Words(dictionary_));
  for (std::size_t k = 0; k < std::size(sizes); ++k) {
    const std::int32_t index = dictionary_.Entries().IndexOf("k" + std::to_string(k) + "b");
    ASSERT_GE(index, 0) << k;
    EXPECT_EQ(std::string(sizes[k], static_cast<char>('a' + k)), dictionary_.GetDescription(index));
  }
}

TEST_F(Kiv2ReaderTest, AReservedBlockPastTheFileIsRefused) {
  std::string file = V2Header(1);
  file.replace(file.size() - 8, 4, Bytes().U32(1000).str());
  Load(file);
  EXPECT_EQ((TLoadFailure{TLoadProblem::kDamagedHeader, "Error opening the dictionary (code 002)"}),
            dictionary_.LoadFailure());
  EXPECT_EQ(0, dictionary_.Count());
}

TEST_F(Kiv2ReaderTest, AFileWithoutHeadSizeGivesCode001) {
  const std::string bytes = "kiv\x01";
  TMemoryReadFile file(bytes.data(), bytes.size());
  TArticleList entries;
  TDescriptions descriptions;
  TLoadJob job;
  job.Entries = &entries;
  job.Descriptions = &descriptions;
  TLoadFailure failure;
  job.Failure = &failure;
  EXPECT_EQ(TLoadOutcome::kFailed, LoadAsKIV2(file, job));
  EXPECT_EQ("Error opening the dictionary (code 001)", failure.Detail);
}

TEST_F(Kiv2ReaderTest, ACancelledLoadEndsNotLoadedAndEmpty) {
  std::atomic<bool> cancel{true};
  EXPECT_TRUE(Load(V2Header(1) + V2Record("aa"), TLoadOptions{&cancel}).empty());
  EXPECT_FALSE(dictionary_.Loaded());
  EXPECT_FALSE(dictionary_.Loading());
  EXPECT_EQ(0, dictionary_.Count());
}

TEST_F(Kiv2ReaderTest, ProgressIsReportedUpToTheWholeFile) {
  struct Recorder : TDictionaryObserver {
    void DictionaryProgress(TKivDictionary&, std::uint8_t stage, std::uint8_t percent,
                            const std::string& text, std::uint64_t bytes) override {
      reports.push_back({stage, percent, text});
      total += bytes;
    }
    struct Report {
      std::uint8_t stage, percent;
      std::string text;
    };
    std::vector<Report> reports;
    std::uint64_t total = 0;
  } recorder;
  dictionary_.AddObserver(&recorder);
  std::string file = V2Header(20'000);
  for (int i = 0; i < 20'000; ++i) file += V2Record("word" + std::to_string(i));
  EXPECT_TRUE(Load(file).empty());

  ASSERT_GE(recorder.reports.size(), 50u);
  int last_percent = 0;
  for (const auto& r : recorder.reports) {
    EXPECT_LE(r.percent, 100);
    if (r.stage == kStageReading) {
      EXPECT_EQ("Reading", r.text);
      EXPECT_GE(r.percent, last_percent);
      last_percent = r.percent;
    }
  }
  EXPECT_EQ(100, last_percent);
  EXPECT_EQ(kStageLoaded, recorder.reports[recorder.reports.size() - 2].stage);
  EXPECT_EQ(kStageMerged, recorder.reports.back().stage);
  EXPECT_EQ(file.size(), recorder.total);
  dictionary_.RemoveObserver(&recorder);
}

TEST_F(Kiv2ReaderTest, OnALoaderThreadTheUiStepsRunOnTheUiThread) {
  std::string bytes = V2Header(3000);
  for (int i = 0; i < 3000; ++i) bytes += V2Record("word" + std::to_string(i));
  bytes += V2Record(std::string(1001, 'a'));  // ends the load with a message
  TMemoryReadFile file(bytes.data(), bytes.size());
  TArticleList entries;
  TDescriptions descriptions;
  std::atomic<std::int32_t> position{0};
  TLoadJob job;
  job.Head.FileSize = bytes.size();
  job.Head.Count = 3001;
  job.Entries = &entries;
  job.Descriptions = &descriptions;
  job.Position = &position;
  TLoadFailure failure;
  job.Failure = &failure;
  int reports = 0;
  bool off_ui_thread = false;
  job.Progress = [&](std::uint8_t, std::uint64_t) {
    ++reports;
    off_ui_thread |= !IsUiThread();
  };

  testing::CaptureMessages messages;
  std::atomic<bool> done{false};
  TLoadOutcome outcome = TLoadOutcome::kLoaded;
  std::thread loader([&] {
    outcome = LoadAsKIV2(file, job);
    done = true;
  });
  while (!done) CheckSynchronize(10);
  loader.join();

  EXPECT_EQ(TLoadOutcome::kFailed, outcome);
  EXPECT_GT(reports, 10);
  EXPECT_FALSE(off_ui_thread);
  EXPECT_TRUE(messages.Texts().empty());
  EXPECT_EQ("Too long string. Error on reading the dictionary", failure.Detail);
  EXPECT_EQ(3000, position.load());
}

TEST(ReadKiv2DescriptionTest, RefusesRecordsThatDoNotLieInTheFile) {
  const std::string good = V2Record("ab", "text");
  struct Case {
    const char* name;
    std::string bytes;
    std::int64_t offset;
    bool ok;
    std::string text;
  } cases[] = {
      {"good", good, 0, true, "text"},
      {"no description", V2Record("ab"), 0, true, ""},
      {"negative offset", good, -1, false, ""},
      {"offset past the end", good, 100, false, ""},
      {"record cut by the end of the file", good.substr(0, good.size() - 1), 0, false, ""},
      {"description past its record",
       Bytes().U32(18).U8(1).U8(0).U16(0).U32(2).Raw("ab").U32(9).str(), 0, false, ""},
      {"word past its record", Bytes().U32(12).U8(1).U8(0).U16(0).U32(900).str(), 0, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMemoryReadFile file(c.bytes.data(), c.bytes.size());
    std::string text = "stale";
    EXPECT_EQ(c.ok, ReadKiv2Description(file, c.offset, &text).ok());
    EXPECT_EQ(c.text, text);
  }
}

}  // namespace
}  // namespace gryvel
