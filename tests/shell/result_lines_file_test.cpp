#include "shell/result_lines_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/capture_messages.h"
#include "support/failing_file_system.h"
#include "support/temp_dir.h"
#include "support/text.h"

namespace gryvel {
namespace {

using ::testing::ElementsAre;
using testing::Cp;

class ResultLinesFileTest : public ::testing::Test {
 protected:
  ResultLinesFileTest() {
    results_.Reset({Cp("кот"), Cp("ток"), Cp("ум")}, "+");
    for (std::uint32_t i = 0; i < 10'000; ++i) {
      const std::vector<std::uint32_t> path{i % 2, 2};
      results_.Add(path);
    }
  }

  TResultList results_;
  testing::TempDir dir_;
};

TEST_F(ResultLinesFileTest, LinesAreTheChosenResultsInOrder) {
  std::string lines;
  AppendResultLines(results_, 1, 2, lines);
  EXPECT_EQ("ток+ум\nкот+ум\n", testing::Utf(lines));
}

TEST_F(ResultLinesFileTest, TheFileIsUtf8WithOneResultALine) {
  const std::string path = dir_.File("splits.txt");
  ASSERT_TRUE(SaveResultLines(PosixFileSystem(), path, results_).ok());
  std::string expected;
  for (int i = 0; i < 10'000; ++i) expected += i % 2 == 0 ? "кот+ум\n" : "ток+ум\n";
  EXPECT_EQ(expected, dir_.Read("splits.txt"));
}

TEST_F(ResultLinesFileTest, AFailedSaveIsShownAndKeepsTheOldFile) {
  testing::CaptureMessages messages;
  const std::string path = dir_.Write("old.txt", "old");
  testing::FailingFileSystem files;
  files.FailAfterBytes(50'000);  // past the first block
  const TStatus status = SaveResultLines(files, path, results_);
  EXPECT_FALSE(status.ok());
  EXPECT_EQ("old", dir_.Read("old.txt"));
  EXPECT_THAT(messages.Texts(), ElementsAre("The file \"" + path + "\" could not be written:\r\n" +
                                            status.message()));
}

}  // namespace
}  // namespace gryvel
