#include "dictionary/kiv_header.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "dictionary/file_io.h"
#include "dictionary/kiv_dictionary.h"
#include "support/capture_messages.h"
#include "support/kiv_bytes.h"

namespace gryvel {
namespace {

using testing::Bytes;
using testing::HeadTexts;
using testing::V1File;
using testing::V1Record;
using testing::V2Header;
using testing::V2Record;

constexpr const char* kFile = "words.kiv";

TEST(DetectVersionTest, VersionOneNeedsBOneAndANotTwo) {
  struct Case {
    std::uint32_t a, b, version;
  } cases[] = {
      {2, 1, 2},  // a version-1 header whose u32 at offset 7 is 2 is read as version 2
      {2, 0, 2}, {5, 1, 1}, {0, 1, 1}, {1000, 0, 1000}, {1000, 1, 1}, {7, 0, 7},
  };
  for (const Case& c : cases) EXPECT_EQ(c.version, DetectVersion(c.a, c.b)) << c.a << "," << c.b;
}

class KivHeaderTest : public ::testing::Test {
 protected:
  // Reads the header of `bytes` through a dictionary, recording the messages shown.
  TDictHead Read(const std::string& bytes) {
    files_.SetFile(kFile, {bytes.begin(), bytes.end()});
    dictionary_.SetFileName(kFile);
    testing::CaptureMessages capture;
    TDictHead head = dictionary_.ReadHeader();
    messages_ = capture.Texts();
    return head;
  }

  TMemoryFileSystem files_;
  TKivDictionary dictionary_{&files_};
  std::vector<std::string> messages_;
};

TEST_F(KivHeaderTest, TakesTheVersion2Fields) {
  const HeadTexts texts{"Title", "Line 1\r\nLine 2", "Author", "a@b.c", "http://x"};
  std::string file = V2Header(7, texts, "ENG", kHeadReadOnly | kHeadSixthText);
  file.replace(11, 4, Bytes().U32(0xDEADBEEF).str());  // the reserved u32
  const TDictHead head = Read(file);

  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ("kiv", head.Signature);
  EXPECT_EQ(2u, head.Version);
  EXPECT_EQ(7u, head.Count);
  EXPECT_EQ(kHeadReadOnly | kHeadSixthText, head.Flags);
  EXPECT_EQ(0xDEADBEEFu, head.Reserved);
  EXPECT_EQ((std::array<std::uint8_t, 10>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}), head.ReservedBytes);
  EXPECT_EQ("ENG", head.Language);
  EXPECT_EQ(texts.Title, head.Title);
  EXPECT_EQ(texts.Comments, head.Comments);
  EXPECT_EQ(texts.Author, head.Author);
  EXPECT_EQ(texts.Email, head.Email);
  EXPECT_EQ(texts.Web, head.Web);
  EXPECT_EQ(file.size(), head.FileSize);
  EXPECT_EQ(file.size() - 8 - 7, head.HeadSize);
  EXPECT_EQ(TDictKind::kBinary, dictionary_.Kind());
  EXPECT_FALSE(dictionary_.Version1());
  EXPECT_EQ(kCharSetAnsi, dictionary_.CharSet());
  EXPECT_TRUE(dictionary_.HeaderRead());
}

TEST_F(KivHeaderTest, TakesTheVersion1Fields) {
  const HeadTexts texts{"T", "C", "A", "E", "W"};
  const TDictHead head = Read(V1File(3, "", false, texts));
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(1u, head.Version);
  EXPECT_EQ(3u, head.Count);
  EXPECT_EQ("T", head.Title);
  EXPECT_EQ("C", head.Comments);
  EXPECT_EQ("A", head.Author);
  EXPECT_EQ("E", head.Email);
  EXPECT_EQ("W", head.Web);
  EXPECT_TRUE(dictionary_.Version1());
  EXPECT_EQ(kCharSetDefault, dictionary_.CharSet());
}

TEST_F(KivHeaderTest, TheHeldCopyIsReturnedOnceRead) {
  Read(V2Header(1, {"First", "", "", "", ""}));
  files_.SetFile(kFile, Bytes().Raw(V2Header(1, {"Second", "", "", "", ""})).vec());
  EXPECT_EQ("First", dictionary_.ReadHeader().Title);
}

// Bytes that are not a dictionary's under a dictionary's name are not read as a word list:
// the load fails, saying so.
TEST_F(KivHeaderTest, ADictionaryNameWithoutTheSignatureIsNotReadAsText) {
  const std::string cases[] = {"", "k", "ki", "a\n", "cat dog\n", "KIV cat"};
  for (const std::string& bytes : cases) {
    SCOPED_TRACE("\"" + bytes + "\"");
    files_.SetFile(kFile, {bytes.begin(), bytes.end()});
    TKivDictionary fresh(&files_);
    fresh.SetFileName(kFile);
    testing::CaptureMessages capture;
    fresh.Load();
    EXPECT_TRUE(capture.Messages().empty());
    EXPECT_FALSE(fresh.Loaded());
    EXPECT_EQ(TLoadProblem::kNotDictionary, fresh.LoadFailure().Problem);
    EXPECT_EQ(0, fresh.Count());
  }
}

// An empty word list is an empty dictionary, and a short one is read as any other.
TEST_F(KivHeaderTest, AShortWordListIsReadWithoutAWord) {
  const struct {
    std::string bytes;
    std::vector<std::string> words;
  } cases[] = {{"", {}}, {"k", {}}, {"ki", {"ki"}}, {"a\n", {}}};
  for (const auto& c : cases) {
    SCOPED_TRACE("\"" + c.bytes + "\"");
    files_.SetFile("words.txt", {c.bytes.begin(), c.bytes.end()});
    TKivDictionary fresh(&files_);
    fresh.SetFileName("words.txt");
    testing::CaptureMessages capture;
    fresh.Load();
    EXPECT_TRUE(capture.Messages().empty());
    EXPECT_TRUE(fresh.Loaded());
    EXPECT_EQ(TDictKind::kText, fresh.Kind());
    std::vector<std::string> words;
    for (std::int32_t i = 0; i < fresh.Count(); ++i) words.push_back(fresh.Entries().Get(i)->Word);
    EXPECT_EQ(c.words, words);
  }
}

TEST_F(KivHeaderTest, AnOtherVersionIsAcceptedButReadsNoEntries) {
  std::string file = V2Header(1) + V2Record("aa");
  file.replace(7, 4, Bytes().U32(1000).str());
  EXPECT_EQ(1000u, Read(file).Version);
  EXPECT_TRUE(messages_.empty());
  dictionary_.Load();
  EXPECT_FALSE(dictionary_.Loaded());
  EXPECT_EQ((TLoadFailure{TLoadProblem::kDamagedHeader,
                          "Unknown version 1000. Error opening the dictionary"}),
            dictionary_.LoadFailure());
  EXPECT_EQ(0, dictionary_.Count());
}

TEST_F(KivHeaderTest, DamagedHeadersAreReportedAndReadNoEntries) {
  const std::string good = V2Header(1, {"Title", "", "", "", ""}) + V2Record("aa");
  auto with_head_size = [&](std::uint32_t size) {
    return std::string(good).replace(3, 4, Bytes().U32(size).str());
  };
  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"no room for HeadSize", "kiv\x10\x00"},
      {"HeadSize below the version fields", with_head_size(10)},
      {"HeadSize below the version-2 fields", with_head_size(30)},
      {"HeadSize above the header buffer", with_head_size(1'000'005)},
      {"HeadSize of all ones", with_head_size(0xFFFFFFFF)},
      {"HeadSize past the file", with_head_size(200)},
      {"title length past HeadSize", std::string(good).replace(33, 4, Bytes().U32(60).str())},
      {"title length of all ones", std::string(good).replace(33, 4, Bytes().U32(0xFFFFFFFF).str())},
      {"version-1 text past HeadSize",
       std::string(V1File(1, V1Record("aa"), false)).replace(61, 2, Bytes().U16(50).str())},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TKivDictionary fresh(&files_);
    files_.SetFile(kFile, {c.bytes.begin(), c.bytes.end()});
    fresh.SetFileName(kFile);
    testing::CaptureMessages messages;
    fresh.Load();
    EXPECT_TRUE(messages.Texts().empty());  // the load's failure says it
    EXPECT_EQ(TDictKind::kBinary, fresh.Kind());
    EXPECT_FALSE(fresh.Loaded());
    EXPECT_EQ(TLoadProblem::kDamagedHeader, fresh.LoadFailure().Problem);
    EXPECT_EQ(0, fresh.Count());
  }
}

TEST_F(KivHeaderTest, AFileThatCannotBeOpenedRaisesTheSystemTextAndName) {
  struct Unreadable : TMemoryFileSystem {
    std::unique_ptr<TReadFile> OpenForReading(const std::string&, TReadAccess,
                                              int* error) override {
      *error = EACCES;
      return nullptr;
    }
  } files;
  files.SetFile(kFile, {});
  TKivDictionary dictionary(&files);
  dictionary.SetFileName(kFile);
  try {
    dictionary.Load();
    FAIL() << "no error raised";
  } catch (const EDictionaryError& e) {
    EXPECT_EQ(SystemErrorText(EACCES) + ": words.kiv", e.what());
  }
  EXPECT_FALSE(dictionary.Loading());
  EXPECT_FALSE(dictionary.HeaderRead());
  EXPECT_EQ((TLoadFailure{TLoadProblem::kCannotOpen, SystemErrorText(EACCES), EACCES}),
            dictionary.LoadFailure());
}

TEST_F(KivHeaderTest, AMissingFileLeavesTheHeaderAlone) {
  dictionary_.SetFileName("missing.kiv");
  const TDictHead head = dictionary_.ReadHeader();
  EXPECT_EQ(TDictHead{}, head);
  EXPECT_EQ(2u, dictionary_.Head().Version);
  EXPECT_FALSE(dictionary_.HeaderRead());
}

}  // namespace
}  // namespace gryvel
