#include "shell/window_usage.h"

#include <gtest/gtest.h>

#include <string>

namespace gryvel {
namespace {

// What a user without the window needs from the command line: the options, the files, where
// settings go, the licence, and the way to the terminal program.
TEST(WindowUsageTest, TheTextsNameWhatTheUserNeeds) {
  const std::string help = WindowHelpText("/home/u/.config/gryvel/gryvel.ini");
  for (const char* part : {"--help", "--version", "FILE", ".kiv",
                           "Settings: /home/u/.config/gryvel/gryvel.ini\n", "gryvel-cli"})
    EXPECT_NE(std::string::npos, help.find(part)) << part;

  const std::string version = WindowVersionText("1.2.3");
  EXPECT_EQ(0u, version.rfind("gryvel 1.2.3\n", 0)) << version;
  EXPECT_NE(std::string::npos, version.find("GPL-3.0-or-later"));

  EXPECT_NE(std::string::npos, NoDisplayText().find("gryvel-cli"));
}

}  // namespace
}  // namespace gryvel
