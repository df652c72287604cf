#include "dictionary/file_kind.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <random>
#include <string>
#include <vector>

#include "support/failing_file_system.h"
#include "support/temp_dir.h"
#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;

TFileClass Classify(std::string_view name, const std::string& bytes, bool whole = true) {
  return ClassifyContent(name, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                         whole);
}

// `count` runs of non-blank bytes, `odd` of them holding a control byte.
std::string Runs(int count, int odd) {
  std::string text;
  for (int i = 0; i < count; ++i) text += i < odd ? std::string("ab\x01") + " " : Cp("слово ");
  return text;
}

std::string RandomBytes(std::size_t size) {
  std::mt19937 random(28);
  std::string bytes(size, '\0');
  for (char& b : bytes) b = static_cast<char>(random());
  return bytes;
}

TEST(FileKindTest, TheSignatureMakesADictionaryAndADictionaryNameWithoutItIsRefused) {
  const struct {
    const char* name;
    std::string bytes;
    TFileKind kind;
  } cases[] = {
      {"a.kiv", std::string("kiv\x10\0\0\0", 7), TFileKind::kDictionary},
      {"a.dat", "kiv", TFileKind::kDictionary},
      {"a.kiv", "", TFileKind::kRefused},
      {"a.kiv", "ki", TFileKind::kRefused},
      {"a.KIV", Cp("кот пёс"), TFileKind::kRefused},
      {"kiv", "", TFileKind::kWordList},
      {"a.txt", "", TFileKind::kWordList},
      {"a.kiv.txt", "KIV", TFileKind::kWordList},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " \"" + c.bytes + "\"");
    const TFileClass kind = Classify(c.name, c.bytes);
    EXPECT_EQ(c.kind, kind.Kind);
    EXPECT_EQ(c.kind == TFileKind::kRefused ? TFileRefusal::kNotDictionary : TFileRefusal::kNone,
              kind.Refusal);
    EXPECT_EQ(c.kind != TFileKind::kRefused, kind.Listed());
    EXPECT_FALSE(kind.Doubtful());
  }
}

TEST(FileKindTest, TextsOfWordsNumbersAndPunctuationAreNotDoubtful) {
  const std::string texts[] = {
      "",
      "\n\n  \r\n",
      Cp("кот\nпёс\r\nдом"),
      Cp("1. Кот (см. «дом») — 12 шт., №5… ‘ёж’ – да!"),
      "кот, пёс — «ёж»\n",  // UTF-8
      "\xEF\xBB\xBF" "word list\n",
      Cp("кот\t123\nпёс\t45\n"),
  };
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    const TFileClass kind = Classify("words.txt", text);
    EXPECT_EQ(TFileKind::kWordList, kind.Kind);
    EXPECT_EQ(0, kind.NonWordPercent);
  }
}

TEST(FileKindTest, AWordListOfMoreThanAFewPercentOfOddRunsIsDoubtful) {
  const struct {
    std::string bytes;
    int percent;
  } cases[] = {{Runs(100, 5), 5}, {Runs(100, 6), 6}, {Runs(4, 2), 50}, {"\x01", 100}};
  for (const auto& c : cases) {
    const TFileClass kind = Classify("words.txt", c.bytes);
    EXPECT_EQ(c.percent, kind.NonWordPercent);
    EXPECT_EQ(c.percent > kDoubtfulPercent, kind.Doubtful());
  }
  const TFileClass random = Classify("random.txt", RandomBytes(kClassifySample));
  EXPECT_TRUE(random.Doubtful());
  EXPECT_LT(80, random.NonWordPercent);
}

// The sample may end inside a run: what it would hold further on is not known.
TEST(FileKindTest, ARunCutOffByTheSampleIsNotCounted) {
  EXPECT_EQ(0, Classify("words.txt", "cat \x01", /*whole=*/false).NonWordPercent);
  EXPECT_EQ(50, Classify("words.txt", "cat \x01", /*whole=*/true).NonWordPercent);
}

TEST(FileKindTest, MissingFilesFoldersAndUnreadableFilesAreRefusedWithTheReason) {
  testing::TempDir dir;
  testing::FailingFileSystem files;
  const std::string locked = dir.Write("locked.kiv", "kiv");
  files.FailReading(locked, EACCES);
  const struct {
    std::string path;
    TFileRefusal refusal;
    bool listed;
  } cases[] = {
      {dir.File("nosuch.kiv"), TFileRefusal::kMissing, false},
      {dir.File("nosuch/words.txt"), TFileRefusal::kMissing, false},
      {dir.Path(), TFileRefusal::kFolder, false},
      {locked, TFileRefusal::kUnreadable, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const TFileClass kind = ClassifyFile(files, c.path);
    EXPECT_EQ(TFileKind::kRefused, kind.Kind);
    EXPECT_EQ(c.refusal, kind.Refusal);
    EXPECT_EQ(c.listed, kind.Listed());
  }
  EXPECT_EQ(EACCES, ClassifyFile(files, locked).SystemError);
}

TEST(FileKindTest, AFileIsClassifiedFromItsStart) {
  testing::TempDir dir;
  std::string big = Cp("слово ");
  while (big.size() < 2 * kClassifySample) big += big;
  const struct {
    std::string path;
    TFileKind kind;
    bool doubtful;
  } cases[] = {
      {dir.Write("empty.txt", ""), TFileKind::kWordList, false},
      {dir.Write("empty.kiv", ""), TFileKind::kRefused, false},
      {dir.Write("random.kiv", RandomBytes(4096)), TFileKind::kRefused, false},
      {dir.Write("random.txt", RandomBytes(4096)), TFileKind::kWordList, true},
      {dir.Write("big.txt", big + RandomBytes(4096)), TFileKind::kWordList, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const TFileClass kind = ClassifyFile(PosixFileSystem(), c.path);
    EXPECT_EQ(c.kind, kind.Kind);
    EXPECT_EQ(c.doubtful, kind.Doubtful());
  }
}

}  // namespace
}  // namespace gryvel
