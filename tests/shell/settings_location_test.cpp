#include "shell/settings_location.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace gryvel {
namespace {

TEST(SettingsLocationTest, TheProgramDirectoryUnlessItCannotBeWritten) {
  struct Case {
    bool program_writable;
    std::string xdg;
    std::string home;
    std::string expected;
  };
  const Case cases[] = {
      {true, "/cfg", "/home/u", "/opt/gryvel"},
      {false, "/cfg", "/home/u", "/cfg/gryvel"},
      {false, "/cfg/", "/home/u", "/cfg/gryvel"},
      {false, "", "/home/u", "/home/u/.config/gryvel"},
      {false, "relative/cfg", "/home/u", "/home/u/.config/gryvel"},  // ignored, as XDG says
      {false, "", "", "/opt/gryvel"},
  };
  for (const Case& c : cases) {
    TSettingsEnvironment env{c.xdg, c.home, [&](const std::string& dir) {
                               EXPECT_EQ("/opt/gryvel", dir);
                               return c.program_writable;
                             }};
    EXPECT_EQ(c.expected, SettingsDirectory("/opt/gryvel", env)) << c.xdg << " " << c.home;
  }
}

TEST(SettingsLocationTest, TheCacheDirectoryFollowsTheXdgRules) {
  EXPECT_EQ("/c/gryvel", CacheDirectory("/c", "/home/u"));
  EXPECT_EQ("/home/u/.cache/gryvel", CacheDirectory("", "/home/u"));
  EXPECT_EQ("/home/u/.cache/gryvel", CacheDirectory("relative", "/home/u"));
  EXPECT_EQ("", CacheDirectory("", ""));
}

TEST(SettingsLocationTest, TheUserDirectoryIsMadeWhenItIsChosen) {
  testing::TempDir dir;
  const std::string missing_program_dir = dir.File("no-such-program-dir");
  const char* old = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = old != nullptr ? old : "";
  ::setenv("XDG_CONFIG_HOME", dir.File("config").c_str(), 1);

  EXPECT_EQ(dir.File("config/gryvel/gryvel.ini"), SettingsFilePath(missing_program_dir));
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("config/gryvel")));
  EXPECT_EQ(dir.File("gryvel.ini"), SettingsFilePath(dir.Path()));

  if (old != nullptr)
    ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  else
    ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace gryvel
