#include "shell/settings_location.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "shell/settings_file.h"

namespace gryvel {

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

bool WritableDirectory(const std::string& dir) {
  std::error_code error;
  return std::filesystem::is_directory(dir, error) && ::access(dir.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

std::string JoinPath(std::string_view dir, std::string_view name) {
  std::string path(dir);
  if (!path.empty() && path.back() != '/') path += '/';
  return path.append(name);
}

TSettingsEnvironment ProcessSettingsEnvironment() {
  return {Environment("XDG_CONFIG_HOME"), Environment("HOME"), WritableDirectory};
}

std::string SettingsDirectory(const std::string& program_dir, const TSettingsEnvironment& env) {
  if (env.Writable(program_dir)) return program_dir;
  // The XDG rules ignore a relative path.
  if (!env.XdgConfigHome.empty() && env.XdgConfigHome.front() == '/')
    return JoinPath(env.XdgConfigHome, "gryvel");
  if (!env.Home.empty()) return JoinPath(JoinPath(env.Home, ".config"), "gryvel");
  return program_dir;
}

std::string SettingsFilePath(const std::string& program_dir) {
  const std::string dir = SettingsDirectory(program_dir, ProcessSettingsEnvironment());
  if (dir != program_dir) {
    // A directory that cannot be made shows later as a settings file that cannot be written.
    std::error_code ignored;
    std::filesystem::create_directories(dir, ignored);
  }
  return JoinPath(dir, kSettingsFileName);
}

}  // namespace gryvel
