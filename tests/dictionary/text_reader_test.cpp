#include "dictionary/text_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dictionary/file_io.h"
#include "dictionary/kiv_dictionary.h"
#include "search/letter_maps.h"
#include "support/capture_messages.h"
#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;

constexpr const char* kFile = "list.txt";
constexpr std::size_t kChunk = 1'000'000;

class TextReaderTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetLetterMaps(); }
  void TearDown() override { ResetLetterMaps(); }

  // The entries read from a file holding `bytes`, in index order.
  std::vector<std::string> Words(const std::string& bytes) {
    files_.SetFile(kFile, {bytes.begin(), bytes.end()});
    TKivDictionary dictionary(&files_);
    dictionary.SetFileName(kFile);
    testing::CaptureMessages capture;
    dictionary.Load();
    messages_ = capture.Texts();
    EXPECT_TRUE(dictionary.Loaded());
    EXPECT_EQ(TDictKind::kText, dictionary.Kind());
    EXPECT_EQ(static_cast<std::uint32_t>(dictionary.Count()), dictionary.Head().Count);
    std::vector<std::string> words;
    for (std::int32_t i = 0; i < dictionary.Count(); ++i)
      words.push_back(dictionary.Entries().Get(i)->Word);
    return words;
  }

  TMemoryFileSystem files_;
  std::vector<std::string> messages_;
};

TEST_F(TextReaderTest, CollectsRunsOfTwoOrMoreLetters) {
  EXPECT_EQ((std::vector<std::string>{"air", "plane", Cp("Слово"), Cp("слово")}),
            Words(Cp("Слово я слово, а air-plane 42x\r\n")));
  EXPECT_TRUE(messages_.empty());
}

TEST_F(TextReaderTest, EveryCyrillicLetterOfTheCodePageBelongsToAWord) {
  // Ё/ё (0xA8/0xB8) and the letters outside А-я: Ґ ї І є ў Ђ.
  const std::string list = Cp("ёлка ЁЖИК Ґанок їжак Іван є ўдача Ђак");
  EXPECT_EQ((std::vector<std::string>{Cp("Ђак"), Cp("ўдача"), Cp("Ґанок"), Cp("ЁЖИК"), Cp("Іван"),
                                      Cp("ёлка"), Cp("їжак")}),
            Words(list));
}

TEST_F(TextReaderTest, SeparatorsSplitWords) {
  EXPECT_EQ((std::vector<std::string>{"ab", "don", "it", "well"}),
            Words("don't 'it' well-2ab\x85\xB5"))
      << "digits, hyphens, apostrophes and non-letter bytes separate words";
}

TEST_F(TextReaderTest, RepeatedWordsAreKeptOnce) {
  EXPECT_EQ((std::vector<std::string>{"cat", "dog"}), Words("dog cat dog\ncat\ndog"));
}

TEST_F(TextReaderTest, WordsAcrossChunkBoundariesAreReadWhole) {
  std::string list(kChunk - 3, ' ');
  list += "boundary ";
  list += std::string(kChunk, 'z');  // a run of a whole chunk and more
  list += "zz tail";
  const std::vector<std::string> words = Words(list);
  ASSERT_EQ(3u, words.size());
  EXPECT_EQ("boundary", words[0]);
  EXPECT_EQ("tail", words[1]);
  EXPECT_EQ(std::string(kChunk + 2, 'z'), words[2]);
}

TEST_F(TextReaderTest, AFileOfOneLongRunEnds) {
  EXPECT_EQ(std::vector<std::string>{std::string(2 * kChunk + 5, 'q')},
            Words(std::string(2 * kChunk + 5, 'q')));
}

TEST_F(TextReaderTest, Utf8IsReadAsUtf8) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> words;
  } cases[] = {
      {"with a byte-order mark", "\xEF\xBB\xBFplain words", {"plain", "words"}},
      {"Cyrillic", "ёж и Ёлка", {Cp("Ёлка"), Cp("ёж")}},
      {"letters the code page lacks separate", "café naïve ёж", {"caf", "na", "ve", Cp("ёж")}},
      {"symbols separate", "ab—cd€ef", {"ab", "cd", "ef"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.words, Words(c.bytes));
  }
}

TEST_F(TextReaderTest, AUtf8CharacterSplitAcrossChunksIsReadWhole) {
  std::string list = "ёж ";
  list += std::string(kChunk - list.size() - 1, ' ');
  list += "жук";  // its first letter starts at the last byte of the first chunk
  EXPECT_EQ((std::vector<std::string>{Cp("ёж"), Cp("жук")}), Words(list));
}

TEST_F(TextReaderTest, MalformedUtf8InALaterChunkSeparatesWords) {
  std::string list = "ёж " + std::string(kChunk, ' ') +
                     "ab\xFF"
                     "cd";
  EXPECT_EQ((std::vector<std::string>{"ab", "cd", Cp("ёж")}), Words(list));
}

TEST_F(TextReaderTest, BytesThatAreNotUtf8AreCodePage1251) {
  // "ёлка" in code page 1251, then a stray continuation byte.
  EXPECT_EQ((std::vector<std::string>{Cp("ёлка")}), Words(Cp("ёлка") + " \x98"));
}

TEST(LooksLikeUtf8Test, NeedsValidUtf8WithAMultiByteCharacter) {
  struct Case {
    std::string bytes;
    bool utf8;
  } cases[] = {
      {"\xEF\xBB\xBF", true},
      {"plain ascii", false},
      {"\xD1\x91", true},
      {"\xD1", false},              // no whole multi-byte character
      {"\xC0\xAF", false},          // overlong
      {"\xED\xA0\x80", false},      // surrogate
      {"\xF4\x90\x80\x80", false},  // past U+10FFFF
      {"\xE2\x82\xAC ok \xD1", true},
      {"\xB8\xEB\xEA\xE0", false},  // ёлка in code page 1251
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.utf8,
              LooksLikeUtf8(reinterpret_cast<const std::uint8_t*>(c.bytes.data()), c.bytes.size()))
        << ::testing::PrintToString(c.bytes);
}

}  // namespace
}  // namespace gryvel

namespace gryvel {
namespace {

// Claims a size past what a text list can be held in, and reads as spaces.
class HugeFile : public TReadFile {
 public:
  std::uint64_t Size() const override { return std::uint64_t{1} << 32; }
  std::size_t ReadAt(std::uint64_t, void* buffer, std::size_t size) override {
    std::memset(buffer, ' ', size);
    return size;
  }
};

TEST(TextReaderLimits, AFileOfFourGigabytesIsRefused) {
  HugeFile file;
  TArticleList entries;
  TDescriptions descriptions;
  TLoadJob job;
  job.Entries = &entries;
  job.Descriptions = &descriptions;
  TLoadFailure failure;
  job.Failure = &failure;
  EXPECT_EQ(TLoadOutcome::kFailed, LoadAsText(file, job));
  EXPECT_EQ((TLoadFailure{TLoadProblem::kFileTooLarge,
                          "The file is too large. Error on reading the dictionary"}),
            failure);
}

}  // namespace
}  // namespace gryvel
