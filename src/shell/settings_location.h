#pragma once

#include <functional>
#include <string>
#include <string_view>

// Where the settings file lives: in the program's own directory, as on the system the design
// comes from, unless that directory cannot be written (a system-wide installation); then in
// the user's configuration directory.

namespace gryvel {

// What the choice depends on; ProcessSettingsEnvironment() gives the real values.
struct TSettingsEnvironment {
  std::string XdgConfigHome;  // $XDG_CONFIG_HOME; empty when unset
  std::string Home;           // $HOME; empty when unset
  // Whether files can be created and renamed in a directory.
  std::function<bool(const std::string& dir)> Writable;
};

// The environment of this process.
TSettingsEnvironment ProcessSettingsEnvironment();

// `program_dir` when it is writable; otherwise $XDG_CONFIG_HOME/gryvel when that variable
// holds an absolute path, else $HOME/.config/gryvel; `program_dir` when there is no home
// either. No trailing separator.
std::string SettingsDirectory(const std::string& program_dir, const TSettingsEnvironment& env);

// The settings file of the program in `program_dir`: kSettingsFileName in SettingsDirectory,
// whose directories are created when the user's configuration directory is chosen.
std::string SettingsFilePath(const std::string& program_dir);

// Where files the program can make again (built indexes) are kept: $XDG_CACHE_HOME/gryvel when
// that variable holds an absolute path, else $HOME/.cache/gryvel; empty without a home either.
// Nothing is created.
std::string CacheDirectory(std::string_view xdg_cache_home, std::string_view home);
// CacheDirectory of this process's environment.
std::string ProcessCacheDirectory();

// `dir` + "/" + `name`, with one separator between them.
std::string JoinPath(std::string_view dir, std::string_view name);

}  // namespace gryvel
