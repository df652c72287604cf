#include "dictionary/text_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dictionary/article_list.h"
#include "support/failing_file_system.h"
#include "support/temp_dir.h"
#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;

class TextWriterTest : public ::testing::Test {
 protected:
  void Fill(const std::vector<std::string>& words) {
    for (const std::string& word : words) entries_.AddArticle(word);
  }

  TArticleList entries_;
  testing::TempDir dir_;
};

TEST_F(TextWriterTest, WritesEachWordOnItsLineInIndexOrder) {
  Fill({"alpha", Cp("ёлка"), Cp("Ёж")});
  struct Case {
    TWordListEncoding encoding;
    std::string bytes;
  };
  const Case cases[] = {
      {TWordListEncoding::Cp1251Crlf, "alpha\r\n" + Cp("ёлка") + "\r\n" + Cp("Ёж") + "\r\n"},
      {TWordListEncoding::Utf8Lf, "alpha\nёлка\nЁж\n"},
  };
  for (const Case& c : cases) {
    const std::string path = dir_.File("list.txt");
    ASSERT_TRUE(WriteWordList(entries_, path, c.encoding).ok());
    EXPECT_EQ(c.bytes, dir_.Read("list.txt"));
  }
}

TEST_F(TextWriterTest, AnEmptyListGivesAnEmptyFile) {
  ASSERT_TRUE(WriteWordList(entries_, dir_.File("empty.txt"), TWordListEncoding::Utf8Lf).ok());
  EXPECT_EQ("", dir_.Read("empty.txt"));
}

TEST_F(TextWriterTest, ALongListIsWrittenWhole) {
  // More bytes than one buffered write holds.
  std::string expected;
  for (int i = 0; i < 40'000; ++i) {
    const std::string word = "word" + std::to_string(100'000 + i);
    entries_.AddArticle(word);
    expected += word + "\n";
  }
  ASSERT_TRUE(WriteWordList(entries_, dir_.File("long.txt"), TWordListEncoding::Utf8Lf).ok());
  EXPECT_EQ(expected, dir_.Read("long.txt"));
}

TEST_F(TextWriterTest, AFailedWriteLeavesTheOldFileWhole) {
  for (int i = 0; i < 40'000; ++i) entries_.AddArticle("word" + std::to_string(100'000 + i));
  const std::string path = dir_.Write("list.txt", "old\n");
  for (const bool fail_commit : {false, true}) {
    testing::FailingFileSystem files;
    if (fail_commit)
      files.FailCommit(true);
    else
      files.FailAfterBytes(250'000);
    const TStatus status = WriteWordList(entries_, path, TWordListEncoding::Cp1251Crlf, &files);
    EXPECT_FALSE(status.ok());
    EXPECT_FALSE(status.message().empty());
    EXPECT_EQ("old\n", dir_.Read("list.txt"));
    EXPECT_EQ(std::vector<std::string>{"list.txt"}, dir_.Names()) << "a temporary file was left";
  }
}

TEST_F(TextWriterTest, AFileThatCannotBeCreatedIsAFailure) {
  Fill({"alpha"});
  const TStatus status =
      WriteWordList(entries_, dir_.File("missing/list.txt"), TWordListEncoding::Utf8Lf);
  EXPECT_FALSE(status.ok());
  EXPECT_NE(std::string::npos, status.message().find("missing")) << status.message();
}

}  // namespace
}  // namespace gryvel
