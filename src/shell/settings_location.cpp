#include "shell/settings_location.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "install_info.h"
#include "shell/settings_file.h"

namespace gryvel {

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// $HOME, else the home the password database gives the user (a service or `sudo -H`
// start may leave HOME unset).
std::string HomeDirectory() {
  std::string home = Environment("HOME");
  if (!home.empty()) return home;
  const passwd* user = ::getpwuid(::getuid());
  return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
}

// Whether two directories are the same when written without "." parts or trailing separators.
bool SameDirectory(std::string_view a, std::string_view b) {
  const auto normal = [](std::string_view dir) {
    std::string path = std::filesystem::path(dir).lexically_normal().string();
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
  };
  return normal(a) == normal(b);
}

bool WritableDirectory(const std::string& dir) {
  std::error_code error;
  return std::filesystem::is_directory(dir, error) && ::access(dir.c_str(), W_OK | X_OK) == 0;
}

// $<xdg>/gryvel, or $HOME/<fallback>/gryvel; the XDG rules ignore a relative path. Empty
// without either.
std::string UserDirectory(std::string_view xdg, std::string_view home, std::string_view fallback) {
  if (!xdg.empty() && xdg.front() == '/') return JoinPath(xdg, "gryvel");
  if (!home.empty()) return JoinPath(JoinPath(home, fallback), "gryvel");
  return {};
}

}  // namespace

std::string JoinPath(std::string_view dir, std::string_view name) {
  std::string path(dir);
  if (!path.empty() && path.back() != '/') path += '/';
  return path.append(name);
}

TSettingsEnvironment ProcessSettingsEnvironment() {
  return {Environment("XDG_CONFIG_HOME"), HomeDirectory(), GRYVEL_BIN_DIR, WritableDirectory};
}

std::string SettingsDirectory(const std::string& program_dir, const TSettingsEnvironment& env) {
  const bool installed = SameDirectory(program_dir, env.InstalledDir);
  if (!installed && env.Writable(program_dir)) return program_dir;
  const std::string dir = UserDirectory(env.XdgConfigHome, env.Home, ".config");
  return dir.empty() ? program_dir : dir;
}

std::string CacheDirectory(std::string_view xdg_cache_home, std::string_view home) {
  return UserDirectory(xdg_cache_home, home, ".cache");
}

std::string ProcessCacheDirectory() {
  return CacheDirectory(Environment("XDG_CACHE_HOME"), Environment("HOME"));
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
