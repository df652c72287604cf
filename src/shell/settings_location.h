#pragma once

#include <functional>
#include <string>
#include <string_view>

// Where the settings file lives. The installed program keeps it in the user's configuration
// directory, whoever runs it (root can write the program's directory, but a settings file
// there would outlive the package). A copy run from anywhere else (a build tree, a copied
// folder) keeps it beside itself, as on the system the design comes from, unless that
// directory cannot be written; then it too uses the user's configuration directory.

namespace gryvel {

// What the choice depends on; ProcessSettingsEnvironment() gives the real values.
struct TSettingsEnvironment {
  std::string XdgConfigHome;  // $XDG_CONFIG_HOME; empty when unset
  std::string Home;           // $HOME, else the user's home in the password database
  std::string InstalledDir;   // where the installation puts the programs
  // Whether files can be created and renamed in a directory.
  std::function<bool(const std::string& dir)> Writable;
};

// The environment of this process.
TSettingsEnvironment ProcessSettingsEnvironment();

// $XDG_CONFIG_HOME/gryvel when that variable holds an absolute path, else
// $HOME/.config/gryvel, when `program_dir` is the installed one or cannot be written;
// otherwise `program_dir`, which is also the answer when there is no home. No trailing
// separator.
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
