#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "common/status.h"
#include "dictionary/file_io.h"
#include "shell/default_settings.h"
#include "shell/ini_store.h"

// The settings file. Each group of settings reads or writes the whole file within one call,
// so nothing is held between groups; a write goes to a temporary file renamed over the old
// one, so a failure or a crash never leaves a half-written file.

namespace gryvel {

// The name of the settings file.
inline constexpr char kSettingsFileName[] = "gryvel.ini";

// Not thread-safe: the UI thread.
class TSettingsFile {
 public:
  // `path` is the settings file (see SettingsFilePath); `program_dir`, without a trailing
  // separator, is where the first-run file looks for the default dictionary, and then
  // `data_dir` (an installation's data directory; none when empty); `user` is whom the
  // first-run file is made for (ProcessFirstRunUser() for the real one). Files are reached
  // through `file_system` (borrowed; it must outlive this object).
  TSettingsFile(TFileSystem& file_system, std::string path, std::string program_dir,
                std::string data_dir = {}, TFirstRunUser user = {})
      : FFileSystem(file_system),
        FPath(std::move(path)),
        FProgramDir(std::move(program_dir)),
        FDataDir(std::move(data_dir)),
        FUser(std::move(user)) {}

  const std::string& Path() const { return FPath; }
  const std::string& ProgramDir() const { return FProgramDir; }
  TFileSystem& FileSystem() const { return FFileSystem; }

  // Reads the file into *store. When there is none, the first-run file is written first, and
  // *store holds it even when writing it failed; every group then reads and updates that copy
  // in memory (see KeepFailure). Fails when the file exists but cannot be read.
  TStatus Read(TIniStore* store);
  // As Read, but a missing file reads as empty and nothing is written.
  TStatus ReadExisting(TIniStore* store) const;
  // Reads the file as Read does, lets `change` edit it and writes it back. Writes nothing when
  // the file cannot be read, so that the other groups in it are not lost, nor when `change`
  // leaves the text as it was.
  TStatus Update(const std::function<void(TIniStore&)>& change);

  // Whether this object made the first-run file (the main window then opens centred).
  bool CreatedDefaults() const { return FCreatedDefaults; }
  // Why the first-run file could not be written; ok while the settings live in the file.
  // After such a failure nothing is written: the user is told once, at start-up.
  const TStatus& KeepFailure() const { return FKeepFailure; }

 private:
  TFileSystem& FFileSystem;
  std::string FPath;
  std::string FProgramDir;
  std::string FDataDir;
  TFirstRunUser FUser;
  bool FCreatedDefaults = false;
  std::optional<TIniStore> FInMemory;  // the settings when they cannot be kept in the file
  TStatus FKeepFailure;
};

// Runs the reader of one group: `read` gets the file as Read gives it (ReadExisting when
// `existing_only`). When the file cannot be read, or `read` fails or throws, shows
// `failure_message` (nothing when it is empty) and returns false; the values `read` stored
// before it failed stay. A group reports at most once.
bool ReadSettingsGroup(TSettingsFile& file, const std::string& failure_message,
                       const std::function<TStatus(const TIniStore&)>& read,
                       bool existing_only = false);

}  // namespace gryvel
