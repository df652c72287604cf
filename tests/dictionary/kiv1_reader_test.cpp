#include "dictionary/kiv1_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dictionary/file_io.h"
#include "dictionary/kiv_dictionary.h"
#include "support/capture_messages.h"
#include "support/kiv_bytes.h"
#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;
using testing::V1File;
using testing::V1Record;

constexpr const char* kFile = "old.kiv";
// A warning names the file.
constexpr const char* kShortBody = "old.kiv: Actual items count is not... Error on reading the dictionary";

class Kiv1ReaderTest : public ::testing::TestWithParam<bool> {
 protected:
  bool compressed() const { return GetParam(); }

  std::vector<std::string> Load(std::uint32_t count, const std::string& body) {
    return LoadBytes(V1File(count, body, compressed()));
  }

  std::vector<std::string> LoadBytes(const std::string& bytes) {
    files_.SetFile(kFile, {bytes.begin(), bytes.end()});
    dictionary_.SetFileName(kFile);
    testing::CaptureMessages messages;
    dictionary_.Load();
    return messages.Texts();
  }

  std::vector<std::string> Words() const {
    std::vector<std::string> words;
    for (std::int32_t i = 0; i < dictionary_.Count(); ++i)
      words.push_back(dictionary_.Entries().Get(i)->Word);
    return words;
  }

  TMemoryFileSystem files_;
  TKivDictionary dictionary_{&files_};
};

TEST_P(Kiv1ReaderTest, ReadsWordsWithDescriptionsInMemory) {
  const std::string body = V1Record("alpha", "first") + V1Record(Cp("ёлка")) +
                           V1Record("gamma", "") + V1Record("delta", Cp("четвёртая"));
  EXPECT_TRUE(Load(4, body).empty());

  ASSERT_TRUE(dictionary_.Loaded());
  EXPECT_TRUE(dictionary_.Version1());
  EXPECT_EQ((std::vector<std::string>{"alpha", Cp("ёлка"), "gamma", "delta"}), Words());
  const std::uint16_t in_memory =
      kFlagShown | kFlagChanged | kFlagDescriptionInMemory | kFlagHasDescription;
  EXPECT_EQ(in_memory, dictionary_.Entries().Get(0)->Flags);
  EXPECT_EQ(kFlagShown, dictionary_.Entries().Get(1)->Flags);
  EXPECT_EQ(kFlagShown, dictionary_.Entries().Get(2)->Flags);  // an empty description is none
  for (std::int32_t i = 0; i < 4; ++i) EXPECT_EQ(-1, dictionary_.Entries().Get(i)->Offset);
  EXPECT_EQ("first", dictionary_.GetDescription(0));
  EXPECT_EQ(Cp("четвёртая"), dictionary_.GetDescription(3));
  EXPECT_EQ(2, dictionary_.Descriptions().Count());
  EXPECT_FALSE(dictionary_.Modified());
}

TEST_P(Kiv1ReaderTest, ABodyShorterThanItsCountKeepsWhatItHolds) {
  EXPECT_EQ(std::vector<std::string>{kShortBody}, Load(3, V1Record("alpha") + V1Record("beta")));
  EXPECT_EQ((std::vector<std::string>{"alpha", "beta"}), Words());
}

TEST_P(Kiv1ReaderTest, LengthsPastTheBodyAreNeverRead) {
  struct Case {
    const char* name;
    std::string body;
  } cases[] = {
      {"word past the body", V1Record("alpha") + std::string("\0\0\0\0\xFF\x00"
                                                             "ab",
                                                             8)},
      {"description past the body",
       V1Record("alpha") + std::string("\x40\0\0\0\x02\0ab\xFF\xFF\xFF\xFF", 12)},
      {"cut record", V1Record("alpha") + std::string("\0\0", 2)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // (A version-1 count of 2 would read as version 2.)
    EXPECT_EQ(std::vector<std::string>{kShortBody}, Load(3, c.body));
    EXPECT_EQ(std::vector<std::string>{"alpha"}, Words());
  }
}

TEST_P(Kiv1ReaderTest, AHugeCountReservesOnlyWhatTheBodyCanHold) {
  EXPECT_EQ(std::vector<std::string>{kShortBody}, Load(0xFFFFFFFF, V1Record("alpha")));
  EXPECT_EQ(std::vector<std::string>{"alpha"}, Words());
  EXPECT_LE(dictionary_.Entries().Capacity(), 16);
}

INSTANTIATE_TEST_SUITE_P(Body, Kiv1ReaderTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Compressed" : "Plain"; });

TEST(Kiv1CompressedTest, ATruncatedStreamYieldsTheRecordsDecodedSoFar) {
  std::string body;
  for (int i = 0; i < 200; ++i) body += V1Record("word" + std::to_string(1000 + i), "text");
  std::string file = V1File(200, body, true);
  file.resize(file.size() - 200);
  TMemoryFileSystem files;
  files.SetFile(kFile, {file.begin(), file.end()});
  TKivDictionary dictionary(&files);
  dictionary.SetFileName(kFile);
  testing::CaptureMessages messages;
  dictionary.Load();
  EXPECT_EQ(std::vector<std::string>{kShortBody}, messages.Texts());
  ASSERT_GT(dictionary.Count(), 0);
  EXPECT_LT(dictionary.Count(), 200);
  EXPECT_EQ("word1000", dictionary.Entries().Get(0)->Word);
  EXPECT_EQ("text", dictionary.GetDescription(dictionary.Count() - 1));
}

}  // namespace
}  // namespace gryvel
