#include "shell/settings_location.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace gryvel {
namespace {

// The writable flag stands for who runs the program: root can write /usr/bin, a user cannot.
TEST(SettingsLocationTest, APortableCopyKeepsItsSettingsBesideItTheInstalledOneNever) {
  struct Case {
    std::string program_dir;
    bool program_writable;
    std::string xdg;
    std::string home;
    std::string expected;
  };
  const Case cases[] = {
      // A portable copy: beside the program while it can write there.
      {"/opt/gryvel", true, "/cfg", "/home/u", "/opt/gryvel"},
      {"/opt/gryvel", false, "/cfg", "/home/u", "/cfg/gryvel"},
      {"/opt/gryvel", false, "/cfg/", "/home/u", "/cfg/gryvel"},
      {"/opt/gryvel", false, "", "/home/u", "/home/u/.config/gryvel"},
      {"/opt/gryvel", false, "relative/cfg", "/home/u", "/home/u/.config/gryvel"},  // as XDG says
      {"/opt/gryvel", false, "", "", "/opt/gryvel"},
      // The installed program: the user's directory, for root as for a user.
      {"/usr/bin", true, "", "/root", "/root/.config/gryvel"},
      {"/usr/bin", false, "", "/home/u", "/home/u/.config/gryvel"},
      {"/usr/bin/", true, "/cfg", "/root", "/cfg/gryvel"},
      {"/usr/./bin", true, "", "/root", "/root/.config/gryvel"},
      // Only that very folder is the installed one.
      {"/usr/bin/gryvel-copy", true, "", "/root", "/usr/bin/gryvel-copy"},
  };
  for (const Case& c : cases) {
    const TSettingsEnvironment env{c.xdg, c.home, "/usr/bin", [&](const std::string& dir) {
                                     EXPECT_EQ(c.program_dir, dir);
                                     return c.program_writable;
                                   }};
    EXPECT_EQ(c.expected, SettingsDirectory(c.program_dir, env))
        << c.program_dir << " " << c.program_writable << " " << c.xdg << " " << c.home;
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
